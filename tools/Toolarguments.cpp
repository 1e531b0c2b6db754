#include "tools/Toolarguments.h"

std::optional<S_ToolArguments> ParseToolArguments(const QStringList& arguments, const QStringList& optionNames,
                                                  int positionals, QString& error, const QStringList& flagNames)
{
    S_ToolArguments parsed;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (!argument.startsWith(QLatin1String("--"))) {
            parsed.m_Positionals << argument;
            continue;
        }
        const qsizetype equals = argument.indexOf(QLatin1Char('='));
        const QString name = argument.mid(2, equals < 0 ? -1 : equals - 2);
        if (flagNames.contains(name)) {
            if (equals >= 0) {
                error = QStringLiteral("option --%1 takes no value").arg(name);
                return std::nullopt;
            }
            parsed.m_Options[name] = QString();
            continue;
        }
        if (!optionNames.contains(name)) {
            error = QStringLiteral("unknown option %1").arg(argument);
            return std::nullopt;
        }
        if (equals >= 0) {
            parsed.m_Options[name] = argument.mid(equals + 1);
        } else if (i + 1 < arguments.size()) {
            parsed.m_Options[name] = arguments[++i];
        } else {
            error = QStringLiteral("option --%1 needs a value").arg(name);
            return std::nullopt;
        }
    }
    if (parsed.m_Positionals.size() != positionals) {
        error = QStringLiteral("expected %1 file name%2, got %3")
                    .arg(positionals)
                    .arg(positionals == 1 ? QString() : QStringLiteral("s"))
                    .arg(parsed.m_Positionals.size());
        return std::nullopt;
    }
    return parsed;
}

std::optional<S_GlobalOptions> TakeGlobalOptions(const QStringList& arguments, QString& error)
{
    S_GlobalOptions options;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            options.m_Help = true;
        } else if (argument == QLatin1String("--version")) {
            options.m_Version = true;
        } else if (argument.startsWith(QLatin1String("--language="))) {
            options.m_Language = argument.mid(int(qstrlen("--language=")));
        } else if (argument == QLatin1String("--language")) {
            if (i + 1 == arguments.size()) {
                error = QStringLiteral("option --language needs a value");
                return std::nullopt;
            }
            options.m_Language = arguments[++i];
        } else {
            options.m_Rest << argument;
        }
    }
    return options;
}
