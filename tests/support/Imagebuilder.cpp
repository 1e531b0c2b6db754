#include "support/Imagebuilder.h"

ImageBuilder::ImageBuilder(const S_TestLayout& layout, int outputs)
    : m_Layout(layout)
    , m_Image(size_t(layout.m_Size), 255)
{
    m_Image[size_t(layout.m_Outputs)] = std::uint8_t(outputs);
}

ImageBuilder& ImageBuilder::Set(int offset, std::initializer_list<int> bytes)
{
    for (int b : bytes)
        m_Image[size_t(offset++)] = std::uint8_t(b);
    return *this;
}

ImageBuilder& ImageBuilder::Step(int record, int category, int cycle, int step, Bytes bytes)
{
    const int at = RecordOffset(record);
    Set(at, {category, cycle, step, 0, 0, 0});
    for (const auto& [position, value] : bytes)
        m_Image[size_t(at + position)] = std::uint8_t(value);
    return *this;
}

ImageBuilder& ImageBuilder::Motor(int entry, int mode, int first, int second, int third)
{
    return Set(m_Layout.m_Motors + 4 * entry, {mode, first, second, third});
}

ImageBuilder& ImageBuilder::Program(int record, int number, std::vector<std::pair<int, int>> cycles, int totalSteps)
{
    const int at = m_Layout.m_Programs + 34 * record;
    Set(at, {number, totalSteps});
    for (size_t i = 0; i < cycles.size(); ++i)
        Set(at + 2 + 2 * int(i), {cycles[i].first, cycles[i].second});
    return *this;
}

QByteArray ImageBuilder::ConfigurationFile() const
{
    QByteArray file;
    file.append(char(m_Layout.m_Code & 0xFF)).append(char(m_Layout.m_Code >> 8));
    return file + OldFile();
}

QByteArray ImageBuilder::OldFile() const
{
    return QByteArray(reinterpret_cast<const char*>(m_Image.data()), qsizetype(m_Image.size()));
}
