#include "editor/Gridcells.h"

#include "editor/Rowproperties.h"
#include "language/Language.h"
#include "language/Messages.h"
#include "model/Cyclecontent.h"

#include <QEvent>
#include <QFont>
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

namespace {

void DrawBold(QPainter& canvas, const QRect& rect, const QString& text, bool centred)
{
    canvas.save();
    QFont bold = canvas.font();
    bold.setBold(true);
    canvas.setFont(bold);
    canvas.drawText(rect, (centred ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignTop) | Qt::TextSingleLine, text);
    canvas.restore();
}

} // namespace

void DrawStepCell(QPainter& canvas, const QTableWidget& grid, const C_CycleContent& content,
                  const QString& cycleCaption, const std::vector<std::unique_ptr<C_RowProperty>>& rows, int column,
                  int row, const QRect& rect)
{
    const int last = grid.columnCount() - 1;
    if (row == 0) {
        if (column == 0) {
            canvas.save();
            canvas.setPen(Qt::white);
            DrawBold(canvas, rect, cycleCaption, true);
            canvas.restore();
        } else {
            DrawBold(canvas, rect,
                     column == last ? Text(Msg::NewColumn) : QStringLiteral("  ") + QString::number(column), false);
        }
        return;
    }
    if (row > int(rows.size()))
        return;
    C_RowProperty& descriptor = *rows[size_t(row - 1)];
    if (column == 0) {
        const std::int32_t none = 0;
        descriptor.DrawCell(canvas, grid, column, row, rect, &none, false);
        return;
    }
    const C_Step* step = content.GetStep(column - 1);
    const bool highlighted = column == grid.currentColumn() || row == grid.currentRow();
    descriptor.DrawCell(canvas, grid, column, row, rect, step != nullptr ? &step->m_Values[size_t(row - 1)] : nullptr,
                        highlighted);
}
