#include "transfer/Transferjob.h"

#include "language/Language.h"
#include "language/Messages.h"
#include "model/Fileheader.h"
#include "transfer/Transferbackup.h"

#include <QDateTime>

#include <algorithm>

namespace {

constexpr int Information = 1;
constexpr int Error = 3;

// A value of the settings file as a line can show it: quoted, short, every control character a '?'.
QString QuotedSetting(QString value)
{
    constexpr int Longest = 80;
    if (value.size() > Longest)
        value = value.left(Longest) + QStringLiteral("...");
    for (QChar& c : value)
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char('?');
    return QLatin1Char('"') + value + QLatin1Char('"');
}

std::int64_t Milliseconds(std::int64_t ticks)
{
    return ticks * 1000 / CounterFrequency();
}

} // namespace

// Passes everything on and keeps the first error line, which says why a transfer failed.
class C_TransferJob::C_FailureWatch : public C_TransferListener
{
public:
    explicit C_FailureWatch(C_TransferListener& listener, S_TransferOutcome& outcome)
        : m_Listener(listener)
        , m_Outcome(outcome)
    {
    }

    void Reported(std::int16_t id, int icon, const QString& detail) override
    {
        if (icon == Error && m_Outcome.m_FailureId == 0) {
            m_Outcome.m_FailureId = id;
            m_Outcome.m_FailureDetail = detail;
        }
        m_Listener.Reported(id, icon, detail);
    }
    void StageChanged(TransferStage stage) override { m_Listener.StageChanged(stage); }
    void PhaseChanged(LinkPhase phase, int attempt) override { m_Listener.PhaseChanged(phase, attempt); }
    void Progressed(std::size_t done, std::size_t total) override { m_Listener.Progressed(done, total); }
    bool CancelRequested() const override { return m_Listener.CancelRequested(); }
    bool CancelConfirmed() const override { return m_Listener.CancelConfirmed(); }

private:
    C_TransferListener& m_Listener;
    S_TransferOutcome& m_Outcome;
};

C_TransferJob::C_TransferJob(S_TransferPlan plan, C_TransferListener& listener)
    : m_Plan(std::move(plan))
    , m_Listener(listener)
{
}

S_TransferOutcome C_TransferJob::Run()
{
    const std::int64_t start = CounterValue();
    m_Outcome = S_TransferOutcome();
    m_Outcome.m_Image = m_Plan.m_Image;
    C_FailureWatch watch(m_Listener, m_Outcome);
    if (!m_Plan.m_Link.m_IgnoredDevice.isEmpty())
        watch.Reported(Msg::DeviceIgnored, Information,
                       QLatin1Char(' ') + QuotedSetting(m_Plan.m_Link.m_IgnoredDevice));
    if (m_Plan.m_Direction == TransferDirection::Upload)
        Receive(watch);
    else if (Backup(watch) && Send(watch) && m_Plan.m_Verify)
        Verify(watch);
    m_Outcome.m_DurationMs = Milliseconds(CounterValue() - start);
    return m_Outcome;
}

bool C_TransferJob::Backup(C_FailureWatch& watch)
{
    if (m_Plan.m_BackupFolder.isEmpty())
        return true;
    m_Listener.StageChanged(TransferStage::Backup);
    MemoryImage held(m_Plan.m_Image.size());
    C_KW3Communication link(&watch, m_Plan.m_Link);
    if (!link.ReceiveImage(held.data(), std::uint16_t(held.size()))) {
        m_Outcome.m_Result = link.Cancelled() ? TransferResult::Cancelled : TransferResult::Failed;
        if (link.Cancelled())
            watch.Reported(Msg::CancelledBeforeSending, Information, QString());
        else
            watch.Reported(Msg::BackupNotReceived, Error, QString());
        return false;
    }
    QString path;
    QString reason;
    const QString name = BackupFileName(QDateTime::currentDateTime(), m_Plan.m_Link.PortName(), m_Plan.m_FormatCode);
    if (!WriteNewFile(m_Plan.m_BackupFolder, name, ConfigurationFileBytes(m_Plan.m_FormatCode, held), path, reason)) {
        m_Outcome.m_Result = TransferResult::Failed;
        watch.Reported(Msg::BackupNotWritten, Error, QLatin1Char(' ') + reason);
        return false;
    }
    m_Outcome.m_BackupFile = path;
    watch.Reported(Msg::BackupWritten, Information, QLatin1Char(' ') + path);
    return true;
}

bool C_TransferJob::Send(C_FailureWatch& watch)
{
    m_Listener.StageChanged(TransferStage::Download);
    C_KW3Communication link(&watch, m_Plan.m_Link);
    const std::int64_t start = CounterValue();
    const bool sent = link.SendImage(m_Plan.m_Image.data(), std::uint16_t(m_Plan.m_Image.size()));
    m_Outcome.m_ImageBytesSent = link.BytesSent() > 0;
    m_Outcome.m_Moved.assign(m_Plan.m_Image.begin(), m_Plan.m_Image.begin() + std::ptrdiff_t(link.BytesSent()));
    if (!sent) {
        m_Outcome.m_Result = link.Cancelled() ? TransferResult::Cancelled : TransferResult::Failed;
        if (link.Cancelled() && m_Outcome.m_ImageBytesSent)
            watch.Reported(Msg::CancelledWhileSending, Error, QString());
        else if (link.Cancelled())
            watch.Reported(Msg::CancelledBeforeSending, Information, QString());
        return false;
    }
    m_Outcome.m_Result = TransferResult::Finished;
    ReportFinished(Msg::DownloadFinished, start);
    return true;
}

void C_TransferJob::Verify(C_FailureWatch& watch)
{
    m_Listener.StageChanged(TransferStage::Verify);
    MemoryImage held(m_Plan.m_Image.size());
    C_KW3Communication link(&watch, m_Plan.m_Link);
    if (!link.ReceiveImage(held.data(), std::uint16_t(held.size()))) {
        // The bytes went out all the same, also when the verify was cancelled; only the check is missing.
        m_Outcome.m_Result = TransferResult::CouldNotVerify;
        if (link.Cancelled())
            watch.Reported(Msg::VerifyCancelled, Information, QString());
        else
            watch.Reported(Msg::CouldNotVerify, Error, QString());
        return;
    }
    const auto first = std::mismatch(held.begin(), held.end(), m_Plan.m_Image.begin()).first;
    if (first == held.end()) {
        m_Outcome.m_Result = TransferResult::Verified;
        watch.Reported(Msg::Verified, Information, QString());
        return;
    }
    std::size_t differing = 0;
    for (std::size_t index = 0; index < held.size(); ++index)
        differing += held[index] != m_Plan.m_Image[index] ? 1 : 0;
    m_Outcome.m_Result = TransferResult::VerifyFailed;
    // The offset is the line's last word, for whoever reads it by program.
    watch.Reported(Msg::VerifyDifferent, Error,
                   QLatin1Char(' ') + QString::number(differing) + QStringLiteral(", ") + Text(Msg::FirstDifferenceAt) +
                       QLatin1Char(' ') + QString::number(first - held.begin()));
}

void C_TransferJob::Receive(C_FailureWatch& watch)
{
    m_Listener.StageChanged(TransferStage::Upload);
    C_KW3Communication link(&watch, m_Plan.m_Link);
    const std::int64_t start = CounterValue();
    const bool received = link.ReceiveImage(m_Outcome.m_Image.data(), std::uint16_t(m_Outcome.m_Image.size()));
    m_Outcome.m_Moved = link.Received();
    if (!received) {
        m_Outcome.m_Result = link.Cancelled() ? TransferResult::Cancelled : TransferResult::Failed;
        if (link.Cancelled())
            watch.Reported(Msg::UploadCancelled, Information, QString());
        return;
    }
    m_Outcome.m_Result = TransferResult::Finished;
    ReportFinished(Msg::UploadFinished, start);
}

void C_TransferJob::ReportFinished(std::int16_t id, std::int64_t startTick)
{
    const double seconds = double(Milliseconds(CounterValue() - startTick)) / 1000.0;
    m_Listener.Reported(id, Information,
                        QStringLiteral(": ") + QString::number(m_Plan.m_Image.size()) + QStringLiteral(" B, ") +
                            QString::number(seconds, 'f', 1) + QStringLiteral(" s"));
}
