// dump: the configuration as Kw3Win shows it, as a JSON document.
#include "document/Configurationvalues.h"
#include "document/Jsonwriter.h"
#include "model/Fileheader.h"
#include "tools/Toolcommands.h"
#include "tools/Toolconfiguration.h"

namespace {

QString RowClassName(RowClass kind)
{
    switch (kind) {
    case RowClass::Separator: return QStringLiteral("separator");
    case RowClass::Out: return QStringLiteral("out");
    case RowClass::Boolean: return QStringLiteral("boolean");
    case RowClass::Number: return QStringLiteral("number");
    case RowClass::Time: return QStringLiteral("time");
    case RowClass::Motor: break;
    }
    return QStringLiteral("motor");
}

void WriteRows(C_JsonWriter& json, const std::vector<C_StepRow>& rows)
{
    json.BeginArray();
    for (const auto& row : rows) {
        json.BeginObject(true);
        json.Key("caption");
        json.Value(row.m_Caption);
        json.Key("class");
        json.Value(RowClassName(row.m_Class));
        json.Key("disabledValue");
        json.Value(row.m_DisabledValue);
        json.EndObject();
    }
    json.EndArray();
}

void WriteCycles(C_JsonWriter& json, const C_Configuration& configuration, size_t rows)
{
    json.BeginArray();
    for (const C_Configuration::S_Cycle& cycle : configuration.m_Cycles) {
        json.BeginObject();
        json.Key("category");
        json.Value(cycle.Category());
        json.Key("number");
        json.Value(cycle.m_Number);
        json.Key("steps");
        json.BeginArray();
        for (const C_Configuration::StepValues& step : *cycle.m_Steps) {
            json.BeginArray(true);
            for (size_t r = 0; r < rows; ++r)
                json.Value(step[r]);
            json.EndArray();
        }
        json.EndArray();
        json.EndObject();
    }
    json.EndArray();
}

} // namespace

int RunDump(const QStringList& arguments)
{
    QStringList files;
    const std::unique_ptr<C_ToolConfiguration> configuration = C_ToolConfiguration::Open(arguments, 1, files);
    if (configuration == nullptr)
        return ExitCode::Refused;

    const std::vector<C_StepRow>& rows = configuration->Rows();
    const C_Configuration& value = configuration->Value();
    C_JsonWriter json;
    json.BeginObject();
    json.Key("format");
    json.Value(FormatNameOfCode(value.m_FormatCode));
    json.Key("formatCode");
    json.Value(int(value.m_FormatCode));
    json.Key("outputs");
    json.Value(value.m_Outputs);
    json.Key("freeSteps");
    json.Value(int(value.m_FreeSteps));
    json.Key("service");
    WriteServiceBlock(json, value, ServiceScope::Every);
    json.Key("motors");
    WriteMotorTable(json, value, UnsetTime::AsNumber);
    json.Key("programs");
    WriteProgramList(json, value, true);
    json.Key("rows");
    WriteRows(json, rows);
    json.Key("cycles");
    WriteCycles(json, value, rows.size());
    json.EndObject();
    WriteOutput(QString::fromUtf8(json.Text()));
    return ExitCode::Success;
}
