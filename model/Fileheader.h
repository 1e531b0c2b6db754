#pragma once

#include "model/Imagebytes.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

// The format codes: the first two bytes of a configuration file, little-endian.
namespace FormatCode {
constexpr std::uint16_t Standard = 0xCAFE;
constexpr std::uint16_t Inverter = 0xCB90;
constexpr std::uint16_t Varnholt = 0xF954;
} // namespace FormatCode

// A configuration file's header: its format code.
constexpr int FileHeaderSize = 2;

// The formats' names as files and commands write them: "standard", "inverter", "varnholt".
std::optional<std::uint16_t> FormatCodeOfName(const QString& name);
QString FormatNameOfCode(std::uint16_t code);

// The bytes of a configuration file: the format code, low byte first, then the image.
QByteArray ConfigurationFileBytes(std::uint16_t formatCode, const MemoryImage& image);

// Writes the file whole beside the target and puts it in place only when complete,
// so a failed write leaves an existing file as it was; a symbolic link is written
// through (the file it names is replaced, the link stays). False with the reason.
bool ReplaceFile(const QString& path, const QByteArray& bytes, QString& reason);
