#pragma once

#include "document/Fragments.h"
#include "document/Recoverycopy.h"
#include "editor/Configurationpanes.h"
#include "editor/Gridcells.h"
#include "model/Configuration.h"
#include "model/Cyclecontent.h"
#include "print/Timeline.h"
#include "transfer/Transferjob.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class C_Context;
class C_EEPROMFormat;
class C_RowProperty;
class C_RunningTransfer;
class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QMimeData;
class QTreeWidget;
class QSplitter;
class QUndoStack;

// The document window of one configuration: the panes laid out in three columns,
// the format that converts it, and every editing command. The window holds the
// configuration as a value; a command works out the value after it, and the
// panes are views that show it.
class TFormMDIChild : public C_ConfigurationPanes
{
    Q_OBJECT

public:
    explicit TFormMDIChild(C_Context& context, QWidget* parent = nullptr);
    ~TFormMDIChild() override;

    // Puts the window into the frame, maximised.
    QMdiSubWindow* OpenIn(QMdiArea& frame);

    // The path of the configuration file; the caption shows it with the modified mark.
    const QString& Path() const { return m_Path; }
    void SetPath(const QString& path);
    // The file the window last read or wrote (a text document, an old file, the
    // path it was saved to), as it was then; empty for none.
    const QString& LastFile() const { return m_LastFile; }
    // The file at Path() holds this configuration, or a recovery copy of work on it.
    bool PathIsItsFile() const { return m_PathIsOurs; }
    const S_FileStamp& LastFileStamp() const { return m_LastFileStamp; }

    // The window's one format: shown at once, with the free steps and outputs boxes.
    void BindFormat(std::unique_ptr<C_EEPROMFormat> format);
    // Creates the format of the code and reads the file into it; false for a code of no format.
    // The configuration came from a file it is not saved as (a text document): it
    // counts as changed, and the first Save asks for a name.
    void TreatAsUnsaved();
    bool LoadConfiguration(const QString& path, std::uint16_t formatCode);
    // Checks, builds and writes the configuration; the reasons of a failure are in
    // the diagnostic tree, which is then made readable.
    bool SaveConfiguration(const QString& path);
    // The Save command: under the window's path; a window that has never been
    // saved asks for a name before it replaces another file of its name.
    bool Save();
    // The Save As command: a new path chosen, kept even when saving to it fails.
    bool SaveAs();
    // Start a transfer on its worker thread; false when none could start (a check
    // failed, or another transfer runs). TransferEnded tells how it ended.
    bool StartDownload();
    bool StartUpload();
    // The window's transfer while it runs, or null. Meanwhile the configuration
    // cannot be edited, saved or closed.
    C_RunningTransfer* Transfer() const { return m_Transfer.get(); }

    C_EEPROMFormat* Format() const { return m_Format.get(); }
    bool IsModified() const { return m_Modified; }

    // Work that no file holds: changes not saved, or a configuration that never was in a file.
    bool HoldsUnsavedWork() const { return m_Format != nullptr && (m_Modified || !m_InAFile); }
    // What a recovery copy keeps of the configuration now: the value, the image
    // bytes a Save keeps, and the file it belongs to.
    S_RecoverySnapshot RecoverySnapshot();
    // Shows a recovered configuration as it was: marked modified, under its path or
    // its name; when its file changed since, the window says so and asks before a Save.
    void RestoreRecoveryCopy(const S_RecoveredCopy& copy);

    // Every change of the configuration, to undo and redo; its clean state is the
    // configuration as last loaded or saved.
    QUndoStack& History() const { return *m_History; }
    static constexpr int HistoryLimit = 100;
    // The configuration now, with the image of the last load or build.
    C_Configuration Configuration() const;
    // A change made from outside the window: one step of the history, shown.
    void Change(const QString& name, C_Configuration after) { Commit(name, std::move(after)); }
    // A planned paste made one step of the history, after showing its refusal or
    // asking about what it leaves out (over the asking window, this one without);
    // false when nothing changed.
    bool CommitPaste(const QString& name, const QString& title, S_Paste paste, QWidget* asking = nullptr);
    // A fragment pasted by the paste rules where PastePlace() points, after the
    // questions they ask; false, with the reason shown, when nothing was pasted.
    bool PasteFragment(const QString& name, const QString& title, const S_Fragment& fragment,
                       QWidget* asking = nullptr);
    // The program, cycle or step of the pane that had the focus last; none without one.
    std::optional<S_Fragment> SelectedFragment() const;

    // The close query, asked ahead of the close: true when the window may close (its
    // question answered or nothing to ask); the window then closes without asking again.
    bool QueryClose();
    // A close asked for by QueryClose that did not happen: the next close asks again.
    void WithdrawClose() { m_CloseApproved = false; }

    // The step grid shows the node's steps, or nothing for none.
    void ShowCycle(QTreeWidgetItem* node);
    QTreeWidgetItem* DisplayedCycle() const { return m_DisplayedCycle; }

    // The smallest number from 1 that no program (or no cycle of the root) has.
    int NextProgramNumber() const;
    static int NextCycleNumber(const QTreeWidgetItem* categoryRoot);

    // A cycle dropped at the point (programs tree viewport coordinates).
    void ProgramTreeDragDrop(const QPoint& point);
    // The cycle a drag from the point (cycles tree viewport coordinates) links, or null: none starts there.
    QTreeWidgetItem* CycleAt(const QPoint& point) const;

    // What the timeline shows: the program selected last, or the cycle when a cycle
    // was selected last; none while neither is.
    std::optional<S_TimelineSubject> InsightSubject() const;
    // The displayed cycle (its index in Current().m_Cycles) and the step under the
    // grid's cursor; -1 for what there is not.
    std::pair<int, int> CurrentStep() const;
    // The configuration as of the last change, undo and redo included.
    const C_Configuration& Current() const { return m_Current; }
    // Shows the cycle of Current() with the step under the grid's cursor; what the
    // timeline shows stays as it is.
    void SelectStep(int cycle, int step);
    // The status bar's running time of the selected program or cycle and step.
    QString SelectionRunningTime() const;

    // Sizes of the panes: column widths, then the heights of the service, motor and diagnostic panels.
    void SetPaneSizes(int leftWidth, int middleWidth, int serviceHeight, int motorHeight, int diagnosticHeight);

    QWidget* m_LeftPanel;
    QWidget* m_MiddlePanel;
    QWidget* m_RightPanel;
    QWidget* m_LeftTopPanel;
    QWidget* m_MiddleTopPanel;
    QWidget* m_RightTopPanel;
    QWidget* m_VariousPanel;
    QWidget* m_MotorPanel;
    QWidget* m_RightBottomPanel;
    QSplitter* m_VerticalLeftSplitter;
    QSplitter* m_VerticalRightSplitter;
    QSplitter* m_LeftSplitter;
    QSplitter* m_MiddleSplitter;
    QSplitter* m_RightSplitter;

    QAction* m_NewProgramAction;
    QAction* m_DeleteProgramAction;
    QAction* m_CopyProgramAction;
    QAction* m_PasteProgramAction;
    QAction* m_RenameProgramAction;
    QAction* m_NewCycleAction;
    QAction* m_DeleteCycleAction;
    QAction* m_CopyCycleAction;
    QAction* m_PasteCycleAction;
    QAction* m_RenameCycleAction;
    // Links the selected cycle into a program chosen in a dialog: the drop's link without a mouse.
    QAction* m_LinkToProgramAction;
    QAction* m_InsertStepAction;
    QAction* m_RemoveStepAction;
    QAction* m_EditCellAction;
    QAction* m_EnableStepFieldAction;
    QAction* m_DisableStepFieldAction;
    QAction* m_CopyStepAction;
    QAction* m_PasteStepAction;
    QAction* m_MotorEnableAction;
    QAction* m_MotorDisableAction;
    QAction* m_MotorEditAction;
    QAction* m_DiagnosticClearAction;
    // The program, cycle or step of the pane last focused, as a fragment on the
    // system clipboard, and one pasted from there; also in the Edit menu.
    QAction* m_CopyToClipboardAction;
    QAction* m_PasteFromClipboardAction;
    // The same selection kept in the library under a name asked for.
    QAction* m_SaveToLibraryAction;

    QMenu* m_ProgramsPopup;
    QMenu* m_CyclesPopup;
    QMenu* m_StepsPopup;
    QMenu* m_MotorPopup;
    QMenu* m_DiagnosticPopup;

signals:
    // The modified mark changed.
    void ModifiedChanged(bool modified);
    // A transfer of this window started or ended.
    void TransferStateChanged();
    // A transfer ended: failure is the line that said why, empty after a success or a cancel.
    void TransferEnded(bool succeeded, const QString& failure);
    // A short note for the status bar.
    void StatusMessage(const QString& message);
    // The configuration was written to its file.
    void Saved();
    // The configuration changed (an edit, undo or redo, a load).
    void ConfigurationChanged();
    // Another program, cycle or step was selected.
    void InsightSelectionChanged();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Nothing remembered points to a node that goes.
    void NodeGoing(QTreeWidgetItem* node) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // An editing command, given its name in the history.
    using Command = void (TFormMDIChild::*)(const QString& name);

    void BuildLayout();
    void BuildServicePanel();
    // Typed hysteresis: the up-down follows each keystroke, so every command sees what the box shows.
    void FollowTypedHysteresis();
    void BuildStepsGrid();
    void BuildMotorGrid();
    void BuildCommands();
    QAction* NewCommand(std::int16_t caption, QWidget* pane, Command command);
    void AttachMenu(QWidget* pane, QMenu* menu);
    void RestorePaneSizes();
    void StorePanelHeight(QWidget* panel);

    // The name of a command's change in the history: its menu text without accelerator and ellipsis.
    void Run(Command command, const QString& name);
    // The value after a command: one step of the history, unless nothing changed,
    // and shown. A change of the control right after its last one joins that step.
    void Commit(const QString& name, C_Configuration after, const QObject* control = nullptr);
    // The service panel was edited through the control.
    void ServiceChanged(const QObject* control);
    // A configuration just shown (created, loaded, received) starts a new history.
    void StartHistory(C_Configuration value);
    // The panes show the value, with everything that points into them found again.
    void ShowValue(const C_Configuration& configuration);
    // The value holds the format's image as it is now.
    void KeepFormatImage();
    // The records the format's step budget counts.
    std::int32_t StepRecords() const;
    // m_Current was replaced: running times shown again, and the news passed on.
    void CurrentReplaced();
    void ConnectInsight();
    // The running times in the tool tips of the programs and cycles trees.
    void ShowRunningTimes();
    int CycleIndex(const QTreeWidgetItem* node) const;
    QTreeWidgetItem* CycleNode(const C_Configuration::S_Cycle& cycle) const;
    void SetModified(bool modified);
    bool StartTransfer(S_TransferPlan plan);
    void TransferFinished(const S_TransferOutcome& outcome);
    // The panes that edit the configuration, off while a transfer runs.
    void SetEditable(bool editable);
    // The steps of every cycle shown as free places, and the cycle's caption refreshed.
    void ShowFreeSteps(std::int32_t free);
    void RepaintStepsGrid();
    // A configuration shown anew: nothing of the old one (nodes, the copied step) stays remembered.
    void ForgetNodes();

    bool FormCloseQuery();
    void CycleSelectAtNode(QTreeWidgetItem* node);
    void StepsDrawCell(QPainter& canvas, int column, int row, const QRect& rect) const;
    // A cell of the steps grid as a screen reader reads it; row 0 and column 0 name the headers.
    S_CellTexts StepCellTexts(int column, int row) const;
    void MotorDrawCell(QPainter& canvas, int column, int row, const QRect& rect) const;
    bool StepKeyPress(QKeyEvent* event);
    // A press remembers where and what it pressed (pressed, from at); true when a move
    // with the button held has gone far enough from a press on something to start a drag.
    bool DragGesture(QEvent* event, QTreeWidgetItem*& pressed,
                     const std::function<QTreeWidgetItem*(const QPoint&)>& at);
    bool CycleDragMouse(QEvent* event);
    bool ProgramDragMouse(QEvent* event);
    bool ProgramDropEvent(QEvent* event);
    // What a drag carries to other windows: the fragment, and this window to tell them from it.
    QMimeData* FragmentDragData(const S_Fragment& fragment) const;
    bool IsForeignFragment(const QMimeData* mime) const;
    // A fragment from another window dropped on the tree: pasted where the drop points,
    // as Paste from clipboard pastes it.
    bool FragmentDropEvent(QEvent* event, QTreeWidget* tree);
    void MarkDropTarget(QTreeWidgetItem* node);

    void NewProgram(const QString& name);
    void DeleteProgram(const QString& name);
    void CopyProgram(const QString& name);
    void PasteProgram(const QString& name);
    void RenameProgram(const QString& name);
    void NewCycle(const QString& name);
    void DeleteCycle(const QString& name);
    void CopyCycle(const QString& name);
    void PasteCycle(const QString& name);
    void RenameCycle(const QString& name);
    void InsertStep(const QString& name);
    void RemoveStep(const QString& name);
    void EditStepCell(const QString& name);
    void EnableStepField(const QString& name);
    void DisableStepField(const QString& name);
    void SwitchStepField(const QString& name, bool enable);
    void CopyStep(const QString& name);
    void PasteStep(const QString& name);
    QStringList RowSignature() const;
    void MotorEnable(const QString& name);
    void MotorDisable(const QString& name);
    void MotorEdit(const QString& name);
    void DiagnosticClear(const QString& name);
    void CopyToClipboard(const QString& name);
    void PasteFromClipboard(const QString& name);
    void SaveToLibrary(const QString& name);
    void LinkToProgram(const QString& name);
    // The cycle (its place in m_Current) linked into the program at the position, as
    // one change; refused with a message when the program runs all it can.
    void LinkCycleInto(int cycle, int program, std::size_t position);
    // Where a paste goes: the selected category root's category, the displayed cycle before the cursor.
    S_PastePlace PastePlace() const;
    // A fragment's text pasted as PasteFragment does; a text that is not one is refused with its reason.
    bool PasteFragment(const QString& name, const QByteArray& text);

    // Asks for a new number 1 to 99 until it is free or the user gives up; -1 then.
    int AskFreeNumber(int number, std::int16_t title, std::int16_t prompt, const std::function<bool(int)>& taken);
    // The displayed cycle's steps, or null while none is shown.
    C_CycleContent* DisplayedContent() const;
    // How each of the format's rows is edited and drawn, made anew when the rows change.
    const std::vector<std::unique_ptr<C_RowProperty>>& RowEditors() const;
    // The step under the grid's cursor, or null on the closing column or without a cycle.
    C_Step* StepUnderCursor() const;
    // A step inserted before the cursor's entry; without a free step the message
    // under the title says so.
    void InsertStepAtCursor(const QString& name, const C_Step& values, std::int16_t title);
    // The format's edit of the cell under the cursor, made on the displayed cycle's steps.
    void EditStepsUnderCursor(const QString& name, const std::function<void(C_CycleContent&)>& edit);
    // Sets motor cells of the row (all three for column 0).
    void SetMotorCells(const QString& name, int column, int row, const std::function<int(int)>& value);
    // A program number up to 99; a higher one is refused with a message.
    bool ProgramNumberLeft(int number);

    C_Context& m_Context;
    // Declared after the panes' base: destroyed first, before the controls its rows refer to.
    std::unique_ptr<C_EEPROMFormat> m_Format;
    QString m_Path;
    // The file at m_Path holds this configuration: it was read from there or saved there.
    bool m_PathIsOurs = false;
    bool m_AskForName = false;
    // A file holds the configuration as it was loaded or last saved.
    bool m_InAFile = false;
    // The file at m_Path as the window read or saved it.
    S_FileStamp m_FileStamp;
    QString m_LastFile;
    S_FileStamp m_LastFileStamp;
    // Recovered from a copy and not saved since: Save asks before it replaces a file changed meanwhile.
    bool m_Recovered = false;
    QTreeWidgetItem* m_DisplayedCycle = nullptr;
    bool m_Modified = false;
    bool m_CloseApproved = false;
    C_Step m_StepClipboard;
    bool m_StepCopied = false;
    // The rows the copied step was read under, by caption.
    QStringList m_StepClipboardRows;
    // The cycle a press in the cycles tree may start to drag; null when it was no cycle.
    QTreeWidgetItem* m_DraggedCycle = nullptr;
    // The same for a program of the programs tree, which drags to other windows only.
    QTreeWidgetItem* m_DraggedProgram = nullptr;
    QTreeWidgetItem* m_CopiedProgram = nullptr;
    QTreeWidgetItem* m_CopiedCycle = nullptr;
    QPoint m_DragStart;
    QTreeWidgetItem* m_DropTarget = nullptr;
    QUndoStack* m_History;
    // The state the next change starts from: the after-state of the last one.
    C_Configuration m_Current;
    // The history's index after the last change remembered: another index means undo or redo came between.
    int m_IndexAfterChange = -1;
    std::shared_ptr<const CellReader> m_StepCellReader;
    // The cycles tree was selected after the programs tree.
    bool m_InsightFromCycles = false;
    // SelectStep is moving the selection: the trees' and grid's changes are its own.
    bool m_SelectingStep = false;
    std::unique_ptr<C_RunningTransfer> m_Transfer;
    TransferDirection m_TransferDirection = TransferDirection::Download;
    mutable std::vector<std::unique_ptr<C_RowProperty>> m_RowEditors;
    // The format and row count the editors were made for.
    mutable const C_EEPROMFormat* m_RowEditorsFormat = nullptr;
};
