#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The non-modal search and replace windows. Only the text fields and buttons are offered:
// the search always runs downwards, case-sensitive, and finds the text anywhere in a cell.
class TSearchWindow : public QDialog
{
    Q_OBJECT

public:
    enum class Kind { Find, Replace };

    TSearchWindow(Kind kind, QWidget* parent);

    QString FindText() const;
    QString ReplaceText() const;
    // Shows the window, or brings it to the front, ready for a new search text.
    void Open();

signals:
    void FindNextRequested();
    void ReplaceRequested();
    void ReplaceAllRequested();

private:
    void UpdateButtons();

    QLineEdit* m_FindEdit;
    QLineEdit* m_ReplaceEdit = nullptr;
    QPushButton* m_FindNextButton;
    QPushButton* m_ReplaceButton = nullptr;
    QPushButton* m_ReplaceAllButton = nullptr;
};
