#include "model/Fileheader.h"

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
