// The configuration window's part in program insight: what the timeline shows,
// the running times in the trees' tool tips, and selecting a step from outside.
#include "editor/Mdichild.h"

#include "editor/Treenodes.h"
#include "language/Language.h"
#include "language/Messages.h"
#include "model/Eepromformat.h"
#include "model/Labels.h"
#include "model/Nodedata.h"
#include "model/Programtime.h"

#include <QTableWidget>

void TFormMDIChild::ConnectInsight()
{
    // A step selected from outside says so once, when its cycle and column are set.
    const auto fromPrograms = [this] {
        if (m_SelectingStep)
            return;
        m_InsightFromCycles = false;
        emit InsightSelectionChanged();
    };
    const auto fromCycles = [this] {
        if (m_SelectingStep)
            return;
        m_InsightFromCycles = true;
        emit InsightSelectionChanged();
    };
    connect(m_ProgramsTree, &QTreeWidget::currentItemChanged, this, fromPrograms);
    connect(m_ProgramsTree, &QTreeWidget::itemPressed, this, fromPrograms);
    connect(m_CyclesTree, &QTreeWidget::currentItemChanged, this, fromCycles);
    connect(m_CyclesTree, &QTreeWidget::itemPressed, this, fromCycles);
    connect(m_StepsGrid, &QTableWidget::currentCellChanged, this, [this] {
        if (!m_SelectingStep)
            emit InsightSelectionChanged();
    });
}

void TFormMDIChild::CurrentReplaced()
{
    ShowRunningTimes();
    emit ConfigurationChanged();
}

int TFormMDIChild::CycleIndex(const QTreeWidgetItem* node) const
{
    // The value holds the cycles in the tree's order: category by category.
    const C_NodeData* cycle = NodeData(node);
    if (cycle == nullptr || !(cycle->m_Kind & NodeKind::Cycle) || node->parent() == nullptr)
        return -1;
    int index = 0;
    for (int code = 1; code <= NodeKind::CategoryCount; ++code) {
        const QTreeWidgetItem* root = m_CategoryNodes[size_t(code)];
        if (root == node->parent()) {
            index += root->indexOfChild(const_cast<QTreeWidgetItem*>(node));
            return index < int(m_Current.m_Cycles.size()) ? index : -1;
        }
        index += root->childCount();
    }
    return -1;
}

QTreeWidgetItem* TFormMDIChild::CycleNode(const C_Configuration::S_Cycle& cycle) const
{
    const int category = cycle.Category();
    return category >= 1 && category <= NodeKind::CategoryCount
               ? FindChildByNumber(m_CategoryNodes[size_t(category)], cycle.m_Number)
               : nullptr;
}

std::optional<S_TimelineSubject> TFormMDIChild::InsightSubject() const
{
    if (m_InsightFromCycles) {
        const int cycle = CycleIndex(m_CyclesTree->currentItem());
        return cycle >= 0 ? std::optional<S_TimelineSubject>({S_TimelineSubject::Kind::Cycle, cycle}) : std::nullopt;
    }
    QTreeWidgetItem* node = m_ProgramsTree->currentItem();
    if (node != nullptr && node->parent() != nullptr)
        node = node->parent();
    const int program = node != nullptr ? m_ProgramsTree->indexOfTopLevelItem(node) : -1;
    if (program < 0 || size_t(program) >= m_Current.m_Programs.size())
        return std::nullopt;
    return S_TimelineSubject{S_TimelineSubject::Kind::Program, program};
}

std::pair<int, int> TFormMDIChild::CurrentStep() const
{
    const int cycle = CycleIndex(m_DisplayedCycle);
    const int column = m_StepsGrid->currentColumn();
    if (cycle < 0 || column < 1 || size_t(column) > m_Current.m_Cycles[size_t(cycle)].m_Steps->size())
        return {cycle, -1};
    return {cycle, column - 1};
}

void TFormMDIChild::SelectStep(int cycle, int step)
{
    if (cycle < 0 || size_t(cycle) >= m_Current.m_Cycles.size())
        return;
    QTreeWidgetItem* node = CycleNode(m_Current.m_Cycles[size_t(cycle)]);
    if (node == nullptr)
        return;
    m_SelectingStep = true;
    m_CyclesTree->setCurrentItem(node);
    m_CyclesTree->scrollToItem(node);
    if (m_StepsGrid->isVisible() || m_DisplayedCycle == node)
        m_StepsGrid->setCurrentCell(std::max(1, m_StepsGrid->currentRow()), step + 1);
    m_SelectingStep = false;
    emit InsightSelectionChanged();
}

QString TFormMDIChild::SelectionRunningTime() const
{
    const std::optional<S_TimelineSubject> subject = InsightSubject();
    if (!subject || m_Format == nullptr)
        return QString();
    const C_ProgramTiming timing(m_Format->RowLayout());
    QString text = Text(Msg::RunningTime) + QStringLiteral(": ");
    if (subject->m_Kind == S_TimelineSubject::Kind::Program) {
        const C_Configuration::S_Program& program = m_Current.m_Programs[size_t(subject->m_Index)];
        text += Text(Msg::Program) + QLatin1Char(' ') + QString::number(program.m_Number) + QLatin1Char(' ') +
                DurationText(timing.Program(m_Current, program));
    } else {
        const C_Configuration::S_Cycle& cycle = m_Current.m_Cycles[size_t(subject->m_Index)];
        text += CycleCategoryName(NodeKind::CategoryBits(cycle.Category())) + QLatin1Char(' ') +
                QString::number(cycle.m_Number) + QLatin1Char(' ') + DurationText(timing.Cycle(cycle));
    }
    const auto [cycle, step] = CurrentStep();
    if (step >= 0)
        text += QStringLiteral(", ") + Text(Msg::Step) + QLatin1Char(' ') + QString::number(step + 1) +
                QLatin1Char(' ') +
                DurationText(timing.Step((*m_Current.m_Cycles[size_t(cycle)].m_Steps)[size_t(step)]));
    return text;
}

void TFormMDIChild::ShowRunningTimes()
{
    if (m_Format == nullptr)
        return;
    const C_ProgramTiming timing(m_Format->RowLayout());
    const QString label = Text(Msg::RunningTime) + QStringLiteral(": ");
    for (int i = 0; i < m_ProgramsTree->topLevelItemCount() && size_t(i) < m_Current.m_Programs.size(); ++i)
        m_ProgramsTree->topLevelItem(i)->setToolTip(
            0, label + DurationText(timing.Program(m_Current, m_Current.m_Programs[size_t(i)])));
    for (const C_Configuration::S_Cycle& cycle : m_Current.m_Cycles)
        if (QTreeWidgetItem* node = CycleNode(cycle))
            node->setToolTip(0, label + DurationText(timing.Cycle(cycle)));
}
