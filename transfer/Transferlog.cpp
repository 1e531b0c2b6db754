#include "transfer/Transferlog.h"

#include "platform/Datafiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <zlib.h>

#include <cstdlib>

namespace {

// A tab or line end inside a field (a file name may hold one) would break the line apart.
QString Field(const QString& value)
{
    QString field = value;
    for (QChar& character : field)
        if (character == QLatin1Char('\t') || character == QLatin1Char('\n') || character == QLatin1Char('\r'))
            character = QLatin1Char(' ');
    return field;
}

// 2026-12-09T14:03:27+01:00: the offset always written out, never as Z.
QString LocalTimeWithOffset(const QDateTime& time)
{
    const QDateTime local = time.toLocalTime();
    const int offset = local.offsetFromUtc();
    const int minutes = std::abs(offset) / 60;
    return local.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) + QLatin1Char(offset < 0 ? '-' : '+') +
           QStringLiteral("%1:%2")
               .arg(minutes / 60, 2, 10, QLatin1Char('0'))
               .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

std::uint32_t ImageCrc32(const MemoryImage& image)
{
    return std::uint32_t(::crc32(::crc32(0L, Z_NULL, 0), image.data(), uInt(image.size())));
}

QString TransferLogLine(const S_TransferLogEntry& entry)
{
    const QStringList fields = {
        LocalTimeWithOffset(entry.m_Time),
        entry.m_Direction,
        entry.m_Port,
        entry.m_Device,
        entry.m_File,
        entry.m_Format,
        QString::number(entry.m_Bytes),
        QStringLiteral("%1").arg(entry.m_Crc, 8, 16, QLatin1Char('0')),
        QString::number(entry.m_DurationMs),
        entry.m_Result,
        entry.m_BackupFile,
    };
    QStringList cleaned;
    for (const QString& field : fields)
        cleaned << Field(field);
    return cleaned.join(QLatin1Char('\t'));
}

QString DefaultTransferLogPath()
{
    return QDir(UserStateFolder(QStringLiteral("kw3win"))).filePath(QStringLiteral("transfers.log"));
}

bool AppendTransferLog(const QString& path, const S_TransferLogEntry& entry, QString& reason)
{
    if (!QDir().mkpath(QFileInfo(path).path())) {
        reason = QStringLiteral("cannot create the folder ") + QFileInfo(path).path();
        return false;
    }
    QFile file(path);
    // One write of the whole line: two programs appending at once never interleave inside it.
    const QByteArray line = TransferLogLine(entry).toUtf8() + '\n';
    if (file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered) && file.write(line) == line.size())
        return true;
    reason = file.errorString();
    return false;
}
