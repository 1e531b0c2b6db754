#pragma once

#include <QString>

class QCoreApplication;

// The command line of a desktop program: --help, --version and one file to open.
class C_CommandLine
{
public:
    C_CommandLine(const QString& name, const QString& description, const QString& fileHelp);

    // --help and --version are answered, and the program ended, before a display is
    // needed, as a terminal on a machine without one asks them.
    void AnswerInformation(int argc, char* argv[]) const;
    // The file named on the command line, or empty; bad options end the program with their message.
    QString File(QCoreApplication& application) const;

private:
    QString m_Name;
    QString m_Description;
    QString m_FileHelp;
};
