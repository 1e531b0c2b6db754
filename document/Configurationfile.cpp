#include "document/Configurationfile.h"

#include "language/Language.h"
#include "language/Messages.h"
#include "model/Eepromformat.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

std::optional<std::uint16_t> ReadFormatCode(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray header = file.read(FileHeaderSize);
    if (header.size() < FileHeaderSize)
        return std::nullopt;
    const std::uint16_t code = std::uint16_t(std::uint8_t(header[0]) | (std::uint8_t(header[1]) << 8));
    if (!C_EEPROMFormat::IsFormatCode(code))
        return std::nullopt;
    return code;
}

} // namespace

C_ConfigurationFile::C_ConfigurationFile(const QString& path)
    : m_Path(path)
    , m_Exists(QFileInfo(path).isFile())
    , m_FormatCode(m_Exists && !IsOld(path) && !IsText(path) ? ReadFormatCode(path) : std::nullopt)
{
    if (!m_Exists || !IsText())
        return;
    QFile file(path);
    if (file.size() > ConfigurationText::MaximumSize) {
        m_TextError.m_Reason = QStringLiteral("larger than %1 bytes").arg(ConfigurationText::MaximumSize);
        return;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        m_TextError.m_Reason = file.errorString();
        return;
    }
    m_Text = ReadConfigurationText(file.read(ConfigurationText::MaximumSize + 1), m_TextError);
    if (m_Text)
        m_FormatCode = m_Text->m_FormatCode;
}

bool C_ConfigurationFile::IsText(const QString& path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("json"), Qt::CaseInsensitive) == 0;
}

bool C_ConfigurationFile::IsOld(const QString& path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("KW3"), Qt::CaseInsensitive) == 0;
}

QString C_ConfigurationFile::Refusal() const
{
    if (!m_Exists)
        return Text(Msg::FileMissing) + QLatin1Char(' ') + m_Path;
    if (IsText() && !m_Text)
        return m_TextError.Line(m_Path);
    if (!IsOld() && !m_FormatCode)
        return Text(Msg::FileOfNoFormat) + QLatin1Char(' ') + m_Path;
    return {};
}

QByteArray C_ConfigurationFile::ImageBytes(qint64 size) const
{
    QFile file(m_Path);
    // One read of the whole image: a buffer would only copy it once more.
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return {};
    if (!IsOld())
        file.skip(FileHeaderSize);
    return file.read(size);
}

void C_ConfigurationFile::Load(C_EEPROMFormat& format) const
{
    format.LoadImage(ImageBytes(qint64(format.Image().size())));
}

void C_ConfigurationFile::Load(MemoryImage& image) const
{
    const QByteArray bytes = ImageBytes(qint64(image.size()));
    std::copy(bytes.begin(), bytes.end(), image.begin());
}

std::unique_ptr<C_EEPROMFormat> C_ConfigurationFile::Open(std::uint16_t formatCode, C_Configuration& value,
                                                          C_DiagnosticSink& lines) const
{
    if (IsText())
        return m_Text ? TextFormat(*m_Text, value, lines) : nullptr;
    std::unique_ptr<C_EEPROMFormat> format = C_EEPROMFormat::Create(formatCode, 0);
    if (format == nullptr)
        return nullptr;
    Load(*format);
    value = format->Decode(lines);
    return format;
}
