#pragma once

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>

#include <gtest/gtest.h>

// Every label, button and group of the window lies inside its parent, and every
// label and button is large enough for its whole text and picture.
inline void ExpectNothingClipped(const QWidget& window)
{
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        const auto* label = qobject_cast<const QLabel*>(widget);
        const auto* button = qobject_cast<const QAbstractButton*>(widget);
        if (label == nullptr && button == nullptr && qobject_cast<const QGroupBox*>(widget) == nullptr)
            continue;
        // An up-down's arrows are drawn to the size they are given.
        if (button != nullptr && button->text().isEmpty() && button->icon().isNull())
            continue;
        const QString name = QLatin1String(widget->metaObject()->className()) + QLatin1Char(' ') +
                             (label != nullptr    ? label->text()
                              : button != nullptr ? button->text()
                                                  : QString());
        EXPECT_TRUE(widget->parentWidget()->rect().contains(widget->geometry())) << name.toStdString();
        if (label != nullptr || button != nullptr) {
            EXPECT_LE(widget->sizeHint().width(), widget->width()) << name.toStdString();
            EXPECT_LE(widget->sizeHint().height(), widget->height()) << name.toStdString();
        }
    }
}
