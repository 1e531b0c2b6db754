#include "model/Motortable.h"

#include "language/Language.h"
#include "language/Messages.h"
#include "model/Diagnosticlist.h"
#include "model/Imagebytes.h"

#include <array>

namespace MotorTable {

namespace {

bool AllTimes(const std::uint8_t* entry, std::uint8_t value)
{
    for (int t = 1; t <= TimesPerMode; ++t)
        if (entry[t] != value)
            return false;
    return true;
}

} // namespace

Times Read(std::uint8_t* table, C_DiagnosticSink& lines)
{
    lines.Add(C_DiagnosticSink::Top, Text(Msg::ReadingMotorTable), C_DiagnosticSink::Heading);
    Times times(std::size_t(Modes), {Unset, Unset, Unset});
    // A mode named twice keeps the times of its first entry, so that saving and
    // reloading never moves times from one entry to another. An entry without
    // times is not used and names no mode: else the times of a later sixteenth
    // entry, which a build keeps, would show only after saving and reloading.
    std::array<bool, Modes + 1> shown{};
    for (int e = 0; e < Entries; ++e) {
        std::uint8_t* entry = table + e * EntrySize;
        if (entry[0] == UnusedByte)
            continue;
        for (int t = 1; t <= TimesPerMode; ++t)
            if (entry[t] == 0)
                entry[t] = UnusedByte;
        if (AllTimes(entry, UnusedByte)) {
            entry[0] = UnusedByte;
            continue;
        }
        const int mode = entry[0];
        if (mode >= 1 && mode <= Modes && !shown[size_t(mode)]) {
            shown[size_t(mode)] = true;
            for (int t = 1; t <= TimesPerMode; ++t)
                times[size_t(mode - 1)][size_t(t - 1)] = entry[t];
        }
    }
    return times;
}

void Write(std::uint8_t* table, const Times& times, C_DiagnosticSink& lines)
{
    lines.Add(C_DiagnosticSink::Top, Text(Msg::WritingMotorTable), C_DiagnosticSink::Heading);
    for (int row = 1; row <= Modes; ++row) {
        std::uint8_t* entry = table + (row - 1) * EntrySize;
        entry[0] = std::uint8_t(row);
        for (int t = 1; t <= TimesPerMode; ++t)
            entry[t] = std::uint8_t(times[size_t(row - 1)][size_t(t - 1)]);
    }
    SettleEntries(table);
}

void SettleEntries(std::uint8_t* table)
{
    for (int e = 0; e < Entries; ++e) {
        std::uint8_t* entry = table + e * EntrySize;
        for (int t = 1; t <= TimesPerMode; ++t)
            if (entry[t] == UnusedByte)
                entry[t] = 0;
        if (AllTimes(entry, 0))
            entry[0] = UnusedByte;
    }
}

} // namespace MotorTable
