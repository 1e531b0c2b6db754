#include "document/Recoveryfolder.h"

#include "document/Jsonreader.h"
#include "model/Fileheader.h"
#include "platform/Datafiles.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <map>

namespace {

const QString CopySuffix = QStringLiteral(".recovery");
const QString LockSuffix = QStringLiteral(".lock");
// A lock holds a process id, a program and a host name.
constexpr qint64 LargestLock = 4096;
// A lock that names no process this long after it was made was left by a run that died taking it.
constexpr qint64 UnreadableLockSeconds = 60;

// The claim on the copies of a run, or null while that run lives.
std::unique_ptr<QLockFile> Claim(const QString& lockFile)
{
    // A lock is a small plain file; a pipe, a link or a large file is no run's, and
    // reading it to see whose it is could hang or never end.
    const QFileInfo existing(lockFile);
    if (existing.isDir() && !existing.isSymLink())
        QDir(lockFile).removeRecursively();
    else if (existing.isSymLink() || (existing.exists() && (!existing.isFile() || existing.size() > LargestLock)))
        QFile::remove(lockFile);
    auto claim = std::make_unique<QLockFile>(lockFile);
    // Age alone never makes a lock stale: only a process that is gone.
    claim->setStaleLockTime(0);
    if (claim->tryLock(0))
        return claim;
    qint64 process = 0;
    QString host;
    QString program;
    if (!claim->getLockInfo(&process, &host, &program) &&
        QFileInfo(lockFile).lastModified().secsTo(QDateTime::currentDateTime()) > UnreadableLockSeconds &&
        claim->removeStaleLockFile() && claim->tryLock(0))
        return claim;
    return nullptr;
}

S_FoundCopy ReadFound(const QFileInfo& file)
{
    S_FoundCopy found{file.absoluteFilePath(), std::nullopt, QString()};
    // Only a plain file is read: a link or a pipe could point anywhere or never end.
    if (file.isSymLink() || !file.isFile()) {
        found.m_Damage = QStringLiteral("not a plain file");
        return found;
    }
    if (file.size() > RecoveryCopy::MaximumSize) {
        found.m_Damage = QStringLiteral("larger than %1 bytes").arg(RecoveryCopy::MaximumSize);
        return found;
    }
    QFile input(found.m_File);
    if (!input.open(QIODevice::ReadOnly)) {
        found.m_Damage = input.errorString();
        return found;
    }
    S_JsonError error;
    found.m_Copy = ReadRecoveryCopy(input.read(RecoveryCopy::MaximumSize + 1), error);
    if (!found.m_Copy)
        found.m_Damage = error.Line(file.fileName());
    return found;
}

} // namespace

C_RecoveryFolder::C_RecoveryFolder(const QString& folder, QObject* parent)
    : QObject(parent)
    , m_Folder(folder)
    , m_Session(QStringLiteral("%1-%2")
                    .arg(QCoreApplication::applicationPid())
                    .arg(QDateTime::currentMSecsSinceEpoch(), 0, 36))
{
    m_Writer.setMaxThreadCount(1);
    QString problem;
    Prepare(problem);
}

C_RecoveryFolder::~C_RecoveryFolder()
{
    m_Writer.waitForDone();
    const QDir folder(m_Folder);
    for (const QString& name : folder.entryList({m_Session + QStringLiteral("-*")}, QDir::Files | QDir::System))
        QFile::remove(folder.filePath(name));
    m_Claims.clear();
    m_Lock.reset();
}

QString C_RecoveryFolder::DefaultFolder()
{
    return QDir(UserStateFolder(QStringLiteral("kw3win"))).filePath(QStringLiteral("recovery"));
}

QString C_RecoveryFolder::CopyFile(int window) const
{
    return QDir(m_Folder).filePath(QStringLiteral("%1-%2%3").arg(m_Session).arg(window).arg(CopySuffix));
}

QString C_RecoveryFolder::SessionOf(const QString& fileName)
{
    if (fileName.endsWith(LockSuffix))
        return fileName.chopped(LockSuffix.size());
    const qsizetype dash = fileName.lastIndexOf(QLatin1Char('-'));
    return dash > 0 ? fileName.left(dash) : QString();
}

bool C_RecoveryFolder::Prepare(QString& problem)
{
    if (m_Lock != nullptr && m_Lock->isLocked())
        return true;
    // The copies hold customers' configurations: the folder is the user's alone.
    if (!QDir().mkpath(m_Folder) ||
        !QFile::setPermissions(m_Folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)) {
        problem = m_Folder;
        return false;
    }
    m_Lock = Claim(QDir(m_Folder).filePath(m_Session + LockSuffix));
    if (m_Lock == nullptr) {
        problem = QDir(m_Folder).filePath(m_Session + LockSuffix);
        return false;
    }
    return true;
}

void C_RecoveryFolder::Enqueue(std::function<void()> work)
{
    m_Writer.start(std::move(work));
}

void C_RecoveryFolder::Write(int window, S_RecoverySnapshot snapshot, const QString& replacedCopy)
{
    QString problem;
    // Without this process's lock another one could take the copy for a lost one's.
    if (!Prepare(problem)) {
        emit Written(window, problem);
        return;
    }
    if (!replacedCopy.isEmpty())
        m_Replacing.insert(replacedCopy);
    Enqueue([this, window, snapshot = std::move(snapshot), file = CopyFile(window), replacedCopy] {
        QString reason;
        if (!ReplaceFile(file, RecoveryCopyText(snapshot), reason))
            reason = file + QStringLiteral(": ") + reason;
        else if (!replacedCopy.isEmpty())
            QFile::remove(replacedCopy);
        QMetaObject::invokeMethod(
            this,
            [this, window, reason, replacedCopy] {
                if (reason.isEmpty() && !replacedCopy.isEmpty()) {
                    m_Replacing.erase(replacedCopy);
                    if (m_Released)
                        DropFinishedClaims();
                }
                emit Written(window, reason);
            },
            Qt::QueuedConnection);
    });
}

void C_RecoveryFolder::Remove(int window)
{
    RemoveFound(CopyFile(window));
}

void C_RecoveryFolder::RemoveFound(const QString& file)
{
    Enqueue([file] { QFile::remove(file); });
}

void C_RecoveryFolder::Flush()
{
    m_Writer.waitForDone();
}

std::vector<S_FoundCopy> C_RecoveryFolder::ClaimCopiesOfGoneProcesses()
{
    const QDir folder(m_Folder);
    std::map<QString, std::vector<QFileInfo>> sessions;
    // Copies, locks and what an interrupted write of a copy left; anything else is no one's.
    const QStringList patterns{QStringLiteral("*") + CopySuffix, QStringLiteral("*") + LockSuffix,
                               QStringLiteral("*") + CopySuffix + QStringLiteral(".*")};
    for (const QFileInfo& file :
         folder.entryInfoList(patterns, QDir::Files | QDir::System | QDir::Hidden, QDir::Name)) {
        const QString session = SessionOf(file.fileName());
        if (session != m_Session && !session.isEmpty())
            sessions[session].push_back(file);
    }
    std::vector<S_FoundCopy> found;
    for (const auto& [session, files] : sessions) {
        std::unique_ptr<QLockFile> claim = Claim(folder.filePath(session + LockSuffix));
        if (claim == nullptr)
            continue;
        for (const QFileInfo& file : files) {
            if (file.fileName().endsWith(CopySuffix))
                found.push_back(ReadFound(file));
            else if (!file.fileName().endsWith(LockSuffix))
                // What an interrupted write left beside its copy.
                QFile::remove(file.absoluteFilePath());
        }
        m_Claims[session] = std::move(claim);
    }
    return found;
}

void C_RecoveryFolder::Release()
{
    Flush();
    // The written copies' outcomes arrive as queued calls: take them before looking.
    QCoreApplication::sendPostedEvents(this);
    m_Released = true;
    DropFinishedClaims();
}

void C_RecoveryFolder::DropFinishedClaims()
{
    // A restored copy stays claimed until the window's own copy replaces it, so
    // that no other run is offered the same work meanwhile.
    for (auto claim = m_Claims.begin(); claim != m_Claims.end();) {
        const QString& session = claim->first;
        const bool waiting = std::any_of(m_Replacing.begin(), m_Replacing.end(), [&session](const QString& file) {
            return SessionOf(QFileInfo(file).fileName()) == session;
        });
        claim = waiting ? std::next(claim) : m_Claims.erase(claim);
    }
}
