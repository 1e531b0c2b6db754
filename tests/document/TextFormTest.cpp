// The text form's reader: what it refuses and how it says where, and what a
// document may leave out.
#include "document/Configurationfile.h"
#include "document/Configurationtext.h"
#include "editor/Treenodes.h"
#include "model/Eepromformat.h"
#include "support/Formatfixture.h"

#include <QFile>

#include <gtest/gtest.h>

#include <set>

namespace {

const QByteArray Valid = R"({
  "kw3winConfiguration": 1,
  "format": "standard",
  "outputs": 16,
  "programs": [
    {"number": 1, "cycles": [{"category": 2, "number": 7}, {"category": 3, "number": 9}]}
  ],
  "cycles": [
    {"category": 2, "number": 7, "steps": [{"output5": true, "level": 60, "timeLimit": 300}]}
  ]
})";

QByteArray Replaced(const char* from, const QByteArray& to)
{
    QByteArray text = Valid;
    EXPECT_TRUE(text.contains(from)) << from;
    return text.replace(from, to);
}

class TextFormTest : public FormatFixture
{
};

} // namespace

TEST_F(TextFormTest, RefusalsNameTheLineColumnValueAndReason)
{
    struct Case
    {
        const char* name;
        QByteArray text;
        const char* expected;
    };
    const Case cases[] = {
        {"unknown key", Replaced("\"outputs\": 16", "\"outputs\": 16, \"colour\": 1"), "4:18: colour: unknown key"},
        {"key twice", Replaced("\"outputs\": 16", "\"outputs\": 16,\n  \"outputs\": 16"),
         "5:3: outputs: the key appears twice"},
        {"wrong type", Replaced("\"outputs\": 16", "\"outputs\": \"16\""), "4:14: outputs: an integer was expected"},
        {"fraction", Replaced("\"level\": 60", "\"level\": 60.5"),
         "cycles[0].steps[0].level: a number with a fraction"},
        {"exponent", Replaced("\"level\": 60", "\"level\": 6e1"), "cycles[0].steps[0].level: a number with a fraction"},
        {"out of range", Replaced("\"level\": 60", "\"level\": 300"),
         "9:71: cycles[0].steps[0].level: 300 is outside 0 to 254"},
        {"not-used mark", Replaced("\"level\": 60", "\"level\": 255"), "level: 255 is no level; leave the key out"},
        {"speed not used", Replaced("\"standard\"", "\"inverter\"").replace("\"level\": 60", "\"speed\": 255"),
         "speed: 255 is no speed"},
        {"motor time not used", Replaced("\"outputs\": 16", "\"outputs\": 16, \"motors\": [[1, 255, 1]]"),
         "motors[0][1]: 255 is no time; write null"},
        {"control's range",
         Replaced("\"outputs\": 16", "\"outputs\": 16, \"service\": {\"temperatureHysteresis\": 200}"),
         "service.temperatureHysteresis: 200 is outside 1 to 10"},
        {"no such list entry", Replaced("\"outputs\": 16", "\"outputs\": 16, \"service\": {\"language\": 99}"),
         "service.language: 99 is outside -1 to 4"},
        {"counter's storage", Replaced("\"outputs\": 16", "\"outputs\": 16, \"service\": {\"totalWashes\": 70000}"),
         "service.totalWashes: 70000 is outside 0 to 65535"},
        {"a value the format does not keep",
         Replaced("\"outputs\": 16", "\"outputs\": 16, \"service\": {\"maximumSpeed\": 9}"),
         "service.maximumSpeed: a standard configuration has no maximumSpeed"},
        {"program twice", Replaced("\n  ],\n  \"cycles\"", ",\n    {\"number\": 1}\n  ],\n  \"cycles\""),
         "7:16: programs[1].number: program 1 is given twice (first at line 6)"},
        {"cycle twice", Replaced("}]}\n  ]\n}", "}]},\n    {\"category\": 2, \"number\": 7}\n  ]\n}"),
         "10:5: cycles[1]: cycle 2/7 is given twice (first at line 9)"},
        {"program number", Replaced("{\"number\": 1,", "{\"number\": 100,"),
         "programs[0].number: 100 is outside 1 to 99"},
        {"kept byte of a field", Replaced("\"outputs\": 16", "\"outputs\": 16, \"keptBytes\": {\"7485\": 7}"),
         "keptBytes.\"7485\": byte 7485 is temperatureHysteresis; set it there"},
        {"kept byte of a step", Replaced("\"outputs\": 16", "\"outputs\": 16, \"keptBytes\": {\"15\": 7}"),
         "keptBytes.\"15\": byte 15 is cycles; set it there"},
        {"byte-order mark", "\xEF\xBB\xBF" + Valid, "1:1: a byte-order mark"},
        {"trailing comma", Replaced("\"outputs\": 16", "\"outputs\": 16,\n}"), "a comma before '}'"},
        {"lone surrogate", Replaced("\"standard\"", "\"\\ud800\""), "format: a lone surrogate"},
        {"leading zero", Replaced("\"outputs\": 16", "\"outputs\": 016"), "a number may not start with 0"},
        {"64-bit boundary", Replaced("\"level\": 60", "\"level\": -9223372036854775809"), "the number is too large"},
        {"too many members", "[" + QByteArray(",0").repeated(9000).mid(1) + "]", "1:16386: more than 8192 members"},
        {"field the format lacks", Replaced("\"level\": 60", "\"speed\": 60"),
         "cycles[0].steps[0].speed: a standard configuration with 16 outputs has no such field"},
        {"output of 24 in 16", Replaced("\"output5\"", "\"output20\""), "output20: a standard configuration with 16"},
        {"version", Replaced("\"kw3winConfiguration\": 1", "\"kw3winConfiguration\": 2"),
         "kw3winConfiguration: version 2 is not known"},
        {"format", Replaced("\"standard\"", "\"washer\""), "format: unknown format washer"},
        {"outputs", Replaced("\"outputs\": 16", "\"outputs\": 20"), "outputs: 16 or 24 outputs"},
        {"missing key", Replaced("\"format\": \"standard\",", ""), "1:1: the key format is missing"},
        {"category", Replaced("\"category\": 2, \"number\": 7, \"steps\"", "\"category\": 6, \"number\": 7, \"steps\""),
         "cycles[0].category: 6 is outside 1 to 5"},
        {"kept offset", Replaced("\"outputs\": 16", "\"outputs\": 16, \"keptBytes\": {\"9000\": 1}"),
         "keptBytes.\"9000\": an offset from 0 to 8181"},
        {"kept outputs byte", Replaced("\"outputs\": 16", "\"outputs\": 16, \"keptBytes\": {\"7509\": 24}"),
         "keptBytes.\"7509\": the outputs byte says other outputs"},
        {"huge number", Replaced("\"level\": 60", "\"level\": 99999999999999999999"), "the number is too large"},
        {"deep nesting", QByteArray(100, '[') + QByteArray(100, ']'), "nested deeper than 64 levels"},
        {"invalid UTF-8",
         Replaced("\"standard\"", "\"stan\xff"
                                  "dard\""),
         "3:18: format: the text is not UTF-8"},
        {"NUL byte", Replaced("\"standard\"", QByteArray("\"stan\0dard\"", 11)), "format: a NUL byte"},
        {"escaped NUL", Replaced("\"standard\"", "\"stan\\u0000dard\""), "format: a NUL character"},
        {"text after the end", Valid + "}", "text after the end of the document"},
        {"too large", QByteArray(ConfigurationText::MaximumSize + 1, ' '), "larger than 4194304 bytes"},
    };
    for (const Case& c : cases) {
        S_JsonError error;
        EXPECT_FALSE(ReadConfigurationText(c.text, error)) << c.name;
        EXPECT_TRUE(error.Line(QStringLiteral("in.json")).contains(QString::fromUtf8(c.expected)))
            << c.name << ": " << error.Line(QStringLiteral("in.json")).toStdString();
    }
}

TEST_F(TextFormTest, WhatADocumentLeavesOutIsNewAndAMissingCycleStaysUnlinked)
{
    S_JsonError error;
    const std::optional<S_TextConfiguration> read = ReadConfigurationText(Valid, error);
    ASSERT_TRUE(read) << error.Line(QStringLiteral("in.json")).toStdString();
    LoadText(*read);

    const C_Configuration::StepValues& step = StepOf(2, 7, 0);
    EXPECT_EQ(step[size_t(Row(224))], 15555) << "a time left out is not used";
    EXPECT_EQ(step[size_t(Row(225))], 300);
    EXPECT_EQ(m_Format->FreeSteps(), 399);
    QTreeWidgetItem* program = m_Panes->m_ProgramsTree->topLevelItem(0);
    ASSERT_EQ(program->childCount(), 2);
    EXPECT_NE(NodeData(program->child(0))->m_Link, nullptr);
    EXPECT_EQ(NodeData(program->child(1))->m_Link, nullptr) << "rinse 9 does not exist";
    EXPECT_TRUE(Save().isEmpty());
    EXPECT_TRUE(Errors().join(QLatin1Char('\n')).contains(QStringLiteral("<176>")));
}

// Every service value reaches the file: the counters, which the panel does not
// store, and the Varnholt's locked maintenance request beyond what its panel shows.
TEST_F(TextFormTest, EveryServiceValueReachesTheFile)
{
    const std::tuple<const char*, const char*, int, int> cases[] = {
        {"standard", "\"totalWashes\": 1234, \"workingHours\": 77", 7496, 1234},
        {"standard", "\"workingHours\": 65535", 7502, 65535},
        {"varnholt", "\"maintenanceRequest\": 20000", 7400, 20000},
    };
    for (const auto& [format, service, offset, expected] : cases) {
        S_JsonError error;
        LoadText(*ReadConfigurationText(Replaced("\"outputs\": 16",
                                                 "\"outputs\": 16, \"service\": {" + QByteArray(service) + "}")
                                            .replace("standard", format)
                                            .replace(", {\"category\": 3, \"number\": 9}", ""),
                                        error));
        const QByteArray saved = Save();
        ASSERT_EQ(saved.size(), m_Format->Image().size() + 2) << service;
        EXPECT_EQ(std::uint8_t(saved[2 + offset]) | std::uint8_t(saved[3 + offset]) << 8, expected) << service;
    }
}

// The README's example reads, shows and saves, and its refusal line is the reader's;
// the installed schema names exactly the keys the formats' tables have.
TEST_F(TextFormTest, TheReadmeAndTheSchemaSayWhatTheReaderDoes)
{
    QFile readme(SourceFile(QStringLiteral("README.md")));
    ASSERT_TRUE(readme.open(QIODevice::ReadOnly));
    const QByteArray text = readme.readAll();
    const qsizetype section = text.indexOf("## Configurations as text");
    const qsizetype start = text.indexOf("```json\n", section) + 8;
    const QByteArray example = text.mid(start, text.indexOf("```", start) - start);
    S_JsonError error;
    const std::optional<S_TextConfiguration> read = ReadConfigurationText(example, error);
    ASSERT_TRUE(read) << error.Line(QStringLiteral("README.md")).toStdString();
    LoadText(*read);
    EXPECT_FALSE(Save().isEmpty()) << Errors().join(QLatin1Char('\n')).toStdString();
    EXPECT_FALSE(
        ReadConfigurationText(QByteArray(example).replace("\"temperature\": 40", "\"temperature\": 300"), error));
    EXPECT_TRUE(text.contains("    " + error.Line(QStringLiteral("machine.json")).toUtf8() + "\n"))
        << error.Line(QStringLiteral("machine.json")).toStdString();

    QFile schemaFile(SourceFile(QStringLiteral("resources/configuration.schema.json")));
    ASSERT_TRUE(schemaFile.open(QIODevice::ReadOnly));
    const std::optional<S_JsonValue> schema = C_JsonReader::Parse(schemaFile.readAll(), error);
    ASSERT_TRUE(schema) << error.Line(QStringLiteral("schema")).toStdString();
    const auto names = [](const S_JsonValue* object) {
        std::set<QString> keys;
        for (const auto& member : object->m_Members)
            keys.insert(member.m_Key);
        return keys;
    };
    const S_JsonValue& properties = *schema->Member(QStringLiteral("properties"));
    const S_JsonValue* stepProperties = properties.Member(QStringLiteral("cycles"))
                                            ->Member(QStringLiteral("items"))
                                            ->Member(QStringLiteral("properties"))
                                            ->Member(QStringLiteral("steps"))
                                            ->Member(QStringLiteral("items"))
                                            ->Member(QStringLiteral("properties"));
    std::set<QString> stepKeys;
    for (const std::uint16_t code : {FormatCode::Standard, FormatCode::Inverter, FormatCode::Varnholt})
        for (const S_StepRow& row : C_EEPROMFormat::RowLayoutOf(*C_EEPROMFormat::DescriptionOf(code), 24))
            if (*row.m_Key != '\0')
                stepKeys.insert(QLatin1String(row.m_Key));
    EXPECT_EQ(names(stepProperties), stepKeys);
    std::set<QString> serviceKeys;
    for (const S_ServiceParameter& parameter : ServiceParameters())
        serviceKeys.insert(QLatin1String(parameter.m_Key));
    const S_JsonValue* serviceProperties =
        properties.Member(QStringLiteral("service"))->Member(QStringLiteral("properties"));
    EXPECT_EQ(names(serviceProperties), serviceKeys);

    // Range by range, as the reader takes each value in each format.
    const auto at = [](const S_JsonValue* value, std::initializer_list<const char*> keys) {
        for (const char* key : keys)
            value = value != nullptr ? value->Member(QLatin1String(key)) : nullptr;
        return value;
    };
    const auto expectRange = [&](const S_JsonValue* given, const std::optional<S_TextRange>& range, const char* what) {
        ASSERT_EQ(given == nullptr || given->m_Type == S_JsonValue::Type::Boolean, !range) << what;
        using Range = std::pair<std::int64_t, std::int64_t>;
        if (range) {
            const Range shown = range->m_Flag
                                    ? Range{0, 1}
                                    : Range{at(given, {"minimum"})->m_Integer, at(given, {"maximum"})->m_Integer};
            EXPECT_EQ(shown, Range(range->m_Minimum, range->m_Maximum)) << what;
        }
    };
    for (const std::uint16_t code : {FormatCode::Standard, FormatCode::Inverter, FormatCode::Varnholt}) {
        const S_FormatDescription& description = *C_EEPROMFormat::DescriptionOf(code);
        const S_JsonValue* overrides = nullptr;
        for (const S_JsonValue& rule : schema->Member(QStringLiteral("allOf"))->m_Elements)
            if (at(&rule, {"if", "properties", "format", "const"})->m_String == FormatNameOfCode(code))
                overrides = at(&rule, {"then", "properties", "service", "properties"});
        for (const S_ServiceParameter& parameter : ServiceParameters()) {
            const S_JsonValue* given = at(overrides, {parameter.m_Key});
            expectRange(given != nullptr ? given : at(serviceProperties, {parameter.m_Key}),
                        ServiceTextRange(description, parameter.m_Parameter), parameter.m_Key);
        }
        for (const S_StepRow& row : C_EEPROMFormat::RowLayoutOf(description, 24))
            if (*row.m_Key != '\0')
                expectRange(at(stepProperties, {row.m_Key}), StepTextRange(row), row.m_Key);
    }
}

TEST_F(TextFormTest, AHugeFileIsRefusedBeforeItIsRead)
{
    QFile huge(m_Folder.Path(QStringLiteral("huge.json")));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(100 * 1024 * 1024));
    huge.close();
    EXPECT_TRUE(C_ConfigurationFile(huge.fileName()).Refusal().endsWith(QStringLiteral("larger than 4194304 bytes")));
}
