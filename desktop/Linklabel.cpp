#include "desktop/Linklabel.h"

#include <QMouseEvent>

TLinkLabel::TLinkLabel(const QString& text, const QUrl& target, QWidget* parent)
    : QLabel(text, parent)
    , m_Target(target)
{
    setCursor(Qt::PointingHandCursor);
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    QPalette blue = palette();
    blue.setColor(QPalette::WindowText, QColor(0, 0, 0xd0));
    setPalette(blue);
    setToolTip(target.toString());
}

void TLinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    // A press dragged off the text before release is no click.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Activated(m_Target);
    QLabel::mouseReleaseEvent(event);
}
