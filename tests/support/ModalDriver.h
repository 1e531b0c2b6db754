#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

class QLineEdit;

// Acts on the dialog that the next modal exec() shows, once its loop runs (an
// event loop run before it, as a splash's showing, is waited out). A dialog the
// action leaves open is cancelled, so a failing test cannot hang.
template <class Dialog>
void WhenShown(std::function<void(Dialog&)> action, int triesLeft = 200)
{
    QTimer::singleShot(triesLeft == 200 ? 0 : 10, [action, triesLeft] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr && triesLeft > 0)
            return WhenShown<Dialog>(action, triesLeft - 1);
        if (dialog == nullptr) {
            ADD_FAILURE() << "no dialog of the expected kind is shown";
            return;
        }
        action(*dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
}

// Types the text into a box as the user would, replacing what it holds.
void TypeInto(QLineEdit* edit, const QString& text);
