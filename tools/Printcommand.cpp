// print: Kw3Win's print jobs, headless, into one PDF file.
#include "tools/Printcommand.h"

#include "document/Configurationfile.h"
#include "print/Fonts.h"
#include "print/Printjobs.h"
#include "tools/Toolarguments.h"
#include "tools/Toolcommands.h"
#include "tools/Toolconfiguration.h"

#include <QDateTime>
#include <QRegularExpression>

#include <optional>

namespace {

std::optional<S_PrintParts> ParseParts(const QString& list)
{
    S_PrintParts parts;
    for (const QString& name : list.split(QLatin1Char(','))) {
        if (name == QLatin1String("service"))
            parts.m_ServiceAndMotor = true;
        else if (name == QLatin1String("programs"))
            parts.m_Programs = true;
        else if (name == QLatin1String("cycles"))
            parts.m_Cycles = true;
        else if (name == QLatin1String("timelines"))
            parts.m_Timelines = true;
        else
            return std::nullopt;
    }
    return parts;
}

// The caption Kw3Win gives the file: an old configuration shows as the .KWC it becomes.
QString Caption(const QString& path)
{
    return C_ConfigurationFile::IsOld(path) ? path.chopped(4) + QStringLiteral(".KWC") : path;
}

} // namespace

std::optional<QDateTime> StampTime(const QDateTime& unset)
{
    const QString epoch = qEnvironmentVariable("SOURCE_DATE_EPOCH");
    if (epoch.isEmpty())
        return unset;
    // Whole seconds up to the end of year 9999.
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,12}$"));
    if (!digits.match(epoch).hasMatch() || epoch.toLongLong() > 253402300799) {
        WriteError(QStringLiteral("SOURCE_DATE_EPOCH is a count of seconds since 1970, not %1").arg(epoch));
        return std::nullopt;
    }
    return QDateTime::fromSecsSinceEpoch(epoch.toLongLong(), Qt::UTC);
}

int RunPrint(const QStringList& arguments)
{
    const QStringList optionNames{QStringLiteral("format"), QStringLiteral("parts")};
    QString error;
    const std::optional<S_ToolArguments> parsed = ParseToolArguments(arguments, optionNames, 2, error);
    if (!parsed) {
        WriteError(error);
        return ExitCode::Refused;
    }
    const std::optional<S_PrintParts> parts =
        ParseParts(parsed->m_Options.value(QStringLiteral("parts"), QStringLiteral("service,programs,cycles")));
    if (!parts) {
        WriteError(
            QStringLiteral("--parts is a comma-separated list of service, programs, cycles and timelines, not %1")
                .arg(parsed->m_Options.value(QStringLiteral("parts"))));
        return ExitCode::Refused;
    }
    const std::optional<QDateTime> printTime = StampTime(QDateTime::currentDateTime());
    if (!printTime)
        return ExitCode::Refused;

    QStringList files;
    QMap<QString, QString> options;
    const std::unique_ptr<C_ToolConfiguration> configuration =
        C_ToolConfiguration::Open(arguments, 2, files, {QStringLiteral("parts")}, options);
    if (configuration == nullptr)
        return ExitCode::Refused;

    InstallFontSubstitutes();
    const S_PrintSource source{configuration->Value(), configuration->Rows(), configuration->RowLayout(),
                               Caption(files[0])};
    if (!PrintToPdfFile(files[1], source, *parts, *printTime, error)) {
        WriteError(QStringLiteral("cannot write %1: %2").arg(files[1], error));
        return ExitCode::Refused;
    }
    return ExitCode::Success;
}
