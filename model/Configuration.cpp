#include "model/Configuration.h"

#include "model/Configurationpanes.h"
#include "model/Eepromformat.h"
#include "model/Utilities.h"

#include <map>
#include <utility>

int C_Configuration::S_Reference::Category() const
{
    return NodeKind::CategoryCode(m_Kind);
}

int C_Configuration::S_Cycle::Category() const
{
    return NodeKind::CategoryCode(m_Kind);
}

bool C_Configuration::S_Cycle::operator==(const S_Cycle& other) const
{
    return m_Kind == other.m_Kind && m_Number == other.m_Number &&
           (m_Steps == other.m_Steps || *m_Steps == *other.m_Steps);
}

bool C_Configuration::operator==(const C_Configuration& other) const
{
    return m_FormatCode == other.m_FormatCode && m_Outputs == other.m_Outputs && m_FreeSteps == other.m_FreeSteps &&
           m_Service == other.m_Service && m_Motors == other.m_Motors && m_Programs == other.m_Programs &&
           m_Cycles == other.m_Cycles;
}

C_Configuration C_Configuration::Read(const C_EEPROMFormat& format, const C_ConfigurationPanes& panes,
                                      const C_Configuration* previous)
{
    C_Configuration value;
    value.m_FormatCode = format.FormatCode();
    value.m_Outputs = format.GetOutputs();
    value.m_FreeSteps = format.FreeSteps();
    // What the panel does not store is the image's, exactly, even where the panel shows it clamped.
    for (const S_ServiceParameter& parameter : ServiceParameters()) {
        const S_ServiceField* field = FindServiceField(format.FormatDescription().m_Service, parameter.m_Parameter);
        value.m_Service.push_back(field != nullptr && !field->m_Stored ? StoredValue(*field, format.Image())
                                                                       : ShownValue(parameter.m_Parameter, panes));
    }
    for (int mode = 1; mode <= C_ConfigurationPanes::MotorModes; ++mode) {
        MotorTimes& times = value.m_Motors.emplace_back();
        for (int column = 1; column <= C_ConfigurationPanes::MotorTimes; ++column)
            times[size_t(column - 1)] = panes.MotorCell(mode, column);
    }

    for (int i = 0; i < panes.m_ProgramsTree->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* node = panes.m_ProgramsTree->topLevelItem(i);
        S_Program& program = value.m_Programs.emplace_back(S_Program{NodeData(node)->m_Number, {}});
        for (int k = 0; k < node->childCount(); ++k) {
            const C_NodeData& reference = *NodeData(node->child(k));
            program.m_References.push_back({reference.m_Kind, reference.m_Number, reference.m_Link != nullptr});
        }
    }

    // Unchanged cycles keep the step lists of the previous value: a history of
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
            value.m_Cycles.push_back({data.m_Kind, data.m_Number, std::move(kept)});
        }
    }

    if (previous != nullptr && previous->m_Image != nullptr && *previous->m_Image == format.Image())
        value.m_Image = previous->m_Image;
    else
        value.m_Image = std::make_shared<const MemoryImage>(format.Image());
    return value;
}

void C_Configuration::Show(C_ConfigurationPanes& panes) const
{
    panes.ClearConfiguration();
    for (const S_Cycle& cycle : m_Cycles) {
        QTreeWidgetItem* root = panes.m_CategoryNodes[size_t(cycle.Category())];
        QTreeWidgetItem* node =
            AddNodeWithData(panes.m_CyclesTree, root, C_ConfigurationPanes::CycleImage, cycle.m_Kind, cycle.m_Number);
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
            if (reference.m_Linked && reference.Category() != 0)
                NodeData(child)->m_Link =
                    FindChildByNumber(panes.m_CategoryNodes[size_t(reference.Category())], reference.m_Number);
        }
    }

    for (size_t mode = 0; mode < m_Motors.size(); ++mode)
        for (size_t column = 0; column < m_Motors[mode].size(); ++column)
            panes.SetMotorCell(int(mode + 1), int(column + 1), m_Motors[mode][column]);
    const std::vector<S_ServiceParameter>& parameters = ServiceParameters();
    for (size_t i = 0; i < parameters.size() && i < m_Service.size(); ++i)
        // A box the format leaves empty stays empty.
        if (ShownValue(parameters[i].m_Parameter, panes) != m_Service[i])
            ShowValue(parameters[i].m_Parameter, panes, m_Service[i]);
}

int C_Configuration::StepCount() const
{
    std::size_t steps = 0;
    for (const S_Cycle& cycle : m_Cycles)
        steps += cycle.m_Steps->size();
    return int(steps);
}

int C_Configuration::Service(ServiceParameter parameter) const
{
    const std::vector<S_ServiceParameter>& parameters = ServiceParameters();
    for (size_t i = 0; i < parameters.size() && i < m_Service.size(); ++i)
        if (parameters[i].m_Parameter == parameter)
            return m_Service[i];
    return 0;
}

std::size_t C_Configuration::Bytes(std::set<const void*>& counted) const
{
    std::size_t bytes = sizeof(*this) + m_Service.size() * sizeof(int) + m_Motors.size() * sizeof(MotorTimes);
    for (const S_Program& program : m_Programs)
        bytes += sizeof(program) + program.m_References.size() * sizeof(S_Reference);
    for (const S_Cycle& cycle : m_Cycles) {
        bytes += sizeof(cycle);
        if (counted.insert(cycle.m_Steps.get()).second)
            bytes += sizeof(Steps) + cycle.m_Steps->size() * sizeof(StepValues);
    }
    if (m_Image != nullptr && counted.insert(m_Image.get()).second)
        bytes += sizeof(MemoryImage) + m_Image->size();
    return bytes;
}
