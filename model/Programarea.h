#pragma once

#include "model/Configuration.h"

#include <cstdint>
#include <vector>

class C_DiagnosticSink;

// The program area of every format: 30 records of a program number (255 = not
// used), the program's total steps modulo 256 and 16 pairs of category code and
// cycle number (255, 255 = not used).
namespace ProgramArea {
constexpr int Records = 30;
constexpr int RecordSize = 34;
constexpr int Size = Records * RecordSize;
constexpr int References = 16;

// The programs of the area, their references linked where the cycles hold the cycle.
std::vector<C_Configuration::S_Program> Read(const std::uint8_t* area,
                                             const std::vector<C_Configuration::S_Cycle>& cycles,
                                             C_DiagnosticSink& lines);
// Writes the configuration's programs into the area with their checks; false when one fails.
bool Write(std::uint8_t* area, const C_Configuration& value, C_DiagnosticSink& lines);
} // namespace ProgramArea
