#include "desktop/Commandline.h"
#include "glosser/Sdiappform.h"

#include <QApplication>
#include <QFont>

int main(int argc, char* argv[])
{
    const C_CommandLine commandLine(QStringLiteral("Glosser"),
                                    QStringLiteral("Glosser: the editor of KW3 Win's language files."),
                                    QStringLiteral("A language file (.LNG) to open."));
    commandLine.AnswerInformation(argc, argv);
    QApplication application(argc, argv);
    const QString file = commandLine.File(application);
    // The grid asks for Arial; Linux has its metric twin.
    QFont::insertSubstitutions(QStringLiteral("Arial"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});

    const std::unique_ptr<TSDIAppForm> form = TSDIAppForm::Create(TSDIAppForm::ReferenceFile());
    if (!form)
        return 1;
    // A file named on the command line (a desktop's "open with") is opened at once.
    if (!file.isEmpty())
        form->OpenFile(file);
    form->show();
    return QApplication::exec();
}
