#pragma once

#include "document/Recoverycopy.h"

#include <QLockFile>
#include <QObject>
#include <QString>
#include <QThreadPool>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <vector>

// A recovery copy left by a process that is gone.
struct S_FoundCopy
{
    QString m_File;
    // Empty for a copy that cannot be read.
    std::optional<S_RecoveredCopy> m_Copy;
    // Why it cannot be read.
    QString m_Damage;
};

// The folder of recovery copies ($XDG_STATE_HOME/kw3win/recovery). This process
// holds a lock there while it lives and names its copies after it; copies of
// processes whose lock is gone or stale belong to nobody until one claims them.
// Writes and removals run in the order given on a thread of their own, so that
// the windows never wait for the disk.
class C_RecoveryFolder : public QObject
{
    Q_OBJECT

public:
    explicit C_RecoveryFolder(const QString& folder = DefaultFolder(), QObject* parent = nullptr);
    // Waits for the queued writes, then removes this process's copies and lock.
    ~C_RecoveryFolder() override;

    static QString DefaultFolder();
    const QString& Folder() const { return m_Folder; }

    // The copy of this process's window number n.
    QString CopyFile(int window) const;
    // The copy replaced (a found one restored, or empty) is removed only once this one is written.
    void Write(int window, S_RecoverySnapshot snapshot, const QString& replacedCopy = QString());
    void Remove(int window);
    // A found copy discarded.
    void RemoveFound(const QString& file);
    // Returns once every write and removal asked for is done.
    void Flush();

    // The copies of processes that are gone, this process's until Release.
    std::vector<S_FoundCopy> ClaimCopiesOfGoneProcesses();
    // The claims end, but on runs with a restored copy that its window's own copy
    // has not yet replaced: copies still there are offered at the next start.
    void Release();

signals:
    // The outcome of a write, on the thread the folder lives on: empty for success.
    void Written(int window, const QString& problem);

private:
    // Names the copies and the lock of one process: its id and start time.
    static QString SessionOf(const QString& fileName);
    bool Prepare(QString& problem);
    void Enqueue(std::function<void()> work);
    void DropFinishedClaims();

    QString m_Folder;
    QString m_Session;
    std::unique_ptr<QLockFile> m_Lock;
    // By the session of the run they were claimed from.
    std::map<QString, std::unique_ptr<QLockFile>> m_Claims;
    // Found copies that go once the copy written in their place is on disk.
    std::set<QString> m_Replacing;
    bool m_Released = false;
    QThreadPool m_Writer;
};
