#include "support/ModalDriver.h"

#include <QLineEdit>
#include <QTest>

void TypeInto(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    edit->del();
    QTest::keyClicks(edit, text);
}
