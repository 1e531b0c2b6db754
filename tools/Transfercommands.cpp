// download, upload and simulate: Kw3Win's Download and Upload on the command line,
// and a controller to try them against.
#include "comm/Portdiscovery.h"
#include "model/Fileheader.h"
#include "settings/Context.h"
#include "tools/Simulator.h"
#include "tools/Toolarguments.h"
#include "tools/Toolcommands.h"
#include "tools/Toolconfiguration.h"

#include <QFileInfo>

#include <limits>

namespace {

const QStringList LinkOptions{QStringLiteral("port"), QStringLiteral("device"), QStringLiteral("send-timeout"),
                              QStringLiteral("receive-timeout")};

bool ParsePositive(const QMap<QString, QString>& options, const QString& name, std::int16_t& value, QString& error)
{
    const auto found = options.constFind(name);
    if (found == options.constEnd())
        return true;
    bool ok = false;
    const int number = found->toInt(&ok);
    if (!ok || number < 1 || number > std::numeric_limits<std::int16_t>::max()) {
        error = QStringLiteral("--%1 needs a whole number from 1 to 32767, not %2").arg(name, *found);
        return false;
    }
    value = static_cast<std::int16_t>(number);
    return true;
}

// The link of Kw3Win's settings, its stored device included, changed by the
// command's options: --port names a Com number, --device a device.
bool ParseLink(const QMap<QString, QString>& options, S_LinkSettings& link)
{
    link = C_Context(C_Context::Persistence::ReadOnly).LinkSettings();
    QString error;
    std::int16_t port = 0;
    if (options.contains(QStringLiteral("port")) && options.contains(QStringLiteral("device")))
        error = QStringLiteral("give either --port or --device");
    else if (ParsePositive(options, QStringLiteral("port"), port, error) &&
             ParsePositive(options, QStringLiteral("send-timeout"), link.m_SendTimeout, error) &&
             ParsePositive(options, QStringLiteral("receive-timeout"), link.m_ReceiveTimeout, error)) {
        if (port > 0)
            link.m_Choice = S_PortChoice{port, QString(), QString(), QString()};
        if (options.contains(QStringLiteral("device")))
            link.m_Choice =
                S_PortChoice{link.m_Choice.m_ComNumber, options.value(QStringLiteral("device")), QString(), QString()};
        if (port > 0 || options.contains(QStringLiteral("device")))
            link.m_IgnoredDevice.clear();
    }
    if (error.isEmpty())
        return true;
    WriteError(error);
    return false;
}

} // namespace

int RunDownload(const QStringList& arguments)
{
    QStringList files;
    QMap<QString, QString> options;
    const QString backup = QStringLiteral("backup");
    const QString verify = QStringLiteral("verify");
    const std::unique_ptr<C_ToolConfiguration> configuration =
        C_ToolConfiguration::Open(arguments, 1, files, LinkOptions + QStringList{backup}, options, {verify});
    S_LinkSettings link;
    if (configuration == nullptr || !ParseLink(options, link))
        return ExitCode::Refused;
    const QString folder = options.value(backup);
    // Found out before a byte goes to the controller, not after its image was read.
    if (options.contains(backup) && !(QFileInfo(folder).isDir() && QFileInfo(folder).isWritable())) {
        WriteError(QStringLiteral("--backup needs a folder that exists and can be written, not %1").arg(folder));
        return ExitCode::Refused;
    }
    const bool sent = configuration->Download(link, folder, options.contains(verify));
    configuration->PrintDiagnostics();
    return sent ? ExitCode::Success : ExitCode::ChecksFailed;
}

int RunUpload(const QStringList& arguments)
{
    QString error;
    const std::optional<S_ToolArguments> parsed = ParseToolArguments(
        arguments, QStringList{QStringLiteral("format"), QStringLiteral("outputs")} + LinkOptions, 1, error);
    if (!parsed) {
        WriteError(error);
        return ExitCode::Refused;
    }
    const std::optional<std::uint16_t> code = FormatCodeOfName(parsed->m_Options.value(QStringLiteral("format")));
    if (!code) {
        WriteError(QStringLiteral("upload needs --format standard, inverter or varnholt"));
        return ExitCode::Refused;
    }
    const QString outputs = parsed->m_Options.value(QStringLiteral("outputs"), QStringLiteral("16"));
    if (outputs != QLatin1String("16") && outputs != QLatin1String("24")) {
        WriteError(QStringLiteral("--outputs is 16 or 24, not %1").arg(outputs));
        return ExitCode::Refused;
    }
    S_LinkSettings link;
    if (!ParseLink(parsed->m_Options, link))
        return ExitCode::Refused;

    const std::unique_ptr<C_ToolConfiguration> configuration = C_ToolConfiguration::New(*code, outputs.toInt());
    const bool received = configuration->Upload(link);
    configuration->PrintDiagnostics();
    if (!received)
        return ExitCode::ChecksFailed;

    return configuration->Save(parsed->m_Positionals.first());
}

int RunPorts(const QStringList& arguments)
{
    QString error;
    const std::optional<S_ToolArguments> parsed = ParseToolArguments(arguments, QStringList(), 0, error);
    if (!parsed) {
        WriteError(error);
        return ExitCode::Refused;
    }
    const C_SystemPortSource source;
    for (const S_PortEntry& entry : ListPorts(source)) {
        const S_FoundPort& port = entry.m_Port;
        WriteOutput(
            QStringList{port.m_Device, entry.m_StableName, port.m_Description, port.m_UsbId, port.m_SerialNumber}.join(
                QLatin1Char('\t')));
    }
    return ExitCode::Success;
}

int RunSimulateCommand(const QStringList& arguments)
{
    return RunSimulate(arguments);
}
