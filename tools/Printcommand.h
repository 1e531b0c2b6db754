#pragma once

#include <QDateTime>
#include <QStringList>

#include <optional>

// print FILE OUT.pdf [--format F] [--parts LIST]: Kw3Win's print jobs into one PDF file.
int RunPrint(const QStringList& arguments);

// The moment SOURCE_DATE_EPOCH names, in UTC, so that a print or a picture can be
// made again unchanged; unset when it is not set; nothing, with the reason on
// standard error, when it names no moment.
std::optional<QDateTime> StampTime(const QDateTime& unset);
