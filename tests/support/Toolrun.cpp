#include "support/Toolrun.h"

#include "support/TempFolder.h"

#include <QProcess>

#include <gtest/gtest.h>

S_ToolRun RunInFolder(const QString& program, const TempFolder& folder, const QStringList& arguments,
                      const QProcessEnvironment& variables)
{
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), folder.Path(QString()));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(variables);
    tool.setProcessEnvironment(environment);
    tool.setWorkingDirectory(folder.Path(QString()));
    tool.start(program, arguments);
    // Long enough for a download with its backup and verify on a loaded machine.
    EXPECT_TRUE(tool.waitForFinished(180000)) << program.toStdString() << " did not finish";
    return {tool.exitCode(), QString::fromUtf8(tool.readAllStandardOutput()),
            QString::fromUtf8(tool.readAllStandardError())};
}
