#pragma once

#include "dialogs/Filetansfer.h"
#include "transfer/Transferjob.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>

class C_ConfigurationPanes;
class C_SleepInhibitor;
class C_PaneLines;
class C_TransferLines;
class C_TransferWorker;
class QTimer;
class QTreeWidgetItem;

// The one transfer the program runs at a time, for a configuration window: the
// job on its worker thread, the transfer window with its progress and Cancel,
// the lines under the transfer's heading, the entry of the transfer log, and the
// session kept from suspending while image bytes go out.
class C_RunningTransfer : public QObject
{
    Q_OBJECT

public:
    // file names the configuration in the log; logPath empty writes no log.
    C_RunningTransfer(C_ConfigurationPanes& window, QTreeWidgetItem* heading, S_TransferPlan plan, const QString& file,
                      const QString& logPath);
    ~C_RunningTransfer() override;

    // The transfer running now, or null.
    static C_RunningTransfer* Current();

    void Start();
    // Cancel pressed: stops at once, unless image bytes of a download are going out;
    // then the transfer window asks first.
    void Cancel();
    // The program is to exit: the transfer window asks whether to wait for the end or cancel.
    void AskBeforeExit();
    // The user pressed Cancel or confirmed it: an end short of success is what was asked for.
    bool CancelledByUser() const { return m_CancelledByUser; }

    TFormFileTransfer& Window() const { return *m_Window; }

signals:
    void Finished(const S_TransferOutcome& outcome);
    // The log could not be written: the reason, told once per run of the program.
    void LogProblem(const QString& message);

private:
    void ShowStage(TransferStage stage);
    void ShowPhase(LinkPhase phase, int attempt);
    void ShowTimes();
    void End(const S_TransferOutcome& outcome);
    void WriteLog(const S_TransferOutcome& outcome);
    // How long the stages still to come take at the least, in milliseconds.
    qint64 FloorOfStagesAfter(TransferStage stage) const;
    qint64 StageFloor(TransferStage stage) const;
    bool SendingImageBytes() const;
    void AskToStopSending();

    S_TransferPlan m_Plan;
    QString m_File;
    QString m_LogPath;
    std::unique_ptr<C_PaneLines> m_PaneLines;
    std::unique_ptr<C_TransferLines> m_Lines;
    QString m_HeadingText;
    QPointer<TFormFileTransfer> m_Window;
    std::unique_ptr<C_SleepInhibitor> m_Inhibitor;
    C_TransferWorker* m_Worker;
    QTimer* m_Clock;
    QDateTime m_StartTime;
    QElapsedTimer m_Elapsed;
    QElapsedTimer m_StageElapsed;
    TransferStage m_Stage = TransferStage::Download;
    LinkPhase m_Phase = LinkPhase::Calling;
    qint64 m_Done = 0;
    qint64 m_Total = 0;
    bool m_CancelAsked = false;
    // Cancel was pressed before the window heard that image bytes go out.
    bool m_CancelPending = false;
    bool m_CancelledByUser = false;
};

// The log's word for how a transfer ended.
QString TransferResultText(const S_TransferOutcome& outcome);
