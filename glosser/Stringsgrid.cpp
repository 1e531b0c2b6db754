#include "glosser/Stringsgrid.h"

#include <QLineEdit>

TStringsGrid::TStringsGrid(int rows, int columns, QWidget* parent)
    : QTableWidget(rows, columns, parent)
{
}

QLineEdit* TStringsGrid::CellEditor() const
{
    if (state() != EditingState)
        return nullptr;
    return qobject_cast<QLineEdit*>(indexWidget(currentIndex()));
}

void TStringsGrid::CommitEdit()
{
    if (QLineEdit* editor = CellEditor()) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}
