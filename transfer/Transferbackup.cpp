#include "transfer/Transferbackup.h"

#include "model/Fileheader.h"
#include "platform/Datafiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The process's file mode mask, read without changing it (umask() would, for every thread).
mode_t ProcessUmask()
{
    constexpr mode_t Usual = 022;
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return Usual;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("Umask:")) {
            bool ok = false;
            const mode_t mask = mode_t(line.mid(6).trimmed().toUInt(&ok, 8));
            return ok ? mask : Usual;
        }
    return Usual;
}

const QString TemporaryPrefix = QStringLiteral(".kw3-new-");

bool SyncFolder(const QString& folder)
{
    const int handle = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0)
        return false;
    const bool synced = ::fsync(handle) == 0;
    const int error = errno;
    ::close(handle);
    errno = error;
    return synced;
}

// What a write interrupted by a crash or a kill left: ".kw3-new-<pid>-XXXXXX" of a process that is gone.
void RemoveDebrisOfGoneWriters(const QString& folder)
{
    const QDir dir(folder);
    for (const QString& name : dir.entryList({TemporaryPrefix + QStringLiteral("*-*")}, QDir::Files | QDir::Hidden)) {
        bool number = false;
        const pid_t writer =
            pid_t(name.mid(TemporaryPrefix.size()).section(QLatin1Char('-'), 0, 0).toLongLong(&number));
        if (number && writer > 0 && ::kill(writer, 0) != 0 && errno == ESRCH)
            QFile::remove(dir.filePath(name));
    }
}

} // namespace

QString DefaultBackupFolder()
{
    return QDir(UserDataFolder(QStringLiteral("kw3win"))).filePath(QStringLiteral("backups"));
}

QString BackupFileName(const QDateTime& time, const QString& portName, std::uint16_t formatCode)
{
    QString port = portName;
    for (QChar& character : port)
        if (!(character.isLetterOrNumber() && character.unicode() < 128))
            character = QLatin1Char('_');
    return time.toString(QStringLiteral("yyyyMMdd-HHmmss-zzz")) + QLatin1Char('-') + port + QLatin1Char('-') +
           FormatNameOfCode(formatCode) + QStringLiteral(".KWC");
}

bool WriteNewFile(const QString& folder, const QString& name, const QByteArray& bytes, QString& path, QString& reason)
{
    if (!QDir().mkpath(folder)) {
        reason = folder + QStringLiteral(": ") + QStringLiteral("cannot create the folder");
        return false;
    }
    RemoveDebrisOfGoneWriters(folder);
    path = QDir(folder).filePath(name);
    // Hidden until complete, and removed when anything fails: the folder never holds
    // part of a file. The writer's process id in the name tells whose it is.
    QTemporaryFile file(
        QDir(folder).filePath(TemporaryPrefix + QString::number(::getpid()) + QStringLiteral("-XXXXXX")));
    if (!file.open() || file.write(bytes) != bytes.size() || !file.flush()) {
        reason = path + QStringLiteral(": ") + file.errorString();
        return false;
    }
    // On the disk before it has its name: a power cut must not leave an empty backup.
    // Readable as the user's other files are, not only as a temporary file is.
    if (::fchmod(file.handle(), 0666 & ~ProcessUmask()) != 0 || ::fsync(file.handle()) != 0) {
        reason = path + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    if (QFileInfo::exists(path) || !file.rename(path)) {
        reason = path + QStringLiteral(": ") +
                 (QFileInfo::exists(path) ? QStringLiteral("the file exists") : file.errorString());
        return false;
    }
    file.setAutoRemove(false);
    // The new name on the disk too, before the download may overwrite what the file keeps.
    if (!SyncFolder(folder)) {
        reason = folder + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    return true;
}
