#pragma once

#include "desktop/Dialoglook.h"

#include <QString>

#include <functional>
#include <optional>

class QLineEdit;
class QPlainTextEdit;

// What a fragment is kept in the library as.
struct S_LibraryNaming
{
    QString m_Name;
    QString m_Description;
};

// Asks for the name and description of what goes into the library. Tests answer
// through SetHandler instead of the dialog.
class TLibrarySaveDialog : public TEditorDialog
{
    Q_OBJECT

public:
    using Handler = std::function<std::optional<S_LibraryNaming>(const S_LibraryNaming& proposal)>;

    TLibrarySaveDialog(QWidget* owner, const S_LibraryNaming& proposal);

    // The naming given, or none when the user cancelled; a name is never empty.
    static std::optional<S_LibraryNaming> Ask(QWidget* owner, const S_LibraryNaming& proposal);
    // Replaces the dialog; an empty handler restores it. Returns the previous one.
    static Handler SetHandler(Handler handler);

    QLineEdit* m_Name;
    QPlainTextEdit* m_Description;

private:
    void OkClicked();
};
