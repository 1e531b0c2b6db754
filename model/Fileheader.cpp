#include "model/Fileheader.h"

#include <QSaveFile>

namespace {

struct S_FormatName
{
    const char* m_Name;
    std::uint16_t m_Code;
};

constexpr S_FormatName FormatNames[] = {
    {"standard", FormatCode::Standard}, {"inverter", FormatCode::Inverter}, {"varnholt", FormatCode::Varnholt}};

} // namespace

std::optional<std::uint16_t> FormatCodeOfName(const QString& name)
{
    for (const S_FormatName& format : FormatNames)
        if (name == QLatin1String(format.m_Name))
            return format.m_Code;
    return std::nullopt;
}

QString FormatNameOfCode(std::uint16_t code)
{
    for (const S_FormatName& format : FormatNames)
        if (code == format.m_Code)
            return QLatin1String(format.m_Name);
    return {};
}

QByteArray ConfigurationFileBytes(std::uint16_t formatCode, const MemoryImage& image)
{
    QByteArray bytes(FileHeaderSize, '\0');
    WriteLittle16(reinterpret_cast<std::uint8_t*>(bytes.data()), formatCode);
    bytes.append(reinterpret_cast<const char*>(image.data()), qsizetype(image.size()));
    return bytes;
}

bool ReplaceFile(const QString& path, const QByteArray& bytes, QString& reason)
{
    QSaveFile file(path);
    // Flushed before the commit: commit itself would put a file whose buffered
    // bytes could not be written (a full disk) in place of the old one.
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush() && file.commit())
        return true;
    reason = file.errorString();
    return false;
}
