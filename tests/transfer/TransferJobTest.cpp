// A download with its backup and verify, and an upload, against a controller that
// serves or misbehaves in one chosen transfer: what the controller got, what the
// job reports, how it ends, and what the backups folder holds.
#include "transfer/Transferjob.h"
#include "comm/Protocol.h"
#include "comm/Serialport.h"
#include "language/Language.h"
#include "language/Messages.h"
#include "support/Controller.h"
#include "support/TempFolder.h"
#include "transfer/Transferbackup.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr std::int16_t Timeout = 100;
constexpr std::size_t ImageSize = 64;
constexpr std::uint16_t Code = 0xCAFE;
// What the sanitizers add to it.
#if defined(__SANITIZE_ADDRESS__)
constexpr double SanitizerMs = 100.0;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr double SanitizerMs = 100.0;
#else
constexpr double SanitizerMs = 0.0;
#endif
#else
constexpr double SanitizerMs = 0.0;
#endif

enum class Act { Serve, Silent, Stall, HangUp };

// Serves every handshake letter as a controller does, holding the image it was
// last given (with the byte at corrupt inverted), except the letter numbered
// misbehaveAt (from 0): it says nothing from then on, or stops after bytes image
// bytes, or hangs up after them.
class PhaseController
{
public:
    PhaseController(std::vector<std::uint8_t> image, int misbehaveAt, Act act, int bytes, int corrupt = -1)
        : m_Image(std::move(image))
        , m_MisbehaveAt(misbehaveAt)
        , m_Act(act)
        , m_Bytes(bytes)
        , m_Corrupt(corrupt)
    {
        EXPECT_TRUE(m_Line.Open());
        m_Thread = std::thread([this] { Serve(); });
    }
    ~PhaseController() { Finish(); }
    PhaseController(const PhaseController&) = delete;
    PhaseController& operator=(const PhaseController&) = delete;

    const QString& Device() const { return m_Line.DevicePath(); }
    // The letters of the transfers it answered, and the image it holds, once it is done.
    std::string Letters()
    {
        Finish();
        return m_Letters;
    }
    const std::vector<std::uint8_t>& Held()
    {
        Finish();
        return m_Image;
    }

private:
    void Finish()
    {
        m_Stop = true;
        if (m_Thread.joinable())
            m_Thread.join();
    }

    void Serve()
    {
        int transfer = 0;
        std::uint8_t letter = 0;
        while (!m_Stop) {
            if (m_Line.ReadByte(20, letter) != C_PseudoTerminal::ReadResult::Byte)
                continue;
            if (letter != Protocol::DownloadLetter && letter != Protocol::UploadLetter)
                continue;
            const bool misbehave = transfer++ == m_MisbehaveAt;
            if (misbehave && m_Act == Act::Silent) {
                while (!m_Stop)
                    m_Line.ReadByte(20, letter);
                return;
            }
            m_Letters += char(letter);
            if (!m_Line.WriteByte(Protocol::ReadyByte))
                return;
            const std::size_t limit = misbehave ? std::size_t(m_Bytes) : ImageSize;
            if (letter == Protocol::DownloadLetter)
                Receive(limit);
            else
                for (std::size_t index = 0; index < limit && m_Line.WriteByte(m_Image[index]); ++index) {
                }
            if (misbehave && m_Act == Act::HangUp) {
                m_Line.Close();
                return;
            }
            if (misbehave && m_Act == Act::Stall)
                while (!m_Stop)
                    m_Line.ReadByte(20, letter);
        }
    }

    void Receive(std::size_t limit)
    {
        std::vector<std::uint8_t> received;
        std::uint8_t byte = 0;
        while (received.size() < limit && !m_Stop)
            if (m_Line.ReadByte(20, byte) == C_PseudoTerminal::ReadResult::Byte)
                received.push_back(byte);
        if (received.size() < ImageSize)
            return;
        m_Image = received;
        if (m_Corrupt >= 0)
            m_Image[std::size_t(m_Corrupt)] ^= 0xFF;
    }

    C_PseudoTerminal m_Line;
    std::vector<std::uint8_t> m_Image;
    const int m_MisbehaveAt;
    const Act m_Act;
    const int m_Bytes;
    const int m_Corrupt;
    std::string m_Letters;
    std::atomic<bool> m_Stop{false};
    std::thread m_Thread;
};

// Keeps the lines by id and asks to stop a moment after the transfer reaches a
// stage and phase, and there a count: of handshake letters while calling, of bytes while they move.
class Recorder : public C_TransferListener
{
public:
    void Reported(std::int16_t id, int icon, const QString& detail) override
    {
        m_Lines.push_back(id);
        m_Icons.push_back(icon);
        m_LastDetail = detail;
    }
    void StageChanged(TransferStage stage) override { m_Stage = stage; }
    void PhaseChanged(LinkPhase phase, int attempt) override
    {
        m_Phase = phase;
        Check(std::size_t(attempt));
    }
    void Progressed(std::size_t done, std::size_t) override { Check(done); }
    bool CancelRequested() const override { return m_CancelAsked != 0 && CounterValue() >= m_CancelAsked; }

    void StopAt(TransferStage stage, LinkPhase phase, std::size_t bytes = 0) { m_StopAt = {stage, phase, bytes}; }

    std::vector<std::int16_t> m_Lines;
    std::vector<int> m_Icons;
    QString m_LastDetail;
    std::int64_t m_CancelAsked = 0;

private:
    struct StopPoint
    {
        TransferStage stage;
        LinkPhase phase;
        std::size_t bytes;
    };

    void Check(std::size_t done)
    {
        if (m_StopAt && m_CancelAsked == 0 && m_Stage == m_StopAt->stage && m_Phase == m_StopAt->phase &&
            done >= m_StopAt->bytes)
            m_CancelAsked = CounterValue() + CancelDelayMs * CounterFrequency() / 1000;
    }

    // As a person's click, the cancel comes while the link waits or moves bytes.
    static constexpr std::int64_t CancelDelayMs = 50;

    TransferStage m_Stage = TransferStage::Download;
    LinkPhase m_Phase = LinkPhase::Calling;
    std::optional<StopPoint> m_StopAt;
};

struct JobCase
{
    const char* name;
    bool backup;
    bool verify;
    // The controller's misbehaviour: which transfer (0 the first), what, after how many bytes.
    int misbehaveAt;
    Act act;
    int bytes;
    int corrupt;
    std::optional<std::pair<TransferStage, LinkPhase>> cancel;
    TransferResult result;
    // The letters the controller answered, and the job's last line.
    const char* letters;
    std::int16_t lastLine;
};

class TransferJobTest : public ::testing::TestWithParam<JobCase>
{
protected:
    const TempFolder m_Folder;
    const C_LanguageManager m_Language{SourceFile(QStringLiteral("resources/English.lng"))};
};

std::vector<std::uint8_t> Filled(std::size_t size, std::uint8_t start)
{
    std::vector<std::uint8_t> image(size);
    for (std::size_t index = 0; index < size; ++index)
        image[index] = std::uint8_t(start + index * 7);
    return image;
}

} // namespace

TEST_P(TransferJobTest, EndsAsPlannedAndKeepsTheControllersImage)
{
    const JobCase c = GetParam();
    const std::vector<std::uint8_t> former = Filled(ImageSize, 1);
    const std::vector<std::uint8_t> sent = Filled(ImageSize, 100);
    PhaseController controller(former, c.misbehaveAt, c.act, c.bytes, c.corrupt);

    S_TransferPlan plan;
    plan.m_Link.m_Choice.m_Device = controller.Device();
    plan.m_Link.m_ReceiveTimeout = Timeout;
    plan.m_Link.m_SendTimeout = Timeout;
    plan.m_FormatCode = Code;
    plan.m_Image = sent;
    plan.m_BackupFolder = c.backup ? m_Folder.Path(QStringLiteral("backups")) : QString();
    plan.m_Verify = c.verify;
    Recorder recorder;
    if (c.cancel)
        recorder.StopAt(c.cancel->first, c.cancel->second,
                        c.cancel->second == LinkPhase::Sending   ? 5
                        : c.cancel->second == LinkPhase::Calling ? 3
                                                                 : 0);

    const S_TransferOutcome outcome = C_TransferJob(plan, recorder).Run();
    const std::int64_t end = CounterValue();

    EXPECT_EQ(outcome.m_Result, c.result);
    EXPECT_EQ(controller.Letters(), c.letters);
    ASSERT_FALSE(recorder.m_Lines.empty());
    EXPECT_EQ(recorder.m_Lines.back(), c.lastLine);
    if (c.cancel) {
        const double ms = Milliseconds(end - recorder.m_CancelAsked);
        std::printf("[ MEASURED ] %s: stopped %.0f ms after the cancel\n", c.name, ms);
        // The bound of a stop before the image bytes, with half of it again for a loaded machine.
        EXPECT_LE(ms, 1.5 * (2.0 * Timeout + 100.0) + SanitizerMs);
    }
    // The controller holds what it was last sent whole; a backup is what it held before.
    const bool sentWhole = std::string(c.letters).find('B') != std::string::npos &&
                           c.lastLine != Msg::CancelledWhileSending && c.lastLine != Msg::CancelledBeforeSending &&
                           c.lastLine != Msg::PortWentAway;
    std::vector<std::uint8_t> kept = sent;
    if (c.corrupt >= 0)
        kept[std::size_t(c.corrupt)] ^= 0xFF;
    EXPECT_EQ(controller.Held(), sentWhole ? kept : former);
    const QStringList backups = QDir(m_Folder.Path(QStringLiteral("backups"))).entryList(QDir::Files | QDir::Hidden);
    const bool backedUp = c.backup && std::string(c.letters).find('A') == 0 && c.lastLine != Msg::BackupNotReceived &&
                          !(c.cancel && c.cancel->first == TransferStage::Backup);
    ASSERT_EQ(backups.size(), backedUp ? 1 : 0) << backups.join(QLatin1Char(' ')).toStdString();
    if (backedUp) {
        EXPECT_EQ(outcome.m_BackupFile, m_Folder.Path(QStringLiteral("backups/") + backups[0]));
        EXPECT_TRUE(backups[0].endsWith(QStringLiteral("-standard.KWC")));
        EXPECT_EQ(m_Folder.Read(QStringLiteral("backups/") + backups[0]),
                  QByteArray("\xFE\xCA") + QByteArray(reinterpret_cast<const char*>(former.data()), ImageSize));
    }
    if (c.result == TransferResult::VerifyFailed) {
        EXPECT_TRUE(
            recorder.m_LastDetail.endsWith(QStringLiteral(" 1, the first at offset ") + QString::number(c.corrupt)))
            << recorder.m_LastDetail.toStdString();
    }
}

using Stage = TransferStage;
using Phase = LinkPhase;
constexpr std::nullopt_t None = std::nullopt;

// Backup, download and verify are transfers 0, 1 and 2. A corrupted byte stands
// for a controller that keeps another value than it was sent.
INSTANTIATE_TEST_SUITE_P(
    Cases, TransferJobTest,
    ::testing::Values(
        JobCase{"Verified", true, true, -1, Act::Serve, 0, -1, None, TransferResult::Verified, "ABA", Msg::Verified},
        JobCase{"NoBackupNoVerify", false, false, -1, Act::Serve, 0, -1, None, TransferResult::Finished, "B",
                Msg::DownloadFinished},
        JobCase{"VerifyFindsTheFirstDifference", false, true, -1, Act::Serve, 0, 37, None, TransferResult::VerifyFailed,
                "BA", Msg::VerifyDifferent},
        JobCase{"SilentBackupSendsNothing", true, true, 0, Act::Silent, 0, -1, None, TransferResult::Failed, "",
                Msg::BackupNotReceived},
        JobCase{"StalledBackupSendsNothing", true, true, 0, Act::Stall, 10, -1, None, TransferResult::Failed, "A",
                Msg::BackupNotReceived},
        JobCase{"HangUpInBackup", true, false, 0, Act::HangUp, 10, -1, None, TransferResult::Failed, "A",
                Msg::BackupNotReceived},
        JobCase{"HangUpInDownload", true, false, 1, Act::HangUp, 10, -1, None, TransferResult::Failed, "AB",
                Msg::PortWentAway},
        JobCase{"SilentVerify", false, true, 1, Act::Silent, 0, -1, None, TransferResult::CouldNotVerify, "B",
                Msg::CouldNotVerify},
        JobCase{"StalledVerify", false, true, 1, Act::Stall, 10, -1, None, TransferResult::CouldNotVerify, "BA",
                Msg::CouldNotVerify},
        JobCase{"CancelWhileCalling", true, true, 0, Act::Silent, 0, -1,
                std::pair{Stage::Backup, Phase::Calling}, TransferResult::Cancelled, "", Msg::CancelledBeforeSending},
        JobCase{"CancelInTheBackupsPause", true, true, -1, Act::Serve, 0, -1, std::pair{Stage::Backup, Phase::Pause},
                TransferResult::Cancelled, "A", Msg::CancelledBeforeSending},
        JobCase{"CancelInTheDownloadsPause", false, true, -1, Act::Serve, 0, -1,
                std::pair{Stage::Download, Phase::Pause}, TransferResult::Cancelled, "B", Msg::CancelledBeforeSending},
        JobCase{"CancelWhileSending", false, true, -1, Act::Serve, 0, -1, std::pair{Stage::Download, Phase::Sending},
                TransferResult::Cancelled, "B", Msg::CancelledWhileSending},
        JobCase{"CancelWhileVerifying", false, true, -1, Act::Serve, 0, -1, std::pair{Stage::Verify, Phase::Pause},
                TransferResult::CouldNotVerify, "BA", Msg::VerifyCancelled}),
    [](const ::testing::TestParamInfo<JobCase>& test) { return std::string(test.param.name); });

TEST(TransferBackupTest, AFolderThatCannotHoldTheBackupSendsNothing)
{
    const TempFolder folder;
    const C_LanguageManager language{SourceFile(QStringLiteral("resources/English.lng"))};
    PhaseController controller(Filled(ImageSize, 1), -1, Act::Serve, 0);
    S_TransferPlan plan;
    plan.m_Link.m_Choice.m_Device = controller.Device();
    plan.m_Link.m_ReceiveTimeout = Timeout;
    plan.m_FormatCode = Code;
    plan.m_Image = Filled(ImageSize, 100);
    // A file where the folder should be.
    plan.m_BackupFolder = folder.Write(QStringLiteral("taken"), "file") + QStringLiteral("/backups");
    Recorder recorder;
    EXPECT_EQ(C_TransferJob(plan, recorder).Run().m_Result, TransferResult::Failed);
    EXPECT_EQ(recorder.m_Lines.back(), Msg::BackupNotWritten);
    EXPECT_EQ(controller.Letters(), "A");
}

// What an interrupted backup left is removed when its writer is gone, and only then.
TEST(TransferBackupTest, DebrisOfAGoneWriterIsRemoved)
{
    const TempFolder folder;
    const pid_t gone = ::fork();
    if (gone == 0)
        ::_exit(0);
    ::waitpid(gone, nullptr, 0);
    const QString debris = folder.Write(QStringLiteral(".kw3-new-%1-x1y2z3").arg(gone), "half");
    const QString ours = folder.Write(QStringLiteral(".kw3-new-%1-a1b2c3").arg(::getpid()), "writing");
    QString path;
    QString reason;
    ASSERT_TRUE(WriteNewFile(folder.Path(QString()), QStringLiteral("backup.KWC"), "whole", path, reason))
        << reason.toStdString();
    EXPECT_FALSE(QFileInfo::exists(debris));
    EXPECT_TRUE(QFileInfo::exists(ours));
    EXPECT_EQ(folder.Read(QStringLiteral("backup.KWC")), "whole");
}
