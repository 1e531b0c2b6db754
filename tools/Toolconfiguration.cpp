#include "tools/Toolconfiguration.h"

#include "language/Language.h"
#include "language/Messages.h"
#include "model/Configurationfile.h"
#include "model/Utilities.h"
#include "tools/Toolarguments.h"
#include "tools/Toolcommands.h"

#include <QFileInfo>
#include <QTreeWidgetItemIterator>

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
    auto configuration = std::unique_ptr<C_ToolConfiguration>(new C_ToolConfiguration);
    configuration->m_Format = file.Open(configuration->m_Panes, *code);
    return configuration;
}

std::unique_ptr<C_ToolConfiguration> C_ToolConfiguration::New(std::uint16_t formatCode, int outputs)
{
    auto configuration = std::unique_ptr<C_ToolConfiguration>(new C_ToolConfiguration);
    configuration->m_Format = C_EEPROMFormat::Create(formatCode, configuration->m_Panes, outputs);
    configuration->m_Format->ShowInPanes();
    return configuration;
}

int C_ToolConfiguration::Save(const QString& target)
{
    const bool toOutput = target == QLatin1String("-");
    if (toOutput || C_ConfigurationFile::IsText(target) || C_ConfigurationFile::IsOld(target)) {
        m_Panes.m_DiagnosticTree->clear();
        m_Panes.AddDiagnostic(nullptr, Text(Msg::Saving) + QLatin1Char(' ') + target, C_ConfigurationPanes::Heading);
        const bool built = m_Format->BuildImage();
        PrintDiagnostics(toOutput ? stderr : stdout);
        if (!built)
            return ExitCode::ChecksFailed;
        const MemoryImage& image = m_Format->Image();
        const QByteArray bytes =
            C_ConfigurationFile::IsOld(target)
                ? QByteArray(reinterpret_cast<const char*>(image.data()), qsizetype(image.size()))
                : ConfigurationTextOf(*m_Format, m_Panes);
        if (toOutput) {
            WriteBytes(bytes);
            return ExitCode::Success;
        }
        QString reason;
        if (ReplaceFile(target, bytes, reason))
            return ExitCode::Success;
        WriteError(QStringLiteral("cannot write %1: %2").arg(target, reason));
        return ExitCode::Refused;
    }
    m_Panes.m_DiagnosticTree->clear();
    const bool saved = m_Format->SaveFile(target);
    PrintDiagnostics();
    if (saved)
        return ExitCode::Success;
    if (!m_Format->ImageBuilt())
        return ExitCode::ChecksFailed;
    WriteError(QStringLiteral("cannot write %1").arg(target));
    return ExitCode::Refused;
}

void C_ToolConfiguration::PrintDiagnostics(std::FILE* stream) const
{
    static const char* const tags[] = {"[=]", "[i]", "[~]", "[!]"};
    for (QTreeWidgetItemIterator it(m_Panes.m_DiagnosticTree); *it != nullptr; ++it) {
        int depth = 0;
        for (const QTreeWidgetItem* parent = (*it)->parent(); parent != nullptr; parent = parent->parent())
            ++depth;
        const int icon = NodeImage(*it);
        const char* tag = icon >= 0 && icon < 4 ? tags[icon] : "[?]";
        WriteLine(stream, QString(2 * depth, QLatin1Char(' ')) + QLatin1String(tag) + QLatin1Char(' ') + (*it)->text(0));
    }
}
