#include "app/Mainform.h"

#include "app/Aboutbox.h"
#include "app/Appearance.h"
#include "app/Autosave.h"
#include "app/Recoveryform.h"
#include "app/Splash.h"
#include "comm/Portdiscovery.h"
#include "desktop/Filechooser.h"
#include "desktop/Messagebox.h"
#include "dialogs/Comsetup.h"
#include "dialogs/Printitems.h"
#include "document/Configurationfile.h"
#include "document/Recoveryfolder.h"
#include "editor/Cellimages.h"
#include "editor/Compareform.h"
#include "editor/Formatselector.h"
#include "editor/Libraryform.h"
#include "editor/Mdichild.h"
#include "editor/Newconfiguration.h"
#include "editor/Runningtransfer.h"
#include "editor/Timelineview.h"
#include "language/Language.h"
#include "language/Messages.h"
#include "model/Eepromformat.h"
#include "resources/Pictures.h"
#include "settings/Context.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUndoGroup>
#include <QUndoStack>

namespace {

const QString ProductName = QStringLiteral("KW3 Win 2");
constexpr int HintPanelWidth = 300;
constexpr int DefaultColumnWidth = 200;
constexpr int DefaultPanelHeight = 400;
constexpr int StatusMessageMs = 10000;

// A hint of the language file is "short|long": the tip, then the status-bar text.
void SetHint(QAction* action, const QString& hint)
{
    action->setToolTip(hint.section(QLatin1Char('|'), 0, 0));
    action->setStatusTip(hint.section(QLatin1Char('|'), -1));
}

bool IsConfigurationFile(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix();
    return suffix.compare(QLatin1String("KWC"), Qt::CaseInsensitive) == 0 ||
           suffix.compare(QLatin1String("KW3"), Qt::CaseInsensitive) == 0 || C_ConfigurationFile::IsText(path);
}

// Two names of one file. QFileInfo's equality is no help: it holds any two missing
// files (new windows, imports not yet saved) for the same, as their canonical paths are empty.
bool IsSameFile(const QString& first, const QString& second)
{
    const QFileInfo a(first);
    const QFileInfo b(second);
    if (a.exists() && b.exists())
        return a.canonicalFilePath() == b.canonicalFilePath();
    return QDir::cleanPath(a.absoluteFilePath()) == QDir::cleanPath(b.absoluteFilePath());
}

QStringList DroppedConfigurations(const QMimeData* data)
{
    QStringList paths;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile() && IsConfigurationFile(url.toLocalFile()))
            paths << url.toLocalFile();
    return paths;
}

} // namespace

TMainForm::TMainForm(C_Context& context, QWidget* parent)
    : QMainWindow(parent)
    , m_Context(context)
    , m_Recovery(std::make_unique<C_RecoveryFolder>())
    , m_Autosave(std::make_unique<C_Autosave>(*m_Recovery, nullptr))
    , m_MdiArea(new QMdiArea(this))
    , m_Histories(new QUndoGroup(this))
    , m_PortSource(std::make_unique<C_SystemPortSource>())
{
    // The step grid's cell pictures, shared by every configuration window.
    C_CellImages::Shared();
    setWindowTitle(ProductName);
    setWindowIcon(QIcon(LoadPicture(QStringLiteral("APPLICATION"))));
    setCentralWidget(m_MdiArea);
    setAcceptDrops(true);
    m_MdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_MdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    BuildActions();
    BuildMenus();
    m_DesktopPalette = QApplication::palette();
    if (AppearanceOfKey(m_Context.Palette()).m_Appearance != Appearance::Desktop)
        ChooseAppearance(m_Context.Palette());
    // The desktop's preference may come, or change, at any time; it matters only
    // while the choice is to follow the desktop.
    connect(m_DesktopScheme, &C_DesktopScheme::Changed, this, [this] {
        if (AppearanceOfKey(m_Context.Palette()).m_Appearance == Appearance::Desktop)
            ChooseAppearance(m_Context.Palette());
    });
    BuildToolBars();
    BuildStatusBar();
    BuildTimeline();
    RestoreGeometry();

    connect(m_MdiArea, &QMdiArea::subWindowActivated, this, &TMainForm::UpdateWindowCommands);
    connect(m_MdiArea, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* window) {
        if (window != nullptr)
            m_LastActive = window;
        FollowActiveConfiguration();
    });
    // Said once and left standing until a copy is written again: a box would
    // interrupt the work the copy protects.
    connect(m_Autosave.get(), &C_Autosave::Problem, this, [this](const QString& message) {
        m_RecoveryPanel->setText(message);
        m_RecoveryPanel->show();
    });
    connect(m_Autosave.get(), &C_Autosave::ProblemOver, m_RecoveryPanel, &QWidget::hide);
    connect(qApp, &QApplication::focusChanged, this, &TMainForm::UpdateEditCommands);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &TMainForm::UpdateEditCommands);
    UpdateWindowCommands();
    UpdateEditCommands();
}

TMainForm::~TMainForm()
{
    // The frame's windows go with the QWidget base, after this part of the object:
    // nothing they signal on the way may reach it.
    for (QObject* child : findChildren<QObject*>())
        QObject::disconnect(child, nullptr, this, nullptr);
    QObject::disconnect(qApp, nullptr, this, nullptr);
    QObject::disconnect(QApplication::clipboard(), nullptr, this, nullptr);
}

void TMainForm::SetSharedDialogs(TEEPROMFormatDialog& formatDialog, TAboutBox& aboutBox)
{
    m_FormatDialog = &formatDialog;
    m_AboutBox = &aboutBox;
}

// ---- Building

QAction* TMainForm::NewAction(std::int16_t caption, std::int16_t hint, const char* picture,
                              const QKeySequence& shortcut, Handler handler)
{
    auto* action = new QAction(Text(caption), this);
    if (hint >= 0)
        SetHint(action, Text(hint));
    if (picture != nullptr)
        action->setIcon(QIcon(LoadPicture(QString::fromLatin1(picture))));
    action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, handler);
    return action;
}

void TMainForm::BuildActions()
{
    using T = TMainForm;
    const QKeySequence none;
    m_FileNewAction = NewAction(Msg::FileNew, Msg::FileNewHint, "ACTION_NEW", QKeySequence(Qt::CTRL | Qt::Key_N),
                                &T::FileNewActionExecute);
    m_FileOpenAction = NewAction(Msg::FileOpen, Msg::FileOpenHint, "ACTION_OPEN", QKeySequence(Qt::CTRL | Qt::Key_O),
                                 &T::FileOpenActionExecute);
    m_FileCloseAction = NewAction(Msg::FileClose, Msg::FileCloseHint, "ACTION_CLOSE", none, &T::FileCloseActionExecute);
    m_FileSaveAction = NewAction(Msg::FileSave, Msg::FileSaveHint, "ACTION_SAVE", QKeySequence(Qt::CTRL | Qt::Key_S),
                                 &T::FileSaveActionExecute);
    m_FileSaveAsAction =
        NewAction(Msg::FileSaveAs, Msg::FileSaveAsHint, "ACTION_SAVEAS", none, &T::FileSaveAsActionExecute);
    m_FileExportTextAction =
        NewAction(Msg::ExportAsText, Msg::ExportAsTextHint, nullptr, none, &T::FileExportTextActionExecute);
    m_FilePrint = NewAction(Msg::FilePrint, Msg::FilePrintHint, "ACTION_PRINT", none, &T::FilePrintExecute);
    m_FileOpenLanguageAction = NewAction(Msg::FileOpenLanguage, Msg::FileOpenLanguageHint, "ACTION_LANGUAGE", none,
                                         &T::FileOpenLanguageActionExecute);
    m_FileImportAction = NewAction(Msg::FileImport, Msg::FileImportHint, "ACTION_IMPORT",
                                   QKeySequence(Qt::CTRL | Qt::Key_I), &T::FileImportActionExecute);
    m_FileExitAction = NewAction(Msg::FileExit, Msg::FileExitHint, "ACTION_EXIT", none, &T::FileExitActionExecute);
    m_DownloadAction = NewAction(Msg::CommunicationDownload, Msg::DownloadHint, "ACTION_DOWNLOAD",
                                 QKeySequence(Qt::CTRL | Qt::Key_D), &T::DownloadActionExecute);
    m_UploadAction = NewAction(Msg::CommunicationUpload, Msg::UploadHint, "ACTION_UPLOAD",
                               QKeySequence(Qt::CTRL | Qt::Key_U), &T::UploadActionExecute);
    m_ComSetupAction = NewAction(-1, -1, "ACTION_COMSETUP", none, &T::ComSetupActionExecute);
    m_ComSetupAction->setText(QStringLiteral("Com Setup"));
    m_WindowCascadeAction =
        NewAction(Msg::WindowCascade, Msg::WindowCascadeHint, "ACTION_CASCADE", none, &T::WindowCascadeActionExecute);
    m_WindowHTileAction = NewAction(Msg::WindowTileHorizontally, Msg::WindowTileHorizontallyHint, "ACTION_TILE_H", none,
                                    &T::WindowHTileActionExecute);
    m_WindowVTileAction = NewAction(Msg::WindowTileVertically, Msg::WindowTileVerticallyHint, "ACTION_TILE_V", none,
                                    &T::WindowVTileActionExecute);
    m_WindowMinimizeAction = NewAction(Msg::WindowMinimizeAll, Msg::WindowMinimizeAllHint, "ACTION_MINIMIZE", none,
                                       &T::WindowMinimizeActionExecute);
    m_WindowArrangeAction =
        NewAction(Msg::WindowArrange, Msg::WindowArrange, "ACTION_ARRANGE", none, &T::WindowArrangeActionExecute);
    m_WindowSetPanesAction = NewAction(Msg::WindowSetPanes, Msg::WindowSetPanesHint, "ACTION_SETPANES", none,
                                       &T::WindowSetPanesActionExecute);
    m_WindowCompareAction = NewAction(-1, -1, nullptr, none, &T::WindowCompareActionExecute);
    m_WindowCompareAction->setText(Text(Msg::CompareAction));
    SetHint(m_WindowCompareAction, Text(Msg::CompareHint));
    m_WindowTimelineAction =
        NewAction(Msg::TimelineAction, Msg::TimelineHint, nullptr, none, &T::WindowTimelineActionExecute);
    m_WindowTimelineAction->setIcon(C_TimelineView::Icon());
    m_WindowTimelineAction->setCheckable(true);
    m_HelpAboutAction = NewAction(Msg::HelpAbout, -1, "ACTION_ABOUT", none, &T::HelpAboutActionExecute);
    SetHint(m_HelpAboutAction, Text(Msg::About));

    EditCut1 = NewAction(-1, -1, "ACTION_CUT", QKeySequence(Qt::CTRL | Qt::Key_X), &T::EditCut1Execute);
    EditCopy1 = NewAction(-1, -1, "ACTION_COPY", QKeySequence(Qt::CTRL | Qt::Key_C), &T::EditCopy1Execute);
    EditPaste1 = NewAction(-1, -1, "ACTION_PASTE", QKeySequence(Qt::CTRL | Qt::Key_V), &T::EditPaste1Execute);
    // Undo and Redo name the change: "Undo Delete cycle". A focused text field takes
    // Ctrl+Z for its own text first.
    m_EditUndoAction = m_Histories->createUndoAction(this, Text(Msg::UndoPrefix));
    m_EditUndoAction->setShortcut(QKeySequence::Undo);
    m_EditUndoAction->setIcon(QIcon::fromTheme(QStringLiteral("edit-undo")));
    m_EditRedoAction = m_Histories->createRedoAction(this, Text(Msg::RedoPrefix));
    m_EditRedoAction->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    m_EditRedoAction->setIcon(QIcon::fromTheme(QStringLiteral("edit-redo")));
    m_EditCopyToClipboardAction =
        NewAction(Msg::CopyToClipboard, Msg::CopyToClipboardHint, nullptr,
                  QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), &T::EditCopyToClipboardExecute);
    m_EditPasteFromClipboardAction =
        NewAction(Msg::PasteFromClipboard, Msg::PasteFromClipboardHint, nullptr,
                  QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V), &T::EditPasteFromClipboardExecute);
    m_EditSaveToLibraryAction =
        NewAction(Msg::SaveToLibrary, Msg::SaveToLibraryHint, nullptr, none, &T::EditSaveToLibraryExecute);
    m_EditLibraryAction = NewAction(Msg::ShowLibrary, Msg::ShowLibraryHint, nullptr, none, &T::EditLibraryExecute);
    EditCut1->setText(QStringLiteral("Cu&t"));
    EditCopy1->setText(QStringLiteral("&Copy"));
    EditPaste1->setText(QStringLiteral("&Paste"));
}

void TMainForm::BuildMenus()
{
    m_FileMenu = menuBar()->addMenu(QStringLiteral("&File"));
    m_FileMenu->addActions({m_FileNewAction, m_FileOpenAction, m_FileCloseAction, m_FileSaveAction, m_FileSaveAsAction,
                            m_FileExportTextAction});
    m_RecentFilesEnd = m_FileMenu->addSeparator();
    m_FileMenu->addAction(m_FilePrint);
    m_FileMenu->addSeparator();
    m_FileMenu->addAction(m_FileOpenLanguageAction);
    m_FileMenu->addSeparator();
    m_FileMenu->addAction(m_FileImportAction);
    m_FileMenu->addSeparator();
    m_FileMenu->addAction(m_FileExitAction);
    connect(m_FileMenu, &QMenu::aboutToShow, this, &TMainForm::FillRecentFiles);

    m_EditMenu = menuBar()->addMenu(Text(Msg::EditMenu));
    m_EditMenu->addActions({m_EditUndoAction, m_EditRedoAction});
    m_EditMenu->addSeparator();
    m_EditMenu->addActions({EditCut1, EditCopy1, EditPaste1});
    m_EditMenu->addSeparator();
    m_EditMenu->addActions({m_EditCopyToClipboardAction, m_EditPasteFromClipboardAction});
    m_EditMenu->addSeparator();
    m_EditMenu->addActions({m_EditSaveToLibraryAction, m_EditLibraryAction});

    m_CommunicationMenu = menuBar()->addMenu(Text(Msg::CommunicationMenu));
    m_CommunicationMenu->addActions({m_DownloadAction, m_UploadAction});
    m_CommunicationMenu->addSeparator();
    m_CommunicationMenu->addAction(m_ComSetupAction);

    m_WindowMenu = menuBar()->addMenu(Text(Msg::WindowMenu));
    m_WindowMenu->addActions({m_WindowCascadeAction, m_WindowHTileAction, m_WindowVTileAction, m_WindowMinimizeAction,
                              m_WindowArrangeAction});
    m_WindowMenu->addSeparator();
    m_WindowMenu->addAction(m_WindowSetPanesAction);
    m_WindowMenu->addAction(m_WindowCompareAction);
    m_WindowMenu->addAction(m_WindowTimelineAction);
    // The screen's palette; the choice is kept for the next start.
    QMenu* appearance = m_WindowMenu->addMenu(Text(Msg::AppearanceMenu));
    auto* appearances = new QActionGroup(this);
    for (const S_AppearanceChoice& choice : AppearanceChoices()) {
        QAction* entry = appearance->addAction(Text(choice.m_Label));
        entry->setCheckable(true);
        entry->setChecked(&choice == &AppearanceOfKey(m_Context.Palette()));
        appearances->addAction(entry);
        connect(entry, &QAction::triggered, this,
                [this, key = QString::fromLatin1(choice.m_Key)] { ChooseAppearance(key); });
    }
    connect(m_WindowMenu, &QMenu::aboutToShow, this, &TMainForm::FillWindowMenu);

    m_HelpMenu = menuBar()->addMenu(QStringLiteral("&Help"));
    m_HelpMenu->addAction(m_HelpAboutAction);
}

void TMainForm::BuildToolBars()
{
    m_ToolBar = addToolBar(QStringLiteral("Standard"));
    m_ToolBar->setObjectName(QStringLiteral("m_ToolBar"));
    m_ToolBar->setMovable(false);
    m_ToolBar->setIconSize(QSize(16, 16));
    m_ToolBar->addActions({m_FileNewAction, m_FileOpenAction, m_FileSaveAction});
    m_ToolBar->addSeparator();
    m_ToolBar->addAction(m_FilePrint);
    m_ToolBar->addSeparator();
    m_ToolBar->addActions({m_UploadAction, m_ComSetupAction, m_DownloadAction});
    m_ToolBar->addSeparator();
    m_ToolBar->addActions({m_WindowCascadeAction, m_WindowHTileAction, m_WindowVTileAction, m_WindowSetPanesAction});
    m_ToolBar->addSeparator();
    m_ToolBar->addAction(m_WindowTimelineAction);

    // Exit keeps to the right edge, away from the everyday buttons.
    m_ExitToolBar = new QToolBar(QStringLiteral("Exit"), this);
    m_ExitToolBar->setObjectName(QStringLiteral("m_ExitToolBar"));
    m_ExitToolBar->setMovable(false);
    m_ExitToolBar->setIconSize(QSize(16, 16));
    // The last toolbar of the row takes the rest of it; the spacer pushes Exit to the far end.
    auto* spacer = new QWidget(m_ExitToolBar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_ExitToolBar->addWidget(spacer);
    m_ExitToolBar->addAction(m_FileExitAction);
    addToolBar(m_ExitToolBar);
}

void TMainForm::BuildStatusBar()
{
    // Panel 0 is the status bar's message area, where the hints appear; panel 1 names the language.
    statusBar()->setMinimumHeight(statusBar()->sizeHint().height());
    m_LanguagePanel = new QLabel(Text(Msg::LanguageFileLabel) + QLatin1Char(' ') + m_Context.LanguageFile(), this);
    m_LanguagePanel->setMinimumWidth(HintPanelWidth);
    m_RunningTimePanel = new QLabel(this);
    m_PortPanel = new QLabel(this);
    ShowPort();
    m_RecoveryPanel = new QLabel(this);
    m_RecoveryPanel->hide();
    // Permanent, so that no hint passing over the status bar hides it.
    statusBar()->addPermanentWidget(m_RecoveryPanel, 1);
    statusBar()->addPermanentWidget(m_RunningTimePanel);
    statusBar()->addPermanentWidget(m_PortPanel);
    statusBar()->addPermanentWidget(m_LanguagePanel);
}

void TMainForm::ShowPort()
{
    m_PortPanel->setText(Text(Msg::PortWord) + QLatin1Char(' ') + m_Context.LinkSettings().PortTitle());
}

void TMainForm::BuildTimeline()
{
    m_TimelineDock = new QDockWidget(CommandTitle(Msg::TimelineAction), this);
    m_TimelineDock->setObjectName(QStringLiteral("m_TimelineDock"));
    m_TimelinePanel = new C_TimelinePanel(m_TimelineDock);
    m_TimelineDock->setWidget(m_TimelinePanel);
    addDockWidget(Qt::BottomDockWidgetArea, m_TimelineDock);
    m_TimelineDock->hide();
    connect(m_TimelineDock, &QDockWidget::visibilityChanged, this,
            [this](bool) { m_WindowTimelineAction->setChecked(!m_TimelineDock->isHidden()); });
}

void TMainForm::FollowActiveConfiguration()
{
    // A frame that loses the focus to another program has no active window: the
    // timeline keeps showing the last one while it is open.
    TFormMDIChild* window = ActiveConfiguration();
    if (window == nullptr && m_Followed && Configurations().contains(m_Followed.data()))
        return;
    if (m_Followed)
        disconnect(m_Followed, nullptr, this, nullptr);
    m_Followed = window;
    if (window != nullptr) {
        connect(window, &TFormMDIChild::InsightSelectionChanged, this, &TMainForm::ShowRunningTime);
        connect(window, &TFormMDIChild::ConfigurationChanged, this, &TMainForm::ShowRunningTime);
        connect(window, &QObject::destroyed, this, &TMainForm::FollowActiveConfiguration, Qt::QueuedConnection);
    }
    m_TimelinePanel->View().Follow(window);
    ShowRunningTime();
}

void TMainForm::ShowRunningTime()
{
    m_RunningTimePanel->setText(m_Followed ? m_Followed->SelectionRunningTime() : QString());
}

// ---- Geometry and life

void TMainForm::RestoreGeometry()
{
    // The place is the frame's, so that the title bar stays on the screen.
    resize(m_Context.FormWidth(), m_Context.FormHeight());
    move(m_Context.FormLeft(), m_Context.FormTop());
    switch (m_Context.WindowState()) {
    case 1: setWindowState(Qt::WindowMinimized); break;
    case 2: setWindowState(Qt::WindowMaximized); break;
    default: break;
    }
}

void TMainForm::StoreGeometry()
{
    // The normal geometry is what a restored window comes back to.
    const QRect normal = (isMaximized() || isMinimized()) ? normalGeometry() : geometry();
    const QPoint frameOffset = geometry().topLeft() - frameGeometry().topLeft();
    m_Context.SetFormLeft(normal.left() - frameOffset.x());
    m_Context.SetFormTop(normal.top() - frameOffset.y());
    m_Context.SetFormWidth(normal.width());
    m_Context.SetFormHeight(normal.height());
    m_Context.SetWindowState(isMinimized() ? 1 : isMaximized() ? 2 : 0);
}

void TMainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // Restoring from minimised shows the window again: the last configuration opens once.
    if (m_Shown)
        return;
    m_Shown = true;
    OfferRecovery();
    // A restored file is not opened twice: Open finds its window.
    const QString last = m_Context.LastConfiguration();
    if (!last.isEmpty() && QFileInfo(last).isFile())
        OpenConfigurationFile(last);
}

void TMainForm::OfferRecovery()
{
    const std::vector<S_FoundCopy> found = m_Recovery->ClaimCopiesOfGoneProcesses();
    if (!found.empty()) {
        // The splash gives way to the question.
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* splash = qobject_cast<TSplashForm*>(window))
                splash->CloseSplash();
        TRecoveryForm dialog(found, this);
        dialog.exec();
        for (size_t i = 0; i < found.size(); ++i) {
            if (dialog.Fates()[i] == TRecoveryForm::Fate::Restore)
                RestoreRecoveryCopy(found[i]);
            else if (dialog.Fates()[i] == TRecoveryForm::Fate::Discard)
                m_Recovery->RemoveFound(found[i].m_File);
        }
    }
    m_Recovery->Release();
}

void TMainForm::RestoreRecoveryCopy(const S_FoundCopy& found)
{
    auto* window = new TFormMDIChild(m_Context);
    window->RestoreRecoveryCopy(*found.m_Copy);
    Adopt(window);
    // The found copy goes once the window's own is written: the work is never in no copy.
    m_Autosave->WriteNow(window, found.m_File);
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    // Never while image bytes go out: the program exits once the transfer has ended or been cancelled.
    if (C_RunningTransfer* transfer = C_RunningTransfer::Current()) {
        event->ignore();
        transfer->AskBeforeExit();
        if (!m_ExitAfterTransfer) {
            m_ExitAfterTransfer = true;
            connect(
                transfer, &C_RunningTransfer::Finished, this,
                [this, transfer](const S_TransferOutcome& outcome) {
                    // Waiting was for a good end: a failure stays in sight, a cancel asked for exits.
                    if (!outcome.Succeeded() && !transfer->CancelledByUser()) {
                        m_ExitAfterTransfer = false;
                        C_MessageBox::Show(Text(Msg::ExitAfterFailedTransfer) + QLatin1Char('\n') +
                                               TransferResultText(outcome),
                                           ProductName, C_MessageBox::Icon::Warning, C_MessageBox::Buttons::Ok, this);
                        return;
                    }
                    QTimer::singleShot(0, this, [this] { close(); });
                },
                Qt::SingleShotConnection);
        }
        return;
    }
    m_ExitAfterTransfer = false;
    // Every window is asked before any closes: one refusal keeps them all open.
    const QList<TFormMDIChild*> windows = Configurations();
    for (TFormMDIChild* window : windows)
        if (!window->QueryClose()) {
            for (TFormMDIChild* asked : windows)
                asked->WithdrawClose();
            event->ignore();
            return;
        }
    // The window last active, not the active one: with another program active (a
    // close from the taskbar, a log-out) the frame has no active window.
    QMdiSubWindow* current =
        m_MdiArea->activeSubWindow() != nullptr ? m_MdiArea->activeSubWindow() : m_LastActive.data();
    const auto* active = current != nullptr ? qobject_cast<TFormMDIChild*>(current->widget()) : nullptr;
    const QString last = active != nullptr ? active->Path() : QString();
    m_MdiArea->closeAllSubWindows();
    StoreGeometry();
    m_Context.SetLastConfiguration(last);
    event->accept();
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event)
{
    if (!DroppedConfigurations(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event)
{
    const QStringList paths = DroppedConfigurations(event->mimeData());
    event->acceptProposedAction();
    for (const QString& path : paths)
        OpenConfigurationFile(path);
}

// ---- Windows

TFormMDIChild* TMainForm::ActiveConfiguration() const
{
    QMdiSubWindow* active = m_MdiArea->activeSubWindow();
    return active != nullptr ? qobject_cast<TFormMDIChild*>(active->widget()) : nullptr;
}

QList<TFormMDIChild*> TMainForm::Configurations() const
{
    QList<TFormMDIChild*> windows;
    for (QMdiSubWindow* frameWindow : m_MdiArea->subWindowList())
        if (auto* window = qobject_cast<TFormMDIChild*>(frameWindow->widget()))
            windows << window;
    return windows;
}

TFormMDIChild* TMainForm::FindConfiguration(const QString& path) const
{
    for (TFormMDIChild* window : Configurations())
        if (IsSameFile(window->Path(), path))
            return window;
    return nullptr;
}

TFormMDIChild* TMainForm::WindowHolding(const QString& path) const
{
    // A text document saves under another name, and an edited one is read anew.
    for (TFormMDIChild* window : Configurations()) {
        const bool read = !window->LastFile().isEmpty() && IsSameFile(window->LastFile(), path) &&
                          !window->LastFileStamp().ChangedAt(path);
        if (read || (window->PathIsItsFile() && IsSameFile(window->Path(), path)))
            return window;
    }
    return nullptr;
}

void TMainForm::Adopt(TFormMDIChild* window)
{
    window->OpenIn(*m_MdiArea);
    m_Autosave->Watch(window);
    m_Histories->addStack(&window->History());
    m_Histories->setActiveStack(&window->History());
    connect(window, &QObject::destroyed, this, &TMainForm::UpdateWindowCommands, Qt::QueuedConnection);
    connect(window, &TFormMDIChild::TransferStateChanged, this, &TMainForm::UpdateTransferCommands);
    connect(window, &TFormMDIChild::StatusMessage, this,
            [this](const QString& message) { statusBar()->showMessage(message, StatusMessageMs); });
}

void TMainForm::UpdateWindowCommands()
{
    const bool any = !m_MdiArea->subWindowList().isEmpty();
    for (QAction* action :
         {m_FileCloseAction, m_FileExportTextAction, m_WindowCascadeAction, m_WindowHTileAction, m_WindowVTileAction,
          m_WindowMinimizeAction, m_WindowArrangeAction, m_WindowCompareAction, m_EditSaveToLibraryAction})
        action->setEnabled(any);
    UpdateTransferCommands();
}

void TMainForm::UpdateTransferCommands()
{
    const bool transferring = C_RunningTransfer::Current() != nullptr;
    for (QAction* action : {m_DownloadAction, m_UploadAction, m_ComSetupAction})
        action->setEnabled(!transferring);
    TFormMDIChild* active = ActiveConfiguration();
    const bool activeBusy = active != nullptr && active->Transfer() != nullptr;
    m_FileSaveAction->setEnabled(!activeBusy);
    m_FileSaveAsAction->setEnabled(!activeBusy);
    m_FileCloseAction->setEnabled(!m_MdiArea->subWindowList().isEmpty() && !activeBusy);
    // Undo and redo would change the configuration the transfer reads or fills.
    m_Histories->setActiveStack(active != nullptr && !activeBusy ? &active->History() : nullptr);
}

void TMainForm::UpdateEditCommands()
{
    const auto* field = qobject_cast<const QLineEdit*>(QApplication::focusWidget());
    const bool selected = field != nullptr && field->hasSelectedText();
    const bool writable = field != nullptr && !field->isReadOnly();
    EditCut1->setEnabled(selected && writable && field->echoMode() == QLineEdit::Normal);
    EditCopy1->setEnabled(selected && field->echoMode() == QLineEdit::Normal);
    EditPaste1->setEnabled(writable && !QApplication::clipboard()->text().isEmpty());
    // The selection decides Cut and Copy while the field keeps the focus.
    if (field != nullptr)
        connect(field, &QLineEdit::selectionChanged, this, &TMainForm::UpdateEditCommands, Qt::UniqueConnection);
}

QString TMainForm::NewConfigurationName() const
{
    // The lowest free number: two new windows of one name would overwrite each other's file.
    for (int n = 1;; ++n) {
        const QString name = Text(Msg::NewConfigurationName) + QString::number(n) + QStringLiteral(".KWC");
        if (FindConfiguration(name) == nullptr)
            return name;
    }
}

TFormMDIChild* TMainForm::NewConfigurationWindow()
{
    auto window = std::make_unique<TFormMDIChild>(m_Context);
    window->SetPath(NewConfigurationName());
    std::unique_ptr<C_EEPROMFormat> format;
    TNewConfigurationForm dialog(this, format, m_Context);
    dialog.exec();
    if (format == nullptr)
        return nullptr;
    window->BindFormat(std::move(format));
    TFormMDIChild* opened = window.release();
    Adopt(opened);
    return opened;
}

TFormMDIChild* TMainForm::OpenConfigurationFile(const QString& path)
{
    const C_ConfigurationFile file(path);
    if (const QString refusal = file.Refusal(); !refusal.isEmpty()) {
        C_MessageBox::Show(refusal, ProductName, C_MessageBox::Icon::Warning, C_MessageBox::Buttons::Ok, this);
        return nullptr;
    }
    std::uint16_t code = file.FormatCode().value_or(0);
    QString caption = path;
    if (file.IsOld() || file.IsText()) {
        // The import is saved as a configuration file beside the old one or the text.
        caption = path.chopped(QFileInfo(path).suffix().size()) + QStringLiteral("KWC");
    }
    if (TFormMDIChild* open = WindowHolding(path)) {
        m_MdiArea->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(open->parentWidget()));
        return open;
    }
    if (file.IsOld())
        code = m_FormatDialog != nullptr ? m_FormatDialog->Choose() : 0;
    if (!C_EEPROMFormat::IsFormatCode(code))
        return nullptr;
    auto* window = new TFormMDIChild(m_Context);
    window->SetPath(caption);
    window->LoadConfiguration(path, code);
    if (file.IsText())
        window->TreatAsUnsaved();
    Adopt(window);
    AddRecentFile(path);
    return window;
}

void TMainForm::Tile(Qt::Orientation orientation)
{
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* frameWindow : m_MdiArea->subWindowList())
        if (!frameWindow->isMinimized())
            windows << frameWindow;
    if (windows.isEmpty())
        return;
    const QRect area = m_MdiArea->viewport()->rect();
    const int count = int(windows.size());
    for (int i = 0; i < count; ++i) {
        windows[i]->showNormal();
        if (orientation == Qt::Vertical) {
            const int height = area.height() / count;
            windows[i]->setGeometry(0, i * height, area.width(), height);
        } else {
            const int width = area.width() / count;
            windows[i]->setGeometry(i * width, 0, width, area.height());
        }
    }
}

void TMainForm::FillWindowMenu()
{
    qDeleteAll(m_WindowListActions);
    m_WindowListActions.clear();
    const QList<QMdiSubWindow*> windows = m_MdiArea->subWindowList();
    if (windows.isEmpty())
        return;
    m_WindowListActions << m_WindowMenu->addSeparator();
    for (int i = 0; i < windows.size(); ++i) {
        QMdiSubWindow* frameWindow = windows[i];
        auto* entry = m_WindowMenu->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(qobject_cast<TFormMDIChild*>(frameWindow->widget())->Path()));
        entry->setCheckable(true);
        entry->setChecked(frameWindow == m_MdiArea->activeSubWindow());
        connect(entry, &QAction::triggered, this, [this, frameWindow] { m_MdiArea->setActiveSubWindow(frameWindow); });
        m_WindowListActions << entry;
    }
}

// ---- Recent files

void TMainForm::AddRecentFile(const QString& path)
{
    QStringList recent = m_Context.RecentFiles();
    const QString absolute = QFileInfo(path).absoluteFilePath();
    recent.removeAll(absolute);
    recent.prepend(absolute);
    m_Context.SetRecentFiles(recent.mid(0, RecentFileCount));
}

void TMainForm::FillRecentFiles()
{
    qDeleteAll(m_RecentFileActions);
    m_RecentFileActions.clear();
    const QStringList recent = m_Context.RecentFiles();
    if (recent.isEmpty())
        return;
    auto* separator = new QAction(this);
    separator->setSeparator(true);
    m_FileMenu->insertAction(m_RecentFilesEnd, separator);
    m_RecentFileActions << separator;
    for (int i = 0; i < recent.size() && i < RecentFileCount; ++i) {
        const QString path = recent[i];
        auto* entry = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(path)), this);
        connect(entry, &QAction::triggered, this, [this, path] { OpenRecentFile(path); });
        m_FileMenu->insertAction(m_RecentFilesEnd, entry);
        m_RecentFileActions << entry;
    }
}

void TMainForm::OpenRecentFile(const QString& path)
{
    if (!QFileInfo(path).isFile()) {
        QStringList recent = m_Context.RecentFiles();
        recent.removeAll(path);
        m_Context.SetRecentFiles(recent);
    }
    OpenConfigurationFile(path);
}

// ---- Commands

QString TMainForm::ChooseFile(std::int16_t title, const QString& filter, const QString& suffix)
{
    return C_FileChooser::Choose(
        this, {C_FileChooser::Purpose::Open, Text(title).section(QLatin1Char('|'), 0, 0), filter, suffix, QString()});
}

void TMainForm::FileNewActionExecute()
{
    NewConfigurationWindow();
}

void TMainForm::FileOpenActionExecute()
{
    const QString path = ChooseFile(Msg::FileOpenHint,
                                    Text(Msg::ConfigurationFileFilter) + QLatin1Char('\n') + Text(Msg::TextFileFilter),
                                    QStringLiteral("KWC"));
    if (!path.isEmpty())
        OpenConfigurationFile(path);
}

void TMainForm::FileImportActionExecute()
{
    const QString path = ChooseFile(Msg::FileImportHint, Text(Msg::OldFileFilter), QStringLiteral("KW3"));
    if (!path.isEmpty())
        OpenConfigurationFile(path);
}

void TMainForm::FileCloseActionExecute()
{
    m_MdiArea->closeActiveSubWindow();
}

void TMainForm::FileSaveActionExecute()
{
    if (TFormMDIChild* window = ActiveConfiguration(); window != nullptr && window->Save())
        AddRecentFile(window->Path());
}

void TMainForm::FileExportTextActionExecute()
{
    TFormMDIChild* window = ActiveConfiguration();
    if (window == nullptr || window->Format() == nullptr)
        return;
    const QString proposal = window->Path().chopped(QFileInfo(window->Path()).suffix().size()) + QStringLiteral("json");
    const QString path = C_FileChooser::Choose(this, {C_FileChooser::Purpose::Save, CommandTitle(Msg::ExportAsText),
                                                      Text(Msg::TextFileFilter), QStringLiteral("json"), proposal});
    if (path.isEmpty())
        return;
    QString reason;
    if (!ReplaceFile(path, ConfigurationTextOf(*window->Format(), window->Configuration()), reason))
        C_MessageBox::Show(Text(Msg::CannotWriteFile) + QStringLiteral(": ") + reason, ProductName,
                           C_MessageBox::Icon::Warning, C_MessageBox::Buttons::Ok, this);
}

void TMainForm::FileSaveAsActionExecute()
{
    if (TFormMDIChild* window = ActiveConfiguration(); window != nullptr && window->SaveAs())
        AddRecentFile(window->Path());
}

void TMainForm::FilePrintExecute()
{
    // Without a configuration window the print dialog says there is nothing to print.
    TFormMDIChild* window = ActiveConfiguration();
    PrintConfiguration(this, window != nullptr ? &window->Current() : nullptr,
                       window != nullptr ? window->Format() : nullptr, window != nullptr ? window->Path() : QString());
}

void TMainForm::FileOpenLanguageActionExecute()
{
    const QString path = ChooseFile(Msg::FileOpenLanguageHint, Text(Msg::LanguageFileFilter), QStringLiteral("LNG"));
    if (path.isEmpty())
        return;
    // The texts on screen stay: the language applies from the next start.
    m_Context.SetLanguageFile(path);
    m_LanguagePanel->setText(Text(Msg::LanguageFileLabel) + QLatin1Char(' ') + path);
}

void TMainForm::FileExitActionExecute()
{
    close();
}

void TMainForm::EditCut1Execute()
{
    if (auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget()))
        field->cut();
}

void TMainForm::EditCopy1Execute()
{
    if (auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget()))
        field->copy();
}

void TMainForm::EditPaste1Execute()
{
    if (auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget()))
        field->paste();
}

void TMainForm::EditCopyToClipboardExecute()
{
    if (TFormMDIChild* window = ActiveConfiguration())
        window->m_CopyToClipboardAction->trigger();
}

void TMainForm::EditPasteFromClipboardExecute()
{
    if (TFormMDIChild* window = ActiveConfiguration())
        window->m_PasteFromClipboardAction->trigger();
}

void TMainForm::EditSaveToLibraryExecute()
{
    if (TFormMDIChild* window = ActiveConfiguration())
        window->m_SaveToLibraryAction->trigger();
}

void TMainForm::EditLibraryExecute()
{
    if (m_LibraryForm == nullptr) {
        // The window inserted into is the one current in the frame while the library has the focus.
        m_LibraryForm = new TLibraryForm(
            C_FragmentLibrary(C_FragmentLibrary::DefaultFolder()),
            [this] {
                QMdiSubWindow* current = m_MdiArea->currentSubWindow();
                return current != nullptr ? qobject_cast<TFormMDIChild*>(current->widget()) : nullptr;
            },
            this);
        m_LibraryForm->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_LibraryForm->show();
    m_LibraryForm->raise();
    m_LibraryForm->activateWindow();
}

void TMainForm::DownloadActionExecute()
{
    if (TFormMDIChild* window = ActiveConfiguration())
        window->StartDownload();
}

void TMainForm::UploadActionExecute()
{
    TFormMDIChild* window = NewConfigurationWindow();
    if (window == nullptr)
        return;
    // A cancelled or failed upload leaves no window behind; a failure says why first.
    const QPointer<QWidget> frameWindow = window->parentWidget();
    connect(
        window, &TFormMDIChild::TransferEnded, this,
        [this, frameWindow](bool succeeded, const QString& failure) {
            if (succeeded)
                return;
            if (!failure.isEmpty())
                C_MessageBox::Show(Text(Msg::UploadFailed) + QLatin1Char('\n') + failure,
                                   Text(Msg::StandardUploadHeading), C_MessageBox::Icon::Warning,
                                   C_MessageBox::Buttons::Ok, this);
            QTimer::singleShot(0, this, [frameWindow] {
                if (frameWindow != nullptr)
                    frameWindow->close();
            });
        },
        Qt::SingleShotConnection);
    if (!window->StartUpload())
        window->parentWidget()->close();
}

void TMainForm::ComSetupActionExecute()
{
    S_PortSettings settings = m_Context.PortSettings();
    TCOMSetupForm dialog(settings, *m_PortSource, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_Context.SetPortSettings(settings);
    ShowPort();
}

void TMainForm::WindowCascadeActionExecute()
{
    m_MdiArea->cascadeSubWindows();
}

void TMainForm::WindowHTileActionExecute()
{
    Tile(Qt::Vertical);
}

void TMainForm::WindowVTileActionExecute()
{
    Tile(Qt::Horizontal);
}

void TMainForm::WindowMinimizeActionExecute()
{
    for (QMdiSubWindow* frameWindow : m_MdiArea->subWindowList())
        frameWindow->showMinimized();
}

void TMainForm::WindowArrangeActionExecute()
{
    // The minimised windows in a row along the bottom edge.
    int left = 0;
    const int bottom = m_MdiArea->viewport()->height();
    for (QMdiSubWindow* frameWindow : m_MdiArea->subWindowList()) {
        if (!frameWindow->isMinimized())
            continue;
        frameWindow->move(left, bottom - frameWindow->height());
        left += frameWindow->width();
    }
}

void TMainForm::WindowSetPanesActionExecute()
{
    if (TFormMDIChild* window = ActiveConfiguration())
        window->SetPaneSizes(DefaultColumnWidth, DefaultColumnWidth, DefaultPanelHeight, DefaultPanelHeight,
                             DefaultPanelHeight);
}

void TMainForm::WindowTimelineActionExecute()
{
    m_TimelineDock->setVisible(m_WindowTimelineAction->isChecked());
    if (m_TimelineDock->isVisible()) {
        // A third of the frame: the lanes of a program show without scrolling, the window above stays usable.
        resizeDocks({m_TimelineDock}, {std::max(240, height() * 2 / 5)}, Qt::Vertical);
        m_TimelinePanel->View().setFocus();
    }
}

void TMainForm::WindowCompareActionExecute()
{
    TFormMDIChild* active = ActiveConfiguration();
    if (active == nullptr)
        return;
    QList<TFormMDIChild*> others = Configurations();
    others.removeAll(active);
    auto* compare = new TCompareForm(*active, others, this);
    compare->SetOldFormatChooser([this] { return m_FormatDialog != nullptr ? m_FormatDialog->Choose() : 0; });
    compare->show();
}

void TMainForm::ChooseAppearance(const QString& key)
{
    m_Context.SetPalette(QLatin1String(AppearanceOfKey(key).m_Key));
    QApplication::setPalette(
        PaletteOf(AppearanceOfKey(key).m_Appearance, m_DesktopPalette, m_DesktopScheme->Current()));
}

void TMainForm::HelpAboutActionExecute()
{
    if (m_AboutBox != nullptr)
        m_AboutBox->exec();
}
