#include "editor/Transferworker.h"

#include "comm/Serialport.h"

namespace {

// Progress more often than this is more than a window can show.
constexpr std::int64_t ProgressEveryMs = 40;

} // namespace

// The job's listener on the transferring thread: every call is posted to the worker's thread.
class C_TransferWorker::C_Relay : public C_TransferListener
{
public:
    explicit C_Relay(C_TransferWorker& worker)
        : m_Worker(&worker)
    {
    }

    void Reported(std::int16_t id, int icon, const QString& detail) override
    {
        Post([id, icon, detail](C_TransferWorker& worker) { emit worker.Reported(id, icon, detail); });
    }
    void StageChanged(TransferStage stage) override
    {
        Post([stage](C_TransferWorker& worker) { emit worker.StageChanged(stage); });
    }
    void PhaseChanged(LinkPhase phase, int attempt) override
    {
        Post([phase, attempt](C_TransferWorker& worker) { emit worker.PhaseChanged(phase, attempt); });
    }
    void Progressed(std::size_t done, std::size_t total) override
    {
        const std::int64_t now = CounterValue();
        if (done < total && now - m_LastProgress < ProgressEveryMs * CounterFrequency() / 1000)
            return;
        m_LastProgress = now;
        Post([done, total](C_TransferWorker& worker) { emit worker.Progressed(qint64(done), qint64(total)); });
    }
    bool CancelRequested() const override { return m_Worker->m_Cancel || m_Worker->m_Confirmed; }
    bool CancelConfirmed() const override { return m_Worker->m_Confirmed; }

    void Finish(const S_TransferOutcome& outcome)
    {
        Post([outcome](C_TransferWorker& worker) {
            worker.m_Thread.join();
            emit worker.Finished(outcome);
        });
    }

private:
    template <typename Call>
    void Post(Call call)
    {
        C_TransferWorker* worker = m_Worker;
        QMetaObject::invokeMethod(
            worker, [worker, call] { call(*worker); }, Qt::QueuedConnection);
    }

    C_TransferWorker* m_Worker;
    std::int64_t m_LastProgress = 0;
};

C_TransferWorker::C_TransferWorker(S_TransferPlan plan, QObject* parent)
    : QObject(parent)
    , m_Plan(std::move(plan))
{
}

C_TransferWorker::~C_TransferWorker()
{
    m_Confirmed = true;
    if (m_Thread.joinable())
        m_Thread.join();
}

void C_TransferWorker::Start()
{
    if (m_Thread.joinable())
        return;
    m_Cancel = false;
    m_Confirmed = false;
    m_Thread = std::thread([this, plan = m_Plan] {
        C_Relay relay(*this);
        relay.Finish(C_TransferJob(plan, relay).Run());
    });
}
