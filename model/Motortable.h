#pragma once

#include <array>
#include <cstdint>
#include <vector>

class C_DiagnosticSink;

// The motor table of every format: 16 entries of a motor mode number (255 = not
// used) and three times of 1 to 240 seconds (0 = not set), one grid row per mode.
namespace MotorTable {
constexpr int Entries = 16;
constexpr int EntrySize = 4;
// Modes 1 to 15 are edited; each has three times.
constexpr int Modes = 15;
constexpr int TimesPerMode = 3;
// A time not set, as the window and dump hold it.
constexpr int Unset = 255;

// The times of modes 1 to 15, 255 for a time not set.
using Times = std::vector<std::array<int, 3>>;

// The modes' times from the table; the table's times of 0 become 255 and an
// entry without times becomes not used.
Times Read(std::uint8_t* table, C_DiagnosticSink& lines);
// Writes mode r's times into entry r - 1; the sixteenth entry keeps what it holds,
// settled as SettleEntries does.
void Write(std::uint8_t* table, const Times& times, C_DiagnosticSink& lines);
// What every build does to each entry: a time of 255 becomes 0, and an entry
// without times is marked not used.
void SettleEntries(std::uint8_t* table);
} // namespace MotorTable
