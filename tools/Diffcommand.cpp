// diff: how configuration B differs from configuration A, one line per difference.
#include "tools/Diffcommand.h"

#include "document/Configurationdiff.h"
#include "model/Fileheader.h"
#include "tools/Toolcommands.h"
#include "tools/Toolconfiguration.h"

int RunDiff(const QStringList& arguments)
{
    QStringList files;
    QMap<QString, QString> options;
    const std::unique_ptr<C_ToolConfiguration> a = C_ToolConfiguration::Open(arguments, 2, files, {}, options);
    if (a == nullptr)
        return ExitCode::Refused;
    // The same --format serves B when it is an old file too.
    QStringList second{files[1]};
    if (const auto format = options.constFind(QStringLiteral("format")); format != options.constEnd())
        second << QStringLiteral("--format=") + *format;
    QStringList secondFiles;
    const std::unique_ptr<C_ToolConfiguration> b = C_ToolConfiguration::Open(second, 1, secondFiles);
    if (b == nullptr)
        return ExitCode::Refused;

    const std::vector<S_Difference> differences =
        CompareConfigurations({a->Value(), a->Rows()}, {b->Value(), b->Rows()}, FormatNameOfCode);
    for (const S_Difference& difference : differences)
        WriteOutput(difference.Line());
    return differences.empty() ? ExitCode::Success : ExitCode::ChecksFailed;
}
