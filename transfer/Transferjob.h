#pragma once

#include "comm/Rs232handler.h"
#include "model/Imagebytes.h"

#include <QString>

#include <cstdint>

enum class TransferDirection { Download, Upload };

// One transfer as the user asked for it: a download with its backup and verify,
// or an upload.
struct S_TransferPlan
{
    TransferDirection m_Direction = TransferDirection::Download;
    S_LinkSettings m_Link;
    std::uint16_t m_FormatCode = 0;
    // A download's image; an upload's buffer, as long as the format's image.
    MemoryImage m_Image;
    // Where a download first keeps what the controller holds; empty for no backup.
    QString m_BackupFolder;
    // After a download, read the image back and compare it with what was sent.
    bool m_Verify = false;
};

enum class TransferResult { Finished, Verified, Failed, Cancelled, VerifyFailed, CouldNotVerify };

struct S_TransferOutcome
{
    TransferResult m_Result = TransferResult::Failed;
    // The image sent, or the one received.
    MemoryImage m_Image;
    // The bytes that crossed the line in the download or the upload itself: all
    // of the image, or what went out or arrived before it failed.
    MemoryImage m_Moved;
    // The line that said why a transfer failed: its message id and what followed the text.
    std::int16_t m_FailureId = 0;
    QString m_FailureDetail;
    // The backup written before the download; empty for none.
    QString m_BackupFile;
    std::int64_t m_DurationMs = 0;
    // A download sent image bytes: the controller no longer holds what it held.
    bool m_ImageBytesSent = false;

    bool Succeeded() const { return m_Result == TransferResult::Finished || m_Result == TransferResult::Verified; }
};

// Runs a plan over the serial link, on whatever thread calls Run, touching no
// window: a download uploads the controller's image first when asked (and sends
// nothing when that fails), sends the image and reads it back when asked; an
// upload receives an image. Each link operation opens the port anew.
class C_TransferJob
{
public:
    C_TransferJob(S_TransferPlan plan, C_TransferListener& listener);

    S_TransferOutcome Run();

private:
    class C_FailureWatch;

    bool Backup(C_FailureWatch& watch);
    bool Send(C_FailureWatch& watch);
    void Verify(C_FailureWatch& watch);
    void Receive(C_FailureWatch& watch);
    // The finished line of a download or upload: bytes and seconds.
    void ReportFinished(std::int16_t id, std::int64_t startTick);

    S_TransferPlan m_Plan;
    C_TransferListener& m_Listener;
    S_TransferOutcome m_Outcome;
};
