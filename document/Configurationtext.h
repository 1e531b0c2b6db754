#pragma once

#include "document/Jsonreader.h"
#include "model/Configuration.h"
#include "model/Formatdescription.h"

#include <QByteArray>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <vector>

class C_DiagnosticSink;
class C_EEPROMFormat;
class C_JsonWriter;

// The text form of a configuration: a JSON document for people and version
// control, independent of the language file, read back exactly. Steps are
// objects of named fields; the image bytes a Save keeps from the file travel
// along as keptBytes.
namespace ConfigurationText {
constexpr int Version = 1;
// Larger documents are refused before they are parsed.
constexpr qint64 MaximumSize = 4 * 1024 * 1024;
} // namespace ConfigurationText

// A document read and checked against its format, not yet shown anywhere.
struct S_TextConfiguration
{
    std::uint16_t m_FormatCode = 0;
    int m_Outputs = 16;
    // In the order of ServiceParameters(); a value the document leaves out is the
    // new configuration's.
    std::vector<std::optional<int>> m_Service;
    std::vector<C_Configuration::MotorTimes> m_Motors;
    std::vector<C_Configuration::S_Program> m_Programs;
    std::vector<C_Configuration::S_Cycle> m_Cycles;
    std::map<int, std::uint8_t> m_KeptBytes;
};

// A part of a configuration to copy into another, as a text document of its own
// format: programs with the cycles they run, cycles, or loose steps, with a name
// and a description. m_Parts holds no service values and no motor table.
struct S_Fragment
{
    enum class Kind { Programs, Cycles, Steps };

    Kind Holds() const;

    QString m_Name;
    QString m_Description;
    C_Configuration m_Parts;
    C_Configuration::Steps m_Steps;
};

namespace ConfigurationText {
// The clipboard's own name for a fragment; it also travels as plain text.
constexpr const char* FragmentMimeType = "application/x-kw3win-fragment+json";
} // namespace ConfigurationText

// The values a text form takes for a field: a flag, or integers from m_Minimum to
// m_Maximum; m_Unused is the field's not-used mark, which a document leaves out.
struct S_TextRange
{
    std::int64_t m_Minimum;
    std::int64_t m_Maximum;
    std::optional<std::int64_t> m_Unused;
    bool m_Flag;
};
// A service value of the format, or none for a parameter the format lacks.
std::optional<S_TextRange> ServiceTextRange(const S_FormatDescription& description, ServiceParameter parameter);
S_TextRange StepTextRange(const S_StepRow& row);

// The text of a configuration of the format, in any state: also one that fails the checks.
QByteArray ConfigurationTextOf(const C_EEPROMFormat& format, const C_Configuration& value);
// The document of a value and the image bytes its Save keeps (C_EEPROMFormat::KeptBytes),
// as the next value of the writer; it needs neither the panes nor the format.
void WriteConfigurationText(C_JsonWriter& json, const C_Configuration& value, const std::map<int, std::uint8_t>& kept);

// Reads a document strictly: an unknown or missing key, a key twice, a wrong
// type, a value no field can hold refuse it, naming where and why.
std::optional<S_TextConfiguration> ReadConfigurationText(const QByteArray& text, S_JsonError& error);
// The same for a document already parsed, or a part of one.
std::optional<S_TextConfiguration> ReadConfigurationText(const S_JsonValue& document, S_JsonError& error);

// A fragment's document, and a document read as one: the same schema, with a name,
// a description and loose steps, and neither service values, motors nor kept bytes.
QByteArray FragmentText(const S_Fragment& fragment);
std::optional<S_Fragment> ReadFragmentText(const QByteArray& text, S_JsonError& error);

// The configuration a document describes and the image its Save starts from (a
// new image with the document's kept bytes and counters); the lines are those of
// reading a new configuration of its format.
C_Configuration TextValue(const S_TextConfiguration& document, MemoryImage& image, C_DiagnosticSink& lines);

// The document's format holding the configuration it describes, as a window
// opens it; the lines are those of TextValue.
std::unique_ptr<C_EEPROMFormat> TextFormat(const S_TextConfiguration& document, C_Configuration& value,
                                           C_DiagnosticSink& lines);
