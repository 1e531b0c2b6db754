#include "editor/Gridcells.h"

#include "editor/Cellcolours.h"
#include "editor/Rowproperties.h"
#include "language/Language.h"
#include "language/Messages.h"
#include "model/Cyclecontent.h"

#include <QEvent>
#include <QFont>
#include <QPainter>
#include <QTableWidget>

namespace {

class C_AccessibleCell : public QTableWidgetItem
{
public:
    C_AccessibleCell(std::shared_ptr<const CellReader> reader, int column, int row)
        : m_Reader(std::move(reader))
        , m_Column(column)
        , m_Row(row)
    {
        setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    }

    QVariant data(int role) const override
    {
        if (role != Qt::AccessibleTextRole && role != Qt::AccessibleDescriptionRole)
            return QTableWidgetItem::data(role);
        const S_CellTexts texts = (*m_Reader)(m_Column, m_Row);
        return role == Qt::AccessibleTextRole ? texts.m_Name : texts.m_Value;
    }

private:
    std::shared_ptr<const CellReader> m_Reader;
    // Kept: asking the grid for an item's place searches every item.
    int m_Column;
    int m_Row;
};

} // namespace

void GiveCellsAccessibleTexts(QTableWidget& grid, const std::shared_ptr<const CellReader>& reader)
{
    QStringList columns;
    for (int column = 0; column < grid.columnCount(); ++column)
        columns << (*reader)(column, 0).m_Name;
    QStringList rows;
    for (int row = 0; row < grid.rowCount(); ++row)
        rows << (*reader)(0, row).m_Name;
    grid.setHorizontalHeaderLabels(columns);
    grid.setVerticalHeaderLabels(rows);
    for (int column = 1; column < grid.columnCount(); ++column)
        for (int row = 1; row < grid.rowCount(); ++row)
            if (grid.item(row, column) == nullptr)
                grid.setItem(row, column, new C_AccessibleCell(reader, column, row));
}

void DrawFixedBackground(QPainter& painter, const QRect& rect, const QColor& fill, const QColor& line)
{
    painter.fillRect(rect, fill);
    painter.save();
    painter.setPen(line);
    painter.drawLine(rect.topRight(), rect.bottomRight());
    painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    painter.restore();
}

void DrawFocusFrame(QPainter& painter, const QRect& rect, const S_CellColours& colours)
{
    painter.save();
    painter.setBrush(Qt::NoBrush);
    const QRect frame = rect.adjusted(1, 1, -2, -2);
    painter.setPen(QPen(colours.m_Cell, 1));
    painter.drawRect(frame);
    painter.setPen(QPen(colours.m_Text, 1, Qt::DotLine));
    painter.drawRect(frame);
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
    painter->setPen(CellColoursOf(option.palette).m_Text);
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
    const S_CellColours colours = CellColoursOf(palette());
    DrawFixedBackground(*painter, rect, colours.m_Face, colours.m_Line);
    // The cell without its grid line, as the body cells are given.
    const QRect cell = rect.adjusted(0, 0, -1, -1);
    painter->setClipRect(cell);
    painter->setPen(colours.m_FaceText);
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
    if (watched == &m_Grid &&
        (event->type() == QEvent::Resize || event->type() == QEvent::LayoutRequest || event->type() == QEvent::Show))
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
    const S_CellColours colours = CellColoursOf(m_Grid.palette());
    DrawFixedBackground(painter, all, colours.m_Corner, colours.m_Line);
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
            canvas.setPen(CellColoursOf(grid.palette()).m_CornerText);
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
    if (column == grid.currentColumn() && row == grid.currentRow() && grid.hasFocus())
        DrawFocusFrame(canvas, rect, CellColoursOf(grid.palette()));
}
