#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <string>

// The faults a save can meet in the file system, each made in a folder of its
// own inside a test's temporary folder. Read-only and full folders need a
// small file system of their own (a tmpfs, mounted when running as root) or,
// for a read-only folder, a user the permissions bind.
enum class SaveFault { ReadOnlyFolder, FullDisk, TargetIsDirectory, LinkToFile, LinkIntoReadOnlyFolder, FolderGone };

const char* SaveFaultName(SaveFault fault);
// The name in one word, for a test's name: ReadOnlyFolder.
std::string SaveFaultIdentifier(SaveFault fault);

class FaultFolder
{
public:
    // Makes <parent>/<fault name>/ holding the file name with the bytes (except
    // where the fault puts something else there), then applies the fault.
    FaultFolder(const QString& parent, SaveFault fault, const QString& name, const QByteArray& bytes);
    ~FaultFolder();
    FaultFolder(const FaultFolder&) = delete;
    FaultFolder& operator=(const FaultFolder&) = delete;

    // Why the fault could not be made here; empty when it was.
    const QString& Unavailable() const { return m_Unavailable; }
    // The path the writer is given.
    const QString& Target() const { return m_Target; }
    // The file that holds the old bytes: the target, or the file its link names.
    const QString& Holder() const { return m_Holder; }
    // Every entry of the folders involved, so that a temporary file left behind shows.
    QStringList Entries() const;
    // Writes are expected to succeed (through a link into a writable folder).
    bool WriteSucceeds() const { return m_Fault == SaveFault::LinkToFile; }
    // The words of the system's reason the user must be shown; empty for a success.
    QString Reason() const;

private:
    void Make(const QString& name, const QByteArray& bytes);
    bool Mount(const QString& folder, const QString& options);
    void Fail(const QString& why) { m_Unavailable = why; }

    SaveFault m_Fault;
    QString m_Folder;
    QString m_Target;
    QString m_Holder;
    QStringList m_Mounted;
    QString m_Unavailable;
    bool m_PermissionsChanged = false;
};
