#pragma once

#include "model/Imagebytes.h"

#include <QDateTime>
#include <QString>

#include <cstdint>

// One transfer as the transfer log keeps it.
struct S_TransferLogEntry
{
    QDateTime m_Time;
    // "download" or "upload".
    QString m_Direction;
    QString m_Port;
    QString m_Device;
    // The configuration file of the window; empty for a window never saved.
    QString m_File;
    QString m_Format;
    std::size_t m_Bytes = 0;
    std::uint32_t m_Crc = 0;
    std::int64_t m_DurationMs = 0;
    // finished, failed: reason, cancelled, verified, verify failed, could not verify.
    QString m_Result;
    QString m_BackupFile;
};

// The CRC-32 of an image, as zlib computes it.
std::uint32_t ImageCrc32(const MemoryImage& image);

// The entry as one tab-separated line without its line end: ISO 8601 local time
// with offset, direction, port, device, file, format, bytes, CRC-32 as eight
// lowercase hex digits, milliseconds, result, backup file.
QString TransferLogLine(const S_TransferLogEntry& entry);

// $XDG_STATE_HOME/kw3win/transfers.log.
QString DefaultTransferLogPath();
// Appends the entry's line; false with the system's reason when it cannot.
bool AppendTransferLog(const QString& path, const S_TransferLogEntry& entry, QString& reason);
