// dump: the configuration as Kw3Win shows it, as a JSON document.
#include "editor/Rowproperties.h"
#include "editor/Utilities.h"
#include "model/Cyclecontent.h"
#include "model/Serviceblock.h"
#include "tools/Jsonwriter.h"
#include "tools/Toolcommands.h"
#include "tools/Toolconfiguration.h"

namespace {

struct S_ServiceKey
{
    const char* m_Key;
    ServiceParameter m_Parameter;
};

constexpr S_ServiceKey ServiceKeys[] = {
    {"totalWashes", ServiceParameter::TotalWashes},
    {"partialWashes", ServiceParameter::PartialWashes},
    {"workingHours", ServiceParameter::WorkingHours},
    {"maintenanceRequest", ServiceParameter::MaintenanceRequest},
    {"language", ServiceParameter::Language},
    {"temperatureUnit", ServiceParameter::TemperatureUnit},
    {"maximumLevel", ServiceParameter::MaximumLevel},
    {"minimumLevel", ServiceParameter::MinimumLevel},
    {"advanceEnable", ServiceParameter::AdvanceEnable},
    {"machineEnable", ServiceParameter::MachineEnable},
    {"slowingDownTime", ServiceParameter::SlowingDownTime},
    {"maximumSpeed", ServiceParameter::MaximumSpeed},
    {"spinLevel", ServiceParameter::SpinLevel},
    {"temperatureHysteresis", ServiceParameter::TemperatureHysteresis},
};

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
    for (const S_ServiceKey& key : ServiceKeys) {
        json.Key(key.m_Key);
        const int shown = ShownValue(key.m_Parameter, panes);
        if (DisplayOf(key.m_Parameter) == ServiceDisplay::Flag)
            json.Value(shown != 0);
        else
            json.Value(shown);
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
        for (int c = 0; c < program->childCount(); ++c) {
            const C_NodeData& reference = *NodeData(program->child(c));
            json.BeginObject(true);
            json.Key("category");
            json.Value(NodeKind::CategoryCode(reference.m_Kind));
            json.Key("number");
            json.Value(reference.m_Number);
            json.Key("linked");
            json.Value(reference.m_Link != nullptr);
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
    for (QTreeWidgetItemIterator it(panes.m_CyclesTree); *it != nullptr; ++it) {
        const C_NodeData* cycle = NodeData(*it);
        if (cycle == nullptr || !cycle->IsCycle())
            continue;
        json.BeginObject();
        json.Key("category");
        json.Value(NodeKind::CategoryCode(cycle->m_Kind));
        json.Key("number");
        json.Value(cycle->m_Number);
        json.Key("steps");
        json.BeginArray();
        for (int s = 0; s + 1 < cycle->m_Content->StepCount(); ++s) {
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
