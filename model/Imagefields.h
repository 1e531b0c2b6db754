#pragma once

#include "model/Formatdescription.h"
#include "model/Imagebytes.h"

#include <QString>

#include <cstdint>
#include <map>
#include <vector>

// Which bytes of a format's image the configuration value defines: a Save writes
// them from the value (or, for the counters, the value is what the image holds),
// so a text form names them by their fields, never as kept bytes. The others are
// what a Save keeps from the file.
class C_ImageFields
{
public:
    // steps: how many step records the configuration's cycles fill.
    C_ImageFields(const S_FormatDescription& description, int outputs, int steps);

    bool Defined(int offset) const { return m_Fields[std::size_t(offset)] != nullptr; }
    // Why a kept byte cannot stand at the offset: "byte 7485 is
    // temperatureHysteresis; set it there"; empty for a byte a Save keeps.
    QString Refusal(int offset) const;

    // The bytes of the image that a Save keeps and that differ from what it keeps
    // of a new image of the format.
    std::map<int, std::uint8_t> KeptBytes(const MemoryImage& image) const;

private:
    void Name(int offset, int length, const char* field);

    const S_FormatDescription& m_Description;
    int m_Outputs;
    // The key of the field that defines each byte, or null.
    std::vector<const char*> m_Fields;
};
