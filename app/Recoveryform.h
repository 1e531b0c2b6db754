#pragma once

#include "document/Recoveryfolder.h"

#include <QDialog>

#include <vector>

class QLabel;
class QPushButton;
class QTreeWidget;

// Offers the recovery copies of runs that ended without saving: each with its
// file, format and time, chosen by a tick. Restore opens the chosen ones, Discard
// deletes them after asking, Later keeps every copy not yet discarded for the next
// start. A damaged copy can only be discarded.
class TRecoveryForm : public QDialog
{
    Q_OBJECT

public:
    enum class Fate { Keep, Restore, Discard };

    TRecoveryForm(const std::vector<S_FoundCopy>& copies, QWidget* owner);

    // What becomes of each copy, in the order given.
    const std::vector<Fate>& Fates() const { return m_Fates; }

    QLabel* m_IntroLabel;
    QTreeWidget* m_CopiesList;
    QPushButton* m_RestoreButton;
    QPushButton* m_DiscardButton;
    QPushButton* m_LaterButton;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The copies of the ticked rows still listed.
    std::vector<size_t> Chosen() const;
    void UpdateButtons();
    void RestoreChosen();
    void DiscardChosen();

    const std::vector<S_FoundCopy>& m_Copies;
    std::vector<Fate> m_Fates;
};

// The file column's text of a copy: its path, or its name and that it was never saved.
QString RecoveredName(const S_FoundCopy& copy);
