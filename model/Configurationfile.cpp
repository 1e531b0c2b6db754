#include "model/Configurationfile.h"

#include "language/Language.h"
#include "model/Eepromformat.h"

#include <QFile>
#include <QFileInfo>

namespace {

constexpr int HeaderSize = 2;

struct S_FormatName
{
    const char* m_Name;
    std::uint16_t m_Code;
};

constexpr S_FormatName FormatNames[] = {
    {"standard", FormatCode::Standard}, {"inverter", FormatCode::Inverter}, {"varnholt", FormatCode::Varnholt}};

std::optional<std::uint16_t> ReadFormatCode(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray header = file.read(HeaderSize);
    if (header.size() < HeaderSize)
        return std::nullopt;
    const std::uint16_t code = std::uint16_t(std::uint8_t(header[0]) | (std::uint8_t(header[1]) << 8));
    if (!C_EEPROMFormat::IsFormatCode(code))
        return std::nullopt;
    return code;
}

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
    QByteArray bytes(HeaderSize, '\0');
    WriteLittle16(reinterpret_cast<std::uint8_t*>(bytes.data()), formatCode);
    bytes.append(reinterpret_cast<const char*>(image.data()), qsizetype(image.size()));
    return bytes;
}

C_ConfigurationFile::C_ConfigurationFile(const QString& path)
    : m_Path(path)
    , m_Exists(QFileInfo(path).isFile())
    , m_FormatCode(m_Exists && !IsOld(path) ? ReadFormatCode(path) : std::nullopt)
{
}

bool C_ConfigurationFile::IsOld(const QString& path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("KW3"), Qt::CaseInsensitive) == 0;
}

QString C_ConfigurationFile::Refusal() const
{
    if (!m_Exists)
        return Text(47) + QLatin1Char(' ') + m_Path;
    if (!IsOld() && !m_FormatCode)
        return Text(48) + QLatin1Char(' ') + m_Path;
    return {};
}

std::unique_ptr<C_EEPROMFormat> C_ConfigurationFile::Open(C_ConfigurationPanes& window,
                                                          std::uint16_t formatCode) const
{
    std::unique_ptr<C_EEPROMFormat> format = C_EEPROMFormat::Create(formatCode, window, 0);
    if (format == nullptr)
        return nullptr;
    format->LoadFile(m_Path);
    format->ShowInPanes();
    return format;
}
