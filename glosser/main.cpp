#include "glosser/Sdiappform.h"

#include <QApplication>
#include <QFont>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Glosser"));
    // The grid asks for Arial; Linux has its metric twin.
    QFont::insertSubstitutions(QStringLiteral("Arial"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});

    const std::unique_ptr<TSDIAppForm> form = TSDIAppForm::Create(TSDIAppForm::ReferenceFile());
    if (!form)
        return 1;
    // A file named on the command line (a desktop's "open with") is opened at once.
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1)
        form->OpenFile(arguments.at(1));
    form->show();
    return QApplication::exec();
}
