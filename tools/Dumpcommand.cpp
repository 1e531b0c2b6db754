// dump: the configuration as Kw3Win shows it, as a JSON document.
#include "editor/Rowproperties.h"
#include "editor/Utilities.h"
#include "model/Configurationvalues.h"
#include "model/Cyclecontent.h"
#include "tools/Jsonwriter.h"
#include "tools/Toolcommands.h"
#include "tools/Toolconfiguration.h"

namespace {

QString RowClass(const C_RowProperty& row)
{
    // C_RowOut derives from C_RowBoolean, so it is asked first.
    if (dynamic_cast<const C_RowSeparator*>(&row))
        return QStringLiteral("separator");
    if (dynamic_cast<const C_RowOut*>(&row))
        return QStringLiteral("out");
    if (dynamic_cast<const C_RowBoolean*>(&row))
        return QStringLiteral("boolean");
    if (dynamic_cast<const C_RowNumber*>(&row))
        return QStringLiteral("number");
    if (dynamic_cast<const C_RowTime*>(&row))
        return QStringLiteral("time");
    return QStringLiteral("motor");
}

void WriteService(C_JsonWriter& json, const C_ConfigurationPanes& panes)
{
    json.BeginObject();
    for (const S_ServiceKey& key : ServiceKeys()) {
        json.Key(key.m_Key);
        const S_DumpValue value = ServiceValue(key.m_Parameter, panes);
        if (value.m_IsFlag)
            json.Value(value.m_Number != 0);
        else
            json.Value(value.m_Number);
    }
    json.EndObject();
}

void WriteMotors(C_JsonWriter& json, const C_ConfigurationPanes& panes)
{
    json.BeginArray();
    for (int row = 1; row <= C_ConfigurationPanes::MotorModes; ++row) {
        json.BeginArray(true);
        for (int column = 1; column <= C_ConfigurationPanes::MotorTimes; ++column)
            json.Value(panes.MotorCell(row, column));
        json.EndArray();
    }
    json.EndArray();
}

void WritePrograms(C_JsonWriter& json, const C_ConfigurationPanes& panes)
{
    json.BeginArray();
    for (int p = 0; p < panes.m_ProgramsTree->topLevelItemCount(); ++p) {
        const QTreeWidgetItem* program = panes.m_ProgramsTree->topLevelItem(p);
        json.BeginObject();
        json.Key("number");
        json.Value(NodeData(program)->m_Number);
        json.Key("cycles");
        json.BeginArray();
        for (const S_CycleReference& reference : CycleReferences(*program)) {
            json.BeginObject(true);
            json.Key(ReferenceKey::Category);
            json.Value(reference.m_Category);
            json.Key(ReferenceKey::Number);
            json.Value(reference.m_Number);
            json.Key(ReferenceKey::Linked);
            json.Value(reference.m_Linked);
            json.EndObject();
        }
        json.EndArray();
        json.EndObject();
    }
    json.EndArray();
}

void WriteRows(C_JsonWriter& json, const C_EEPROMFormat& format)
{
    json.BeginArray();
    for (const auto& row : format.Rows()) {
        json.BeginObject(true);
        json.Key("caption");
        json.Value(row->m_Caption);
        json.Key("class");
        json.Value(RowClass(*row));
        json.Key("disabledValue");
        json.Value(row->m_DisabledValue);
        json.EndObject();
    }
    json.EndArray();
}

void WriteCycles(C_JsonWriter& json, const C_ConfigurationPanes& panes, size_t rows)
{
    json.BeginArray();
    for (const C_NodeData* cycle : CycleNodes(panes)) {
        json.BeginObject();
        json.Key("category");
        json.Value(NodeKind::CategoryCode(cycle->m_Kind));
        json.Key("number");
        json.Value(cycle->m_Number);
        json.Key("steps");
        json.BeginArray();
        for (int s = 0; s < StoredSteps(*cycle->m_Content); ++s) {
            json.BeginArray(true);
            for (size_t r = 0; r < rows; ++r)
                json.Value(cycle->m_Content->GetStep(s)->m_Values[r]);
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

    C_EEPROMFormat& format = configuration->Format();
    const C_ConfigurationPanes& panes = configuration->Panes();
    C_JsonWriter json;
    json.BeginObject();
    json.Key("format");
    json.Value(FormatNameOfCode(format.FormatCode()));
    json.Key("formatCode");
    json.Value(int(format.FormatCode()));
    json.Key("outputs");
    json.Value(format.GetOutputs());
    json.Key("freeSteps");
    json.Value(int(format.ReserveSteps(0)));
    json.Key("service");
    WriteService(json, panes);
    json.Key("motors");
    WriteMotors(json, panes);
    json.Key("programs");
    WritePrograms(json, panes);
    json.Key("rows");
    WriteRows(json, format);
    json.Key("cycles");
    WriteCycles(json, panes, format.Rows().size());
    json.EndObject();
    WriteOutput(QString::fromUtf8(json.Text()));
    return ExitCode::Success;
}
