#include "app/Datafiles.h"

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
