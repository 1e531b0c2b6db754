#pragma once

#include <QTableWidget>

class QLineEdit;

// The grid of messages, one row per message id. It also gives the window the text box of
// the cell being edited, which the clipboard commands work on.
class TStringsGrid : public QTableWidget
{
    Q_OBJECT

public:
    TStringsGrid(int rows, int columns, QWidget* parent = nullptr);

    // The open text box of the current cell, or null when no cell is being edited.
    QLineEdit* CellEditor() const;
    // Hands what is being typed to its cell, so that searching and saving see it and a
    // later commit of the box cannot overwrite a replacement.
    void CommitEdit();
};
