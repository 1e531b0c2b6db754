#pragma once

#include <QMainWindow>
#include <QStringList>

#include <functional>
#include <memory>

class QAction;
class TAboutBox;
class TSearchWindow;
class TStringsGrid;

// Glosser's main window: the reference texts beside the texts being translated, one row
// per message id.
class TSDIAppForm : public QMainWindow
{
    Q_OBJECT

public:
    // Every language file has translated texts for the ids below this; Kw3Win carries its
    // own English for the later ones, so a file may leave them empty or stop before them.
    static constexpr int RequiredMessages = 278;
    // The length those may have.
    static constexpr int LongestText = 64;
    static constexpr int NumberColumn = 0;
    static constexpr int ReferenceColumn = 1;
    static constexpr int EditColumn = 2;
    static const QString Caption;

    enum class FileDialog { Open, SaveAs };
    // Asks for a file name, starting from the current one; empty when the user cancels.
    using FileChooser = std::function<QString(FileDialog dialog, const QString& current)>;

    // The window exists only with its reference texts: without them there is nothing to
    // translate against. When they cannot be read the reason has been shown and the
    // result is null.
    static std::unique_ptr<TSDIAppForm> Create(const QString& referencePath);
    // Where the reference texts are looked for: the working directory, then beside the
    // program, then the installed data folder.
    static QString ReferenceFile();
    ~TSDIAppForm() override;

    void SetFileChooser(FileChooser chooser) { m_ChooseFile = std::move(chooser); }
    // Makes path the edited file name and, when the file exists, loads it into the edited
    // column. A file that cannot be read is reported and changes nothing.
    bool OpenFile(const QString& path);
    bool IsModified() const { return m_Modified; }
    QString EditedFileName() const { return m_FileName; }
    int SearchPosition() const { return m_SearchPosition; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit TSDIAppForm(const QStringList& reference);

    void CreateGrid(const QStringList& reference);
    void SetRowCount(int rows);
    void CreateCommands();

    void FileNewActionExecute();
    void FileOpenActionExecute();
    void FileSaveActionExecute();
    void FileSaveAsActionExecute();
    void FileExitActionExecute();
    void EditCutActionExecute();
    void EditCopyActionExecute();
    void EditPasteActionExecute();
    void SearchActionExecute();
    void ReplaceActionExecute();
    void HelpAboutActionExecute();
    void FindNext();
    void Replace();
    void ReplaceAll();

    void FillColumn(int column, const QStringList& lines);
    QString Text(int row) const;
    QStringList EditedTexts() const;
    void ShowCell(int row);
    bool ReplaceNextOccurrence();
    void ReportNoMoreReplacements();
    bool CheckTexts();
    bool SaveTo(const QString& path);
    bool MayDiscardChanges();
    void ResizeColumns();
    void UpdateClipboardCommands();

    TStringsGrid* m_StringsGrid = nullptr;
    TSearchWindow* m_FindDialog = nullptr;
    TSearchWindow* m_ReplaceDialog = nullptr;
    TAboutBox* m_AboutBox = nullptr;
    QAction* m_CutAction = nullptr;
    QAction* m_CopyAction = nullptr;
    QAction* m_PasteAction = nullptr;
    FileChooser m_ChooseFile;

    // One row per reference text, never fewer than the required ones.
    int m_ReferenceRows = RequiredMessages;
    QString m_FileName = QStringLiteral("New.lng");
    bool m_Modified = false;
    int m_SearchPosition = 0;
    // Where in the row the next replacement looks, so that a replacement is never
    // searched again (replacing a by aa would otherwise never leave the row).
    int m_SearchOffset = 0;
};
