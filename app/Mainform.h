#pragma once

#include "desktop/Colourscheme.h"

#include <QMainWindow>
#include <QMdiSubWindow>
#include <QPalette>
#include <QPointer>

#include <cstdint>
#include <memory>

class C_Autosave;
class C_Context;
class C_PortSource;
class C_RecoveryFolder;
struct S_FoundCopy;
class C_TimelinePanel;
class TLibraryForm;
class QAction;
class QDockWidget;
class QLabel;
class QMdiArea;
class QMenu;
class QToolBar;
class QUndoGroup;
class TAboutBox;
class TEEPROMFormatDialog;
class TFormMDIChild;

// The frame window of Kw3Win: every open configuration is a child window of its
// multi-document area. It keeps no list of its own; the area knows the windows.
class TMainForm : public QMainWindow
{
    Q_OBJECT

public:
    static constexpr int RecentFileCount = 8;

    explicit TMainForm(C_Context& context, QWidget* parent = nullptr);
    ~TMainForm() override;

    // The format dialog and the about box, created after the main window and shared.
    void SetSharedDialogs(TEEPROMFormatDialog& formatDialog, TAboutBox& aboutBox);

    TFormMDIChild* ActiveConfiguration() const;
    QList<TFormMDIChild*> Configurations() const;
    QMdiArea& Frame() const { return *m_MdiArea; }

    // Opens a configuration file as Open and Import do: by its extension, an old
    // one through the format dialog. A file already open gets its window activated.
    TFormMDIChild* OpenConfigurationFile(const QString& path);

    // Where the recovery copies of the windows are kept.
    C_RecoveryFolder& Recovery() const { return *m_Recovery; }

    QAction* m_FileNewAction;
    QAction* m_FileOpenAction;
    QAction* m_FileCloseAction;
    QAction* m_FileSaveAction;
    QAction* m_FileSaveAsAction;
    QAction* m_FileExportTextAction;
    QAction* m_FilePrint;
    QAction* m_FileOpenLanguageAction;
    QAction* m_FileImportAction;
    QAction* m_FileExitAction;
    QAction* EditCut1;
    QAction* EditCopy1;
    QAction* EditPaste1;
    // The active configuration window's Copy to clipboard and Paste from clipboard.
    QAction* m_EditCopyToClipboardAction;
    QAction* m_EditPasteFromClipboardAction;
    // The active window's Save to library, and the library window.
    QAction* m_EditSaveToLibraryAction;
    QAction* m_EditLibraryAction;
    // The active configuration window's history.
    QAction* m_EditUndoAction;
    QAction* m_EditRedoAction;
    QAction* m_DownloadAction;
    QAction* m_UploadAction;
    QAction* m_ComSetupAction;
    QAction* m_WindowCascadeAction;
    QAction* m_WindowHTileAction;
    QAction* m_WindowVTileAction;
    QAction* m_WindowMinimizeAction;
    QAction* m_WindowArrangeAction;
    QAction* m_WindowSetPanesAction;
    // The active configuration against another window or a file.
    QAction* m_WindowCompareAction;
    // The timeline window of the active configuration's program or cycle.
    QAction* m_WindowTimelineAction;
    QAction* m_HelpAboutAction;

    QMenu* m_FileMenu;
    QMenu* m_EditMenu;
    QMenu* m_CommunicationMenu;
    QMenu* m_WindowMenu;
    QMenu* m_HelpMenu;
    QToolBar* m_ToolBar;
    QToolBar* m_ExitToolBar;
    QLabel* m_LanguagePanel;
    // The port the next transfer uses.
    QLabel* m_PortPanel;
    // Why the recovery copies cannot be written, while they cannot.
    QLabel* m_RecoveryPanel;
    // The running time of the active configuration's selected program or cycle and step.
    QLabel* m_RunningTimePanel;
    QDockWidget* m_TimelineDock;
    C_TimelinePanel* m_TimelinePanel;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    using Handler = void (TMainForm::*)();

    QAction* NewAction(std::int16_t caption, std::int16_t hint, const char* picture, const QKeySequence& shortcut,
                       Handler handler);
    void BuildActions();
    void BuildMenus();
    void BuildToolBars();
    void BuildStatusBar();
    void ShowPort();
    void BuildTimeline();
    // The timeline and the running time follow the active configuration window.
    void FollowActiveConfiguration();
    void ShowRunningTime();
    void RestoreGeometry();
    void StoreGeometry();
    void UpdateWindowCommands();
    // One transfer at a time in the whole program, and its window is not saved or closed meanwhile.
    void UpdateTransferCommands();
    void UpdateEditCommands();
    void FillWindowMenu();
    void FillRecentFiles();
    void AddRecentFile(const QString& path);
    void OpenRecentFile(const QString& path);
    // The copies of runs that ended without saving, offered before anything is reopened.
    void OfferRecovery();
    void RestoreRecoveryCopy(const S_FoundCopy& found);

    QString NewConfigurationName() const;
    // A new, empty window with the format chosen in the new configuration dialog;
    // null when the dialog was closed without a choice.
    TFormMDIChild* NewConfigurationWindow();
    TFormMDIChild* FindConfiguration(const QString& path) const;
    // The window that read or wrote the file as it is on disk now, or null.
    TFormMDIChild* WindowHolding(const QString& path) const;
    // A configuration window put into the frame, its history into the Edit menu's reach.
    void Adopt(TFormMDIChild* window);
    QString ChooseFile(std::int16_t title, const QString& filter, const QString& suffix);
    void Tile(Qt::Orientation orientation);

    void FileNewActionExecute();
    void FileOpenActionExecute();
    void FileCloseActionExecute();
    void FileSaveActionExecute();
    void FileSaveAsActionExecute();
    void FileExportTextActionExecute();
    void FilePrintExecute();
    void FileOpenLanguageActionExecute();
    void FileImportActionExecute();
    void FileExitActionExecute();
    void EditCut1Execute();
    void EditCopy1Execute();
    void EditPaste1Execute();
    void EditCopyToClipboardExecute();
    void EditPasteFromClipboardExecute();
    void EditSaveToLibraryExecute();
    void EditLibraryExecute();
    // The palette named by the settings key shown and kept.
    void ChooseAppearance(const QString& key);
    void DownloadActionExecute();
    void UploadActionExecute();
    void ComSetupActionExecute();
    void WindowCascadeActionExecute();
    void WindowHTileActionExecute();
    void WindowVTileActionExecute();
    void WindowMinimizeActionExecute();
    void WindowArrangeActionExecute();
    void WindowSetPanesActionExecute();
    void WindowCompareActionExecute();
    void WindowTimelineActionExecute();
    void HelpAboutActionExecute();

    C_Context& m_Context;
    // Declared first, destroyed last: the windows' copies go with the folder.
    std::unique_ptr<C_RecoveryFolder> m_Recovery;
    std::unique_ptr<C_Autosave> m_Autosave;
    QMdiArea* m_MdiArea;
    QUndoGroup* m_Histories;
    std::unique_ptr<C_PortSource> m_PortSource;
    TEEPROMFormatDialog* m_FormatDialog = nullptr;
    TAboutBox* m_AboutBox = nullptr;
    QList<QAction*> m_RecentFileActions;
    QAction* m_RecentFilesEnd = nullptr;
    QList<QAction*> m_WindowListActions;
    bool m_Shown = false;
    // The frame closes once the running transfer has ended.
    bool m_ExitAfterTransfer = false;
    // The configuration window active last, also while another program is.
    QPointer<QMdiSubWindow> m_LastActive;
    QPointer<TFormMDIChild> m_Followed;
    QPointer<TLibraryForm> m_LibraryForm;
    // The palette the application started with: the desktop's.
    QPalette m_DesktopPalette;
    C_DesktopScheme* m_DesktopScheme = new C_DesktopScheme(this);
};
