#pragma once

#include "desktop/Dialoglook.h"

#include <QList>
#include <QPixmap>

class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;

// The window shown while a transfer runs: the direction's picture, what the
// transfer is doing, how far it is, how long it took and has left, and Cancel.
// A question about cancelling is asked inside the window, so that the transfer
// goes on meanwhile and can end with the question still open.
class TFormFileTransfer : public TEditorDialog
{
    Q_OBJECT

public:
    enum Picture { DownloadPicture = 0, UploadPicture = 1 };

    TFormFileTransfer(QWidget* owner, int picture);

    void ShowStage(const QString& stage);
    // The port the transfer uses, as windows name it.
    void ShowPort(const QString& port);
    void ShowPhase(const QString& phase);
    void ShowProgress(qint64 done, qint64 total);
    // Milliseconds; a negative left shows no estimate.
    void ShowTimes(qint64 elapsedMs, qint64 leftMs);
    // The question replaces the Cancel button until it is answered or withdrawn.
    void Ask(const QString& question);
    void WithdrawQuestion();
    bool IsAsking() const;

    QLabel* m_BackImage;
    QList<QPixmap> m_ImageList;
    QLabel* m_StageLabel;
    QLabel* m_PhaseLabel;
    QProgressBar* m_ProgressBar;
    QLabel* m_TimesLabel;
    QLabel* m_PortLabel;
    QPushButton* m_CancelButton;
    QFrame* m_QuestionPanel;
    QLabel* m_QuestionLabel;
    QPushButton* m_WaitButton;
    QPushButton* m_CancelTransferButton;

signals:
    // Cancel pressed (or Escape): whoever runs the transfer decides whether to ask.
    void CancelPressed();
    void CancelConfirmed();

protected:
    void reject() override;
};

// Makes a diagnostic panel at least 300 pixels high, so that its lines can be
// read after a failure; inside a splitter the space comes from the largest other pane.
void EnlargeDiagnostics(QWidget* diagnosticPanel);

// Minutes and seconds of a duration in milliseconds, "m:ss".
QString FormatDuration(qint64 milliseconds);
