#include "editor/Gridcells.h"

#include <QEvent>
#include <QPainter>
#include <QTableWidget>

namespace {

const QColor GridLineGray(160, 160, 160);
// The corner carries the cycle's caption in white.
const QColor CornerBlue(43, 76, 126);

} // namespace

void DrawFixedBackground(QPainter& painter, const QRect& rect, const QColor& fill)
{
    painter.fillRect(rect, fill);
    painter.save();
    painter.setPen(GridLineGray);
    painter.drawLine(rect.topRight(), rect.bottomRight());
    painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    painter.restore();
}

C_CellDelegate::C_CellDelegate(CellPainter painter, QObject* parent)
    : QStyledItemDelegate(parent)
    , m_Painter(std::move(painter))
{
}

void C_CellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    painter->save();
    painter->setFont(option.font);
    painter->setClipRect(option.rect);
    m_Painter(*painter, index.column(), index.row(), option.rect);
    painter->restore();
}

C_FixedCells::C_FixedCells(Qt::Orientation orientation, CellPainter painter, QWidget* parent)
    : QHeaderView(orientation, parent)
    , m_Painter(std::move(painter))
{
    setSectionsClickable(false);
    setHighlightSections(false);
    setSectionResizeMode(QHeaderView::Fixed);
    setMinimumSectionSize(1);
}

void C_FixedCells::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    painter->save();
    painter->setFont(font());
    DrawFixedBackground(*painter, rect, palette().color(QPalette::Button));
    // The cell without its grid line, as the body cells are given.
    const QRect cell = rect.adjusted(0, 0, -1, -1);
    painter->setClipRect(cell);
    painter->setPen(palette().color(QPalette::ButtonText));
    if (orientation() == Qt::Horizontal)
        m_Painter(*painter, logicalIndex, 0, cell);
    else
        m_Painter(*painter, 0, logicalIndex, cell);
    painter->restore();
}

C_FixedCorner::C_FixedCorner(QTableWidget& grid, CellPainter painter)
    : QWidget(&grid)
    , m_Grid(grid)
    , m_Painter(std::move(painter))
{
    grid.setCornerButtonEnabled(false);
    grid.installEventFilter(this);
    FollowHeaders();
    raise();
}

bool C_FixedCorner::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_Grid && (event->type() == QEvent::Resize || event->type() == QEvent::LayoutRequest ||
                               event->type() == QEvent::Show))
        FollowHeaders();
    return QWidget::eventFilter(watched, event);
}

void C_FixedCorner::FollowHeaders()
{
    const QHeaderView* top = m_Grid.horizontalHeader();
    const QHeaderView* left = m_Grid.verticalHeader();
    setGeometry(left->x(), top->y(), left->width(), top->height());
    raise();
}

void C_FixedCorner::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setFont(m_Grid.font());
    const QRect all = rect();
    DrawFixedBackground(painter, all, CornerBlue);
    m_Painter(painter, 0, 0, all.adjusted(0, 0, -1, -1));
}
