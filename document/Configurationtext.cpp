#include "document/Configurationtext.h"

#include "document/Configurationvalues.h"
#include "document/Jsonwriter.h"
#include "model/Eepromformat.h"
#include "model/Imagecodec.h"
#include "model/Imagefields.h"
#include "model/Motortable.h"
#include "model/Nodedata.h"

#include <algorithm>
#include <initializer_list>

namespace {

using Type = S_JsonValue::Type;

constexpr const char* VersionKey = "kw3winConfiguration";
constexpr int MaximumPrograms = 256;
constexpr int MaximumReferences = 256;
// Program numbers as the editor gives them; 255 marks an unused program record.
constexpr int FirstProgram = 1;
constexpr int LastProgram = 99;
// 255 minutes and 255 seconds is the time not used.
constexpr int LargestTime = 255 * 60 + 255 - 1;
// The image marks a speed not used as 65535.
constexpr int LargestSpeed = 0xFFFF - 1;

void WriteStep(C_JsonWriter& json, const C_Configuration::StepValues& step, const std::vector<S_StepRow>& rows)
{
    json.BeginObject();
    for (size_t r = 0; r < rows.size(); ++r) {
        const S_StepRow& row = rows[r];
        if (*row.m_Key == '\0' || step[r] == row.m_DisabledValue)
            continue;
        json.Key(row.m_Key);
        if (row.m_Place == RecordPlace::Bit)
            json.Value(true);
        else
            json.Value(int(step[r]));
    }
    json.EndObject();
}

void WriteSteps(C_JsonWriter& json, const C_Configuration::Steps& steps, const std::vector<S_StepRow>& rows)
{
    json.BeginArray();
    for (const C_Configuration::StepValues& step : steps)
        WriteStep(json, step, rows);
    json.EndArray();
}

void WriteCycles(C_JsonWriter& json, const C_Configuration& value, const std::vector<S_StepRow>& rows)
{
    json.BeginArray();
    for (const C_Configuration::S_Cycle& cycle : value.m_Cycles) {
        json.BeginObject();
        json.Key("category");
        json.Value(cycle.Category());
        json.Key("number");
        json.Value(cycle.m_Number);
        json.Key("steps");
        WriteSteps(json, *cycle.m_Steps, rows);
        json.EndObject();
    }
    json.EndArray();
}

// A reference links to a cycle the document has, as one read from an image.
void LinkReferences(C_Configuration& value)
{
    for (C_Configuration::S_Program& program : value.m_Programs)
        for (C_Configuration::S_Reference& reference : program.m_References)
            reference.m_Linked = std::any_of(value.m_Cycles.begin(), value.m_Cycles.end(), [&](const auto& cycle) {
                return reference.Category() != 0 && cycle.Category() == reference.Category() &&
                       cycle.m_Number == reference.m_Number;
            });
}

} // namespace

std::optional<S_TextRange> ServiceTextRange(const S_FormatDescription& description, ServiceParameter parameter)
{
    const S_ServiceField* field = FindServiceField(description.m_Service, parameter);
    if (field == nullptr)
        return std::nullopt;
    const S_ServiceParameter& row = ServiceParameterOf(parameter);
    if (row.m_Display == ServiceDisplay::Flag)
        return S_TextRange{0, 1, std::nullopt, true};
    // The panel's control decides what it can hold; a value the panel does not
    // store is the image's, to the last bit of its storage.
    if (!field->m_Stored)
        return S_TextRange{0, row.m_Storage == ServiceStorage::Byte ? 255 : 65535, std::nullopt, false};
    return S_TextRange{row.m_Minimum, row.m_Maximum, std::nullopt, false};
}

S_TextRange StepTextRange(const S_StepRow& row)
{
    switch (row.m_Place) {
    case RecordPlace::Bit: return {0, 1, std::nullopt, true};
    case RecordPlace::Time: return {0, LargestTime, row.m_DisabledValue, false};
    case RecordPlace::Speed: return {0, LargestSpeed, row.m_DisabledValue, false};
    case RecordPlace::Byte:
    case RecordPlace::None: break;
    }
    return {0, 254, row.m_DisabledValue, false};
}

namespace {

QString Child(const QString& path, const char* key)
{
    return path.isEmpty() ? QLatin1String(key) : path + QLatin1Char('.') + QLatin1String(key);
}

QString Element(const QString& path, size_t index)
{
    return path + QStringLiteral("[%1]").arg(index);
}

// Reads a parsed document against the tables of its format.
class C_TextReader
{
public:
    explicit C_TextReader(S_JsonError& error)
        : m_Error(error)
    {
    }

    std::optional<S_TextConfiguration> Read(const S_JsonValue& document)
    {
        S_TextConfiguration text;
        if (!Keys(document, {},
                  {VersionKey, "format", "outputs", "service", "motors", "programs", "cycles", "keptBytes"},
                  {VersionKey, "format", "outputs"}) ||
            !Head(document, text))
            return std::nullopt;
        text.m_Service.assign(ServiceParameters().size(), std::nullopt);
        text.m_Motors.assign(size_t(MotorTable::Modes), {MotorTable::Unset, MotorTable::Unset, MotorTable::Unset});
        const auto part = [&document](const char* key) { return document.Member(QLatin1String(key)); };
        if (const S_JsonValue* service = part("service"); service != nullptr && !Service(*service, text))
            return std::nullopt;
        if (const S_JsonValue* motors = part("motors"); motors != nullptr && !Motors(*motors, text))
            return std::nullopt;
        if (const S_JsonValue* programs = part("programs"); programs != nullptr && !Programs(*programs, text))
            return std::nullopt;
        if (const S_JsonValue* cycles = part("cycles"); cycles != nullptr && !Cycles(*cycles, text))
            return std::nullopt;
        if (const S_JsonValue* kept = part("keptBytes"); kept != nullptr && !Kept(*kept, text))
            return std::nullopt;
        return text;
    }

    std::optional<S_Fragment> ReadFragment(const S_JsonValue& document)
    {
        S_TextConfiguration text;
        if (!Keys(document, {}, {VersionKey, "format", "outputs", "name", "description", "programs", "cycles", "steps"},
                  {VersionKey, "format", "outputs"}) ||
            !Head(document, text))
            return std::nullopt;
        S_Fragment fragment;
        const auto part = [&document](const char* key) { return document.Member(QLatin1String(key)); };
        if (const S_JsonValue* name = part("name"); name != nullptr && !Text(*name, "name", fragment.m_Name))
            return std::nullopt;
        if (const S_JsonValue* about = part("description");
            about != nullptr && !Text(*about, "description", fragment.m_Description))
            return std::nullopt;
        if (const S_JsonValue* programs = part("programs"); programs != nullptr && !Programs(*programs, text))
            return std::nullopt;
        if (const S_JsonValue* cycles = part("cycles"); cycles != nullptr && !Cycles(*cycles, text))
            return std::nullopt;
        if (const S_JsonValue* steps = part("steps"); steps != nullptr) {
            if (!text.m_Programs.empty() || !text.m_Cycles.empty())
                return Failed(*steps, QStringLiteral("steps"),
                              QStringLiteral("loose steps stand alone: a fragment holds programs and cycles, or steps"));
            if (!Elements(*steps, QStringLiteral("steps"), std::size_t(m_StepRecords)))
                return std::nullopt;
            for (size_t s = 0; s < steps->m_Elements.size(); ++s)
                if (!Step(steps->m_Elements[s], Element(QStringLiteral("steps"), s), fragment.m_Steps.emplace_back()))
                    return std::nullopt;
        }
        if (text.m_Programs.empty() && text.m_Cycles.empty() && fragment.m_Steps.empty())
            return Failed(document, QString(), QStringLiteral("the fragment holds no program, cycle or step"));
        fragment.m_Parts.m_FormatCode = text.m_FormatCode;
        fragment.m_Parts.m_Outputs = text.m_Outputs;
        fragment.m_Parts.m_Programs = std::move(text.m_Programs);
        fragment.m_Parts.m_Cycles = std::move(text.m_Cycles);
        LinkReferences(fragment.m_Parts);
        return fragment;
    }

private:
    bool Fail(const S_JsonValue& at, const QString& path, const QString& reason)
    {
        m_Error = {at.m_Line, at.m_Column, path, reason};
        return false;
    }

    std::nullopt_t Failed(const S_JsonValue& at, const QString& path, const QString& reason)
    {
        Fail(at, path, reason);
        return std::nullopt;
    }

    // A name or a description: a string of a line's length, or a page's.
    bool Text(const S_JsonValue& value, const char* key, QString& text)
    {
        const qsizetype most = QLatin1String(key) == QLatin1String("name") ? 200 : 4000;
        if (!Is(value, Type::String, QLatin1String(key)))
            return false;
        if (value.m_String.size() > most)
            return Fail(value, QLatin1String(key), QStringLiteral("longer than %1 characters").arg(most));
        text = value.m_String;
        return true;
    }

    // A key no table knows: the place is the key's.
    bool FailKey(const S_JsonValue& member, const QString& path, const QString& reason = QStringLiteral("unknown key"))
    {
        m_Error = {member.m_KeyLine, member.m_KeyColumn, path, reason};
        return false;
    }

    bool Is(const S_JsonValue& value, Type type, const QString& path)
    {
        if (value.m_Type == type)
            return true;
        static const char* const names[] = {"null", "true or false", "an integer", "a string", "an array", "an object"};
        return Fail(value, path, QStringLiteral("%1 was expected").arg(QLatin1String(names[int(type)])));
    }

    bool Integer(const S_JsonValue& value, const QString& path, std::int64_t min, std::int64_t max, int& out)
    {
        if (!Is(value, Type::Integer, path))
            return false;
        if (value.m_Integer < min || value.m_Integer > max)
            return Fail(value, path, QStringLiteral("%1 is outside %2 to %3").arg(value.m_Integer).arg(min).arg(max));
        out = int(value.m_Integer);
        return true;
    }

    // A number that is a field's not-used mark: the document leaves such a field out.
    bool NotUnused(const S_JsonValue& value, const QString& path, std::int64_t unused, const QString& reason)
    {
        if (value.m_Type == Type::Integer && value.m_Integer == unused)
            return Fail(value, path, reason);
        return true;
    }

    bool InRange(const S_JsonValue& value, const QString& path, const S_TextRange& range, const QString& name, int& out)
    {
        if (range.m_Unused &&
            !NotUnused(
                value, path, *range.m_Unused,
                QStringLiteral("%1 is no %2; leave the key out for a field not used").arg(*range.m_Unused).arg(name)))
            return false;
        return Integer(value, path, range.m_Minimum, range.m_Maximum, out);
    }

    // The first of an identity; a second names where the first stands.
    bool Once(std::map<int, int>& lines, int identity, const S_JsonValue& at, const QString& path, const QString& what)
    {
        const auto [first, added] = lines.emplace(identity, at.m_Line);
        if (added)
            return true;
        return Fail(at, path, QStringLiteral("%1 is given twice (first at line %2)").arg(what).arg(first->second));
    }

    bool Elements(const S_JsonValue& value, const QString& path, size_t most)
    {
        if (!Is(value, Type::Array, path))
            return false;
        if (value.m_Elements.size() > most)
            return Fail(value, path, QStringLiteral("more than %1 entries").arg(most));
        return true;
    }

    // An object whose keys are all allowed and hold every required one.
    bool Keys(const S_JsonValue& object, const QString& path, std::initializer_list<const char*> allowed,
              std::initializer_list<const char*> required)
    {
        if (!Is(object, Type::Object, path))
            return false;
        for (const auto& [key, value] : object.m_Members) {
            bool known = false;
            for (const char* name : allowed)
                known = known || key == QLatin1String(name);
            if (!known)
                return FailKey(value, path.isEmpty() ? key : path + QLatin1Char('.') + key);
        }
        for (const char* name : required)
            if (object.Member(QLatin1String(name)) == nullptr)
                return Fail(object, path, QStringLiteral("the key %1 is missing").arg(QLatin1String(name)));
        return true;
    }

    bool Head(const S_JsonValue& document, S_TextConfiguration& text)
    {
        int version = 0;
        if (!Integer(*document.Member(QLatin1String(VersionKey)), QLatin1String(VersionKey), 0, 1 << 30, version))
            return false;
        if (version != ConfigurationText::Version)
            return Fail(*document.Member(QLatin1String(VersionKey)), QLatin1String(VersionKey),
                        QStringLiteral("version %1 is not known (this Kw3Win reads version %2)")
                            .arg(version)
                            .arg(ConfigurationText::Version));
        const S_JsonValue& format = *document.Member(QStringLiteral("format"));
        if (!Is(format, Type::String, QStringLiteral("format")))
            return false;
        const std::optional<std::uint16_t> code = FormatCodeOfName(format.m_String);
        if (!code)
            return Fail(format, QStringLiteral("format"),
                        QStringLiteral("unknown format %1: standard, inverter or varnholt").arg(format.m_String));
        text.m_FormatCode = *code;
        const S_JsonValue& outputs = *document.Member(QStringLiteral("outputs"));
        if (!Integer(outputs, QStringLiteral("outputs"), 0, 1 << 30, text.m_Outputs))
            return false;
        if (text.m_Outputs != 16 && text.m_Outputs != 24)
            return Fail(outputs, QStringLiteral("outputs"), QStringLiteral("16 or 24 outputs"));
        const S_FormatDescription& description = *C_EEPROMFormat::DescriptionOf(text.m_FormatCode);
        m_Description = &description;
        m_Rows = C_EEPROMFormat::RowLayoutOf(description, text.m_Outputs);
        m_Format = FormatNameOfCode(text.m_FormatCode);
        m_Outputs = text.m_Outputs;
        m_StepRecords = description.m_Layout.m_StepRecords;
        m_ImageSize = description.m_Layout.m_ImageSize;
        m_OutputsByte = description.m_Layout.m_OutputsByte;
        return true;
    }

    bool Service(const S_JsonValue& service, S_TextConfiguration& text)
    {
        const QString path = QStringLiteral("service");
        if (!Is(service, Type::Object, path))
            return false;
        const std::vector<S_ServiceParameter>& parameters = ServiceParameters();
        for (const auto& [key, value] : service.m_Members) {
            const QString at = path + QLatin1Char('.') + key;
            size_t i = 0;
            while (i < parameters.size() && key != QLatin1String(parameters[i].m_Key))
                ++i;
            if (i == parameters.size())
                return FailKey(value, at);
            const S_ServiceParameter& parameter = parameters[i];
            const S_ServiceField* field = FindServiceField(m_Description->m_Service, parameter.m_Parameter);
            if (field == nullptr)
                return FailKey(value, at, QStringLiteral("a %1 configuration has no %2").arg(m_Format, key));
            const S_TextRange range = *ServiceTextRange(*m_Description, parameter.m_Parameter);
            int number = 0;
            if (range.m_Flag) {
                if (!Is(value, Type::Boolean, at))
                    return false;
                number = value.m_Boolean ? 1 : 0;
            } else if (!Integer(value, at, range.m_Minimum, range.m_Maximum, number)) {
                return false;
            }
            text.m_Service[i] = number;
        }
        return true;
    }

    bool Motors(const S_JsonValue& motors, S_TextConfiguration& text)
    {
        const QString path = QStringLiteral("motors");
        if (!Elements(motors, path, size_t(MotorTable::Modes)))
            return false;
        for (size_t m = 0; m < motors.m_Elements.size(); ++m) {
            const S_JsonValue& times = motors.m_Elements[m];
            const QString at = Element(path, m);
            if (!Is(times, Type::Array, at))
                return false;
            if (times.m_Elements.size() != text.m_Motors[m].size())
                return Fail(times, at, QStringLiteral("three times were expected"));
            for (size_t t = 0; t < times.m_Elements.size(); ++t) {
                const S_JsonValue& time = times.m_Elements[t];
                if (time.m_Type == Type::Null)
                    continue;
                if (!NotUnused(time, Element(at, t), MotorTable::Unset,
                               QStringLiteral("255 is no time; write null for a time not set")) ||
                    !Integer(time, Element(at, t), 0, 254, text.m_Motors[m][t]))
                    return false;
            }
        }
        return true;
    }

    bool Programs(const S_JsonValue& programs, S_TextConfiguration& text)
    {
        const QString path = QStringLiteral("programs");
        if (!Elements(programs, path, MaximumPrograms))
            return false;
        for (size_t p = 0; p < programs.m_Elements.size(); ++p) {
            const S_JsonValue& program = programs.m_Elements[p];
            const QString at = Element(path, p);
            C_Configuration::S_Program& read = text.m_Programs.emplace_back();
            if (!Keys(program, at, {"number", "cycles"}, {"number"}))
                return false;
            const S_JsonValue& numbered = *program.Member(QStringLiteral("number"));
            if (!Integer(numbered, Child(at, "number"), FirstProgram, LastProgram, read.m_Number) ||
                !Once(m_ProgramLines, read.m_Number, numbered, Child(at, "number"),
                      QStringLiteral("program %1").arg(read.m_Number)))
                return false;
            const S_JsonValue* cycles = program.Member(QStringLiteral("cycles"));
            if (cycles == nullptr)
                continue;
            const QString cyclesAt = Child(at, "cycles");
            if (!Elements(*cycles, cyclesAt, MaximumReferences))
                return false;
            for (size_t r = 0; r < cycles->m_Elements.size(); ++r) {
                int category = 0;
                int number = 0;
                if (!Numbered(cycles->m_Elements[r], Element(cyclesAt, r), {"category", "number"}, 0, category, number))
                    return false;
                // Linked when the cycle exists, as a reference read from an image.
                read.m_References.push_back(
                    {NodeKind::CycleReferenceWord | NodeKind::CategoryBits(category), number, true});
            }
        }
        return true;
    }

    // An object with a category and a number.
    bool Numbered(const S_JsonValue& object, const QString& at, std::initializer_list<const char*> allowed,
                  int lowestCategory, int& category, int& number)
    {
        return Keys(object, at, allowed, {"category", "number"}) &&
               Integer(*object.Member(QStringLiteral("category")), Child(at, "category"), lowestCategory,
                       NodeKind::CategoryCount, category) &&
               Integer(*object.Member(QStringLiteral("number")), Child(at, "number"), 0, 255, number);
    }

    bool Cycles(const S_JsonValue& cycles, S_TextConfiguration& text)
    {
        const QString path = QStringLiteral("cycles");
        if (!Is(cycles, Type::Array, path))
            return false;
        int steps = 0;
        for (size_t c = 0; c < cycles.m_Elements.size(); ++c) {
            const S_JsonValue& cycle = cycles.m_Elements[c];
            const QString at = Element(path, c);
            int category = 0;
            int number = 0;
            if (!Numbered(cycle, at, {"category", "number", "steps"}, 1, category, number) ||
                !Once(m_CycleLines, category * 256 + number, cycle, at,
                      QStringLiteral("cycle %1/%2").arg(category).arg(number)))
                return false;
            auto read = std::make_shared<C_Configuration::Steps>();
            if (const S_JsonValue* list = cycle.Member(QStringLiteral("steps")); list != nullptr) {
                const QString stepsAt = Child(at, "steps");
                if (!Elements(*list, stepsAt, std::size_t(m_StepRecords)))
                    return false;
                for (size_t s = 0; s < list->m_Elements.size(); ++s)
                    if (!Step(list->m_Elements[s], Element(stepsAt, s), read->emplace_back()))
                        return false;
                steps += int(list->m_Elements.size());
                m_Steps = steps;
                if (steps > m_StepRecords)
                    return Fail(*list, stepsAt,
                                QStringLiteral("more steps than the format's %1 step records").arg(m_StepRecords));
            }
            text.m_Cycles.push_back({NodeKind::CycleWord | NodeKind::CategoryBits(category), number, read});
        }
        return true;
    }

    bool Step(const S_JsonValue& step, const QString& at, C_Configuration::StepValues& values)
    {
        if (!Is(step, Type::Object, at))
            return false;
        values = {};
        for (size_t r = 0; r < m_Rows.size(); ++r)
            values[r] = m_Rows[r].m_DisabledValue;
        for (const auto& [key, value] : step.m_Members) {
            const QString fieldAt = at + QLatin1Char('.') + key;
            size_t r = 0;
            while (r < m_Rows.size() && (*m_Rows[r].m_Key == '\0' || key != QLatin1String(m_Rows[r].m_Key)))
                ++r;
            if (r == m_Rows.size())
                return FailKey(value, fieldAt,
                               QStringLiteral("a %1 configuration with %2 outputs has no such field")
                                   .arg(m_Format)
                                   .arg(m_Outputs));
            const S_StepRow& row = m_Rows[r];
            const S_TextRange range = StepTextRange(row);
            int number = 0;
            if (range.m_Flag) {
                if (!Is(value, Type::Boolean, fieldAt))
                    return false;
                // On holds the field's bit, as a step read from an image does.
                number = value.m_Boolean ? row.m_Bit : 0;
            } else if (!InRange(value, fieldAt, range, QLatin1String(row.m_Key), number)) {
                return false;
            }
            values[r] = number;
        }
        return true;
    }

    bool Kept(const S_JsonValue& kept, S_TextConfiguration& text)
    {
        const QString path = QStringLiteral("keptBytes");
        if (!Is(kept, Type::Object, path))
            return false;
        const C_ImageFields fields(*m_Description, m_Outputs, m_Steps);
        for (const auto& [key, value] : kept.m_Members) {
            const QString at = path + QStringLiteral(".\"") + key + QLatin1Char('"');
            bool isNumber = false;
            const int offset = key.toInt(&isNumber);
            if (!isNumber || QString::number(offset) != key || offset < 0 || offset >= m_ImageSize)
                return Fail(value, at, QStringLiteral("an offset from 0 to %1 was expected").arg(m_ImageSize - 1));
            if (const QString refusal = fields.Refusal(offset); !refusal.isEmpty())
                return FailKey(value, at, refusal);
            int byte = 0;
            if (!Integer(value, at, 0, 255, byte))
                return false;
            if (offset == m_OutputsByte && (byte == 24 ? 24 : 16) != m_Outputs)
                return Fail(value, at, QStringLiteral("the outputs byte says other outputs than outputs"));
            text.m_KeptBytes[offset] = std::uint8_t(byte);
        }
        return true;
    }

    S_JsonError& m_Error;
    const S_FormatDescription* m_Description = nullptr;
    std::vector<S_StepRow> m_Rows;
    std::map<int, int> m_ProgramLines;
    std::map<int, int> m_CycleLines;
    int m_Steps = 0;
    QString m_Format;
    int m_Outputs = 16;
    int m_StepRecords = 0;
    int m_ImageSize = 0;
    int m_OutputsByte = 0;
};

void WriteHead(C_JsonWriter& json, const C_Configuration& value)
{
    json.Key(VersionKey);
    json.Value(ConfigurationText::Version);
    json.Key("format");
    json.Value(FormatNameOfCode(value.m_FormatCode));
    json.Key("outputs");
    json.Value(value.m_Outputs);
}

std::vector<S_StepRow> RowsOf(const C_Configuration& value)
{
    return C_EEPROMFormat::RowLayoutOf(*C_EEPROMFormat::DescriptionOf(value.m_FormatCode), value.m_Outputs);
}

} // namespace

S_Fragment::Kind S_Fragment::Holds() const
{
    return !m_Parts.m_Programs.empty() ? Kind::Programs : m_Parts.m_Cycles.empty() ? Kind::Steps : Kind::Cycles;
}

QByteArray FragmentText(const S_Fragment& fragment)
{
    C_JsonWriter json;
    json.BeginObject();
    WriteHead(json, fragment.m_Parts);
    json.Key("name");
    json.Value(fragment.m_Name);
    json.Key("description");
    json.Value(fragment.m_Description);
    const std::vector<S_StepRow> rows = RowsOf(fragment.m_Parts);
    if (fragment.Holds() == S_Fragment::Kind::Steps) {
        json.Key("steps");
        WriteSteps(json, fragment.m_Steps, rows);
    } else {
        if (!fragment.m_Parts.m_Programs.empty()) {
            json.Key("programs");
            WriteProgramList(json, fragment.m_Parts);
        }
        json.Key("cycles");
        WriteCycles(json, fragment.m_Parts, rows);
    }
    json.EndObject();
    return json.Text() + '\n';
}

void WriteConfigurationText(C_JsonWriter& json, const C_Configuration& value, const std::map<int, std::uint8_t>& kept)
{
    const std::vector<S_StepRow> rows = RowsOf(value);
    json.BeginObject();
    WriteHead(json, value);
    json.Key("service");
    WriteServiceBlock(json, value, ServiceScope::KeptByFormat);
    json.Key("motors");
    WriteMotorTable(json, value, UnsetTime::AsNull);
    json.Key("programs");
    WriteProgramList(json, value);
    json.Key("cycles");
    WriteCycles(json, value, rows);
    if (!kept.empty()) {
        json.Key("keptBytes");
        json.BeginObject();
        for (const auto& [offset, byte] : kept) {
            json.Key(QString::number(offset));
            json.Value(int(byte));
        }
        json.EndObject();
    }
    json.EndObject();
}

QByteArray ConfigurationTextOf(const C_EEPROMFormat& format, const C_Configuration& value)
{
    C_JsonWriter json;
    WriteConfigurationText(json, value, format.KeptBytes(value.StepCount()));
    return json.Text() + '\n';
}

std::optional<S_TextConfiguration> ReadConfigurationText(const QByteArray& text, S_JsonError& error)
{
    const std::optional<S_JsonValue> document = C_JsonReader::Parse(text, ConfigurationText::MaximumSize, error);
    if (!document)
        return std::nullopt;
    return ReadConfigurationText(*document, error);
}

std::optional<S_TextConfiguration> ReadConfigurationText(const S_JsonValue& document, S_JsonError& error)
{
    return C_TextReader(error).Read(document);
}

std::optional<S_Fragment> ReadFragmentText(const QByteArray& text, S_JsonError& error)
{
    const std::optional<S_JsonValue> document = C_JsonReader::Parse(text, ConfigurationText::MaximumSize, error);
    if (!document)
        return std::nullopt;
    return C_TextReader(error).ReadFragment(*document);
}

C_Configuration TextValue(const S_TextConfiguration& document, MemoryImage& image, C_DiagnosticSink& lines)
{
    const S_FormatDescription& description = *C_EEPROMFormat::DescriptionOf(document.m_FormatCode);
    const C_ImageCodec codec(description);
    // A new configuration first, for the values the document leaves out.
    image = C_EEPROMFormat::NewImage(description, document.m_Outputs);
    C_Configuration value = codec.Decode(image, lines);
    for (size_t i = 0; i < value.m_Service.size() && i < document.m_Service.size(); ++i)
        if (document.m_Service[i])
            value.m_Service[i] = *document.m_Service[i];
    value.m_Motors = document.m_Motors;
    value.m_Cycles = document.m_Cycles;
    value.m_Programs = document.m_Programs;
    LinkReferences(value);

    for (const auto& [offset, byte] : document.m_KeptBytes)
        image[size_t(offset)] = byte;
    // What the panel does not store a Save keeps from the image: the document's values go there.
    const std::vector<S_ServiceParameter>& parameters = ServiceParameters();
    for (size_t i = 0; i < parameters.size() && i < document.m_Service.size(); ++i) {
        const S_ServiceField* field = FindServiceField(description.m_Service, parameters[i].m_Parameter);
        if (field != nullptr && !field->m_Stored && document.m_Service[i])
            StoreValue(*field, image, *document.m_Service[i]);
    }
    value.m_FreeSteps = codec.FreeSteps(value.StepCount());
    value.m_Image = std::make_shared<const MemoryImage>(image);
    return value;
}

std::unique_ptr<C_EEPROMFormat> TextFormat(const S_TextConfiguration& document, C_Configuration& value,
                                           C_DiagnosticSink& lines)
{
    std::unique_ptr<C_EEPROMFormat> format = C_EEPROMFormat::Create(document.m_FormatCode, document.m_Outputs);
    MemoryImage image;
    value = TextValue(document, image, lines);
    format->Adopt(image, value);
    return format;
}
