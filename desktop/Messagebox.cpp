#include "desktop/Messagebox.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>

namespace {

C_MessageBox::Handler& CurrentHandler()
{
    static C_MessageBox::Handler handler;
    return handler;
}

QMessageBox::Icon ToQtIcon(C_MessageBox::Icon icon)
{
    switch (icon) {
    case C_MessageBox::Icon::Information: return QMessageBox::Information;
    case C_MessageBox::Icon::Warning: return QMessageBox::Warning;
    case C_MessageBox::Icon::Error: return QMessageBox::Critical;
    case C_MessageBox::Icon::Question: return QMessageBox::Question;
    case C_MessageBox::Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToQtButtons(C_MessageBox::Buttons buttons)
{
    switch (buttons) {
    case C_MessageBox::Buttons::Ok: return QMessageBox::Ok;
    case C_MessageBox::Buttons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case C_MessageBox::Buttons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case C_MessageBox::Buttons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

C_MessageBox::Answer FromQtButton(int button, C_MessageBox::Buttons buttons)
{
    switch (button) {
    case QMessageBox::Ok: return C_MessageBox::Answer::Ok;
    case QMessageBox::Yes: return C_MessageBox::Answer::Yes;
    case QMessageBox::No: return C_MessageBox::Answer::No;
    case QMessageBox::Cancel: return C_MessageBox::Answer::Cancel;
    default: return C_MessageBox::EscapeAnswer(buttons);
    }
}

} // namespace

C_MessageBox::Answer C_MessageBox::EscapeAnswer(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok: return Answer::Ok;
    case Buttons::YesNo: return Answer::No;
    case Buttons::OkCancel:
    case Buttons::YesNoCancel: return Answer::Cancel;
    }
    return Answer::Cancel;
}

C_MessageBox::Handler C_MessageBox::SetHandler(Handler handler)
{
    Handler previous = std::move(CurrentHandler());
    CurrentHandler() = std::move(handler);
    return previous;
}

C_MessageBox::Answer C_MessageBox::Show(const QString& text, const QString& caption, Icon icon, Buttons buttons,
                                        QWidget* parent)
{
    if (CurrentHandler())
        return CurrentHandler()(Request{text, caption, icon, buttons});

    // Without a widget application there is nobody to ask: say it and take the safe way out.
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(text));
        return EscapeAnswer(buttons);
    }
    QMessageBox box(ToQtIcon(icon), caption, text, ToQtButtons(buttons), parent);
    return FromQtButton(box.exec(), buttons);
}
