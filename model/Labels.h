#pragma once

#include <QString>

#include <cstdint>

class C_NodeData;

// The names the windows, printouts and kw3tool give programs, cycles, formats
// and step times, in the language of the texts.

QString NodeLabel(const C_NodeData& data);
// The labels of the trees: "Program 3", a category root "Wash ", a cycle as a
// program runs it "Wash 2", and as its category lists it "Wash 2 (12 steps)".
QString ProgramLabel(std::int32_t number);
QString CategoryLabel(std::uint32_t kind);
QString CycleName(std::uint32_t kind, std::int32_t number);
QString CycleLabel(std::uint32_t kind, std::int32_t number, int steps);
QString CycleCategoryName(std::uint32_t categoryBits);
QString FormatStepTime(std::uint32_t seconds);
// A diagnostic line: the text of the id, a space and what it is about.
QString TextLine(std::int16_t id, const QString& about);
// A format as the format dialog names it, alone and with its number of outputs ("Standard, 24 outputs").
QString FormatName(std::uint16_t code);
QString FormatWithOutputs(std::uint16_t code, int outputs);
