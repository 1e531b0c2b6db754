#include "tools/Toolconfiguration.h"

#include "language/Language.h"
#include "language/Messages.h"
#include "model/Configurationfile.h"
#include "model/Configurationtext.h"
#include "model/Configurationtransfer.h"
#include "model/Eepromformat.h"
#include "model/Fileheader.h"
#include "model/Imagecodec.h"
#include "model/Imagefields.h"
#include "model/Jsonwriter.h"
#include "tools/Toolarguments.h"
#include "tools/Toolcommands.h"

#include <QFileInfo>

#include <cstdio>

namespace {

void WriteLine(std::FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fputc('\n', stream);
}

} // namespace

void WriteOutput(const QString& text)
{
    WriteLine(stdout, text);
}

void WriteError(const QString& text)
{
    WriteLine(stderr, QStringLiteral("kw3tool: ") + text);
}

void WritePlacedError(const QString& text)
{
    WriteLine(stderr, text);
}

void WriteBytes(const QByteArray& bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

std::unique_ptr<C_ToolConfiguration> C_ToolConfiguration::Open(const QStringList& arguments, int fileCount,
                                                               QStringList& files)
{
    QMap<QString, QString> options;
    return Open(arguments, fileCount, files, {}, options);
}

std::unique_ptr<C_ToolConfiguration> C_ToolConfiguration::Open(const QStringList& arguments, int fileCount,
                                                               QStringList& files, const QStringList& moreOptions,
                                                               QMap<QString, QString>& options,
                                                               const QStringList& flags)
{
    QString error;
    const std::optional<S_ToolArguments> parsed =
        ParseToolArguments(arguments, QStringList{QStringLiteral("format")} + moreOptions, fileCount, error, flags);
    if (!parsed) {
        WriteError(error);
        return nullptr;
    }
    options = parsed->m_Options;
    files = parsed->m_Positionals;
    const auto format = parsed->m_Options.constFind(QStringLiteral("format"));
    return Open(files.first(),
                format != parsed->m_Options.constEnd() ? std::optional<QString>(*format) : std::nullopt);
}

std::unique_ptr<C_ToolConfiguration> C_ToolConfiguration::Open(const QString& path,
                                                               const std::optional<QString>& formatName)
{
    const QFileInfo info(path);
    if (info.isFile() && !info.isReadable()) {
        WriteError(QStringLiteral("cannot read %1").arg(path));
        return nullptr;
    }
    const C_ConfigurationFile file(path);
    if (const QString refusal = file.Refusal(); !refusal.isEmpty()) {
        if (file.IsText() && info.isFile())
            WritePlacedError(refusal);
        else
            WriteError(refusal);
        return nullptr;
    }
    std::optional<std::uint16_t> code = file.FormatCode();
    if (file.IsOld()) {
        if (!formatName) {
            WriteError(QStringLiteral("%1 is an old configuration: name its format with --format "
                                      "standard, inverter or varnholt")
                           .arg(path));
            return nullptr;
        }
        code = FormatCodeOfName(*formatName);
        if (!code) {
            WriteError(QStringLiteral("unknown format %1: use standard, inverter or varnholt").arg(*formatName));
            return nullptr;
        }
    }
    auto configuration =
        std::unique_ptr<C_ToolConfiguration>(new C_ToolConfiguration(*C_EEPROMFormat::DescriptionOf(*code)));
    if (const std::optional<S_TextConfiguration>& text = file.Document()) {
        configuration->m_Value = TextValue(*text, configuration->m_Image, configuration->m_Lines);
    } else {
        configuration->m_Image = C_EEPROMFormat::NewImage(configuration->m_Description, 0);
        file.Load(configuration->m_Image);
        configuration->Decode();
    }
    configuration->MakeRows();
    return configuration;
}

std::unique_ptr<C_ToolConfiguration> C_ToolConfiguration::New(std::uint16_t formatCode, int outputs)
{
    auto configuration =
        std::unique_ptr<C_ToolConfiguration>(new C_ToolConfiguration(*C_EEPROMFormat::DescriptionOf(formatCode)));
    configuration->m_Image = C_EEPROMFormat::NewImage(configuration->m_Description, outputs);
    configuration->Decode();
    configuration->MakeRows();
    return configuration;
}

C_ToolConfiguration::C_ToolConfiguration(const S_FormatDescription& description)
    : m_Description(description)
{
}

void C_ToolConfiguration::MakeRows()
{
    m_RowLayout = C_EEPROMFormat::RowLayoutOf(m_Description, m_Value.m_Outputs);
    m_Rows.clear();
    for (const S_StepRow& row : m_RowLayout)
        m_Rows.emplace_back(row);
}

void C_ToolConfiguration::Decode()
{
    m_Value = C_ImageCodec(m_Description).Decode(m_Image, m_Lines);
}

bool C_ToolConfiguration::Check()
{
    return C_ImageCodec(m_Description).Encode(m_Value, m_Image, m_Lines);
}

QByteArray C_ToolConfiguration::Text() const
{
    C_JsonWriter json;
    WriteConfigurationText(json, m_Value,
                           C_ImageFields(m_Description, m_Value.m_Outputs, m_Value.StepCount()).KeptBytes(m_Image));
    return json.Text() + '\n';
}

int C_ToolConfiguration::Save(const QString& target)
{
    const bool toOutput = target == QLatin1String("-");
    const bool image = !toOutput && !C_ConfigurationFile::IsText(target) && !C_ConfigurationFile::IsOld(target);
    m_Lines = C_DiagnosticList();
    m_Lines.Add(C_DiagnosticList::Top, ::Text(Msg::Saving) + QLatin1Char(' ') + target, C_DiagnosticList::Heading);
    const bool built = Check();
    if (!built) {
        PrintDiagnostics(toOutput ? stderr : stdout);
        return ExitCode::ChecksFailed;
    }
    const QByteArray bytes = image ? ConfigurationFileBytes(m_Description.m_Layout.m_FormatCode, m_Image)
                             : C_ConfigurationFile::IsOld(target)
                                 ? QByteArray(reinterpret_cast<const char*>(m_Image.data()), qsizetype(m_Image.size()))
                                 : Text();
    if (toOutput) {
        PrintDiagnostics(stderr);
        WriteBytes(bytes);
        return ExitCode::Success;
    }
    QString reason;
    if (ReplaceFile(target, bytes, reason)) {
        PrintDiagnostics();
        return ExitCode::Success;
    }
    if (image) {
        // As Kw3Win's Save says it.
        m_Lines.Add(C_DiagnosticList::Top, ::Text(Msg::CannotWriteFile) + QStringLiteral(": ") + reason,
                    C_DiagnosticList::Error);
        PrintDiagnostics();
        WriteError(QStringLiteral("cannot write %1").arg(target));
    } else {
        PrintDiagnostics();
        WriteError(QStringLiteral("cannot write %1: %2").arg(target, reason));
    }
    return ExitCode::Refused;
}

bool C_ToolConfiguration::Download(const S_LinkSettings& link, const QString& backupFolder, bool verify)
{
    return Check() && SendConfiguration(m_Description, m_Image, link, backupFolder, verify, m_Lines);
}

bool C_ToolConfiguration::Upload(const S_LinkSettings& link)
{
    if (!ReceiveConfiguration(m_Description, m_Image, link, m_Lines))
        return false;
    Decode();
    MakeRows();
    return true;
}

void C_ToolConfiguration::PrintDiagnostics(std::FILE* stream) const
{
    static const char* const tags[] = {"[=]", "[i]", "[~]", "[!]"};
    const std::vector<S_DiagnosticLine>& lines = m_Lines.Lines();
    for (const S_DiagnosticLine& line : lines) {
        int depth = 0;
        for (int parent = line.m_Parent; parent != C_DiagnosticList::Top; parent = lines[size_t(parent)].m_Parent)
            ++depth;
        const char* tag = line.m_Icon >= 0 && line.m_Icon < 4 ? tags[line.m_Icon] : "[?]";
        WriteLine(stream, QString(2 * depth, QLatin1Char(' ')) + QLatin1String(tag) + QLatin1Char(' ') + line.m_Text);
    }
}
