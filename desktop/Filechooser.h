#pragma once

#include <QString>

#include <functional>

class QWidget;

// Every file dialog of Kw3Win goes through here, so that tests can choose a file
// instead of a person. The dialogs start in the working directory.
class C_FileChooser
{
public:
    enum class Purpose { Open, Save };

    struct Request
    {
        Purpose purpose;
        QString caption;
        // As the language file has it: "description|*.KWC"; several, one per line.
        QString filter;
        QString defaultSuffix;
        // The name offered at first (Save).
        QString proposal;
    };

    // The chosen path, or empty when the user cancelled.
    using Handler = std::function<QString(const Request&)>;

    static QString Choose(QWidget* parent, const Request& request);

    // Replaces the answering party; returns the previous one. An empty handler
    // restores the real dialogs.
    static Handler SetHandler(Handler handler);

    // "description|*.KWC" as a dialog filter, matching the pattern in either case;
    // several filters, one per line, as the dialog's list of them.
    static QString DialogFilter(const QString& filter);
};
