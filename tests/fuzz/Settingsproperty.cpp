#include "fuzz/Fuzzproperties.h"
#include "settings/Context.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSettings>

namespace {

// Every value the store gives, named.
QStringList Values(const C_Context& c)
{
    QStringList values{
        QStringLiteral("configuration ") + c.LastConfiguration(),
        QStringLiteral("language ") + c.LanguageFile(),
    };
    const std::pair<const char*, int> numbers[] = {
        {"horizontal left", c.HorizontalLeft()},
        {"horizontal middle", c.HorizontalMiddle()},
        {"horizontal right", c.HorizontalRight()},
        {"vertical left", c.VerticalLeft()},
        {"vertical right", c.VerticalRight()},
        {"form left", c.FormLeft()},
        {"form top", c.FormTop()},
        {"form width", c.FormWidth()},
        {"form height", c.FormHeight()},
        {"window state", c.WindowState()},
        {"com number", c.ComNumber()},
        {"send timeout", c.SendTimeout()},
        {"receive timeout", c.ReceiveTimeout()},
        {"target type", c.TargetType()},
        {"outputs", c.NumberOfOutputs()},
    };
    for (const auto& [name, value] : numbers)
        values << QLatin1String(name) + QLatin1Char(' ') + QString::number(value);
    for (const QString& file : c.RecentFiles())
        values << QStringLiteral("recent ") + file;
    return values;
}

} // namespace

QString CheckSettingsProperty(const QByteArray& input, const QString& folder)
{
    // QSettings keeps what it read of a file and reads it again only when its size
    // or time changed: each read is given a time of its own.
    static qint64 reads = 0;
    const auto readAnew = [](const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadWrite | QIODevice::Unbuffered) &&
               file.setFileTime(QDateTime::fromMSecsSinceEpoch(++reads * 1000), QFileDevice::FileModificationTime);
    };
    const QDir dir(QDir(folder).filePath(QStringLiteral("settings")));
    if (!dir.mkpath(QStringLiteral(".")))
        return QStringLiteral("cannot make the settings folder");
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
    QFile file(dir.filePath(QLatin1String(C_Context::StoreName) + QStringLiteral(".ini")));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || file.write(input) != input.size())
        return QStringLiteral("cannot write the settings file");
    file.close();
    if (!readAnew(file.fileName()))
        return QStringLiteral("cannot touch the settings file");

    QStringList read;
    {
        C_Context context;
        read = Values(context);
        // The folder is writable, so the store must say it was written.
        if (!context.Store())
            return QStringLiteral("a store written back says it was not: ") + context.StoreProblem();
    }
    if (!readAnew(file.fileName()))
        return QStringLiteral("cannot touch the settings file");
    const C_Context again(C_Context::Persistence::ReadOnly);
    if (!again.StoreProblem().isEmpty())
        return QStringLiteral("the rewritten file: ") + again.StoreProblem();
    if (Values(again) != read)
        return QStringLiteral("the values read, written back, read differently: ") +
               Values(again).join(QLatin1Char('|')) + QStringLiteral(" after ") + read.join(QLatin1Char('|'));
    return {};
}
