#include "print/Celltext.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

// Top-left corner of a text placed as the drawing helpers place it.
QPoint TextOrigin(const QPainter& canvas, const QRect& rect, const QString& text, bool centred)
{
    const QFontMetrics metrics(canvas.font());
    const int w = metrics.horizontalAdvance(text);
    const int h = metrics.height();
    const int left = rect.left();
    const int right = rect.left() + rect.width();
    const int top = rect.top();
    const int bottom = rect.top() + rect.height();
    const int x = centred ? left + (right - left) / 2 - w / 2 : left;
    const int y = top + (bottom - top) / 2 - h / 2;
    return {x, y};
}

void DrawTextAt(QPainter& canvas, const QPoint& topLeft, const QString& text)
{
    const QFontMetrics metrics(canvas.font());
    canvas.drawText(topLeft.x(), topLeft.y() + metrics.ascent(), text);
}

} // namespace

void DrawTextCentred(QPainter& canvas, const QRect& rect, const QString& text)
{
    DrawTextAt(canvas, TextOrigin(canvas, rect, text, true), text);
}

void DrawTextLeft(QPainter& canvas, const QRect& rect, const QString& text)
{
    DrawTextAt(canvas, TextOrigin(canvas, rect, text, false), text);
}
