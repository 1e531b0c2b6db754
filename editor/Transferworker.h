#pragma once

#include "transfer/Transferjob.h"

#include <QObject>

#include <atomic>
#include <thread>

// Runs a transfer job on a thread of its own, so that the windows keep painting
// and answering for the half minute a transfer takes. What the job reports
// arrives, in order, as signals on the thread that made this object; no window
// is touched from the other thread.
class C_TransferWorker : public QObject
{
    Q_OBJECT

public:
    explicit C_TransferWorker(S_TransferPlan plan, QObject* parent = nullptr);
    // Asks a running job to stop and waits until it has.
    ~C_TransferWorker() override;

    void Start();
    // The job stops at its next look (between handshake letters, within the pause,
    // between bytes) unless image bytes of a download go out by then.
    void Cancel() { m_Cancel = true; }
    // The job stops also while image bytes go out: the user has been asked.
    void ConfirmCancel() { m_Confirmed = true; }
    bool IsRunning() const { return m_Thread.joinable(); }

signals:
    void Reported(qint16 id, int icon, const QString& detail);
    void StageChanged(TransferStage stage);
    void PhaseChanged(LinkPhase phase, int attempt);
    void Progressed(qint64 done, qint64 total);
    void Finished(const S_TransferOutcome& outcome);

private:
    class C_Relay;

    S_TransferPlan m_Plan;
    std::atomic<bool> m_Cancel{false};
    std::atomic<bool> m_Confirmed{false};
    std::thread m_Thread;
};
