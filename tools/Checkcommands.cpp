// check and convert: what Kw3Win's Open or Import followed by a check or a Save does.
#include "editor/Utilities.h"
#include "tools/Toolcommands.h"
#include "tools/Toolconfiguration.h"


int RunCheck(const QStringList& arguments)
{
    QStringList files;
    const std::unique_ptr<C_ToolConfiguration> configuration = C_ToolConfiguration::Open(arguments, 1, files);
    if (configuration == nullptr)
        return ExitCode::Refused;
    const bool built = configuration->Format().BuildImage();
    configuration->PrintDiagnostics();
    return built ? ExitCode::Success : ExitCode::ChecksFailed;
}

int RunConvert(const QStringList& arguments)
{
    QStringList files;
    const std::unique_ptr<C_ToolConfiguration> configuration = C_ToolConfiguration::Open(arguments, 2, files);
    if (configuration == nullptr)
        return ExitCode::Refused;
    // A save starts with an empty diagnostic tree.
    configuration->Panes().m_DiagnosticTree->clear();
    const QString& target = files.at(1);
    const bool saved = configuration->Format().SaveFile(target);
    configuration->PrintDiagnostics();
    if (saved)
        return ExitCode::Success;
    if (!configuration->Format().ImageBuilt())
        return ExitCode::ChecksFailed;
    WriteError(QStringLiteral("cannot write %1").arg(target));
    return ExitCode::Refused;
}
