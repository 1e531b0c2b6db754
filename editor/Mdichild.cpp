#include "editor/Mdichild.h"

#include "desktop/Filechooser.h"
#include "desktop/Messagebox.h"
#include "desktop/Updown.h"
#include "dialogs/Filetansfer.h"
#include "document/Configurationfile.h"
#include "document/Configurationtext.h"
#include "editor/Cellcolours.h"
#include "editor/Changecommand.h"
#include "editor/Gridcells.h"
#include "editor/Rowproperties.h"
#include "editor/Runningtransfer.h"
#include "editor/Treenodes.h"
#include "language/Language.h"
#include "language/Messages.h"
#include "model/Eepromformat.h"
#include "model/Motortable.h"
#include "resources/Pictures.h"
#include "settings/Context.h"
#include "transfer/Configurationtransfer.h"
#include "transfer/Transferbackup.h"
#include "transfer/Transferlog.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPainter>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTableWidget>
#include <QUndoStack>
#include <QVBoxLayout>

namespace {

// Cell sizes of the grids; each section adds its one-pixel grid line.
constexpr int StepColumnWidth = 53;
constexpr int StepCaptionWidth = 161;
constexpr int StepRowHeight = 16;
constexpr int MotorColumnWidth = 47;
constexpr int MotorRowHeight = 14;
constexpr int GridLine = 1;
// A box of the service panel holds up to four digits.
constexpr int ValueBoxWidth = 46;

QWidget* NewPanel(QWidget* parent, QWidget* content)
{
    auto* panel = new QWidget(parent);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content);
    return panel;
}

QSplitter* NewSplitter(Qt::Orientation orientation, QWidget* first, QWidget* second)
{
    auto* splitter = new QSplitter(orientation);
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(first);
    splitter->addWidget(second);
    return splitter;
}

// Gives the second pane of a splitter the size; the first takes the rest. The
// first pane is the one that grows with the window.
void SetSecondPaneSize(QSplitter* splitter, int size)
{
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);
    const int total = splitter->orientation() == Qt::Vertical ? splitter->height() : splitter->width();
    const int whole = std::max(total - splitter->handleWidth(), size + 1);
    splitter->setSizes({whole - size, size});
}

void SetFirstPaneSize(QSplitter* splitter, int size)
{
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    const int whole = std::max(splitter->width() - splitter->handleWidth(), size + 1);
    splitter->setSizes({size, whole - size});
}

QFont GridFont()
{
    // The cells are 16 pixels high and the motor names 47 wide: a narrow face that fits both.
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    return font;
}

} // namespace

TFormMDIChild::TFormMDIChild(C_Context& context, QWidget* parent)
    : C_ConfigurationPanes(parent)
    , m_Context(context)
    , m_History(new QUndoStack(this))
{
    m_History->setUndoLimit(HistoryLimit);
    connect(m_History, &QUndoStack::cleanChanged, this, [this](bool clean) { SetModified(!clean); });
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(QIcon(LoadPicture(QStringLiteral("APPLICATION_16"))));
    BuildServicePanel();
    FollowTypedHysteresis();
    BuildStepsGrid();
    BuildMotorGrid();
    BuildLayout();
    BuildCommands();
    RestorePaneSizes();

    connect(m_CyclesTree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { CycleSelectAtNode(current); });
    ConnectInsight();
    connect(this, &C_ConfigurationPanes::ServiceEdited, this, &TFormMDIChild::ServiceChanged);
    for (QSplitter* splitter : {m_LeftSplitter, m_MiddleSplitter, m_RightSplitter})
        connect(splitter, &QSplitter::splitterMoved, this, [this, splitter] { StorePanelHeight(splitter->widget(1)); });
}

// The format goes first: its rows refer to the panes, which the base destroys.
TFormMDIChild::~TFormMDIChild()
{
    // A transfer still running is stopped before the panes it writes into go.
    m_Transfer.reset();
    // The panes go with the base, after this part of the object: nothing they
    // signal on the way (a tree losing its current node) may reach it.
    for (QObject* child : findChildren<QObject*>())
        QObject::disconnect(child, nullptr, this, nullptr);
}

QMdiSubWindow* TFormMDIChild::OpenIn(QMdiArea& frame)
{
    QMdiSubWindow* frameWindow = frame.addSubWindow(this);
    frameWindow->showMaximized();
    return frameWindow;
}

void TFormMDIChild::BuildServicePanel()
{
    auto* content = new QWidget;
    auto* grid = new QGridLayout(content);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(3);
    grid->setColumnStretch(0, 1);
    int row = 0;
    grid->addWidget(m_TypeImage, row++, 0, 1, 3);
    const auto addLine = [&](QLabel* label, QWidget* box, C_UpDown* upDown) {
        label->setWordWrap(true);
        grid->addWidget(label, row, 0);
        if (upDown != nullptr) {
            box->setFixedWidth(ValueBoxWidth);
            grid->addWidget(box, row, 1);
            grid->addWidget(upDown, row, 2);
        } else {
            grid->addWidget(box, row, 1, 1, 2);
        }
        ++row;
    };
    addLine(m_StepCountLabel, m_StepCountEdit, nullptr);
    addLine(m_NumberOfOutputsLabel, m_NumberOfOutputsEdit, nullptr);
    std::vector<QLineEdit*> wideBoxes{m_StepCountEdit, m_NumberOfOutputsEdit};
    for (const S_ServiceParameter* parameter : ServiceParametersOnPanel()) {
        const S_ServiceControls& c = ServiceControls(parameter->m_Parameter);
        if (c.m_CheckBox != nullptr)
            grid->addWidget(c.m_CheckBox, row++, 0, 1, 3);
        else
            addLine(c.m_Label, c.m_Box != nullptr ? static_cast<QWidget*>(c.m_Box) : c.m_List, c.m_UpDown);
        // Boxes without an up-down are as wide as those with one, up-down included.
        if (c.m_Box != nullptr && c.m_UpDown == nullptr)
            wideBoxes.push_back(c.m_Box);
        if (c.m_List != nullptr)
            c.m_List->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    }
    grid->setRowStretch(row, 1);
    const int boxWidth = ValueBoxWidth + ServiceControls(ServiceParameter::MaximumLevel).m_UpDown->sizeHint().width() +
                         grid->horizontalSpacing();
    for (QLineEdit* box : wideBoxes)
        box->setFixedWidth(boxWidth);

    auto* scroller = new QScrollArea;
    scroller->setWidget(content);
    scroller->setWidgetResizable(true);
    // Long labels wrap; only the height scrolls.
    scroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroller->setFrameShape(QFrame::StyledPanel);
    m_VariousPanel = scroller;
}

void TFormMDIChild::FollowTypedHysteresis()
{
    QLineEdit* box = ServiceControls(ServiceParameter::TemperatureHysteresis).m_Box;
    C_UpDown* upDown = ServiceControls(ServiceParameter::TemperatureHysteresis).m_UpDown;
    connect(box, &QLineEdit::textEdited, this, [this, box, upDown](const QString& text) {
        // An empty box is on its way to a number; what it held before still counts.
        if (text.isEmpty())
            return;
        const int value = text.toInt();
        if (value < upDown->Min() || value > upDown->Max()) {
            C_MessageBox::Show(Text(Msg::ValueOutOfRange), Text(Msg::ValueOutOfRangeTitle), C_MessageBox::Icon::Warning,
                               C_MessageBox::Buttons::Ok, this);
            upDown->SetPosition(upDown->Position());
            return;
        }
        const int before = upDown->Position();
        upDown->SetPosition(value);
        // The box keeps the text as typed ("04" stays until the box is left).
        box->setText(text);
        if (upDown->Position() != before)
            emit ServiceEdited(upDown);
    });
    connect(box, &QLineEdit::editingFinished, this, [upDown] { upDown->SetPosition(upDown->Position()); });
}

void TFormMDIChild::BuildStepsGrid()
{
    QTableWidget& grid = *m_StepsGrid;
    const CellPainter draw = [this](QPainter& canvas, int column, int row, const QRect& rect) {
        StepsDrawCell(canvas, column, row, rect);
    };
    grid.setFont(GridFont());
    grid.setHorizontalHeader(new C_FixedCells(Qt::Horizontal, draw, &grid));
    grid.setVerticalHeader(new C_FixedCells(Qt::Vertical, draw, &grid));
    grid.horizontalHeader()->setDefaultSectionSize(StepColumnWidth + GridLine);
    grid.horizontalHeader()->setFixedHeight(StepRowHeight + GridLine);
    grid.verticalHeader()->setDefaultSectionSize(StepRowHeight + GridLine);
    grid.verticalHeader()->setFixedWidth(StepCaptionWidth + GridLine);
    grid.setItemDelegate(new C_CellDelegate(draw, &grid));
    new C_FixedCorner(grid, draw);
    m_StepCellReader =
        std::make_shared<const CellReader>([this](int column, int row) { return StepCellTexts(column, row); });
    grid.setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid.setSelectionMode(QAbstractItemView::NoSelection);
    grid.setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
    grid.setGridStyle(Qt::SolidLine);
    grid.installEventFilter(this);
    // The highlight follows the cursor along its row and column.
    connect(&grid, &QTableWidget::currentCellChanged, this, &TFormMDIChild::RepaintStepsGrid);
    connect(&grid, &QTableWidget::cellDoubleClicked, this,
            [this] { Run(&TFormMDIChild::EditStepCell, CommandTitle(m_EditCellAction->text())); });
}

void TFormMDIChild::BuildMotorGrid()
{
    QTableWidget& grid = *m_MotorGrid;
    grid.horizontalHeader()->hide();
    grid.verticalHeader()->hide();
    grid.horizontalHeader()->setMinimumSectionSize(1);
    grid.verticalHeader()->setMinimumSectionSize(1);
    grid.horizontalHeader()->setDefaultSectionSize(MotorColumnWidth + GridLine);
    grid.verticalHeader()->setDefaultSectionSize(MotorRowHeight + GridLine);
    grid.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid.setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid.setSelectionMode(QAbstractItemView::SingleSelection);
    grid.setFont(GridFont());
    grid.setItemDelegate(new C_CellDelegate(
        [this](QPainter& canvas, int column, int row, const QRect& rect) { MotorDrawCell(canvas, column, row, rect); },
        &grid));
    const int frame = 2 * grid.frameWidth();
    grid.setFixedSize((MotorTable::TimesPerMode + 1) * (MotorColumnWidth + GridLine) + frame,
                      (MotorTable::Modes + 1) * (MotorRowHeight + GridLine) + frame);
    connect(&grid, &QTableWidget::cellDoubleClicked, this,
            [this] { Run(&TFormMDIChild::MotorEdit, CommandTitle(m_MotorEditAction->text())); });
    connect(&grid, &QTableWidget::currentCellChanged, grid.viewport(), qOverload<>(&QWidget::update));
}

void TFormMDIChild::BuildLayout()
{
    m_LeftTopPanel = NewPanel(nullptr, m_ProgramsTree);
    m_MiddleTopPanel = NewPanel(nullptr, m_CyclesTree);
    m_RightTopPanel = NewPanel(nullptr, m_StepsGrid);
    m_RightBottomPanel = NewPanel(nullptr, m_DiagnosticTree);
    auto* motorArea = new QScrollArea;
    motorArea->setWidget(m_MotorGrid);
    motorArea->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    motorArea->setFrameShape(QFrame::NoFrame);
    m_MotorPanel = NewPanel(nullptr, motorArea);

    m_LeftSplitter = NewSplitter(Qt::Vertical, m_LeftTopPanel, m_VariousPanel);
    m_MiddleSplitter = NewSplitter(Qt::Vertical, m_MiddleTopPanel, m_MotorPanel);
    m_RightSplitter = NewSplitter(Qt::Vertical, m_RightTopPanel, m_RightBottomPanel);
    m_LeftPanel = NewPanel(nullptr, m_LeftSplitter);
    m_MiddlePanel = NewPanel(nullptr, m_MiddleSplitter);
    m_RightPanel = NewPanel(nullptr, m_RightSplitter);
    m_VerticalRightSplitter = NewSplitter(Qt::Horizontal, m_MiddlePanel, m_RightPanel);
    m_VerticalLeftSplitter = NewSplitter(Qt::Horizontal, m_LeftPanel, m_VerticalRightSplitter);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_VerticalLeftSplitter);
}

void TFormMDIChild::SetPaneSizes(int leftWidth, int middleWidth, int serviceHeight, int motorHeight,
                                 int diagnosticHeight)
{
    SetFirstPaneSize(m_VerticalLeftSplitter, leftWidth);
    SetFirstPaneSize(m_VerticalRightSplitter, middleWidth);
    SetSecondPaneSize(m_LeftSplitter, serviceHeight);
    SetSecondPaneSize(m_MiddleSplitter, motorHeight);
    SetSecondPaneSize(m_RightSplitter, diagnosticHeight);
}

void TFormMDIChild::RestorePaneSizes()
{
    SetPaneSizes(m_Context.VerticalLeft(), m_Context.VerticalRight(), m_Context.HorizontalLeft(),
                 m_Context.HorizontalMiddle(), m_Context.HorizontalRight());
}

void TFormMDIChild::StorePanelHeight(QWidget* panel)
{
    const int height = panel->height();
    if (panel == m_VariousPanel)
        m_Context.SetHorizontalLeft(height);
    else if (panel == m_MotorPanel)
        m_Context.SetHorizontalMiddle(height);
    else if (panel == m_RightBottomPanel)
        m_Context.SetHorizontalRight(height);
}

void TFormMDIChild::SetPath(const QString& path)
{
    m_Path = path;
    m_PathIsOurs = false;
    setWindowTitle(path + QStringLiteral("[*]"));
}

void TFormMDIChild::SetModified(bool modified)
{
    const bool changed = modified != m_Modified;
    m_Modified = modified;
    setWindowModified(modified);
    if (changed)
        emit ModifiedChanged(modified);
}

void TFormMDIChild::Run(Command command, const QString& name)
{
    if (m_Format != nullptr)
        (this->*command)(name);
}

C_Configuration TFormMDIChild::Configuration() const
{
    return m_Format != nullptr ? m_Current : C_Configuration();
}

void TFormMDIChild::KeepFormatImage()
{
    // The bytes no conversion writes are those of the last load or build.
    if (m_Current.m_Image == nullptr || *m_Current.m_Image != m_Format->Image())
        m_Current.m_Image = std::make_shared<const MemoryImage>(m_Format->Image());
}

std::int32_t TFormMDIChild::StepRecords() const
{
    return m_Format->FormatDescription().m_Layout.m_StepRecords;
}

void TFormMDIChild::Commit(const QString& name, C_Configuration after, const QObject* control)
{
    if (after == m_Current)
        return;
    m_History->push(new C_ChangeCommand(
        name, m_Current, after, [this](const C_Configuration& state) { ShowValue(state); }, control,
        m_History->index() == m_IndexAfterChange));
    m_IndexAfterChange = m_History->index();
    ShowValue(after);
}

void TFormMDIChild::ServiceChanged(const QObject* control)
{
    if (m_Format == nullptr)
        return;
    C_Configuration after = m_Current;
    ReadService(*m_Format, after);
    Commit(Text(Msg::ServiceData), std::move(after), control);
}

void TFormMDIChild::StartHistory(C_Configuration value)
{
    // The panel's controls keep their ranges: the history starts from what they show.
    ReadService(*m_Format, value);
    value.m_FreeSteps = m_Format->FreeSteps();
    m_Current = std::move(value);
    KeepFormatImage();
    m_History->clear();
    m_History->setClean();
    CurrentReplaced();
}

void TFormMDIChild::NodeGoing(QTreeWidgetItem* node)
{
    for (QTreeWidgetItem** remembered :
         {&m_DisplayedCycle, &m_CopiedCycle, &m_CopiedProgram, &m_DraggedCycle, &m_DraggedProgram, &m_DropTarget})
        if (*remembered != nullptr && (*remembered == node || (*remembered)->parent() == node))
            *remembered = nullptr;
}

void TFormMDIChild::ShowValue(const C_Configuration& configuration)
{
    {
        const QSignalBlocker quiet(this);
        ShowConfiguration(configuration);
    }
    m_Format->ReserveSteps(m_Format->ReserveSteps(0) - configuration.m_FreeSteps);
    ShowFreeSteps(configuration.m_FreeSteps);
    m_MotorGrid->viewport()->update();
    // A state of the history keeps the image of the latest build.
    const std::shared_ptr<const MemoryImage> image = m_Current.m_Image;
    m_Current = configuration;
    m_Current.m_Image = image;
    // The grid follows the cycle selected, or the one the tree moved to.
    CycleSelectAtNode(m_CyclesTree->currentItem());
    CurrentReplaced();
}

void TFormMDIChild::BindFormat(std::unique_ptr<C_EEPROMFormat> format)
{
    const QSignalBlocker quiet(this);
    m_Format = std::move(format);
    StartHistory(ShowFormat(*m_Format));
}

bool TFormMDIChild::LoadConfiguration(const QString& path, std::uint16_t formatCode)
{
    if (!C_EEPROMFormat::IsFormatCode(formatCode))
        return false;
    const C_ConfigurationFile file(path);
    if (file.IsText() && !file.Refusal().isEmpty())
        return false;
    const QSignalBlocker quiet(this);
    // A window that showed a configuration shows the file's alone, and its step
    // budget counts only the file's steps.
    ClearConfiguration();
    C_Configuration value;
    C_PaneLines lines(*this);
    m_Format = file.Open(formatCode, value, lines);
    ShowRead(*m_Format, value);
    ForgetNodes();
    StartHistory(std::move(value));
    m_PathIsOurs = QFileInfo(path) == QFileInfo(m_Path);
    m_InAFile = true;
    m_FileStamp = S_FileStamp::Of(m_Path);
    m_LastFile = path;
    m_LastFileStamp = S_FileStamp::Of(path);
    return true;
}

S_RecoverySnapshot TFormMDIChild::RecoverySnapshot()
{
    S_RecoveryOrigin origin{m_PathIsOurs ? QFileInfo(m_Path).absoluteFilePath() : QString(), m_Path,
                            QDateTime::currentDateTimeUtc(), m_FileStamp};
    return {std::move(origin), m_Current, m_Format->KeptBytes(m_Current.StepCount())};
}

void TFormMDIChild::RestoreRecoveryCopy(const S_RecoveredCopy& copy)
{
    const S_RecoveryOrigin& origin = copy.m_Origin;
    {
        const QSignalBlocker quiet(this);
        ClearConfiguration();
        C_Configuration value;
        m_Format = ShowTextConfiguration(copy.m_Configuration, *this, value);
        ForgetNodes();
        StartHistory(std::move(value));
    }
    SetPath(origin.m_Path.isEmpty() ? origin.m_Caption : origin.m_Path);
    m_PathIsOurs = !origin.m_Path.isEmpty();
    m_AskForName = origin.m_Path.isEmpty();
    m_InAFile = false;
    // The file as the lost run knew it: a later copy still tells a changed file.
    m_FileStamp = origin.m_File;
    m_Recovered = true;
    m_History->resetClean();
    AddDiagnostic(nullptr,
                  Text(Msg::RestoredFromCopy) + QLatin1Char(' ') +
                      QLocale().toString(origin.m_Taken.toLocalTime(), QLocale::ShortFormat),
                  Information);
    if (origin.FileChangedSince()) {
        AddDiagnostic(nullptr, Text(Msg::RecoveredFileChanged), Error);
        EnlargeDiagnostics(m_RightBottomPanel);
    }
}

void TFormMDIChild::TreatAsUnsaved()
{
    m_AskForName = true;
    m_History->resetClean();
}

bool TFormMDIChild::SaveConfiguration(const QString& path)
{
    m_DiagnosticTree->clear();
    C_PaneLines lines(*this);
    if (m_Format != nullptr && m_Format->SaveFile(m_Current, path, lines)) {
        KeepFormatImage();
        m_PathIsOurs = m_PathIsOurs || QFileInfo(path) == QFileInfo(m_Path);
        m_AskForName = false;
        m_InAFile = true;
        m_FileStamp = S_FileStamp::Of(m_Path);
        m_LastFile = path;
        m_LastFileStamp = S_FileStamp::Of(path);
        m_Recovered = false;
        m_History->setClean();
        emit Saved();
        return true;
    }
    EnlargeDiagnostics(m_RightBottomPanel);
    return false;
}

bool TFormMDIChild::Save()
{
    if (m_Transfer != nullptr)
        return false;
    if (m_AskForName || (!m_PathIsOurs && QFileInfo::exists(m_Path)))
        return SaveAs();
    if (m_Recovered && m_FileStamp.ChangedAt(m_Path))
        switch (
            C_MessageBox::Show(Text(Msg::RecoveredFileChanged) + QLatin1Char('\n') + Text(Msg::OverwriteChangedFile),
                               m_Path, C_MessageBox::Icon::Warning, C_MessageBox::Buttons::YesNoCancel, this)) {
        case C_MessageBox::Answer::Yes: break;
        case C_MessageBox::Answer::No: return SaveAs();
        default: return false;
        }
    return SaveConfiguration(m_Path);
}

bool TFormMDIChild::SaveAs()
{
    if (m_Transfer != nullptr)
        return false;
    const QString path = C_FileChooser::Choose(
        this, {C_FileChooser::Purpose::Save, Text(Msg::FileSaveAsHint).section(QLatin1Char('|'), 0, 0),
               QStringLiteral("KW3 Win 2.x file (*.KWC)|*.KWC"), QStringLiteral("KWC"), m_Path});
    if (path.isEmpty())
        return false;
    SetPath(path);
    return SaveConfiguration(path);
}

bool TFormMDIChild::StartDownload()
{
    if (m_Format == nullptr || C_RunningTransfer::Current() != nullptr)
        return false;
    C_PaneLines lines(*this);
    const bool built = m_Format->Build(m_Current, lines);
    KeepFormatImage();
    if (!built) {
        EnlargeDiagnostics(m_RightBottomPanel);
        m_DiagnosticTree->scrollToBottom();
        return false;
    }
    S_TransferPlan plan = PlanTransfer(*m_Format, TransferDirection::Download, m_Context.LinkSettings());
    if (m_Context.BackupBeforeDownload())
        plan.m_BackupFolder = DefaultBackupFolder();
    plan.m_Verify = m_Context.VerifyAfterDownload();
    return StartTransfer(std::move(plan));
}

bool TFormMDIChild::StartUpload()
{
    if (m_Format == nullptr || C_RunningTransfer::Current() != nullptr)
        return false;
    return StartTransfer(PlanTransfer(*m_Format, TransferDirection::Upload, m_Context.LinkSettings()));
}

bool TFormMDIChild::StartTransfer(S_TransferPlan plan)
{
    m_TransferDirection = plan.m_Direction;
    QTreeWidgetItem* heading = AddTransferHeading(*m_Format, plan.m_Direction);
    // The log names a file only where one holds this configuration.
    m_Transfer = std::make_unique<C_RunningTransfer>(*this, heading, std::move(plan), m_PathIsOurs ? m_Path : QString(),
                                                     DefaultTransferLogPath());
    connect(m_Transfer.get(), &C_RunningTransfer::Finished, this, &TFormMDIChild::TransferFinished);
    connect(m_Transfer.get(), &C_RunningTransfer::LogProblem, this, &TFormMDIChild::StatusMessage);
    SetEditable(false);
    // The focus stays in this window, so that the frame comes back to it when the transfer window goes.
    m_DiagnosticTree->setFocus();
    m_Transfer->Start();
    // The transfer's lines come below the earlier ones: show them.
    m_DiagnosticTree->scrollToBottom();
    emit TransferStateChanged();
    return true;
}

void TFormMDIChild::TransferFinished(const S_TransferOutcome& outcome)
{
    // Called from the transfer itself: it goes once its signal has returned.
    m_Transfer.release()->deleteLater();
    SetEditable(true);
    if (outcome.Succeeded() && m_TransferDirection == TransferDirection::Upload) {
        const QSignalBlocker quiet(this);
        C_PaneLines lines(*this);
        C_Configuration value = m_Format->ReadImage(outcome.m_Image, lines);
        ShowRead(*m_Format, value);
        ForgetNodes();
        StartHistory(std::move(value));
        // An uploaded configuration is in no file yet: closing the window asks before it is lost.
        m_History->resetClean();
    }
    if (!outcome.Succeeded())
        EnlargeDiagnostics(m_RightBottomPanel);
    m_DiagnosticTree->scrollToBottom();
    emit TransferStateChanged();
    const bool failed = !outcome.Succeeded() && outcome.m_Result != TransferResult::Cancelled;
    emit TransferEnded(outcome.Succeeded(), failed ? Text(outcome.m_FailureId) + outcome.m_FailureDetail : QString());
}

void TFormMDIChild::SetEditable(bool editable)
{
    // The diagnostic pane stays readable; clearing it would take the transfer's heading away.
    for (QWidget* pane : {m_LeftPanel, m_MiddlePanel, m_RightTopPanel})
        pane->setEnabled(editable);
    m_DiagnosticClearAction->setEnabled(editable);
}

void TFormMDIChild::ForgetNodes()
{
    m_CopiedProgram = nullptr;
    m_CopiedCycle = nullptr;
    m_DropTarget = nullptr;
    m_DraggedCycle = nullptr;
    m_DraggedProgram = nullptr;
    // A step copied from the configuration shown before belongs to it.
    m_StepCopied = false;
    m_StepClipboardRows.clear();
    CycleSelectAtNode(m_CyclesTree->currentItem());
}

void TFormMDIChild::ShowFreeSteps(std::int32_t free)
{
    m_StepCountEdit->setText(QString::number(free));
}

void TFormMDIChild::closeEvent(QCloseEvent* event)
{
    if (m_Transfer != nullptr) {
        emit StatusMessage(Text(Msg::WindowTransferring));
        event->ignore();
        return;
    }
    if (m_CloseApproved || FormCloseQuery())
        event->accept();
    else
        event->ignore();
}

bool TFormMDIChild::QueryClose()
{
    m_CloseApproved = FormCloseQuery();
    return m_CloseApproved;
}

bool TFormMDIChild::FormCloseQuery()
{
    m_Context.SetVerticalLeft(m_LeftPanel->width());
    m_Context.SetVerticalRight(m_MiddlePanel->width());
    if (!m_Modified)
        return true;
    switch (C_MessageBox::Show(Text(Msg::SaveChangesQuestion), m_Path, C_MessageBox::Icon::Question,
                               C_MessageBox::Buttons::YesNoCancel, this)) {
    case C_MessageBox::Answer::No: return true;
    case C_MessageBox::Answer::Yes: return Save();
    default: return false;
    }
}

void TFormMDIChild::CycleSelectAtNode(QTreeWidgetItem* node)
{
    const C_NodeData* nodeData = NodeData(node);
    m_DisplayedCycle =
        nodeData != nullptr && (nodeData->m_Kind & NodeKind::Cycle) && nodeData->m_Content ? node : nullptr;
    ShowCycle(m_DisplayedCycle);
}

void TFormMDIChild::ShowCycle(QTreeWidgetItem* node)
{
    const C_NodeData* nodeData = NodeData(node);
    if (nodeData == nullptr || !nodeData->m_Content || m_Format == nullptr) {
        m_StepsGrid->hide();
        return;
    }
    QTableWidget& grid = *m_StepsGrid;
    const int column = grid.currentColumn();
    const int row = grid.currentRow();
    grid.setColumnCount(nodeData->m_Content->StepCount() + 1);
    grid.setRowCount(int(m_Format->Rows().size()) + 1);
    // Row 0 and column 0 are the fixed cells, drawn by the headers.
    grid.setColumnHidden(0, true);
    grid.setRowHidden(0, true);
    GiveCellsAccessibleTexts(grid, m_StepCellReader);
    grid.setCurrentCell(std::clamp(row, 1, grid.rowCount() - 1), std::clamp(column, 1, grid.columnCount() - 1));
    grid.show();
    RepaintStepsGrid();
}

void TFormMDIChild::RepaintStepsGrid()
{
    m_StepsGrid->viewport()->update();
    m_StepsGrid->horizontalHeader()->viewport()->update();
    m_StepsGrid->verticalHeader()->viewport()->update();
    // The corner with the cycle's caption.
    m_StepsGrid->update();
}

void TFormMDIChild::StepsDrawCell(QPainter& canvas, int column, int row, const QRect& rect) const
{
    const C_CycleContent* content = DisplayedContent();
    if (content == nullptr || m_Format == nullptr)
        return;
    DrawStepCell(canvas, *m_StepsGrid, *content, m_DisplayedCycle->text(0), RowEditors(), column, row, rect);
}

S_CellTexts TFormMDIChild::StepCellTexts(int column, int row) const
{
    const C_CycleContent* content = DisplayedContent();
    if (content == nullptr || m_Format == nullptr || row > int(m_Format->Rows().size()))
        return {};
    const bool legend = column == m_StepsGrid->columnCount() - 1;
    const QString step = legend ? Text(Msg::NewColumn) : Text(Msg::Step) + QLatin1Char(' ') + QString::number(column);
    if (row == 0)
        return {column == 0 ? m_DisplayedCycle->text(0) : step, QString()};
    const C_RowProperty& field = *RowEditors()[size_t(row - 1)];
    if (column == 0)
        return {field.m_Row.m_Caption, QString()};
    const C_Step* values = legend ? nullptr : content->GetStep(column - 1);
    return {step + QStringLiteral(", ") + field.m_Row.m_Caption,
            values != nullptr ? field.ValueText(&values->m_Values[size_t(row - 1)]) : QString()};
}

void TFormMDIChild::MotorDrawCell(QPainter& canvas, int column, int row, const QRect& rect) const
{
    const S_CellColours colours = CellColoursOf(m_MotorGrid->palette());
    if (row == 0 || column == 0) {
        canvas.fillRect(rect, colours.m_Face);
        canvas.setPen(colours.m_FaceText);
        canvas.drawText(rect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                        m_MotorGrid->item(row, column) != nullptr ? m_MotorGrid->item(row, column)->text() : QString());
        return;
    }
    // The cell the keys act on is marked as the step grid marks its cursor.
    const bool current = row == m_MotorGrid->currentRow() && column == m_MotorGrid->currentColumn();
    const int value = MotorCell(row, column) == MotorTable::Unset ? 0 : MotorCell(row, column);
    if (value == 0) {
        canvas.setPen(colours.m_Line);
        canvas.fillRect(rect, current ? colours.m_Cursor : colours.m_Cell);
        canvas.drawRect(rect.adjusted(0, 0, -1, -1));
    } else {
        canvas.fillRect(rect, current ? colours.m_Cursor : colours.m_Face);
        canvas.setPen(current ? colours.m_CursorText : colours.m_FaceText);
        QFont font = canvas.font();
        font.setPointSize(8);
        canvas.setFont(font);
        canvas.drawText(rect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop, QString::number(value));
    }
    if (current && m_MotorGrid->hasFocus())
        DrawFocusFrame(canvas, rect, colours);
}

const std::vector<std::unique_ptr<C_RowProperty>>& TFormMDIChild::RowEditors() const
{
    const std::vector<C_StepRow>& rows = m_Format->Rows();
    if (m_RowEditorsFormat != m_Format.get() || m_RowEditors.size() != rows.size()) {
        m_RowEditors.clear();
        for (const C_StepRow& row : rows)
            m_RowEditors.push_back(MakeRowProperty(row, const_cast<TFormMDIChild&>(*this)));
        m_RowEditorsFormat = m_Format.get();
    }
    return m_RowEditors;
}

C_CycleContent* TFormMDIChild::DisplayedContent() const
{
    const C_NodeData* nodeData = NodeData(m_DisplayedCycle);
    return nodeData != nullptr ? nodeData->m_Content.get() : nullptr;
}
