// The configuration window's commands on programs and cycles, the link of a
// cycle into a program by drag and drop, programs and cycles dragged to other
// windows, and the context menus of the panes.
#include "desktop/Messagebox.h"
#include "editor/Editnumber.h"
#include "editor/Linkdialog.h"
#include "editor/Mdichild.h"
#include "editor/Treenodes.h"
#include "language/Language.h"
#include "language/Messages.h"
#include "model/Configurationedits.h"
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
#include <QTimer>

#include <algorithm>

namespace {

constexpr int HighestNumber = 99;
constexpr int MostReferences = 16;

// A dragged cycle names the window it comes from: cycles are never linked across windows.
const QString CycleMimeType = QStringLiteral("application/x-kw3win-cycle");
// The window a dragged fragment comes from: it is pasted into any other.
const QString WindowMimeType = QStringLiteral("application/x-kw3win-window");

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
    connect(action, &QAction::triggered, this, [this, command, action] { Run(command, CommandTitle(action->text())); });
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
        // The command acts on what was clicked, as the menu suggests; the clipboard's on this pane.
        if (const QModelIndex clicked = view->indexAt(point); clicked.isValid())
            view->setCurrentIndex(clicked);
        view->setFocus(Qt::PopupFocusReason);
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
    m_CopyToClipboardAction = NewCommand(Msg::CopyToClipboard, this, &TFormMDIChild::CopyToClipboard);
    m_PasteFromClipboardAction = NewCommand(Msg::PasteFromClipboard, this, &TFormMDIChild::PasteFromClipboard);
    m_SaveToLibraryAction = NewCommand(Msg::SaveToLibrary, this, &TFormMDIChild::SaveToLibrary);
    // The drag's link, for the keyboard.
    m_LinkToProgramAction = NewCommand(Msg::LinkToProgram, m_CyclesTree, &TFormMDIChild::LinkToProgram);
    m_LinkToProgramAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    // The Edit menu's commands hold the keys; here they show them.
    removeAction(m_CopyToClipboardAction);
    removeAction(m_PasteFromClipboardAction);
    removeAction(m_SaveToLibraryAction);
    m_CopyToClipboardAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    m_PasteFromClipboardAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V));
    m_CopyToClipboardAction->setShortcutContext(Qt::WidgetShortcut);
    m_PasteFromClipboardAction->setShortcutContext(Qt::WidgetShortcut);

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
                            m_PasteProgramAction, nullptr, m_RenameProgramAction, nullptr, m_CopyToClipboardAction,
                            m_PasteFromClipboardAction, m_SaveToLibraryAction});
    m_CyclesPopup = menu({m_NewCycleAction, m_DeleteCycleAction, nullptr, m_CopyCycleAction, m_PasteCycleAction,
                          nullptr, m_RenameCycleAction, m_LinkToProgramAction, nullptr, m_CopyToClipboardAction,
                          m_PasteFromClipboardAction, m_SaveToLibraryAction});
    m_StepsPopup =
        menu({m_InsertStepAction, m_RemoveStepAction, nullptr, m_EditCellAction, nullptr, m_EnableStepFieldAction,
              m_DisableStepFieldAction, nullptr, m_CopyStepAction, m_PasteStepAction, nullptr, m_CopyToClipboardAction,
              m_PasteFromClipboardAction, m_SaveToLibraryAction});
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
    m_CyclesTree->viewport()->setAcceptDrops(true);
}

bool TFormMDIChild::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_StepsGrid && event->type() == QEvent::KeyPress)
        return StepKeyPress(static_cast<QKeyEvent*>(event));
    if (watched == m_CyclesTree->viewport())
        return CycleDragMouse(event) || FragmentDropEvent(event, m_CyclesTree);
    if (watched == m_ProgramsTree->viewport())
        return ProgramDragMouse(event) || ProgramDropEvent(event);
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
        Run(&TFormMDIChild::EditStepCell, CommandTitle(m_EditCellAction->text()));
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

bool TFormMDIChild::DragGesture(QEvent* event, QTreeWidgetItem*& pressed,
                                const std::function<QTreeWidgetItem*(const QPoint&)>& at)
{
    if (event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() == Qt::LeftButton) {
            m_DragStart = press->position().toPoint();
            pressed = at(m_DragStart);
        }
        return false;
    }
    if (event->type() != QEvent::MouseMove)
        return false;
    const auto* move = static_cast<QMouseEvent*>(event);
    return (move->buttons() & Qt::LeftButton) &&
           (move->position().toPoint() - m_DragStart).manhattanLength() >= QApplication::startDragDistance() &&
           pressed != nullptr;
}

bool TFormMDIChild::CycleDragMouse(QEvent* event)
{
    if (!DragGesture(event, m_DraggedCycle, [this](const QPoint& point) { return CycleAt(point); }))
        return false;
    // The drop links the displayed cycle: the one dragged.
    if (m_DraggedCycle != m_DisplayedCycle)
        m_CyclesTree->setCurrentItem(m_DraggedCycle);
    m_DraggedCycle = nullptr;
    auto* drag = new QDrag(m_CyclesTree);
    QMimeData* mime = FragmentDragData(CycleFragment(m_Current, size_t(CycleIndex(m_DisplayedCycle))));
    mime->setData(CycleMimeType, WindowIdentity(this));
    drag->setMimeData(mime);
    drag->setPixmap(m_DisplayedCycle->icon(0).pixmap(16, 16));
    drag->exec(Qt::LinkAction | Qt::CopyAction, Qt::LinkAction);
    return true;
}

bool TFormMDIChild::ProgramDragMouse(QEvent* event)
{
    const auto programAt = [this](const QPoint& point) {
        QTreeWidgetItem* node = m_ProgramsTree->itemAt(point);
        return node != nullptr && node->parent() == nullptr ? node : nullptr;
    };
    if (!DragGesture(event, m_DraggedProgram, programAt))
        return false;
    const int program = m_ProgramsTree->indexOfTopLevelItem(m_DraggedProgram);
    QTreeWidgetItem* dragged = m_DraggedProgram;
    m_DraggedProgram = nullptr;
    if (program < 0 || size_t(program) >= m_Current.m_Programs.size())
        return false;
    auto* drag = new QDrag(m_ProgramsTree);
    drag->setMimeData(FragmentDragData(ProgramFragment(m_Current, size_t(program))));
    drag->setPixmap(dragged->icon(0).pixmap(16, 16));
    drag->exec(Qt::CopyAction, Qt::CopyAction);
    return true;
}

QMimeData* TFormMDIChild::FragmentDragData(const S_Fragment& fragment) const
{
    auto* mime = new QMimeData;
    mime->setData(QLatin1String(ConfigurationText::FragmentMimeType), FragmentText(fragment));
    mime->setData(WindowMimeType, WindowIdentity(this));
    return mime;
}

bool TFormMDIChild::IsForeignFragment(const QMimeData* mime) const
{
    return mime->hasFormat(QLatin1String(ConfigurationText::FragmentMimeType)) &&
           mime->data(WindowMimeType) != WindowIdentity(this);
}

bool TFormMDIChild::FragmentDropEvent(QEvent* event, QTreeWidget* tree)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    // Entering and moving are drop events too, taken on the same terms as the drop.
    auto* drop = static_cast<QDropEvent*>(event);
    if (!IsForeignFragment(drop->mimeData()) || m_Format == nullptr || !tree->isEnabled()) {
        drop->ignore();
        return true;
    }
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type != QEvent::Drop)
        return true;
    if (QTreeWidgetItem* at = tree->itemAt(drop->position().toPoint()))
        tree->setCurrentItem(at);
    tree->setFocus(Qt::OtherFocusReason);
    // Pasted once the drag is over: the paste may ask its questions.
    const QByteArray text = drop->mimeData()->data(QLatin1String(ConfigurationText::FragmentMimeType));
    QTimer::singleShot(0, this, [this, text] {
        if (m_Format != nullptr)
            PasteFragment(CommandTitle(m_PasteFromClipboardAction->text()), text);
    });
    return true;
}

bool TFormMDIChild::ProgramDropEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (IsForeignFragment(drag->mimeData()))
            return FragmentDropEvent(event, m_ProgramsTree);
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
        if (IsForeignFragment(drop->mimeData()))
            return FragmentDropEvent(event, m_ProgramsTree);
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
    const int cycle = CycleIndex(m_DisplayedCycle);
    QTreeWidgetItem* target = m_ProgramsTree->itemAt(point);
    if (cycle < 0 || target == nullptr || m_Format == nullptr)
        return;
    QTreeWidgetItem* program = NodeData(target)->m_Kind == NodeKind::ProgramWord ? target : target->parent();
    if (program == nullptr)
        return;
    LinkCycleInto(cycle, m_ProgramsTree->indexOfTopLevelItem(program),
                  target == program ? 0 : size_t(program->indexOfChild(target) + 1));
}

void TFormMDIChild::LinkToProgram(const QString&)
{
    const int cycle = CycleIndex(m_CyclesTree->currentItem());
    if (cycle < 0 || m_Format == nullptr)
        return;
    if (m_ProgramsTree->topLevelItemCount() == 0) {
        C_MessageBox::Show(Text(Msg::LinkNoProgram), CommandTitle(m_LinkToProgramAction->text()),
                           C_MessageBox::Icon::Information, C_MessageBox::Buttons::Ok, this);
        return;
    }
    S_LinkChoices choices{m_CyclesTree->currentItem()->text(0), {}};
    for (int p = 0; p < m_ProgramsTree->topLevelItemCount(); ++p) {
        const QTreeWidgetItem* program = m_ProgramsTree->topLevelItem(p);
        S_LinkChoices::S_Program& entry = choices.m_Programs.emplace_back();
        entry.m_Name = program->text(0);
        for (int c = 0; c < program->childCount(); ++c)
            entry.m_Cycles << program->child(c)->text(0);
    }
    if (const std::optional<S_LinkPlace> place = TLinkDialog::Ask(this, choices))
        LinkCycleInto(cycle, int(place->m_Program), place->m_Position);
}

void TFormMDIChild::LinkCycleInto(int cycle, int program, std::size_t position)
{
    QTreeWidgetItem* node = m_ProgramsTree->topLevelItem(program);
    if (node == nullptr)
        return;
    if (node->childCount() >= MostReferences) {
        C_MessageBox::Show(Text(Msg::TooManyReferences) + QLatin1Char(' ') + node->text(0), QStringLiteral("KW3 Win 2"),
                           C_MessageBox::Icon::Warning, C_MessageBox::Buttons::Ok, this);
        return;
    }
    C_Configuration after = m_Current;
    ConfigurationEdit::LinkCycle(after, size_t(program), position, size_t(cycle));
    Commit(Text(Msg::LinkCycleChange), std::move(after));
    m_ProgramsTree->topLevelItem(program)->setExpanded(true);
}

// ---- Programs

int TFormMDIChild::NextProgramNumber() const
{
    for (int n = 1;; ++n)
        if (std::none_of(m_Current.m_Programs.begin(), m_Current.m_Programs.end(),
                         [n](const C_Configuration::S_Program& program) { return program.m_Number == n; }))
            return n;
}

int TFormMDIChild::NextCycleNumber(const QTreeWidgetItem* categoryRoot)
{
    int n = 1;
    while (FindChildByNumber(categoryRoot, n) != nullptr)
        ++n;
    return n;
}

bool TFormMDIChild::ProgramNumberLeft(int number)
{
    if (number <= HighestNumber)
        return true;
    C_MessageBox::Show(Text(Msg::AllProgramNumbersUsed), Text(Msg::Warning), C_MessageBox::Icon::Warning,
                       C_MessageBox::Buttons::Ok, this);
    return false;
}

void TFormMDIChild::NewProgram(const QString& name)
{
    const int n = NextProgramNumber();
    if (!ProgramNumberLeft(n))
        return;
    C_Configuration after = m_Current;
    const size_t program = ConfigurationEdit::AddProgram(after, n);
    Commit(name, std::move(after));
    m_ProgramsTree->setCurrentItem(m_ProgramsTree->topLevelItem(int(program)));
}

void TFormMDIChild::DeleteProgram(const QString& name)
{
    QTreeWidgetItem* node = m_ProgramsTree->currentItem();
    if (node == nullptr)
        return;
    C_Configuration after = m_Current;
    if (QTreeWidgetItem* program = node->parent())
        ConfigurationEdit::RemoveReference(after, size_t(m_ProgramsTree->indexOfTopLevelItem(program)),
                                           size_t(program->indexOfChild(node)));
    else
        ConfigurationEdit::RemoveProgram(after, size_t(m_ProgramsTree->indexOfTopLevelItem(node)));
    Commit(name, std::move(after));
}

void TFormMDIChild::CopyProgram(const QString&)
{
    if (m_ProgramsTree->currentItem() != nullptr)
        m_CopiedProgram = m_ProgramsTree->currentItem();
}

void TFormMDIChild::PasteProgram(const QString& name)
{
    if (m_CopiedProgram == nullptr)
        return;
    const int n = NextProgramNumber();
    if (!ProgramNumberLeft(n))
        return;
    // A copied reference is a program of its own with nothing in it.
    const int copied = m_ProgramsTree->indexOfTopLevelItem(m_CopiedProgram);
    C_Configuration after = m_Current;
    ConfigurationEdit::AddProgram(
        after, n, copied >= 0 ? m_Current.m_Programs[size_t(copied)].m_References : ConfigurationEdit::References());
    Commit(name, std::move(after));
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

void TFormMDIChild::RenameProgram(const QString& name)
{
    QTreeWidgetItem* node = m_ProgramsTree->currentItem();
    const C_NodeData* program = NodeData(node);
    if (program == nullptr || !(program->m_Kind & NodeKind::Program))
        return;
    const int index = m_ProgramsTree->indexOfTopLevelItem(node);
    const int number = AskFreeNumber(program->m_Number, Msg::RenameProgramTitle, Msg::ProgramNumberPrompt, [&](int n) {
        for (size_t i = 0; i < m_Current.m_Programs.size(); ++i)
            if (int(i) != index && m_Current.m_Programs[i].m_Number == n)
                return true;
        return false;
    });
    if (number < 0 || number == program->m_Number)
        return;
    const bool expanded = node->isExpanded();
    C_Configuration after = m_Current;
    ConfigurationEdit::RenumberProgram(after, size_t(index), number);
    Commit(name, std::move(after));
    m_ProgramsTree->topLevelItem(index)->setExpanded(expanded);
}

// ---- Cycles

void TFormMDIChild::NewCycle(const QString& name)
{
    QTreeWidgetItem* root = m_CyclesTree->currentItem();
    const C_NodeData* nodeData = NodeData(root);
    if (nodeData == nullptr || !(nodeData->m_Kind & NodeKind::CategoryRoot))
        return;
    C_Configuration after = m_Current;
    ConfigurationEdit::AddCycle(after, NodeKind::CategoryCode(nodeData->m_Kind), NextCycleNumber(root));
    Commit(name, std::move(after));
    root->setExpanded(true);
}

void TFormMDIChild::DeleteCycle(const QString& name)
{
    QTreeWidgetItem* node = m_CyclesTree->currentItem();
    const C_NodeData* nodeData = NodeData(node);
    const int cycle = CycleIndex(node);
    if (nodeData == nullptr || !(nodeData->m_Kind & NodeKind::Deletable) || cycle < 0)
        return;
    C_Configuration after = m_Current;
    ConfigurationEdit::RemoveCycle(after, size_t(cycle), StepRecords());
    // The grid follows the selection the tree moves to.
    Commit(name, std::move(after));
}

void TFormMDIChild::CopyCycle(const QString&)
{
    QTreeWidgetItem* node = m_CyclesTree->currentItem();
    const C_NodeData* nodeData = NodeData(node);
    if (nodeData != nullptr && !(nodeData->m_Kind & NodeKind::CategoryRoot))
        m_CopiedCycle = node;
}

void TFormMDIChild::PasteCycle(const QString& name)
{
    QTreeWidgetItem* root = m_CyclesTree->currentItem();
    const C_NodeData* rootData = NodeData(root);
    const int source = CycleIndex(m_CopiedCycle);
    if (source < 0 || rootData == nullptr || !(rootData->m_Kind & NodeKind::CategoryRoot))
        return;
    C_Configuration after = m_Current;
    if (!ConfigurationEdit::CopyCycle(after, size_t(source), NodeKind::CategoryCode(rootData->m_Kind),
                                      NextCycleNumber(root))) {
        C_MessageBox::Show(Text(Msg::NoStepsForCycleCopy), Text(Msg::PasteCycle), C_MessageBox::Icon::Error,
                           C_MessageBox::Buttons::Ok, this);
        return;
    }
    Commit(name, std::move(after));
    root->setExpanded(true);
}

void TFormMDIChild::RenameCycle(const QString& name)
{
    QTreeWidgetItem* node = m_CyclesTree->currentItem();
    const C_NodeData* cycle = NodeData(node);
    if (cycle == nullptr || (cycle->m_Kind & NodeKind::Group) || node->parent() == nullptr || CycleIndex(node) < 0)
        return;
    const int number = AskFreeNumber(cycle->m_Number, Msg::RenameCycleTitle, Msg::CycleNumberPrompt, [node](int n) {
        const QTreeWidgetItem* same = FindChildByNumber(node->parent(), n);
        return same != nullptr && same != node;
    });
    if (number < 0 || number == cycle->m_Number)
        return;
    C_Configuration after = m_Current;
    ConfigurationEdit::RenumberCycle(after, size_t(CycleIndex(node)), number);
    Commit(name, std::move(after));
}
