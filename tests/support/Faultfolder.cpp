#include "support/Faultfolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <cctype>
#include <cerrno>
#include <cstring>

#include <sys/mount.h>
#include <unistd.h>

namespace {

// The file system refuses the old file's replacement before a byte is written.
constexpr const char* ReadOnlyReasonOfRoot = "is not writable";
constexpr const char* ReadOnlyReasonOfUser = "Permission denied";

bool WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

QString SystemReason()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

const char* SaveFaultName(SaveFault fault)
{
    switch (fault) {
    case SaveFault::ReadOnlyFolder: return "read-only folder";
    case SaveFault::FullDisk: return "full disk";
    case SaveFault::TargetIsDirectory: return "target is a directory";
    case SaveFault::LinkToFile: return "symbolic link to a file";
    case SaveFault::LinkIntoReadOnlyFolder: return "symbolic link into a read-only folder";
    case SaveFault::FolderGone: return "folder gone";
    }
    return "?";
}

std::string SaveFaultIdentifier(SaveFault fault)
{
    std::string identifier;
    bool wordStart = true;
    for (const char* c = SaveFaultName(fault); *c != 0; ++c) {
        const bool letter = std::isalpha(static_cast<unsigned char>(*c)) != 0;
        if (letter)
            identifier += wordStart ? char(std::toupper(static_cast<unsigned char>(*c))) : *c;
        wordStart = !letter;
    }
    return identifier;
}

FaultFolder::FaultFolder(const QString& parent, SaveFault fault, const QString& name, const QByteArray& bytes)
    : m_Fault(fault)
    , m_Folder(QDir(parent).filePath(QString::fromLatin1(SaveFaultName(fault)).replace(QLatin1Char(' '), QLatin1Char('-'))))
{
    Make(name, bytes);
}

void FaultFolder::Make(const QString& name, const QByteArray& bytes)
{
    const SaveFault fault = m_Fault;
    QDir().mkpath(m_Folder);
    const QDir folder(m_Folder);
    m_Target = folder.filePath(name);
    m_Holder = m_Target;
    switch (fault) {
    case SaveFault::ReadOnlyFolder:
    case SaveFault::LinkIntoReadOnlyFolder: {
        const QString readOnly = fault == SaveFault::ReadOnlyFolder ? m_Folder : folder.filePath(QStringLiteral("ro"));
        QDir().mkpath(readOnly);
        if (::geteuid() == 0 && !Mount(readOnly, QStringLiteral("size=1m")))
            return;
        m_Holder = QDir(readOnly).filePath(name);
        if (!WriteBytes(m_Holder, bytes))
            return Fail(QStringLiteral("cannot write ") + m_Holder);
        if (fault == SaveFault::LinkIntoReadOnlyFolder && !QFile::link(m_Holder, m_Target))
            return Fail(QStringLiteral("no symbolic links here"));
        if (::geteuid() == 0) {
            if (::mount("kw3-faults", QFile::encodeName(readOnly).constData(), "tmpfs", MS_REMOUNT | MS_RDONLY,
                        "size=1m") != 0)
                return Fail(QStringLiteral("cannot make the folder read-only: ") + SystemReason());
        } else {
            m_PermissionsChanged = QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ExeOwner);
        }
        break;
    }
    case SaveFault::FullDisk: {
        if (::geteuid() != 0)
            return Fail(QStringLiteral("a full file system needs a tmpfs mounted as root"));
        if (!Mount(m_Folder, QStringLiteral("size=64k")) || !WriteBytes(m_Target, bytes))
            return;
        // Whatever room is left is taken, so the next block written fails.
        QFile filler(folder.filePath(QStringLiteral("filler")));
        filler.open(QIODevice::WriteOnly);
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
        break;
    }
    case SaveFault::TargetIsDirectory:
        QDir().mkpath(m_Target);
        m_Holder = QDir(m_Target).filePath(QStringLiteral("inside"));
        WriteBytes(m_Holder, bytes);
        break;
    case SaveFault::LinkToFile:
        m_Holder = folder.filePath(QStringLiteral("real-") + name);
        WriteBytes(m_Holder, bytes);
        if (!QFile::link(m_Holder, m_Target))
            return Fail(QStringLiteral("no symbolic links here"));
        break;
    case SaveFault::FolderGone: {
        const QString gone = folder.filePath(QStringLiteral("gone"));
        QDir().mkpath(gone);
        m_Target = QDir(gone).filePath(name);
        WriteBytes(m_Target, bytes);
        QDir(gone).removeRecursively();
        m_Holder.clear();
        break;
    }
    }
}

FaultFolder::~FaultFolder()
{
    for (const QString& mounted : m_Mounted)
        ::umount2(QFile::encodeName(mounted).constData(), MNT_DETACH);
    if (m_PermissionsChanged)
        QFile::setPermissions(QFileInfo(m_Holder).path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

bool FaultFolder::Mount(const QString& folder, const QString& options)
{
    if (::mount("kw3-faults", QFile::encodeName(folder).constData(), "tmpfs", 0, options.toLatin1().constData()) != 0) {
        Fail(QStringLiteral("cannot mount a tmpfs: ") + SystemReason());
        return false;
    }
    m_Mounted << folder;
    return true;
}

QStringList FaultFolder::Entries() const
{
    QStringList entries;
    QDirIterator it(m_Folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        entries << QDir(m_Folder).relativeFilePath(it.next());
    entries.sort();
    return entries;
}

QString FaultFolder::Reason() const
{
    switch (m_Fault) {
    case SaveFault::ReadOnlyFolder:
    case SaveFault::LinkIntoReadOnlyFolder:
        return QString::fromLatin1(::geteuid() == 0 ? ReadOnlyReasonOfRoot : ReadOnlyReasonOfUser);
    case SaveFault::FullDisk: return QStringLiteral("No space left on device");
    case SaveFault::TargetIsDirectory: return QStringLiteral("directory");
    case SaveFault::LinkToFile: return QString();
    case SaveFault::FolderGone: return QStringLiteral("No such file or directory");
    }
    return QString();
}
