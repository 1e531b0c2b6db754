#include "app/Context.h"
#include "app/Fonts.h"
#include "app/Mainform.h"
#include "app/Messagebox.h"
#include "language/Language.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kw3Win"));
    InstallFontSubstitutes();

    C_Context context;
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1)
        context.SetLastConfiguration(arguments.at(1));

    if (!context.StoreProblem().isEmpty())
        C_MessageBox::Show(context.StoreProblem(), QStringLiteral("KW3 Win 2"), C_MessageBox::Icon::Warning);

    int result = 0;
    {
        C_LanguageManager language(context);
        TMainForm mainForm(context);
        mainForm.show();
        result = QApplication::exec();
    }
    return result;
}
