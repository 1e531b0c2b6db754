#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

class QLineEdit;

// Acts on the dialog that the next modal exec() shows, once its loop runs. A
// dialog the action leaves open is cancelled, so a failing test cannot hang.
template <class Dialog>
void WhenShown(std::function<void(Dialog&)> action)
{
    QTimer::singleShot(0, [action] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
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
