#include "desktop/Commandline.h"

#include "platform/Version.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstring>

namespace {

const QString Version = QStringLiteral(KW3_SHOWN_VERSION);

} // namespace

C_CommandLine::C_CommandLine(const QString& name, const QString& description, const QString& fileHelp)
    : m_Name(name)
    , m_Description(description)
    , m_FileHelp(fileHelp)
{
}

void C_CommandLine::AnswerInformation(int argc, char* argv[]) const
{
    for (int i = 1; i < argc; ++i)
        for (const char* option : {"--help", "-h", "-?", "--help-all", "--version", "-v"})
            if (std::strcmp(argv[i], option) == 0) {
                QCoreApplication information(argc, argv);
                File(information);
            }
}

QString C_CommandLine::File(QCoreApplication& application) const
{
    QCoreApplication::setApplicationName(m_Name);
    QCoreApplication::setApplicationVersion(Version);
    QCommandLineParser parser;
    parser.setApplicationDescription(m_Description);
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"), m_FileHelp, QStringLiteral("[file]"));
    parser.process(application);
    return parser.positionalArguments().value(0);
}
