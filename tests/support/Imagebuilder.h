#pragma once

#include <QByteArray>

#include <cstdint>
#include <initializer_list>
#include <ostream>
#include <utility>
#include <vector>

// The layout of a format as the tests know it, written down from the layout tables.
struct S_TestLayout
{
    const char* m_Name;
    std::uint16_t m_Code;
    int m_Size;
    int m_Records;
    int m_RecordSize;
    int m_Programs;
    int m_Motors;
    int m_Outputs;
};

inline void PrintTo(const S_TestLayout& layout, std::ostream* out)
{
    *out << layout.m_Name;
}

constexpr S_TestLayout StandardLayout{"standard", 0xCAFE, 8182, 400, 16, 6400, 7420, 7509};
constexpr S_TestLayout InverterLayout{"inverter", 0xCB90, 8184, 350, 18, 6300, 7320, 7409};
constexpr S_TestLayout VarnholtLayout{"varnholt", 0xF954, 8185, 350, 18, 6300, 7320, 7409};

// Byte values at positions: {position, value}.
using Bytes = std::vector<std::pair<int, int>>;

// Builds a memory image byte by byte, starting from all 255.
class ImageBuilder
{
public:
    explicit ImageBuilder(const S_TestLayout& layout, int outputs = 16);

    ImageBuilder& Set(int offset, std::initializer_list<int> bytes);
    // A step record: category, cycle, step number, then the given record bytes;
    // the bytes made of bits start at 0 and the rest at 255.
    ImageBuilder& Step(int record, int category, int cycle, int step, Bytes bytes = {});
    ImageBuilder& Motor(int entry, int mode, int first, int second, int third);
    // A program record with its (category, cycle) pairs; byte 1 holds totalSteps.
    ImageBuilder& Program(int record, int number, std::vector<std::pair<int, int>> cycles, int totalSteps = 0);

    int At(int offset) const { return m_Image[size_t(offset)]; }
    int RecordOffset(int record) const { return record * m_Layout.m_RecordSize; }
    const std::vector<std::uint8_t>& Image() const { return m_Image; }
    std::vector<std::uint8_t>& Image() { return m_Image; }
    // The bytes of a configuration file: the format code, low byte first, then the image.
    QByteArray ConfigurationFile() const;
    QByteArray OldFile() const;

    const S_TestLayout& Layout() const { return m_Layout; }

private:
    S_TestLayout m_Layout;
    std::vector<std::uint8_t> m_Image;
};
