#pragma once

#include <QStringList>

// What kw3tool's exit status says.
namespace ExitCode {
constexpr int Success = 0;
// The configuration's checks failed; the diagnostic lines say why.
constexpr int ChecksFailed = 1;
// Bad usage, a file that cannot be read or written, or a file of no known format.
constexpr int Refused = 2;
} // namespace ExitCode

// A command runs with the arguments that follow its name and returns the exit status.
using ToolCommand = int (*)(const QStringList& arguments);

int RunCheck(const QStringList& arguments);
int RunConvert(const QStringList& arguments);
int RunText(const QStringList& arguments);
int RunDump(const QStringList& arguments);
int RunSummary(const QStringList& arguments);
int RunTimeline(const QStringList& arguments);
int RunDownload(const QStringList& arguments);
int RunUpload(const QStringList& arguments);
int RunSimulateCommand(const QStringList& arguments);
int RunPorts(const QStringList& arguments);
int RunExtract(const QStringList& arguments);
int RunInsert(const QStringList& arguments);
