#include "model/Configurationvalues.h"

#include "editor/Configurationpanes.h"
#include "editor/Utilities.h"
#include "model/Cyclecontent.h"

#include <QStringList>
#include <QTreeWidgetItemIterator>

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

const std::vector<S_ServiceKey>& ServiceKeys()
{
    static const std::vector<S_ServiceKey> keys{
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
    return keys;
}

QString S_DumpValue::Text() const
{
    if (m_IsFlag)
        return m_Number != 0 ? QStringLiteral("true") : QStringLiteral("false");
    return QString::number(m_Number);
}

S_DumpValue ServiceValue(ServiceParameter parameter, const C_ConfigurationPanes& panes)
{
    const int shown = ShownValue(parameter, panes);
    if (DisplayOf(parameter) == ServiceDisplay::Flag)
        return {shown != 0 ? 1 : 0, true};
    return {shown, false};
}

std::vector<S_CycleReference> CycleReferences(const QTreeWidgetItem& program)
{
    std::vector<S_CycleReference> references;
    for (int c = 0; c < program.childCount(); ++c) {
        const C_NodeData& reference = *NodeData(program.child(c));
        references.push_back(
            {NodeKind::CategoryCode(reference.m_Kind), reference.m_Number, reference.m_Link != nullptr});
    }
    return references;
}

QString CycleReferencesText(const std::vector<S_CycleReference>& references)
{
    QStringList objects;
    for (const S_CycleReference& reference : references) {
        const QStringList members{JsonMember(ReferenceKey::Category, QString::number(reference.m_Category)),
                                  JsonMember(ReferenceKey::Number, QString::number(reference.m_Number)),
                                  JsonMember(ReferenceKey::Linked, S_DumpValue{reference.m_Linked, true}.Text())};
        objects << QLatin1Char('{') + members.join(QLatin1String(", ")) + QLatin1Char('}');
    }
    return JsonList(objects);
}

std::vector<const C_NodeData*> CycleNodes(const C_ConfigurationPanes& panes)
{
    std::vector<const C_NodeData*> cycles;
    for (QTreeWidgetItemIterator it(panes.m_CyclesTree); *it != nullptr; ++it) {
        const C_NodeData* cycle = NodeData(*it);
        if (cycle != nullptr && cycle->IsCycle())
            cycles.push_back(cycle);
    }
    return cycles;
}

int StoredSteps(const C_CycleContent& content)
{
    return content.StepCount() - 1;
}

QString StepText(const C_Step& step, std::size_t rows)
{
    QStringList values;
    for (std::size_t r = 0; r < rows; ++r)
        values << QString::number(step.m_Values[r]);
    return JsonList(values);
}

QString StepsText(const C_CycleContent& content, std::size_t rows)
{
    QStringList steps;
    for (int s = 0; s < StoredSteps(content); ++s)
        steps << StepText(*content.GetStep(s), rows);
    return JsonList(steps);
}
