#include "support/TempFolder.h"

#include "language/Messages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

TempFolder::TempFolder()
    : m_DataHome(qgetenv("XDG_DATA_HOME"))
    , m_StateHome(qgetenv("XDG_STATE_HOME"))
{
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_Dir.path());
    qputenv("XDG_DATA_HOME", m_Dir.filePath(QStringLiteral("data")).toLocal8Bit());
    qputenv("XDG_STATE_HOME", m_Dir.filePath(QStringLiteral("state")).toLocal8Bit());
}

TempFolder::~TempFolder()
{
    qputenv("XDG_DATA_HOME", m_DataHome);
    qputenv("XDG_STATE_HOME", m_StateHome);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}

QString TempFolder::Write(const QString& name, const QByteArray& bytes) const
{
    const QString path = Path(name);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

QString TempFolder::WriteIdLanguage() const
{
    QByteArray file;
    for (int i = 0; i < Msg::EndOfAdded; ++i)
        file += "<" + QByteArray::number(i) + ">\r\n";
    return Write(QStringLiteral("Ids.lng"), file);
}

QByteArray TempFolder::Read(const QString& name) const
{
    QFile file(Path(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString TempFolder::SettingsFile() const
{
    return Path(QStringLiteral("KW3Win 2.00.01 Context.ini"));
}

QString SourceFile(const QString& relativePath)
{
    return QDir(qEnvironmentVariable("KW3_SOURCE_DIR", QStringLiteral(KW3_TEST_SOURCE_DIR))).filePath(relativePath);
}
