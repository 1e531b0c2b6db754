#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>

// A command's arguments: its positional arguments and its options with values.
struct S_ToolArguments
{
    QStringList m_Positionals;
    QMap<QString, QString> m_Options;
};

// Splits arguments into positionals, the given options, each written as
// --name VALUE or --name=VALUE, and the given flags, written --name and kept as
// options with an empty value. An unknown option, an option without its value, a
// flag with one or a count of positionals other than the expected one is an
// error, described in error.
std::optional<S_ToolArguments> ParseToolArguments(const QStringList& arguments, const QStringList& optionNames,
                                                  int positionals, QString& error,
                                                  const QStringList& flagNames = QStringList());

// The tool's own options, taken out of the arguments wherever they stand; the
// rest keeps its order. Only --language without its value is an error.
struct S_GlobalOptions
{
    bool m_Help = false;
    bool m_Version = false;
    std::optional<QString> m_Language;
    QStringList m_Rest;
};

std::optional<S_GlobalOptions> TakeGlobalOptions(const QStringList& arguments, QString& error);
