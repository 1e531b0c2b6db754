#include "tools/Toolconfiguration.h"

#include "document/Configurationfile.h"
#include "document/Configurationtext.h"
#include "language/Language.h"
#include "language/Messages.h"
#include "model/Eepromformat.h"
#include "model/Fileheader.h"
#include "tools/Toolarguments.h"
#include "tools/Toolcommands.h"
#include "transfer/Configurationtransfer.h"

#include <QFileInfo>
#include <QRegularExpression>

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
    return Open(files.first(), format != parsed->m_Options.constEnd() ? std::optional<QString>(*format) : std::nullopt);
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
    auto configuration = std::unique_ptr<C_ToolConfiguration>(new C_ToolConfiguration);
    configuration->m_Format = file.Open(*code, configuration->m_Value, configuration->m_Lines);
    return configuration;
}

std::unique_ptr<C_ToolConfiguration> C_ToolConfiguration::New(std::uint16_t formatCode, int outputs)
{
    auto configuration = std::unique_ptr<C_ToolConfiguration>(new C_ToolConfiguration);
    configuration->m_Format = C_EEPROMFormat::Create(formatCode, outputs);
    configuration->m_Value = configuration->m_Format->Decode(configuration->m_Lines);
    return configuration;
}

C_ToolConfiguration::C_ToolConfiguration() = default;
C_ToolConfiguration::~C_ToolConfiguration() = default;

const S_FormatDescription& C_ToolConfiguration::Description() const
{
    return m_Format->FormatDescription();
}

const std::vector<C_StepRow>& C_ToolConfiguration::Rows() const
{
    return m_Format->Rows();
}

const std::vector<S_StepRow>& C_ToolConfiguration::RowLayout() const
{
    return m_Format->RowLayout();
}

bool C_ToolConfiguration::Check()
{
    return m_Format->Build(m_Value, m_Lines);
}

QByteArray C_ToolConfiguration::Text() const
{
    return ConfigurationTextOf(*m_Format, m_Value);
}

void C_ToolConfiguration::Replace(C_Configuration value)
{
    m_Value = std::move(value);
    m_Lines = C_DiagnosticList();
}

int C_ToolConfiguration::Save(const QString& target)
{
    const bool toOutput = target == QLatin1String("-");
    const bool image = !toOutput && !C_ConfigurationFile::IsText(target) && !C_ConfigurationFile::IsOld(target);
    m_Lines = C_DiagnosticList();
    if (image) {
        // Kw3Win's Save, lines and all.
        const bool saved = m_Format->SaveFile(m_Value, target, m_Lines);
        PrintDiagnostics();
        if (saved)
            return ExitCode::Success;
        if (!m_Format->ImageBuilt())
            return ExitCode::ChecksFailed;
        WriteError(QStringLiteral("cannot write %1").arg(target));
        return ExitCode::Refused;
    }
    m_Lines.Add(C_DiagnosticList::Top, ::Text(Msg::Saving) + QLatin1Char(' ') + target, C_DiagnosticList::Heading);
    if (!Check()) {
        PrintDiagnostics(toOutput ? stderr : stdout);
        return ExitCode::ChecksFailed;
    }
    const MemoryImage& built = m_Format->Image();
    const QByteArray bytes = C_ConfigurationFile::IsOld(target)
                                 ? QByteArray(reinterpret_cast<const char*>(built.data()), qsizetype(built.size()))
                                 : Text();
    if (toOutput) {
        PrintDiagnostics(stderr);
        WriteBytes(bytes);
        return ExitCode::Success;
    }
    QString reason;
    const bool written = ReplaceFile(target, bytes, reason);
    PrintDiagnostics();
    if (written)
        return ExitCode::Success;
    WriteError(QStringLiteral("cannot write %1: %2").arg(target, reason));
    return ExitCode::Refused;
}

bool C_ToolConfiguration::Download(const S_LinkSettings& link, const QString& backupFolder, bool verify)
{
    return DownloadConfiguration(*m_Format, m_Value, link, m_Lines, backupFolder, verify);
}

bool C_ToolConfiguration::Upload(const S_LinkSettings& link)
{
    std::optional<C_Configuration> received = UploadConfiguration(*m_Format, link, m_Lines);
    if (!received)
        return false;
    m_Value = std::move(*received);
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

std::optional<S_NamedPart> NamedPart(const C_Configuration& value, const QMap<QString, QString>& options,
                                     const QString& file)
{
    const bool program = options.contains(QStringLiteral("program"));
    if (program == options.contains(QStringLiteral("cycle"))) {
        WriteError(QStringLiteral("name either --program N or --cycle C/N"));
        return std::nullopt;
    }
    const QString name = options.value(program ? QStringLiteral("program") : QStringLiteral("cycle"));
    static const QRegularExpression cycleName(QStringLiteral("^([1-5])/([0-9]{1,3})$"));
    const QRegularExpressionMatch match = cycleName.match(name);
    bool numberRead = false;
    const int number = program ? name.toInt(&numberRead) : match.captured(2).toInt(&numberRead);
    const std::optional<std::size_t> found = !numberRead ? std::nullopt
                                             : program   ? value.FindProgram(number)
                                                         : value.FindCycle(match.captured(1).toInt(), number);
    if (found)
        return S_NamedPart{program, *found};
    WriteError(QStringLiteral("%1 has no %2 %3")
                   .arg(file, program ? QStringLiteral("program") : QStringLiteral("cycle"), name));
    return std::nullopt;
}
