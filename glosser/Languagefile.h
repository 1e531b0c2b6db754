#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>
#include <QStringList>

#include <optional>

// Reading and writing language files: plain text, one message per line, each byte one
// character of the Western code page. Bytes are taken as Latin-1, so that every byte read
// is written back unchanged.
class C_LanguageFile
{
public:
    // Anything larger is not a language file (a complete one is a few kilobytes); reading
    // stops here instead of filling the memory with a wrongly chosen file.
    static constexpr qint64 MaximumSize = 4 * 1024 * 1024;

    // Splits bytes into at most maxLines messages. CR LF, a lone CR and a lone LF each end a
    // line; a break at the very end starts no further message; a NUL ends the readable text.
    static QStringList Split(const QByteArray& bytes, int maxLines);

    // Reads the first maxLines messages of a file. On failure returns false and says why.
    static bool Read(const QString& path, int maxLines, QStringList& lines, QString& error);

    // The first character of a text that cannot be written as one line of a language file:
    // one without an 8-bit form, or a line break or NUL that would shift every later message.
    static std::optional<QChar> UnstorableCharacter(const QString& text);

    // Every text followed by CR LF. The texts must be storable.
    static QByteArray Encode(const QStringList& texts);

    // Writes through a temporary file beside the target that is renamed into place, so an
    // existing file is either replaced whole or left as it was.
    static bool Write(const QString& path, const QByteArray& bytes, QString& error);
};
