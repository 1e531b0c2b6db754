#include "editor/Runningtransfer.h"

#include "comm/Protocol.h"
#include "desktop/Sleepinhibitor.h"
#include "dialogs/Filetansfer.h"
#include "editor/Configurationpanes.h"
#include "editor/Transferworker.h"
#include "language/Language.h"
#include "language/Messages.h"
#include "model/Fileheader.h"
#include "transfer/Transferlines.h"
#include "transfer/Transferlog.h"

#include <QTimer>
#include <QTreeWidgetItem>

#include <algorithm>
#include <utility>

namespace {

C_RunningTransfer* g_Current = nullptr;
bool g_LogProblemTold = false;

constexpr int ClockEveryMs = 250;
constexpr double UploadByteMs = 1000.0 * Protocol::LineBitsPerByte / Protocol::BaudRate;

} // namespace

QString TransferResultText(const S_TransferOutcome& outcome)
{
    switch (outcome.m_Result) {
    case TransferResult::Finished: return QStringLiteral("finished");
    case TransferResult::Verified: return QStringLiteral("verified");
    case TransferResult::Cancelled: return QStringLiteral("cancelled");
    case TransferResult::VerifyFailed: return QStringLiteral("verify failed");
    case TransferResult::CouldNotVerify: return QStringLiteral("could not verify");
    case TransferResult::Failed: break;
    }
    return QStringLiteral("failed: ") + Text(outcome.m_FailureId) + outcome.m_FailureDetail;
}

C_RunningTransfer::C_RunningTransfer(C_ConfigurationPanes& window, QTreeWidgetItem* heading, S_TransferPlan plan,
                                     const QString& file, const QString& logPath)
    : m_Plan(std::move(plan))
    , m_File(file)
    , m_LogPath(logPath)
    , m_PaneLines(std::make_unique<C_PaneLines>(window))
    , m_Lines(std::make_unique<C_TransferLines>(*m_PaneLines, m_PaneLines->Adopt(heading)))
    , m_HeadingText(heading->text(0))
    , m_Window(new TFormFileTransfer(&window, m_Plan.m_Direction == TransferDirection::Download
                                                  ? TFormFileTransfer::DownloadPicture
                                                  : TFormFileTransfer::UploadPicture))
    , m_Inhibitor(std::make_unique<C_SleepInhibitor>())
    , m_Worker(new C_TransferWorker(m_Plan, this))
    , m_Clock(new QTimer(this))
{
    connect(m_Worker, &C_TransferWorker::Reported, this,
            [this](qint16 id, int icon, const QString& detail) { m_Lines->Reported(id, icon, detail); });
    connect(m_Worker, &C_TransferWorker::StageChanged, this, [this](TransferStage stage) {
        m_Lines->StageChanged(stage);
        ShowStage(stage);
    });
    connect(m_Worker, &C_TransferWorker::PhaseChanged, this, &C_RunningTransfer::ShowPhase);
    connect(m_Worker, &C_TransferWorker::Progressed, this, [this](qint64 done, qint64 total) {
        m_Done = done;
        m_Total = total;
        m_Window->ShowProgress(done, total);
        // A cancel the sending side did not take: the image bytes were going out already.
        if (m_Stage == TransferStage::Download && done > 0 && std::exchange(m_CancelPending, false) &&
            !m_Window->IsAsking())
            AskToStopSending();
    });
    connect(m_Worker, &C_TransferWorker::Finished, this, &C_RunningTransfer::End);
    connect(m_Window.data(), &TFormFileTransfer::CancelPressed, this, &C_RunningTransfer::Cancel);
    connect(m_Window.data(), &TFormFileTransfer::CancelConfirmed, this, [this] {
        m_CancelledByUser = true;
        m_Worker->ConfirmCancel();
    });
    m_Clock->setInterval(ClockEveryMs);
    connect(m_Clock, &QTimer::timeout, this, &C_RunningTransfer::ShowTimes);
}

C_RunningTransfer::~C_RunningTransfer()
{
    // The configuration window may have gone first, and its transfer window with it.
    delete m_Window.data();
    if (g_Current == this)
        g_Current = nullptr;
}

C_RunningTransfer* C_RunningTransfer::Current()
{
    return g_Current;
}

void C_RunningTransfer::Start()
{
    g_Current = this;
    m_StartTime = QDateTime::currentDateTime();
    m_Elapsed.start();
    m_StageElapsed.start();
    m_Stage = m_Plan.m_Direction == TransferDirection::Upload ? TransferStage::Upload
              : m_Plan.m_BackupFolder.isEmpty()               ? TransferStage::Download
                                                              : TransferStage::Backup;
    ShowStage(m_Stage);
    m_Window->ShowPort(m_Plan.m_Link.PortTitle());
    ShowPhase(LinkPhase::Calling, 1);
    ShowTimes();
    m_Window->show();
    m_Clock->start();
    m_Worker->Start();
}

bool C_RunningTransfer::SendingImageBytes() const
{
    return m_Stage == TransferStage::Download && m_Phase == LinkPhase::Sending;
}

void C_RunningTransfer::Cancel()
{
    m_CancelledByUser = true;
    // Bytes that stop halfway leave the controller with part of an image: ask first, and go on meanwhile.
    if (SendingImageBytes()) {
        AskToStopSending();
        return;
    }
    // The sending side decides: a cancel that meets the first image byte gone out
    // does not stop it, and the question follows once the window hears of it.
    m_CancelPending = true;
    m_Worker->Cancel();
}

void C_RunningTransfer::AskToStopSending()
{
    m_CancelAsked = true;
    m_Window->Ask(Text(Msg::CancelDownloadQuestion));
}

void C_RunningTransfer::AskBeforeExit()
{
    m_CancelAsked = false;
    QString question = Text(Msg::ExitDuringTransferQuestion);
    if (SendingImageBytes())
        question += QStringLiteral("\n\n") + Text(Msg::CancelDownloadQuestion);
    m_Window->Ask(question);
}

void C_RunningTransfer::ShowStage(TransferStage stage)
{
    if (stage != m_Stage)
        m_StageElapsed.restart();
    m_Stage = stage;
    switch (stage) {
    case TransferStage::Backup: m_Window->ShowStage(Text(Msg::BackupStage)); break;
    case TransferStage::Download: m_Window->ShowStage(Text(Msg::DownloadHeading)); break;
    case TransferStage::Verify: m_Window->ShowStage(Text(Msg::VerifyStage)); break;
    case TransferStage::Upload: m_Window->ShowStage(m_HeadingText); break;
    }
}

void C_RunningTransfer::ShowPhase(LinkPhase phase, int attempt)
{
    m_Phase = phase;
    switch (phase) {
    case LinkPhase::Draining: m_Window->ShowPhase(Text(Msg::PhaseDraining)); break;
    case LinkPhase::Waiting: m_Window->ShowPhase(Text(Msg::PhaseWaiting)); break;
    case LinkPhase::Calling:
        m_Window->ShowPhase(Text(Msg::PhaseCalling) + QLatin1Char(' ') + QString::number(std::max(attempt, 1)) +
                            QStringLiteral(" / ") + QString::number(Protocol::HandshakeTries));
        break;
    case LinkPhase::Pause: m_Window->ShowPhase(Text(Msg::PhasePause)); break;
    case LinkPhase::Sending: m_Window->ShowPhase(Text(Msg::PhaseSending)); break;
    case LinkPhase::Receiving: m_Window->ShowPhase(Text(Msg::PhaseReceiving)); break;
    }
    if (phase != LinkPhase::Sending && phase != LinkPhase::Receiving && phase != LinkPhase::Waiting) {
        m_Done = 0;
        m_Total = qint64(m_Plan.m_Image.size());
        m_Window->ShowProgress(m_Done, m_Total);
    }
    // A question about stopping image bytes that are no longer going out is answered by itself.
    if (m_CancelAsked && !SendingImageBytes() && m_Window->IsAsking()) {
        m_CancelAsked = false;
        m_Window->WithdrawQuestion();
    }
    if (SendingImageBytes())
        m_Inhibitor->Acquire(QStringLiteral("Writing a configuration into a washing machine's controller"));
    else
        m_Inhibitor->Release();
}

qint64 C_RunningTransfer::StageFloor(TransferStage stage) const
{
    const double byteMs = stage == TransferStage::Download ? Protocol::DownloadByteIntervalMs : UploadByteMs;
    return qint64(m_Plan.m_Link.m_ReceiveTimeout + Protocol::PauseAfterHandshakeMs +
                  byteMs * double(m_Plan.m_Image.size()));
}

qint64 C_RunningTransfer::FloorOfStagesAfter(TransferStage stage) const
{
    qint64 floor = 0;
    if (stage == TransferStage::Backup)
        floor += StageFloor(TransferStage::Download);
    if ((stage == TransferStage::Backup || stage == TransferStage::Download) && m_Plan.m_Verify)
        floor += StageFloor(TransferStage::Verify);
    return floor;
}

void C_RunningTransfer::ShowTimes()
{
    const double byteMs = m_Stage == TransferStage::Download ? Protocol::DownloadByteIntervalMs : UploadByteMs;
    const qint64 bytesLeft = qint64(byteMs * double(std::max<qint64>(qint64(m_Plan.m_Image.size()) - m_Done, 0)));
    const qint64 stageLeft = (m_Phase == LinkPhase::Sending || m_Phase == LinkPhase::Receiving)
                                 ? bytesLeft
                                 : std::max(StageFloor(m_Stage) - m_StageElapsed.elapsed(), bytesLeft);
    m_Window->ShowTimes(m_Elapsed.elapsed(), stageLeft + FloorOfStagesAfter(m_Stage));
}

void C_RunningTransfer::End(const S_TransferOutcome& outcome)
{
    m_Clock->stop();
    m_Inhibitor->Release();
    if (g_Current == this)
        g_Current = nullptr;
    WriteLog(outcome);
    // A question about a transfer that has ended has no answer left to give.
    m_Window->WithdrawQuestion();
    m_Window->hide();
    emit Finished(outcome);
}

void C_RunningTransfer::WriteLog(const S_TransferOutcome& outcome)
{
    if (m_LogPath.isEmpty())
        return;
    S_TransferLogEntry entry;
    entry.m_Time = m_StartTime;
    entry.m_Direction =
        m_Plan.m_Direction == TransferDirection::Download ? QStringLiteral("download") : QStringLiteral("upload");
    entry.m_Port = m_Plan.m_Link.PortName();
    entry.m_Device = m_Plan.m_Link.Device();
    entry.m_File = m_File;
    entry.m_Format = FormatNameOfCode(m_Plan.m_FormatCode);
    entry.m_Bytes = outcome.m_Moved.size();
    entry.m_Crc = ImageCrc32(outcome.m_Moved);
    entry.m_DurationMs = outcome.m_DurationMs;
    entry.m_Result = TransferResultText(outcome);
    entry.m_BackupFile = outcome.m_BackupFile;
    QString reason;
    // The transfer is done whatever becomes of its log line.
    if (AppendTransferLog(m_LogPath, entry, reason) || g_LogProblemTold)
        return;
    g_LogProblemTold = true;
    emit LogProblem(Text(Msg::LogNotWritten) + QLatin1Char(' ') + m_LogPath + QStringLiteral(": ") + reason);
}
