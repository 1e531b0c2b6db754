#include "app/Session.h"
#include "desktop/Commandline.h"
#include "desktop/Messagebox.h"
#include "print/Fonts.h"
#include "settings/Context.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    const C_CommandLine commandLine(QStringLiteral("Kw3Win"),
                                    QStringLiteral("KW3 Win 2: the configuration editor of KW3 controllers."),
                                    QStringLiteral("A configuration (.KWC or .KW3) to open."));
    commandLine.AnswerInformation(argc, argv);
    QApplication application(argc, argv);
    const QString file = commandLine.File(application);
    InstallFontSubstitutes();

    ShowLanguageComplaints();
    C_Context context;
    if (!file.isEmpty())
        context.SetLastConfiguration(file);

    int result = 0;
    {
        C_Session session(context);
        // Said once the language file is loaded, so in its words.
        if (!context.StoreProblem().isEmpty())
            C_MessageBox::Show(context.StoreProblemText(), QStringLiteral("KW3 Win 2"), C_MessageBox::Icon::Warning);
        session.Start();
        result = QApplication::exec();
        // Written while the windows are closed but the language still lives, so a failure is told in its words.
        if (!context.Store())
            C_MessageBox::Show(context.StoreProblemText(), QStringLiteral("KW3 Win 2"), C_MessageBox::Icon::Warning);
    }
    return result;
}
