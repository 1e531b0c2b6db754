#pragma once

#include <cstdint>

class C_ConfigurationPanes;

// The program area of every format: 30 records of a program number (255 = not
// used), the program's total steps modulo 256 and 16 pairs of category code and
// cycle number (255, 255 = not used).
namespace ProgramArea {
constexpr int Records = 30;
constexpr int RecordSize = 34;
constexpr int Size = Records * RecordSize;
constexpr int References = 16;

// Adds the programs to the programs tree, linked to the cycles already shown.
void ToTree(const std::uint8_t* area, C_ConfigurationPanes& window);
// Writes the programs tree into the area with its checks; false when one fails.
bool FromTree(std::uint8_t* area, C_ConfigurationPanes& window);
} // namespace ProgramArea
