#pragma once

#include "model/Configuration.h"

#include <QString>

#include <cstddef>
#include <vector>

class C_JsonWriter;

// A configuration's values as kw3tool's dump names and writes them; dump and
// the comparison of two configurations share them, so a difference shows a
// value the way dump shows it.

// A value as dump writes it: a number, or a flag written true or false.
struct S_DumpValue
{
    int m_Number;
    bool m_IsFlag;

    QString Text() const;
    bool operator==(const S_DumpValue& other) const = default;
};

S_DumpValue ServiceValue(ServiceParameter parameter, const C_Configuration& configuration);

// Which service values a writer names: every one (dump), or only those the
// format keeps (the text form, whose values must reach the file).
enum class ServiceScope { Every, KeptByFormat };
// How a motor time not set is written: 255 (dump) or null (the text form).
enum class UnsetTime { AsNumber, AsNull };

// The service block as an object of key: value, a flag written true or false.
void WriteServiceBlock(C_JsonWriter& json, const C_Configuration& value, ServiceScope scope);
// The motor table as one array of three times per mode.
void WriteMotorTable(C_JsonWriter& json, const C_Configuration& value, UnsetTime unset);

// The keys of a program's cycle reference.
namespace ReferenceKey {
constexpr const char* Category = "category";
constexpr const char* Number = "number";
constexpr const char* Linked = "linked";
} // namespace ReferenceKey

// The programs as an array of {number, cycles: [{category, number}]}, the
// references one to a line; withLinks adds whether each finds its cycle (dump).
void WriteProgramList(C_JsonWriter& json, const C_Configuration& value, bool withLinks = false);

// A program's cycle list on one line, as dump writes a list of compact objects.
QString CycleReferencesText(const std::vector<C_Configuration::S_Reference>& references);
// A step's first rows values, and a cycle's steps, on one line as dump writes them.
QString StepText(const C_Configuration::StepValues& step, std::size_t rows);
QString StepsText(const C_Configuration::Steps& steps, std::size_t rows);
