#include "model/Programarea.h"

#include "language/Language.h"
#include "language/Messages.h"
#include "model/Configurationpanes.h"
#include "model/Cyclecontent.h"
#include "model/Imagebytes.h"
#include "model/Utilities.h"

#include <QTreeWidgetItemIterator>

#include <algorithm>

namespace ProgramArea {

namespace {

QString Line(std::int16_t id, const QString& text)
{
    return Text(id) + QLatin1Char(' ') + text;
}

// A reference links only to a cycle of its category; a category root (number 0)
// or a category code out of range links to nothing, so the check reports it.
QTreeWidgetItem* CycleNode(const C_ConfigurationPanes& window, int categoryCode, int number)
{
    if (categoryCode < 1 || categoryCode > NodeKind::CategoryCount)
        return nullptr;
    return FindChildByNumber(window.m_CategoryNodes[size_t(categoryCode)], number);
}

int StepsOf(const QTreeWidgetItem* cycleNode)
{
    const C_NodeData* data = NodeData(cycleNode);
    return data != nullptr && data->m_Content ? data->m_Content->StepCount() - 1 : 0;
}

// Writes one program into its record; false, with the reason under its line, when it cannot be.
bool WriteProgram(const QTreeWidgetItem* program, std::uint8_t* record, QTreeWidgetItem* line,
                  C_ConfigurationPanes& window)
{
    record[0] = std::uint8_t(NodeData(program)->m_Number);
    record[1] = 0;
    if (program->childCount() == 0) {
        window.AddDiagnostic(line, Text(Msg::ProgramWithoutCycles), C_ConfigurationPanes::Error);
        return false;
    }
    if (program->childCount() > References) {
        window.AddDiagnostic(line, Line(Msg::TooManyReferences, program->text(0)), C_ConfigurationPanes::Error);
        return false;
    }
    for (int k = 0; k < program->childCount(); ++k) {
        const QTreeWidgetItem* reference = program->child(k);
        const C_NodeData* data = NodeData(reference);
        if (data == nullptr || data->m_Link == nullptr) {
            window.AddDiagnostic(line, Text(Msg::MissingCycle), C_ConfigurationPanes::Error);
            return false;
        }
        record[1] = std::uint8_t(record[1] + StepsOf(data->m_Link));
        record[2 + 2 * k] = std::uint8_t(NodeKind::CategoryCode(data->m_Kind));
        record[3 + 2 * k] = std::uint8_t(data->m_Number);
        window.AddDiagnostic(line, Line(Msg::Cycle, reference->text(0)), C_ConfigurationPanes::Information);
    }
    return true;
}

} // namespace

void ToTree(const std::uint8_t* area, C_ConfigurationPanes& window)
{
    QTreeWidgetItem* heading = window.AddDiagnostic(nullptr, Text(Msg::ReadingPrograms), C_ConfigurationPanes::Heading);
    for (int r = 0; r < Records; ++r) {
        const std::uint8_t* record = area + r * RecordSize;
        if (record[0] == UnusedByte)
            continue;
        window.AddDiagnostic(heading, Line(Msg::Program, QString::number(record[0])),
                             C_ConfigurationPanes::Information);
        // Built whole before it joins the tree: one insertion for the program and its references.
        QTreeWidgetItem* program = NewNodeWithData(window.m_ProgramsTree, C_ConfigurationPanes::ProgramImage,
                                                   NodeKind::ProgramWord, record[0]);
        for (int p = 0; p < References && record[2 + 2 * p] != UnusedByte; ++p) {
            const int code = record[2 + 2 * p];
            const int number = record[3 + 2 * p];
            C_DataNode* reference = NewNodeWithData(window.m_ProgramsTree, C_ConfigurationPanes::CycleImage,
                                                    NodeKind::CycleReferenceWord | NodeKind::CategoryBits(code), number);
            reference->Data().m_Link = CycleNode(window, code, number);
            program->addChild(reference);
        }
        window.m_ProgramsTree->addTopLevelItem(program);
        program->setExpanded(true);
    }
}

bool FromTree(std::uint8_t* area, C_ConfigurationPanes& window)
{
    QTreeWidgetItem* heading = window.AddDiagnostic(nullptr, Text(Msg::WritingPrograms), C_ConfigurationPanes::Heading);
    if (window.m_ProgramsTree->topLevelItemCount() == 0) {
        window.AddDiagnostic(heading, Text(Msg::NoPrograms), C_ConfigurationPanes::Error);
        return false;
    }
    std::fill(area, area + Size, UnusedByte);
    int record = 0;
    for (QTreeWidgetItemIterator it(window.m_ProgramsTree); *it != nullptr; ++it) {
        const C_NodeData* data = NodeData(*it);
        if (data == nullptr || !(data->m_Kind & NodeKind::Program))
            continue;
        // The area has room for 30 programs, the editor numbers up to 99.
        if (record == Records) {
            window.AddDiagnostic(heading, Text(Msg::TooManyPrograms), C_ConfigurationPanes::Error);
            return false;
        }
        QTreeWidgetItem* line = window.AddDiagnostic(heading, (*it)->text(0), C_ConfigurationPanes::Information);
        if (!WriteProgram(*it, area + record * RecordSize, line, window))
            return false;
        ++record;
    }
    return true;
}

} // namespace ProgramArea
