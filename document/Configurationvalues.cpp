#include "document/Configurationvalues.h"

#include "document/Jsonwriter.h"
#include "model/Eepromformat.h"
#include "model/Motortable.h"

#include <QStringList>

namespace {

QString JsonList(const QStringList& elements)
{
    return QLatin1Char('[') + elements.join(QLatin1String(", ")) + QLatin1Char(']');
}

QString JsonMember(const char* key, const QString& value)
{
    return QLatin1Char('"') + QLatin1String(key) + QLatin1String("\": ") + value;
}

} // namespace

QString S_DumpValue::Text() const
{
    if (m_IsFlag)
        return m_Number != 0 ? QStringLiteral("true") : QStringLiteral("false");
    return QString::number(m_Number);
}

S_DumpValue ServiceValue(ServiceParameter parameter, const C_Configuration& configuration)
{
    const int shown = configuration.Service(parameter);
    if (ServiceParameterOf(parameter).m_Display == ServiceDisplay::Flag)
        return {shown != 0 ? 1 : 0, true};
    return {shown, false};
}

void WriteServiceBlock(C_JsonWriter& json, const C_Configuration& value, ServiceScope scope)
{
    const std::vector<S_ServiceField>& fields = C_EEPROMFormat::DescriptionOf(value.m_FormatCode)->m_Service;
    json.BeginObject();
    for (const S_ServiceParameter& key : ServiceParameters()) {
        if (scope == ServiceScope::KeptByFormat && FindServiceField(fields, key.m_Parameter) == nullptr)
            continue;
        json.Key(key.m_Key);
        const S_DumpValue shown = ServiceValue(key.m_Parameter, value);
        if (shown.m_IsFlag)
            json.Value(shown.m_Number != 0);
        else
            json.Value(shown.m_Number);
    }
    json.EndObject();
}

void WriteMotorTable(C_JsonWriter& json, const C_Configuration& value, UnsetTime unset)
{
    json.BeginArray();
    for (const C_Configuration::MotorTimes& times : value.m_Motors) {
        json.BeginArray(true);
        for (const int time : times)
            if (time == MotorTable::Unset && unset == UnsetTime::AsNull)
                json.Null();
            else
                json.Value(time);
        json.EndArray();
    }
    json.EndArray();
}

QString CycleReferencesText(const std::vector<C_Configuration::S_Reference>& references)
{
    QStringList objects;
    for (const C_Configuration::S_Reference& reference : references) {
        const QStringList members{JsonMember(ReferenceKey::Category, QString::number(reference.Category())),
                                  JsonMember(ReferenceKey::Number, QString::number(reference.m_Number)),
                                  JsonMember(ReferenceKey::Linked, S_DumpValue{reference.m_Linked, true}.Text())};
        objects << QLatin1Char('{') + members.join(QLatin1String(", ")) + QLatin1Char('}');
    }
    return JsonList(objects);
}

QString StepText(const C_Configuration::StepValues& step, std::size_t rows)
{
    QStringList values;
    for (std::size_t r = 0; r < rows && r < step.size(); ++r)
        values << QString::number(step[r]);
    return JsonList(values);
}

QString StepsText(const C_Configuration::Steps& steps, std::size_t rows)
{
    QStringList texts;
    for (const C_Configuration::StepValues& step : steps)
        texts << StepText(step, rows);
    return JsonList(texts);
}

void WriteProgramList(C_JsonWriter& json, const C_Configuration& value, bool withLinks)
{
    json.BeginArray();
    for (const C_Configuration::S_Program& program : value.m_Programs) {
        json.BeginObject();
        json.Key("number");
        json.Value(program.m_Number);
        json.Key("cycles");
        json.BeginArray();
        for (const C_Configuration::S_Reference& reference : program.m_References) {
            json.BeginObject(true);
            json.Key(ReferenceKey::Category);
            json.Value(reference.Category());
            json.Key(ReferenceKey::Number);
            json.Value(reference.m_Number);
            if (withLinks) {
                json.Key(ReferenceKey::Linked);
                json.Value(reference.m_Linked);
            }
            json.EndObject();
        }
        json.EndArray();
        json.EndObject();
    }
    json.EndArray();
}
