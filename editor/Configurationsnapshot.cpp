#include "editor/Configurationsnapshot.h"

#include "editor/Configurationpanes.h"
#include "editor/Updown.h"
#include "editor/Utilities.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include <map>
#include <utility>

namespace {

std::vector<C_UpDown*> UpDowns(const C_ConfigurationPanes& panes)
{
    return {panes.m_MaximumLevelUpDown,     panes.m_MinimumLevelUpDown, panes.m_SlowingDownTimeUpDown,
            panes.m_MaximumSpeedUpDown,     panes.m_SpinLevelUpDown,    panes.m_MaintenanceRequestUpDown,
            panes.m_TemperatureHysteresisUpDown};
}

} // namespace

bool C_ConfigurationSnapshot::S_Reference::operator==(const S_Reference& other) const
{
    return m_Kind == other.m_Kind && m_Number == other.m_Number && m_Linked == other.m_Linked;
}

bool C_ConfigurationSnapshot::S_Program::operator==(const S_Program& other) const
{
    return m_Number == other.m_Number && m_References == other.m_References;
}

bool C_ConfigurationSnapshot::S_Cycle::operator==(const S_Cycle& other) const
{
    return m_Kind == other.m_Kind && m_Number == other.m_Number &&
           (m_Steps == other.m_Steps || *m_Steps == *other.m_Steps);
}

bool C_ConfigurationSnapshot::operator==(const C_ConfigurationSnapshot& other) const
{
    return m_Programs == other.m_Programs && m_Cycles == other.m_Cycles && m_MotorCells == other.m_MotorCells &&
           m_Service == other.m_Service && m_FreeSteps == other.m_FreeSteps;
}

C_ConfigurationSnapshot C_ConfigurationSnapshot::Take(const C_ConfigurationPanes& panes, std::int32_t freeSteps,
                                                      const C_ConfigurationSnapshot* previous)
{
    C_ConfigurationSnapshot snapshot;
    snapshot.m_FreeSteps = freeSteps;
    for (int i = 0; i < panes.m_ProgramsTree->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* node = panes.m_ProgramsTree->topLevelItem(i);
        S_Program program{NodeData(node)->m_Number, node->isExpanded(), {}};
        for (int k = 0; k < node->childCount(); ++k) {
            const C_NodeData& reference = *NodeData(node->child(k));
            program.m_References.push_back({reference.m_Kind, reference.m_Number, reference.m_Link != nullptr});
        }
        snapshot.m_Programs.push_back(std::move(program));
    }

    // Unchanged cycles keep the step lists of the previous snapshot: a history of
    // many small edits holds each cycle's steps only as often as they changed.
    std::map<std::pair<std::uint32_t, std::int32_t>, std::shared_ptr<const Steps>> earlier;
    if (previous != nullptr)
        for (const S_Cycle& cycle : previous->m_Cycles)
            earlier[{cycle.m_Kind, cycle.m_Number}] = cycle.m_Steps;
    for (int code = 1; code <= NodeKind::CategoryCount; ++code) {
        const QTreeWidgetItem* root = panes.m_CategoryNodes[size_t(code)];
        for (int c = 0; c < root->childCount(); ++c) {
            const C_NodeData& data = *NodeData(root->child(c));
            auto steps = std::make_shared<Steps>();
            for (int k = 0; k + 1 < data.m_Content->StepCount(); ++k)
                steps->push_back(data.m_Content->GetStep(k)->m_Values);
            const auto same = earlier.find({data.m_Kind, data.m_Number});
            std::shared_ptr<const Steps> kept = steps;
            if (same != earlier.end() && *same->second == *steps)
                kept = same->second;
            snapshot.m_Cycles.push_back({data.m_Kind, data.m_Number, std::move(kept)});
        }
    }

    for (int row = 1; row <= C_ConfigurationPanes::MotorModes; ++row)
        for (int column = 1; column <= C_ConfigurationPanes::MotorTimes; ++column)
            snapshot.m_MotorCells.push_back(panes.MotorCell(row, column));
    for (const C_UpDown* upDown : UpDowns(panes))
        snapshot.m_Service.push_back(upDown->Position());
    snapshot.m_Service.push_back(panes.m_LanguageComboBox->currentIndex());
    snapshot.m_Service.push_back(panes.m_TemperatureComboBox->currentIndex());
    snapshot.m_Service.push_back(panes.m_AdvanceEnableCheckbox->isChecked());
    snapshot.m_Service.push_back(panes.m_MachineEnableCheckbox->isChecked());
    return snapshot;
}

void C_ConfigurationSnapshot::Restore(C_ConfigurationPanes& panes) const
{
    panes.ClearConfiguration();
    for (const S_Cycle& cycle : m_Cycles) {
        QTreeWidgetItem* root = panes.m_CategoryNodes[size_t(NodeKind::CategoryCode(cycle.m_Kind))];
        QTreeWidgetItem* node = AddNodeWithData(panes.m_CyclesTree, root, C_ConfigurationPanes::CycleImage,
                                                cycle.m_Kind, cycle.m_Number);
        C_CycleContent& content = *NodeData(node)->m_Content;
        for (size_t k = 0; k < cycle.m_Steps->size(); ++k)
            content.InsertStep(std::int16_t(k))->m_Values = (*cycle.m_Steps)[k];
        node->setText(0, NodeLabel(*NodeData(node)));
    }
    for (const S_Program& program : m_Programs) {
        QTreeWidgetItem* node = AddNodeWithData(panes.m_ProgramsTree, nullptr, C_ConfigurationPanes::ProgramImage,
                                                NodeKind::ProgramWord, program.m_Number);
        for (const S_Reference& reference : program.m_References) {
            QTreeWidgetItem* child = AddNodeWithData(panes.m_ProgramsTree, node, C_ConfigurationPanes::CycleImage,
                                                     reference.m_Kind, reference.m_Number);
            const int code = NodeKind::CategoryCode(reference.m_Kind);
            if (reference.m_Linked && code != 0)
                NodeData(child)->m_Link = FindChildByNumber(panes.m_CategoryNodes[size_t(code)], reference.m_Number);
        }
        node->setExpanded(program.m_Expanded);
    }

    size_t cell = 0;
    for (int row = 1; row <= C_ConfigurationPanes::MotorModes; ++row)
        for (int column = 1; column <= C_ConfigurationPanes::MotorTimes; ++column)
            panes.SetMotorCell(row, column, m_MotorCells[cell++]);
    size_t value = 0;
    for (C_UpDown* upDown : UpDowns(panes))
        upDown->SetPosition(m_Service[value++]);
    panes.m_LanguageComboBox->setCurrentIndex(m_Service[value++]);
    panes.m_TemperatureComboBox->setCurrentIndex(m_Service[value++]);
    panes.m_AdvanceEnableCheckbox->setChecked(m_Service[value++] != 0);
    panes.m_MachineEnableCheckbox->setChecked(m_Service[value++] != 0);
}

size_t C_ConfigurationSnapshot::Bytes(std::set<const void*>& counted) const
{
    size_t bytes = sizeof(*this) + m_MotorCells.size() * sizeof(int) + m_Service.size() * sizeof(int);
    for (const S_Program& program : m_Programs)
        bytes += sizeof(program) + program.m_References.size() * sizeof(S_Reference);
    for (const S_Cycle& cycle : m_Cycles) {
        bytes += sizeof(cycle);
        if (counted.insert(cycle.m_Steps.get()).second)
            bytes += sizeof(Steps) + cycle.m_Steps->size() * sizeof(Steps::value_type);
    }
    return bytes;
}
