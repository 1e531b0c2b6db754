#include "desktop/Filechooser.h"

#include <QDir>
#include <QFileDialog>

namespace {

C_FileChooser::Handler& CurrentHandler()
{
    static C_FileChooser::Handler handler;
    return handler;
}

} // namespace

QString C_FileChooser::DialogFilter(const QString& filter)
{
    if (filter.contains(QLatin1Char('\n'))) {
        QStringList filters;
        for (const QString& one : filter.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            filters << DialogFilter(one);
        return filters.join(QStringLiteral(";;"));
    }
    const QString description = filter.section(QLatin1Char('|'), 0, 0).trimmed();
    const QString patterns = filter.section(QLatin1Char('|'), 1).trimmed();
    if (patterns.isEmpty())
        return description;
    QStringList both;
    for (const QString& pattern : patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        both << pattern.toUpper() << pattern.toLower();
    both.removeDuplicates();
    // The description names the pattern already ("KW3 Win 2.0 file (*.KWC)"); the dialog adds the list.
    QString shown = description;
    const int bracket = shown.lastIndexOf(QLatin1String(" ("));
    if (bracket > 0 && shown.endsWith(QLatin1Char(')')))
        shown.truncate(bracket);
    return shown + QStringLiteral(" (") + both.join(QLatin1Char(' ')) + QLatin1Char(')');
}

C_FileChooser::Handler C_FileChooser::SetHandler(Handler handler)
{
    Handler previous = std::move(CurrentHandler());
    CurrentHandler() = std::move(handler);
    return previous;
}

QString C_FileChooser::Choose(QWidget* parent, const Request& request)
{
    if (CurrentHandler())
        return CurrentHandler()(request);
    QFileDialog dialog(parent, request.caption, QDir::currentPath(), DialogFilter(request.filter));
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (request.purpose == Purpose::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        if (!request.proposal.isEmpty())
            dialog.selectFile(request.proposal);
    } else {
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}
