#pragma once

#include "document/Fragmentlibrary.h"

#include <QWidget>

#include <functional>
#include <vector>

class TFormMDIChild;
class QFileSystemWatcher;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

// The library of programs, cycles and steps: each fragment with its name, format,
// running time and description, a search over them, and Insert, which pastes the
// selected one into the configuration window the target gives by the paste rules.
// Damaged files are listed with their reason. Follows the folder as files come
// and go; not modal, one for the main window.
class TLibraryForm : public QWidget
{
    Q_OBJECT

public:
    TLibraryForm(C_FragmentLibrary library, std::function<TFormMDIChild*()> target, QWidget* parent = nullptr);

    // The folder read again, the search and the selection kept where they still apply.
    void Reload();
    const std::vector<S_LibraryEntry>& Entries() const { return m_Entries; }
    // The selected fragment pasted into the target window; false when nothing was.
    bool InsertSelected();

    QLineEdit* m_Search;
    // Name, format, running time, description: one row per entry, in the order of Entries().
    QTreeWidget* m_List;
    QPushButton* m_InsertButton;

private:
    void Filter(const QString& text);
    const S_LibraryEntry* SelectedEntry() const;
    void UpdateInsertButton();

    C_FragmentLibrary m_Library;
    std::function<TFormMDIChild*()> m_Target;
    std::vector<S_LibraryEntry> m_Entries;
    QFileSystemWatcher* m_Watcher;
    QLabel* m_FolderLabel;
};
