#include "print/Printcells.h"

#include "language/Language.h"
#include "language/Messages.h"
#include "model/Labels.h"
#include "model/Steprow.h"
#include "print/Celltext.h"

#include <QColor>
#include <QPainter>
#include <QPen>

namespace {

const QColor FrameGray(128, 128, 128);
const QColor PrintedOnGreen(0, 128, 0);
const QColor SeparatorSilver(192, 192, 192);

void PrintCentred(QPainter& canvas, const QRect& rect, const QString& text, const QColor& colour)
{
    canvas.save();
    canvas.setPen(colour);
    DrawTextCentred(canvas, rect, text);
    canvas.restore();
}

} // namespace

void PrintStepCell(QPainter& canvas, const QRect& rect, const C_StepRow& row, std::int32_t value)
{
    const bool used = value != row.m_DisabledValue;
    switch (row.m_Class) {
    case RowClass::Separator:
        // Filled without taking the canvas's brush, so the caller's brush stays as it was.
        canvas.fillRect(rect, SeparatorSilver);
        return;
    case RowClass::Out:
        if (!used) {
            canvas.save();
            canvas.setPen(QPen(FrameGray, 1));
            canvas.setBrush(Qt::white);
            canvas.drawRect(rect.adjusted(0, 0, -1, -1));
            canvas.restore();
            return;
        }
        [[fallthrough]];
    case RowClass::Boolean:
        if (used)
            PrintCentred(canvas, rect, QStringLiteral("ON"), PrintedOnGreen);
        return;
    case RowClass::Number:
        if (used)
            PrintCentred(canvas, rect, QString::number(value), Qt::black);
        return;
    case RowClass::Time:
        if (used)
            PrintCentred(canvas, rect, FormatStepTime(std::uint32_t(value)), Qt::black);
        return;
    case RowClass::Motor:
        if (used)
            PrintCentred(canvas, rect, Text(Msg::MotorRow) + QLatin1Char(' ') + QString::number(value), Qt::black);
        return;
    }
}
