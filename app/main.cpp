#include "app/Context.h"
#include "app/Fonts.h"
#include "app/Messagebox.h"
#include "app/Session.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kw3Win"));
    QApplication::setApplicationVersion(QStringLiteral("2.00.24"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("KW3 Win 2: the configuration editor of KW3 controllers."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A configuration (.KWC or .KW3) to open."),
                                 QStringLiteral("[file]"));
    parser.process(application);
    InstallFontSubstitutes();

    C_Context context;
    if (!parser.positionalArguments().isEmpty())
        context.SetLastConfiguration(parser.positionalArguments().first());
    if (!context.StoreProblem().isEmpty())
        C_MessageBox::Show(context.StoreProblem(), QStringLiteral("KW3 Win 2"), C_MessageBox::Icon::Warning);

    int result = 0;
    {
        C_Session session(context);
        session.Start();
        result = QApplication::exec();
    }
    return result;
}
