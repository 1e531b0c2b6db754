#pragma once

#include <cstdint>

class C_ConfigurationPanes;

// The motor table of every format: 16 entries of a motor mode number (255 = not
// used) and three times of 1 to 240 seconds (0 = not set), one grid row per mode.
namespace MotorTable {
constexpr int Entries = 16;
constexpr int EntrySize = 4;

// Fills the motor grid from the table; the table's times of 0 become 255 and an
// entry without times becomes not used.
void ToGrid(std::uint8_t* table, C_ConfigurationPanes& window);
// Writes grid row r into entry r - 1; the sixteenth entry keeps what it holds,
// settled as SettleEntries does.
void FromGrid(std::uint8_t* table, C_ConfigurationPanes& window);
// What every build does to each entry: a time of 255 becomes 0, and an entry
// without times is marked not used.
void SettleEntries(std::uint8_t* table);
} // namespace MotorTable
