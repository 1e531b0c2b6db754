#pragma once

#include <QHeaderView>
#include <QStyledItemDelegate>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class QTableWidget;
struct S_CellColours;

// Draws one cell of an owner-drawn grid: the painter, the cell's column and row
// (the grid's own numbering, fixed column and row included) and its rectangle.
using CellPainter = std::function<void(QPainter&, int column, int row, const QRect&)>;

// The body cells of an owner-drawn grid.
class C_CellDelegate : public QStyledItemDelegate
{
public:
    C_CellDelegate(CellPainter painter, QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    CellPainter m_Painter;
};

// The fixed row (horizontal) or fixed column (vertical) of a grid whose row 0 and
// column 0 are hidden in the body: section k of the header is grid column k
// (row 0) or grid row k (column 0), so the fixed cells stay in view while the
// body scrolls.
class C_FixedCells : public QHeaderView
{
public:
    C_FixedCells(Qt::Orientation orientation, CellPainter painter, QWidget* parent);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    CellPainter m_Painter;
};

// The top-left fixed cell (column 0, row 0), drawn over the grid's corner.
class C_FixedCorner : public QWidget
{
public:
    C_FixedCorner(QTableWidget& grid, CellPainter painter);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void FollowHeaders();

    QTableWidget& m_Grid;
    CellPainter m_Painter;
};

// What a screen reader reads of one cell of an owner-drawn grid: its name
// ("Step 3, Temperature") and its value ("60 °C").
struct S_CellTexts
{
    QString m_Name;
    QString m_Value;
};
using CellReader = std::function<S_CellTexts(int column, int row)>;

// Every body cell of the grid gets an item whose accessible name and description
// (the value) are read from the reader when asked for, so that they follow every
// edit without being kept; the headers' sections are named by the reader's row 0
// and column 0. Cells that already have their item keep it.
void GiveCellsAccessibleTexts(QTableWidget& grid, const std::shared_ptr<const CellReader>& reader);

// Fills a fixed cell and draws the grid line on its right and bottom edge.
void DrawFixedBackground(QPainter& painter, const QRect& rect, const QColor& fill, const QColor& line);

// The frame of the cell that has the keyboard's focus: dots of the text colour on
// a line of the cell colour, seen on the cursor's colour and on a cell alike.
void DrawFocusFrame(QPainter& painter, const QRect& rect, const S_CellColours& colours);

class C_CycleContent;
class C_RowProperty;

// A cell of the steps grid: column 0 the row captions, row 0 the step numbers (the
// top-left cell the cycle's caption), column c the entry c - 1 of the cycle and row r
// the row r - 1; the cursor's row and column are highlighted.
void DrawStepCell(QPainter& canvas, const QTableWidget& grid, const C_CycleContent& content,
                  const QString& cycleCaption, const std::vector<std::unique_ptr<C_RowProperty>>& rows, int column,
                  int row, const QRect& rect);
