#include "model/Programarea.h"

#include "language/Language.h"
#include "language/Messages.h"
#include "model/Diagnosticlist.h"
#include "model/Imagebytes.h"
#include "model/Labels.h"
#include "model/Nodedata.h"

#include <algorithm>

namespace ProgramArea {

namespace {

const C_Configuration::S_Cycle* FindCycle(const std::vector<C_Configuration::S_Cycle>& cycles, int category, int number)
{
    for (const C_Configuration::S_Cycle& cycle : cycles)
        if (cycle.Category() == category && cycle.m_Number == number)
            return &cycle;
    return nullptr;
}

// Writes one program into its record; false, with the reason under its line, when it cannot be.
bool WriteProgram(const C_Configuration::S_Program& program, const C_Configuration& value, std::uint8_t* record,
                  int line, C_DiagnosticSink& lines)
{
    record[0] = std::uint8_t(program.m_Number);
    record[1] = 0;
    if (program.m_References.empty()) {
        lines.Add(line, Text(Msg::ProgramWithoutCycles), C_DiagnosticSink::Error);
        return false;
    }
    if (program.m_References.size() > std::size_t(References)) {
        lines.Add(line, TextLine(Msg::TooManyReferences, ProgramLabel(program.m_Number)), C_DiagnosticSink::Error);
        return false;
    }
    for (std::size_t k = 0; k < program.m_References.size(); ++k) {
        const C_Configuration::S_Reference& reference = program.m_References[k];
        const C_Configuration::S_Cycle* cycle =
            reference.m_Linked ? FindCycle(value.m_Cycles, reference.Category(), reference.m_Number) : nullptr;
        if (cycle == nullptr) {
            lines.Add(line, Text(Msg::MissingCycle), C_DiagnosticSink::Error);
            return false;
        }
        record[1] = std::uint8_t(record[1] + cycle->m_Steps->size());
        record[2 + 2 * k] = std::uint8_t(reference.Category());
        record[3 + 2 * k] = std::uint8_t(reference.m_Number);
        lines.Add(line, TextLine(Msg::Cycle, CycleName(reference.m_Kind, reference.m_Number)),
                  C_DiagnosticSink::Information);
    }
    return true;
}

} // namespace

std::vector<C_Configuration::S_Program> Read(const std::uint8_t* area,
                                             const std::vector<C_Configuration::S_Cycle>& cycles,
                                             C_DiagnosticSink& lines)
{
    const int heading = lines.Add(C_DiagnosticSink::Top, Text(Msg::ReadingPrograms), C_DiagnosticSink::Heading);
    std::vector<C_Configuration::S_Program> programs;
    for (int r = 0; r < Records; ++r) {
        const std::uint8_t* record = area + r * RecordSize;
        if (record[0] == UnusedByte)
            continue;
        lines.Add(heading, TextLine(Msg::Program, QString::number(record[0])), C_DiagnosticSink::Information);
        C_Configuration::S_Program& program = programs.emplace_back(C_Configuration::S_Program{record[0], {}});
        for (int p = 0; p < References && record[2 + 2 * p] != UnusedByte; ++p) {
            const int code = record[2 + 2 * p];
            const int number = record[3 + 2 * p];
            // A reference links only to a cycle of its category; a category code out of range links to nothing.
            const bool linked =
                code >= 1 && code <= NodeKind::CategoryCount && FindCycle(cycles, code, number) != nullptr;
            program.m_References.push_back(
                {NodeKind::CycleReferenceWord | NodeKind::CategoryBits(code), number, linked});
        }
    }
    return programs;
}

bool Write(std::uint8_t* area, const C_Configuration& value, C_DiagnosticSink& lines)
{
    const int heading = lines.Add(C_DiagnosticSink::Top, Text(Msg::WritingPrograms), C_DiagnosticSink::Heading);
    if (value.m_Programs.empty()) {
        lines.Add(heading, Text(Msg::NoPrograms), C_DiagnosticSink::Error);
        return false;
    }
    std::fill(area, area + Size, UnusedByte);
    int record = 0;
    for (const C_Configuration::S_Program& program : value.m_Programs) {
        // The area has room for 30 programs, the editor numbers up to 99.
        if (record == Records) {
            lines.Add(heading, Text(Msg::TooManyPrograms), C_DiagnosticSink::Error);
            return false;
        }
        const int line = lines.Add(heading, ProgramLabel(program.m_Number), C_DiagnosticSink::Information);
        if (!WriteProgram(program, value, area + record * RecordSize, line, lines))
            return false;
        ++record;
    }
    return true;
}

} // namespace ProgramArea
