#include "glosser/Languagefile.h"

#include <QFile>
#include <QSaveFile>

QStringList C_LanguageFile::Split(const QByteArray& bytes, int maxLines)
{
    QStringList lines;
    qsizetype start = 0;
    qsizetype end = bytes.indexOf('\0');
    if (end < 0)
        end = bytes.size();

    qsizetype at = 0;
    while (at < end && lines.size() < maxLines) {
        const char byte = bytes.at(at);
        if (byte != '\r' && byte != '\n') {
            ++at;
            continue;
        }
        lines << QString::fromLatin1(bytes.constData() + start, at - start);
        ++at;
        if (byte == '\r' && at < end && bytes.at(at) == '\n')
            ++at;
        start = at;
    }
    if (start < end && lines.size() < maxLines)
        lines << QString::fromLatin1(bytes.constData() + start, end - start);
    return lines;
}

bool C_LanguageFile::Read(const QString& path, int maxLines, QStringList& lines, QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return false;
    }
    // Read in pieces of the file's size (a file that grows gives more): setting the
    // largest size aside for every file cost more than the reading.
    const qint64 piece = qBound<qint64>(4096, file.size() + 1, MaximumSize + 1);
    QByteArray bytes;
    qsizetype filled = 0;
    while (filled <= MaximumSize) {
        bytes.resize(filled + qsizetype(qMin<qint64>(piece, MaximumSize + 1 - filled)));
        const qint64 got = file.read(bytes.data() + filled, bytes.size() - filled);
        if (got < 0) {
            error = file.errorString();
            return false;
        }
        if (got == 0)
            break;
        filled += got;
    }
    if (filled > MaximumSize) {
        error = QStringLiteral("The file is larger than %1 bytes; it is not a language file.")
                    .arg(MaximumSize);
        return false;
    }
    bytes.truncate(filled);
    lines = Split(bytes, maxLines);
    return true;
}

std::optional<QChar> C_LanguageFile::UnstorableCharacter(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() > 0xFF || c == QLatin1Char('\r') || c == QLatin1Char('\n')
            || c == QLatin1Char('\0'))
            return c;
    }
    return std::nullopt;
}

QByteArray C_LanguageFile::Encode(const QStringList& texts)
{
    QByteArray bytes;
    for (const QString& text : texts)
        bytes += text.toLatin1() + "\r\n";
    return bytes;
}

bool C_LanguageFile::Write(const QString& path, const QByteArray& bytes, QString& error)
{
    QSaveFile file(path);
    // Flushed before the commit: commit itself would put a file whose buffered
    // bytes could not be written (a full disk) in place of the old one.
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush() || !file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}
