// check, convert and text: what Kw3Win's Open or Import followed by a check, a
// Save or an Export as text does.
#include "tools/Toolcommands.h"
#include "tools/Toolconfiguration.h"

int RunCheck(const QStringList& arguments)
{
    QStringList files;
    const std::unique_ptr<C_ToolConfiguration> configuration = C_ToolConfiguration::Open(arguments, 1, files);
    if (configuration == nullptr)
        return ExitCode::Refused;
    const bool built = configuration->Check();
    configuration->PrintDiagnostics();
    return built ? ExitCode::Success : ExitCode::ChecksFailed;
}

int RunConvert(const QStringList& arguments)
{
    QStringList files;
    const std::unique_ptr<C_ToolConfiguration> configuration = C_ToolConfiguration::Open(arguments, 2, files);
    if (configuration == nullptr)
        return ExitCode::Refused;
    return configuration->Save(files.at(1));
}

int RunText(const QStringList& arguments)
{
    QStringList files;
    const std::unique_ptr<C_ToolConfiguration> configuration = C_ToolConfiguration::Open(arguments, 1, files);
    if (configuration == nullptr)
        return ExitCode::Refused;
    WriteBytes(configuration->Text());
    return ExitCode::Success;
}
