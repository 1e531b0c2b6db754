#include "fuzz/Fuzzproperties.h"
#include "tools/Toolarguments.h"

namespace {

// Each command's options and file count, as kw3tool parses them.
struct S_CommandOptions
{
    const char* m_Name;
    QStringList m_Options;
    int m_Files;
};

const std::vector<S_CommandOptions>& CommandOptions()
{
    const QString format = QStringLiteral("format");
    const QStringList link{QStringLiteral("port"), QStringLiteral("device"), QStringLiteral("send-timeout"),
                           QStringLiteral("receive-timeout")};
    static const std::vector<S_CommandOptions> commands{
        {"check", {format}, 1},
        {"convert", {format}, 2},
        {"dump", {format}, 1},
        {"diff", {format}, 2},
        {"download", QStringList{format} + link, 1},
        {"upload", QStringList{format, QStringLiteral("outputs")} + link, 1},
        {"print", {format, QStringLiteral("parts")}, 2},
    };
    return commands;
}

// The arguments that give the parsed result again.
QStringList Written(const S_GlobalOptions& options)
{
    QStringList arguments = options.m_Rest;
    if (options.m_Help)
        arguments << QStringLiteral("--help");
    if (options.m_Version)
        arguments << QStringLiteral("--version");
    if (options.m_Language)
        arguments << QStringLiteral("--language=") + *options.m_Language;
    return arguments;
}

QStringList Written(const S_ToolArguments& parsed)
{
    QStringList arguments = parsed.m_Positionals;
    for (auto it = parsed.m_Options.constBegin(); it != parsed.m_Options.constEnd(); ++it)
        arguments << QStringLiteral("--") + it.key() + QLatin1Char('=') + it.value();
    return arguments;
}

bool Same(const S_GlobalOptions& a, const S_GlobalOptions& b)
{
    return a.m_Help == b.m_Help && a.m_Version == b.m_Version && a.m_Language == b.m_Language && a.m_Rest == b.m_Rest;
}

QString CheckCommand(const QStringList& arguments, const S_CommandOptions& command)
{
    QString error;
    const std::optional<S_ToolArguments> parsed = ParseToolArguments(arguments, command.m_Options, command.m_Files, error);
    if (!parsed)
        return error.isEmpty() ? QStringLiteral("%1 refused its arguments without a reason").arg(command.m_Name)
                               : QString();
    if (parsed->m_Positionals.size() != command.m_Files)
        return QStringLiteral("%1 took %2 files").arg(command.m_Name).arg(parsed->m_Positionals.size());
    for (const QString& name : parsed->m_Options.keys())
        if (!command.m_Options.contains(name))
            return QStringLiteral("%1 took the unknown option %2").arg(command.m_Name, name);
    const std::optional<S_ToolArguments> again =
        ParseToolArguments(Written(*parsed), command.m_Options, command.m_Files, error);
    if (!again || again->m_Positionals != parsed->m_Positionals || again->m_Options != parsed->m_Options)
        return QStringLiteral("%1's arguments, written out again, parse differently").arg(command.m_Name);
    return {};
}

} // namespace

QString CheckArgumentsProperty(const QByteArray& input, const QString& /*folder*/)
{
    QStringList arguments;
    for (const QByteArray& argument : input.split('\0'))
        arguments << QString::fromUtf8(argument);

    QString error;
    const std::optional<S_GlobalOptions> options = TakeGlobalOptions(arguments, error);
    if (!options)
        return error.isEmpty() ? QStringLiteral("the global options refused without a reason") : QString();
    if (options->m_Rest.size() > arguments.size())
        return QStringLiteral("more arguments left than given");
    const std::optional<S_GlobalOptions> again = TakeGlobalOptions(Written(*options), error);
    if (!again || !Same(*again, *options))
        return QStringLiteral("the global options, written out again, parse differently");

    // Whatever the command word, the rest through each command's parser.
    const QStringList rest = options->m_Rest.mid(1);
    for (const S_CommandOptions& command : CommandOptions())
        if (const QString broken = CheckCommand(rest, command); !broken.isEmpty())
            return broken;
    return {};
}
