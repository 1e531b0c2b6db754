#include "support/Sampleconfiguration.h"

#include "editor/Configurationpanes.h"
#include "editor/Treenodes.h"
#include "model/Cyclecontent.h"
#include "model/Eepromformat.h"
#include "model/Labels.h"
#include "model/Steprow.h"

#include <QTreeWidget>

#include <algorithm>

namespace {

void SetRole(C_Step& step, const C_EEPROMFormat& format, StepRole role, std::int32_t value)
{
    const std::int32_t row = format.RowOf(role);
    if (row < 0)
        return;
    if (const C_StepRow& number = format.Rows()[size_t(row)]; number.m_Class == RowClass::Number)
        value = std::clamp(value, number.m_MinValue, number.m_MaxValue);
    step.m_Values[size_t(row)] = value;
}

void FillStep(C_Step& step, const C_EEPROMFormat& format, int k)
{
    const auto& rows = format.Rows();
    for (size_t i = 0; i < rows.size(); ++i) {
        step.m_Values[i] = rows[i].m_DisabledValue;
        if (rows[i].m_Class == RowClass::Out)
            step.m_Values[i] = (k + int(i)) % 3 == 0 ? 1 : 0;
    }
    SetRole(step, format, StepRole::MotorMode, k % 3 + 1);
    SetRole(step, format, StepRole::DrumSpeed, 300 + 10 * (k % 40));
    switch (k % 6) {
    case 0: SetRole(step, format, StepRole::Time, 60 + k); break;
    case 1:
        SetRole(step, format, StepRole::Level, 60);
        SetRole(step, format, StepRole::TimeLimit, 300);
        break;
    case 2:
        SetRole(step, format, StepRole::Temperature, 40);
        SetRole(step, format, StepRole::TimeLimit, 600);
        break;
    case 3:
        SetRole(step, format, StepRole::Cooling, 1);
        SetRole(step, format, StepRole::Level, 80);
        SetRole(step, format, StepRole::SecondLevel, 20);
        SetRole(step, format, StepRole::Temperature, 40);
        SetRole(step, format, StepRole::TimeLimit, 300);
        break;
    case 4:
        SetRole(step, format, StepRole::BalancedFeed, 1);
        SetRole(step, format, StepRole::Level, 50);
        SetRole(step, format, StepRole::SecondTemperature, 60);
        SetRole(step, format, StepRole::TimeLimit, 240);
        break;
    default:
        SetRole(step, format, StepRole::TemperatureFunction, 1);
        SetRole(step, format, StepRole::SecondTemperature, 70);
        SetRole(step, format, StepRole::Time, 120);
        break;
    }
}

} // namespace

void FillSampleConfiguration(C_ConfigurationPanes& panes, C_EEPROMFormat& format, const std::vector<int>& cycleSteps,
                             int programs)
{
    const int motorTimes[3][3] = {{12, 3, 12}, {30, 5, 30}, {8, 2, 8}};
    for (int mode = 1; mode <= 3; ++mode)
        for (int column = 1; column <= 3; ++column)
            panes.SetMotorCell(mode, column, motorTimes[mode - 1][column - 1]);

    std::vector<QTreeWidgetItem*> cycles;
    for (size_t c = 0; c < cycleSteps.size(); ++c) {
        const int category = int(c) % NodeKind::CategoryCount + 1;
        QTreeWidgetItem* root = panes.m_CategoryNodes[size_t(category)];
        QTreeWidgetItem* cycle =
            AddNodeWithData(panes.m_CyclesTree, root, C_ConfigurationPanes::CycleImage,
                            NodeKind::CycleWord | NodeKind::CategoryBits(category), root->childCount() + 1);
        C_NodeData& data = *NodeData(cycle);
        for (int k = 0; k < cycleSteps[c]; ++k)
            FillStep(*data.m_Content->InsertStep(std::int16_t(k)), format, k);
        format.ReserveSteps(cycleSteps[c]);
        cycle->setText(0, NodeLabel(data));
        root->setExpanded(true);
        cycles.push_back(cycle);
    }
    for (int p = 0; p < programs; ++p) {
        QTreeWidgetItem* program = AddNodeWithData(panes.m_ProgramsTree, nullptr, C_ConfigurationPanes::ProgramImage,
                                                   NodeKind::ProgramWord, p + 1);
        const int references = cycles.empty() ? 0 : std::min<int>(1 + p % 4, int(cycles.size()));
        for (int r = 0; r < references; ++r) {
            QTreeWidgetItem* cycle = cycles[size_t((p + r) % cycles.size())];
            const C_NodeData& target = *NodeData(cycle);
            QTreeWidgetItem* reference = AddNodeWithData(
                panes.m_ProgramsTree, program, C_ConfigurationPanes::CycleImage,
                NodeKind::CycleReferenceWord | (target.m_Kind & NodeKind::CategoryMask), target.m_Number);
            NodeData(reference)->m_Link = cycle;
        }
        program->setExpanded(true);
    }
}
