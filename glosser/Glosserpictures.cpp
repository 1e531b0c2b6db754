#include "glosser/Glosserpictures.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace {

const QColor Outline(60, 60, 70);
const QColor Paper(255, 255, 255);
const QColor Folder(240, 196, 80);
const QColor Blue(50, 100, 190);

void DrawPage(QPainter& painter, const QRectF& page)
{
    const qreal fold = 3;
    QPolygonF outline;
    outline << page.topLeft() << QPointF(page.right() - fold, page.top())
            << QPointF(page.right(), page.top() + fold) << page.bottomRight() << page.bottomLeft();
    painter.setBrush(Paper);
    painter.drawPolygon(outline);
    painter.drawPolyline(QPolygonF() << QPointF(page.right() - fold, page.top())
                                     << QPointF(page.right() - fold, page.top() + fold)
                                     << QPointF(page.right(), page.top() + fold));
}

void DrawLines(QPainter& painter, qreal left, qreal right, qreal top, int count)
{
    for (int i = 0; i < count; ++i)
        painter.drawLine(QPointF(left, top + 2 * i), QPointF(right, top + 2 * i));
}

void DrawMagnifier(QPainter& painter, QPointF centre, qreal radius)
{
    painter.setBrush(QColor(210, 230, 250));
    painter.drawEllipse(centre, radius, radius);
    const qreal offset = radius * 0.72;
    painter.setPen(QPen(Outline, 2.2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre + QPointF(offset, offset), centre + QPointF(offset + 4, offset + 4));
}

// Drawn on a 16 by 16 grid, three times over for a smooth icon at toolbar sizes.
void DrawCommand(QPainter& painter, CommandPicture picture)
{
    painter.setPen(QPen(Outline, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    switch (picture) {
    case CommandPicture::New:
        DrawPage(painter, QRectF(3.5, 1.5, 9, 13));
        break;
    case CommandPicture::Open: {
        QPolygonF back;
        back << QPointF(1.5, 3.5) << QPointF(6, 3.5) << QPointF(7.5, 5) << QPointF(13.5, 5)
             << QPointF(13.5, 13.5) << QPointF(1.5, 13.5);
        painter.setBrush(Folder.darker(115));
        painter.drawPolygon(back);
        QPolygonF front;
        front << QPointF(3.5, 7.5) << QPointF(15, 7.5) << QPointF(13.5, 13.5)
              << QPointF(1.5, 13.5);
        painter.setBrush(Folder);
        painter.drawPolygon(front);
        break;
    }
    case CommandPicture::Save:
        painter.setBrush(Blue);
        painter.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1, 1);
        painter.setBrush(Paper);
        painter.drawRect(QRectF(4, 1.5, 8, 5.5));
        painter.setBrush(QColor(200, 200, 205));
        painter.drawRect(QRectF(4.5, 9.5, 7, 5));
        break;
    case CommandPicture::Search:
        DrawMagnifier(painter, QPointF(6.5, 6.5), 4.5);
        break;
    case CommandPicture::Replace: {
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(8);
        font.setBold(true);
        painter.setFont(font);
        painter.drawText(QRectF(0, 0, 8, 8), Qt::AlignCenter, QStringLiteral("A"));
        painter.setPen(Blue);
        painter.drawText(QRectF(8, 8, 8, 8), Qt::AlignCenter, QStringLiteral("B"));
        painter.setPen(QPen(QColor(200, 60, 40), 1.4, Qt::SolidLine, Qt::RoundCap));
        QPainterPath arrow(QPointF(4, 9));
        arrow.quadTo(QPointF(4, 13), QPointF(8.5, 13));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(arrow);
        painter.drawPolyline(QPolygonF() << QPointF(7, 11.3) << QPointF(8.7, 13)
                                         << QPointF(7, 14.7));
        break;
    }
    case CommandPicture::Cut:
        painter.setPen(QPen(Outline, 1.4, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(5.5, 10), QPointF(11, 1.5));
        painter.drawLine(QPointF(10.5, 10), QPointF(5, 1.5));
        painter.setPen(QPen(QColor(200, 60, 40), 1.4));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(QPointF(4.5, 12.5), 2.3, 2.3);
        painter.drawEllipse(QPointF(11.5, 12.5), 2.3, 2.3);
        break;
    case CommandPicture::Copy:
        DrawPage(painter, QRectF(1.5, 1.5, 8, 10));
        DrawPage(painter, QRectF(6.5, 4.5, 8, 10));
        painter.setPen(QColor(150, 150, 160));
        DrawLines(painter, 8.5, 12.5, 8.5, 3);
        break;
    case CommandPicture::Paste:
        painter.setBrush(QColor(170, 120, 70));
        painter.drawRoundedRect(QRectF(1.5, 2.5, 10, 12.5), 1, 1);
        painter.setBrush(QColor(190, 190, 195));
        painter.drawRect(QRectF(4, 1, 5, 3));
        DrawPage(painter, QRectF(6.5, 6.5, 8, 8.5));
        painter.setPen(QColor(150, 150, 160));
        DrawLines(painter, 8.5, 12.5, 9.5, 3);
        break;
    }
}

} // namespace

QIcon CommandIcon(CommandPicture picture)
{
    const int scale = 3;
    QPixmap pixmap(16 * scale, 16 * scale);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(scale, scale);
    DrawCommand(painter, picture);
    painter.end();
    return QIcon(pixmap);
}

QPixmap AboutPicture()
{
    QPixmap pixmap(180, 180);
    pixmap.fill(QColor(236, 240, 246));
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    // The machine: a white front, a control strip with the controller display, the door.
    painter.setPen(QPen(Outline, 2));
    painter.setBrush(QColor(250, 250, 252));
    painter.drawRoundedRect(QRectF(20, 30, 110, 135), 8, 8);
    painter.setBrush(QColor(205, 210, 220));
    painter.drawRect(QRectF(20, 30, 110, 28));
    painter.setBrush(QColor(30, 60, 40));
    painter.drawRect(QRectF(30, 37, 46, 14));
    QFont display(QStringLiteral("Courier New"));
    display.setPixelSize(11);
    display.setBold(true);
    painter.setFont(display);
    painter.setPen(QColor(120, 240, 140));
    painter.drawText(QRectF(30, 37, 46, 14), Qt::AlignCenter, QStringLiteral("KW3"));
    painter.setPen(QPen(Outline, 2));
    painter.setBrush(QColor(220, 80, 60));
    painter.drawEllipse(QPointF(112, 44), 6, 6);
    painter.setBrush(QColor(180, 185, 195));
    painter.drawEllipse(QPointF(75, 111), 40, 40);
    painter.setBrush(QColor(120, 180, 230));
    painter.drawEllipse(QPointF(75, 111), 30, 30);
    painter.setPen(QPen(QColor(250, 250, 255, 200), 3, Qt::SolidLine, Qt::RoundCap));
    painter.drawArc(QRectF(55, 91, 40, 40), 100 * 16, 70 * 16);

    // The speech bubble: the same text in two languages.
    painter.setPen(QPen(Outline, 2));
    painter.setBrush(QColor(255, 214, 90));
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(98, 8, 74, 48), 12, 12);
    QPainterPath tail;
    tail.moveTo(112, 54);
    tail.lineTo(104, 70);
    tail.lineTo(126, 54);
    tail.closeSubpath();
    painter.drawPath(bubble.united(tail));
    QFont letters(QStringLiteral("Arial"));
    letters.setPixelSize(22);
    letters.setBold(true);
    painter.setFont(letters);
    painter.setPen(Outline);
    painter.drawText(QRectF(98, 8, 74, 48), Qt::AlignCenter, QStringLiteral("A\u2192\u00c4"));
    painter.end();
    return pixmap;
}
