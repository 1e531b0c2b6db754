#pragma once

#include "document/Configurationtext.h"
#include "model/Configuration.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <cstdint>
#include <map>
#include <optional>

struct S_JsonError;

// A file as a window last knew it: its size (-1 for no file) and modification time.
struct S_FileStamp
{
    qint64 m_Size = -1;
    QDateTime m_Modified;

    static S_FileStamp Of(const QString& path);
    // Another file stands at the path now: a Save there would overwrite someone else's work.
    bool ChangedAt(const QString& path) const;
};

// Where the configuration of a recovery copy belongs, and when the copy was taken.
struct S_RecoveryOrigin
{
    // The file the configuration was read from or saved to; empty while no file holds it.
    QString m_Path;
    // The window's name: the path, or the name a new window was given.
    QString m_Caption;
    QDateTime m_Taken;
    // The file at m_Path as the window read or saved it.
    S_FileStamp m_File;

    bool FileChangedSince() const { return !m_Path.isEmpty() && m_File.ChangedAt(m_Path); }
};

// What a copy is written from: taken on the window's thread, written on another.
struct S_RecoverySnapshot
{
    S_RecoveryOrigin m_Origin;
    C_Configuration m_Value;
    std::map<int, std::uint8_t> m_KeptBytes;
};

// A copy read back: the configuration as a text document holds it.
struct S_RecoveredCopy
{
    S_RecoveryOrigin m_Origin;
    S_TextConfiguration m_Configuration;
};

namespace RecoveryCopy {
constexpr int Version = 1;
// The text form's largest document and room for the origin.
constexpr qint64 MaximumSize = ConfigurationText::MaximumSize + 64 * 1024;
} // namespace RecoveryCopy

// The copy as a JSON document: its origin and the configuration in the text form.
QByteArray RecoveryCopyText(const S_RecoverySnapshot& snapshot);
// Reads a copy as strictly as a text document; a damaged or foreign one is refused with the reason.
std::optional<S_RecoveredCopy> ReadRecoveryCopy(const QByteArray& text, S_JsonError& error);
