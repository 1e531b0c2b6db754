#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <cstdint>

// Where Kw3Win keeps what a controller held before a download overwrote it.
QString DefaultBackupFolder();
// yyyyMMdd-HHmmss-zzz-<port>-<format>.KWC, the port with all but letters and digits made '_'.
QString BackupFileName(const QDateTime& time, const QString& portName, std::uint16_t formatCode);
// Writes the bytes as a new file of the folder, complete or not at all, never in
// place of another file; false with the system's reason. The path written is in path.
bool WriteNewFile(const QString& folder, const QString& name, const QByteArray& bytes, QString& path, QString& reason);
