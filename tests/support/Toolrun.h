#pragma once

#include <QProcessEnvironment>
#include <QStringList>

class TempFolder;

// What one run of a command-line program gave.
struct S_ToolRun
{
    int m_Exit = -1;
    QString m_Out;
    QString m_Err;

    // The output's lines, blank ones left out.
    QStringList Lines() const { return m_Out.split(QLatin1Char('\n'), Qt::SkipEmptyParts); }
};

// Runs program in folder with its settings store there and no display; variables
// are added to the environment.
S_ToolRun RunInFolder(const QString& program, const TempFolder& folder, const QStringList& arguments,
                      const QProcessEnvironment& variables = {});
