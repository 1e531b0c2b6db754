// The configuration window's commands on programs and cycles, the link of a
// cycle into a program by drag and drop, and the context menus of the panes.
#include "desktop/Messagebox.h"
#include "editor/Editnumber.h"
#include "editor/Mdichild.h"
#include "editor/Treenodes.h"
#include "language/Language.h"
#include "language/Messages.h"
#include "model/Eepromformat.h"
#include "model/Labels.h"

#include <QAction>
#include <QApplication>
#include <QDrag>
#include <QDragMoveEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QTableWidget>
#include <QTreeWidgetItemIterator>

namespace {

constexpr int HighestNumber = 99;
constexpr int MostReferences = 16;

// A dragged cycle names the window it comes from: cycles are never linked across windows.
const QString CycleMimeType = QStringLiteral("application/x-kw3win-cycle");

QByteArray WindowIdentity(const QObject* window)
{
    return QByteArray::number(quintptr(window));
}

} // namespace

// ---- Commands and menus

QAction* TFormMDIChild::NewCommand(std::int16_t caption, QWidget* pane, Command command)
{
    auto* action = new QAction(Text(caption), this);
    // A shortcut acts in its own pane only, so the panes' Ctrl+C never meets another's.
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    pane->addAction(action);
    connect(action, &QAction::triggered, this, [this, command, action] { Run(command, CommandName(action)); });
    return action;
}

void TFormMDIChild::AttachMenu(QWidget* pane, QMenu* menu)
{
    pane->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(pane, &QWidget::customContextMenuRequested, this, [pane, menu](const QPoint& point) {
        auto* view = qobject_cast<QAbstractItemView*>(pane);
        if (view == nullptr) {
            menu->popup(pane->mapToGlobal(point));
            return;
        }
        // The command acts on what was clicked, as the menu suggests.
        if (const QModelIndex clicked = view->indexAt(point); clicked.isValid())
            view->setCurrentIndex(clicked);
        menu->popup(view->viewport()->mapToGlobal(point));
    });
}

void TFormMDIChild::BuildCommands()
{
    m_NewProgramAction = NewCommand(Msg::NewProgram, m_ProgramsTree, &TFormMDIChild::NewProgram);
    m_DeleteProgramAction = NewCommand(Msg::DeleteProgram, m_ProgramsTree, &TFormMDIChild::DeleteProgram);
    m_CopyProgramAction = NewCommand(Msg::CopyProgram, m_ProgramsTree, &TFormMDIChild::CopyProgram);
    m_PasteProgramAction = NewCommand(Msg::PasteProgram, m_ProgramsTree, &TFormMDIChild::PasteProgram);
    m_RenameProgramAction = NewCommand(Msg::RenameProgram, m_ProgramsTree, &TFormMDIChild::RenameProgram);
    m_NewCycleAction = NewCommand(Msg::NewCycle, m_CyclesTree, &TFormMDIChild::NewCycle);
    m_DeleteCycleAction = NewCommand(Msg::DeleteCycle, m_CyclesTree, &TFormMDIChild::DeleteCycle);
    m_CopyCycleAction = NewCommand(Msg::CopyCycle, m_CyclesTree, &TFormMDIChild::CopyCycle);
    m_PasteCycleAction = NewCommand(Msg::PasteCycle, m_CyclesTree, &TFormMDIChild::PasteCycle);
    m_RenameCycleAction = NewCommand(Msg::RenameCycle, m_CyclesTree, &TFormMDIChild::RenameCycle);
    m_InsertStepAction = NewCommand(Msg::InsertStep, m_StepsGrid, &TFormMDIChild::InsertStep);
    m_RemoveStepAction = NewCommand(Msg::DeleteStep, m_StepsGrid, &TFormMDIChild::RemoveStep);
    m_EditCellAction = NewCommand(Msg::EditCell, m_StepsGrid, &TFormMDIChild::EditStepCell);
    m_EnableStepFieldAction = NewCommand(Msg::EnableField, m_StepsGrid, &TFormMDIChild::EnableStepField);
    m_DisableStepFieldAction = NewCommand(Msg::DisableField, m_StepsGrid, &TFormMDIChild::DisableStepField);
    m_CopyStepAction = NewCommand(Msg::CopyStep, m_StepsGrid, &TFormMDIChild::CopyStep);
    m_PasteStepAction = NewCommand(Msg::PasteStep, m_StepsGrid, &TFormMDIChild::PasteStep);
    m_MotorEnableAction = NewCommand(Msg::MotorEnable, m_MotorGrid, &TFormMDIChild::MotorEnable);
    m_MotorDisableAction = NewCommand(Msg::MotorDisable, m_MotorGrid, &TFormMDIChild::MotorDisable);
    m_MotorEditAction = NewCommand(Msg::MotorEdit, m_MotorGrid, &TFormMDIChild::MotorEdit);
    m_DiagnosticClearAction = NewCommand(Msg::ClearDiagnostics, m_DiagnosticTree, &TFormMDIChild::DiagnosticClear);

    for (QAction* insert : {m_NewProgramAction, m_NewCycleAction, m_InsertStepAction})
        insert->setShortcut(Qt::Key_Insert);
    for (QAction* remove : {m_DeleteProgramAction, m_DeleteCycleAction, m_RemoveStepAction})
        remove->setShortcut(Qt::Key_Delete);
    for (QAction* copy : {m_CopyProgramAction, m_CopyCycleAction, m_CopyStepAction})
        copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    for (QAction* paste : {m_PasteProgramAction, m_PasteCycleAction, m_PasteStepAction})
        paste->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    m_EditCellAction->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    // A held Enter edits once: an output would toggle on and off, a dialog reopen.
    m_EditCellAction->setAutoRepeat(false);
    m_DiagnosticClearAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));

    const auto menu = [this](std::initializer_list<QAction*> actions) {
        auto* popup = new QMenu(this);
        for (QAction* action : actions) {
            if (action != nullptr)
                popup->addAction(action);
            else
                popup->addSeparator();
        }
        return popup;
    };
    m_ProgramsPopup = menu({m_NewProgramAction, m_DeleteProgramAction, nullptr, m_CopyProgramAction,
                            m_PasteProgramAction, nullptr, m_RenameProgramAction});
    m_CyclesPopup = menu({m_NewCycleAction, m_DeleteCycleAction, nullptr, m_CopyCycleAction, m_PasteCycleAction,
                          nullptr, m_RenameCycleAction});
    m_StepsPopup =
        menu({m_InsertStepAction, m_RemoveStepAction, nullptr, m_EditCellAction, nullptr, m_EnableStepFieldAction,
              m_DisableStepFieldAction, nullptr, m_CopyStepAction, m_PasteStepAction});
    m_MotorPopup = menu({m_MotorEnableAction, m_MotorDisableAction, nullptr, m_MotorEditAction});
    m_DiagnosticPopup = menu({m_DiagnosticClearAction});
    AttachMenu(m_ProgramsTree, m_ProgramsPopup);
    AttachMenu(m_CyclesTree, m_CyclesPopup);
    AttachMenu(m_StepsGrid, m_StepsPopup);
    AttachMenu(m_MotorGrid, m_MotorPopup);
    AttachMenu(m_DiagnosticTree, m_DiagnosticPopup);

    m_CyclesTree->viewport()->installEventFilter(this);
    m_ProgramsTree->viewport()->installEventFilter(this);
    m_ProgramsTree->viewport()->setAcceptDrops(true);
}

bool TFormMDIChild::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_StepsGrid && event->type() == QEvent::KeyPress)
        return StepKeyPress(static_cast<QKeyEvent*>(event));
    if (watched == m_CyclesTree->viewport())
        return CycleDragMouse(event);
    if (watched == m_ProgramsTree->viewport())
        return ProgramDropEvent(event);
    return C_ConfigurationPanes::eventFilter(watched, event);
}

bool TFormMDIChild::StepKeyPress(QKeyEvent* event)
{
    // Typing into a cell edits it, as a double click does.
    const bool typed = !event->text().isEmpty() && event->text().at(0).isPrint() &&
                       !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (!typed)
        return false;
    // A held key types once.
    if (!event->isAutoRepeat())
        Run(&TFormMDIChild::EditStepCell, CommandName(m_EditCellAction));
    return true;
}

// ---- Link cycle: a cycle dragged from the cycles tree onto a program

QTreeWidgetItem* TFormMDIChild::CycleAt(const QPoint& point) const
{
    // Only a cycle's row: not empty space, not a category root or its arrow.
    QTreeWidgetItem* node = m_CyclesTree->itemAt(point);
    const C_NodeData* pressed = NodeData(node);
    return pressed != nullptr && pressed->IsCycle() ? node : nullptr;
}

bool TFormMDIChild::CycleDragMouse(QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() == Qt::LeftButton) {
            m_DragStart = press->position().toPoint();
            m_DraggedCycle = CycleAt(m_DragStart);
        }
        return false;
    }
    if (event->type() != QEvent::MouseMove)
        return false;
    const auto* move = static_cast<QMouseEvent*>(event);
    if (!(move->buttons() & Qt::LeftButton) ||
        (move->position().toPoint() - m_DragStart).manhattanLength() < QApplication::startDragDistance() ||
        m_DraggedCycle == nullptr)
        return false;
    // The drop links the displayed cycle: the one dragged.
    if (m_DraggedCycle != m_DisplayedCycle)
        m_CyclesTree->setCurrentItem(m_DraggedCycle);
    m_DraggedCycle = nullptr;
    auto* drag = new QDrag(m_CyclesTree);
    auto* mime = new QMimeData;
    mime->setData(CycleMimeType, WindowIdentity(this));
    drag->setMimeData(mime);
    drag->setPixmap(m_DisplayedCycle->icon(0).pixmap(16, 16));
    drag->exec(Qt::LinkAction | Qt::CopyAction, Qt::LinkAction);
    return true;
}

bool TFormMDIChild::ProgramDropEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        const bool ours = drag->mimeData()->data(CycleMimeType) == WindowIdentity(this);
        if (ours) {
            drag->setDropAction(Qt::LinkAction);
            drag->accept();
            MarkDropTarget(m_ProgramsTree->itemAt(drag->position().toPoint()));
        } else {
            drag->ignore();
        }
        return true;
    }
    case QEvent::DragLeave: MarkDropTarget(nullptr); return true;
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        MarkDropTarget(nullptr);
        if (drop->mimeData()->data(CycleMimeType) != WindowIdentity(this)) {
            drop->ignore();
            return true;
        }
        drop->setDropAction(Qt::LinkAction);
        drop->accept();
        ProgramTreeDragDrop(drop->position().toPoint());
        return true;
    }
    default: return false;
    }
}

void TFormMDIChild::MarkDropTarget(QTreeWidgetItem* node)
{
    if (node == m_DropTarget)
        return;
    if (m_DropTarget != nullptr)
        m_DropTarget->setBackground(0, QBrush());
    m_DropTarget = node;
    if (m_DropTarget != nullptr)
        m_DropTarget->setBackground(0, palette().color(QPalette::Highlight).lighter(170));
}

void TFormMDIChild::ProgramTreeDragDrop(const QPoint& point)
{
    const C_NodeData* cycle = NodeData(m_DisplayedCycle);
    QTreeWidgetItem* target = m_ProgramsTree->itemAt(point);
    if (cycle == nullptr || target == nullptr || m_Format == nullptr)
        return;
    QTreeWidgetItem* program = NodeData(target)->m_Kind == NodeKind::ProgramWord ? target : target->parent();
    if (program == nullptr)
        return;
    if (program->childCount() >= MostReferences) {
        C_MessageBox::Show(Text(Msg::TooManyReferences) + QLatin1Char(' ') + program->text(0),
                           QStringLiteral("KW3 Win 2"), C_MessageBox::Icon::Warning, C_MessageBox::Buttons::Ok, this);
        return;
    }
    QTreeWidgetItem* reference =
        AddNodeWithData(m_ProgramsTree, program, CycleImage,
                        NodeKind::CycleReferenceWord | (cycle->m_Kind & NodeKind::CategoryMask), cycle->m_Number);
    NodeData(reference)->m_Link = m_DisplayedCycle;
    program->takeChild(program->indexOfChild(reference));
    program->insertChild(target == program ? 0 : program->indexOfChild(target) + 1, reference);
    program->setExpanded(true);
    Remember(Text(Msg::LinkCycleChange));
}

// ---- Programs

int TFormMDIChild::NextProgramNumber() const
{
    for (int n = 1;; ++n) {
        bool taken = false;
        for (int i = 0; i < m_ProgramsTree->topLevelItemCount() && !taken; ++i)
            taken = NodeData(m_ProgramsTree->topLevelItem(i))->m_Number == n;
        if (!taken)
            return n;
    }
}

int TFormMDIChild::NextCycleNumber(const QTreeWidgetItem* categoryRoot)
{
    int n = 1;
    while (FindChildByNumber(categoryRoot, n) != nullptr)
        ++n;
    return n;
}

bool TFormMDIChild::NewProgram()
{
    const int n = NextProgramNumber();
    if (n > HighestNumber) {
        C_MessageBox::Show(Text(Msg::AllProgramNumbersUsed), Text(Msg::Warning), C_MessageBox::Icon::Warning,
                           C_MessageBox::Buttons::Ok, this);
        return false;
    }
    m_ProgramsTree->setCurrentItem(AddNodeWithData(m_ProgramsTree, nullptr, ProgramImage, NodeKind::ProgramWord, n));
    return true;
}

bool TFormMDIChild::DeleteProgram()
{
    QTreeWidgetItem* node = m_ProgramsTree->currentItem();
    if (node == nullptr)
        return false;
    if (m_CopiedProgram == node || (m_CopiedProgram != nullptr && m_CopiedProgram->parent() == node))
        m_CopiedProgram = nullptr;
    if (m_DropTarget == node || (m_DropTarget != nullptr && m_DropTarget->parent() == node))
        m_DropTarget = nullptr;
    DeleteNodeWithChildren(node);
    return true;
}

bool TFormMDIChild::CopyProgram()
{
    if (m_ProgramsTree->currentItem() != nullptr)
        m_CopiedProgram = m_ProgramsTree->currentItem();
    return false;
}

bool TFormMDIChild::PasteProgram()
{
    if (m_CopiedProgram == nullptr)
        return false;
    const int n = NextProgramNumber();
    if (n > HighestNumber) {
        C_MessageBox::Show(Text(Msg::AllProgramNumbersUsed), Text(Msg::Warning), C_MessageBox::Icon::Warning,
                           C_MessageBox::Buttons::Ok, this);
        return false;
    }
    QTreeWidgetItem* program = AddNodeWithData(m_ProgramsTree, nullptr, ProgramImage, NodeKind::ProgramWord, n);
    for (int i = 0; i < m_CopiedProgram->childCount(); ++i) {
        const C_NodeData& source = *NodeData(m_CopiedProgram->child(i));
        QTreeWidgetItem* reference =
            AddNodeWithData(m_ProgramsTree, program, CycleImage, source.m_Kind, source.m_Number);
        NodeData(reference)->m_Link = source.m_Link;
    }
    program->setExpanded(true);
    return true;
}

int TFormMDIChild::AskFreeNumber(int number, std::int16_t title, std::int16_t prompt,
                                 const std::function<bool(int)>& taken)
{
    std::int32_t entry = number;
    for (;;) {
        TFormEditNumber dialog(this, &entry, QString(), HighestNumber, 1, Text(prompt), Text(title));
        if (dialog.exec() != QDialog::Accepted)
            return -1;
        if (!taken(entry))
            return entry;
        if (C_MessageBox::Show(Text(Msg::NumberInUse), Text(prompt), C_MessageBox::Icon::Warning,
                               C_MessageBox::Buttons::OkCancel, this) == C_MessageBox::Answer::Cancel)
            return -1;
    }
}

bool TFormMDIChild::RenameProgram()
{
    QTreeWidgetItem* node = m_ProgramsTree->currentItem();
    C_NodeData* program = NodeData(node);
    if (program == nullptr || !(program->m_Kind & NodeKind::Program))
        return false;
    const int number =
        AskFreeNumber(program->m_Number, Msg::RenameProgramTitle, Msg::ProgramNumberPrompt, [this, node](int n) {
            for (int i = 0; i < m_ProgramsTree->topLevelItemCount(); ++i) {
                QTreeWidgetItem* other = m_ProgramsTree->topLevelItem(i);
                if (other != node && NodeData(other)->m_Number == n)
                    return true;
            }
            return false;
        });
    if (number < 0 || number == program->m_Number)
        return false;
    program->m_Number = number;
    node->setText(0, NodeLabel(*program));
    return true;
}

// ---- Cycles

bool TFormMDIChild::NewCycle()
{
    QTreeWidgetItem* root = m_CyclesTree->currentItem();
    const C_NodeData* nodeData = NodeData(root);
    if (nodeData == nullptr || !(nodeData->m_Kind & NodeKind::CategoryRoot))
        return false;
    AddNodeWithData(m_CyclesTree, root, CycleImage, NodeKind::CycleWord | (nodeData->m_Kind & NodeKind::CategoryMask),
                    NextCycleNumber(root));
    root->setExpanded(true);
    return true;
}

void TFormMDIChild::UnlinkCycle(QTreeWidgetItem* cycle)
{
    for (QTreeWidgetItemIterator it(m_ProgramsTree); *it != nullptr; ++it)
        if (C_NodeData* reference = NodeData(*it); reference != nullptr && reference->m_Link == cycle)
            reference->m_Link = nullptr;
    if (m_CopiedCycle == cycle)
        m_CopiedCycle = nullptr;
    if (m_DisplayedCycle == cycle) {
        m_DisplayedCycle = nullptr;
        ShowCycle(nullptr);
    }
}

bool TFormMDIChild::DeleteCycle()
{
    QTreeWidgetItem* node = m_CyclesTree->currentItem();
    const C_NodeData* nodeData = NodeData(node);
    if (nodeData == nullptr || !(nodeData->m_Kind & NodeKind::Deletable))
        return false;
    ShowFreeSteps(m_Format->ReserveSteps(-(nodeData->m_Content->StepCount() - 1)));
    UnlinkCycle(node);
    DeleteNodeWithChildren(node);
    // The grid follows the selection the tree moved to.
    CycleSelectAtNode(m_CyclesTree->currentItem());
    return true;
}

bool TFormMDIChild::CopyCycle()
{
    QTreeWidgetItem* node = m_CyclesTree->currentItem();
    const C_NodeData* nodeData = NodeData(node);
    if (nodeData != nullptr && !(nodeData->m_Kind & NodeKind::CategoryRoot))
        m_CopiedCycle = node;
    return false;
}

bool TFormMDIChild::PasteCycle()
{
    QTreeWidgetItem* root = m_CyclesTree->currentItem();
    const C_NodeData* rootData = NodeData(root);
    if (m_CopiedCycle == nullptr || rootData == nullptr || !(rootData->m_Kind & NodeKind::CategoryRoot))
        return false;
    const C_CycleContent& source = *NodeData(m_CopiedCycle)->m_Content;
    const int entries = source.StepCount();
    std::int32_t free = m_Format->ReserveSteps(0);
    if (free < entries) {
        C_MessageBox::Show(Text(Msg::NoStepsForCycleCopy), Text(Msg::PasteCycle), C_MessageBox::Icon::Error,
                           C_MessageBox::Buttons::Ok, this);
        return false;
    }
    QTreeWidgetItem* cycle =
        AddNodeWithData(m_CyclesTree, root, CycleImage,
                        NodeKind::CycleWord | (rootData->m_Kind & NodeKind::CategoryMask), NextCycleNumber(root));
    C_CycleContent& copy = *NodeData(cycle)->m_Content;
    // From the last step to the first, so a paste stopped by the budget keeps the cycle's end.
    for (int k = entries - 2; k >= 0; --k) {
        const std::int32_t left = m_Format->ReserveSteps(1);
        if (left < 0) {
            C_MessageBox::Show(Text(Msg::NoFreeSteps), Text(Msg::PasteCycle), C_MessageBox::Icon::Error,
                               C_MessageBox::Buttons::Ok, this);
            break;
        }
        free = left;
        copy.InsertStep(0)->CopyValues(*source.GetStep(k));
    }
    cycle->setText(0, NodeLabel(*NodeData(cycle)));
    ShowFreeSteps(free);
    root->setExpanded(true);
    return true;
}

bool TFormMDIChild::RenameCycle()
{
    QTreeWidgetItem* node = m_CyclesTree->currentItem();
    C_NodeData* cycle = NodeData(node);
    if (cycle == nullptr || (cycle->m_Kind & NodeKind::Group) || node->parent() == nullptr)
        return false;
    const int number = AskFreeNumber(cycle->m_Number, Msg::RenameCycleTitle, Msg::CycleNumberPrompt, [node](int n) {
        const QTreeWidgetItem* same = FindChildByNumber(node->parent(), n);
        return same != nullptr && same != node;
    });
    if (number < 0 || number == cycle->m_Number)
        return false;
    cycle->m_Number = number;
    node->setText(0, NodeLabel(*cycle));
    for (QTreeWidgetItemIterator it(m_ProgramsTree); *it != nullptr; ++it)
        if (C_NodeData* reference = NodeData(*it); reference != nullptr && reference->m_Link == node) {
            reference->m_Number = number;
            (*it)->setText(0, NodeLabel(*reference));
        }
    RepaintStepsGrid();
    return true;
}
