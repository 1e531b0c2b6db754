#pragma once

#include <QString>

#include <functional>

class QWidget;

// Every modal message box of the programs goes through here, so that tests and
// the command-line tool can answer them instead of a person.
class C_MessageBox
{
public:
    enum class Icon { None, Information, Warning, Error, Question };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Answer { Ok, Cancel, Yes, No };

    struct Request
    {
        QString text;
        QString caption;
        Icon icon;
        Buttons buttons;
    };

    using Handler = std::function<Answer(const Request&)>;

    static Answer Show(const QString& text, const QString& caption, Icon icon, Buttons buttons = Buttons::Ok,
                       QWidget* parent = nullptr);

    // Replaces the answering party; returns the previous one. An empty handler
    // restores the real message boxes.
    static Handler SetHandler(Handler handler);

    // The answer a box gives when it is dismissed without a choice.
    static Answer EscapeAnswer(Buttons buttons);
};
