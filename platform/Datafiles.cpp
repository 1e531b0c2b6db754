#include "platform/Datafiles.h"

#include "platform/Datafolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString ResolveDataFile(const QString& path)
{
    const QFileInfo given(path);
    if (given.isAbsolute() || given.exists())
        return path;

    QStringList folders;
    if (QCoreApplication::instance() != nullptr)
        folders << QCoreApplication::applicationDirPath();
    folders << QStringLiteral(KW3_DATA_DIR);

    for (const QString& folder : folders) {
        const QString candidate = QDir(folder).filePath(path);
        if (QFileInfo::exists(candidate))
            return candidate;
    }
    return path;
}

namespace {

QString UserFolder(const char* variable, const char* fallback, const QString& program)
{
    // A relative value is to be ignored, as the base directories say.
    QString base = qEnvironmentVariable(variable);
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::home().filePath(QLatin1String(fallback));
    return QDir(base).filePath(program);
}

} // namespace

QString UserDataFolder(const QString& program)
{
    return UserFolder("XDG_DATA_HOME", ".local/share", program);
}

QString UserStateFolder(const QString& program)
{
    return UserFolder("XDG_STATE_HOME", ".local/state", program);
}
