#pragma once

#include "model/Configuration.h"
#include "model/Configurationtext.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <cstdint>
#include <map>
#include <optional>

struct S_JsonError;

// Where the configuration of a recovery copy belongs, and when the copy was taken.
struct S_RecoveryOrigin
{
    // The file the configuration was read from or saved to; empty while no file holds it.
    QString m_Path;
    // The window's name: the path, or the name a new window was given.
    QString m_Caption;
    QDateTime m_Taken;
    // The file at m_Path as it was when the copy was taken; a size of -1 for no file.
    qint64 m_FileSize = -1;
    QDateTime m_FileModified;

    // The file at m_Path as it is now.
    static S_RecoveryOrigin Of(const QString& path, const QString& caption);
    // Another file stands at m_Path than the one the copy was taken beside: a Save
    // of the recovered configuration would overwrite someone else's work.
    bool FileChangedSince() const;
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
