// A controller that misbehaves during a transfer from a configuration window:
// every case ends within what the protocol's time-outs allow, says why, leaves
// the configuration as it was and the window usable.
#include "comm/Serialport.h"
#include "dialogs/Filetansfer.h"
#include "editor/Treenodes.h"
#include "language/Messages.h"
#include "support/Controller.h"
#include "support/Randomsession.h"
#include "support/Sampleconfiguration.h"
#include "support/Windowfixture.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QUndoStack>

#include <atomic>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>

namespace {

constexpr std::int16_t ReceiveTimeout = 100;
constexpr std::int16_t SendTimeout = 100;
constexpr double PauseMs = 2000.0;
constexpr double DownloadByteMs = 3.0;
// Start, 8 data and stop bit at 4800 baud.
constexpr double LineByteMs = 10.0 * 1000.0 / 4800.0;
constexpr int HandshakeTries = 20;
// What a loaded machine may add to the protocol's own bound.
constexpr double SlackMs = 750.0;
constexpr int ComPort = 5;
// How long after the pause a hanging-up stand-in starts sending.
constexpr int LeadMs = 100;

enum class Direction { Download, Upload };
enum class Misbehaviour { Silence, WrongAnswer, Stall, HangUp, GarbageAfterImage, DeviceGone };

struct SerialFault
{
    const char* name;
    Direction direction;
    Misbehaviour what;
    // Image bytes that pass before the fault.
    int bytes;
    // The line that ends the transfer; 0 for a transfer that succeeds.
    std::int16_t report;
};

// The longest the transfer may take, from the time-outs and the protocol's pace.
double BoundMs(const SerialFault& fault, std::size_t imageSize)
{
    // A handshake letter waits for its answer one byte's time-out plus the constant.
    const double handshake = HandshakeTries * 2.0 * ReceiveTimeout;
    const double byteMs = fault.direction == Direction::Download ? DownloadByteMs : LineByteMs;
    switch (fault.what) {
    case Misbehaviour::Silence:
    case Misbehaviour::WrongAnswer: return handshake + SlackMs;
    case Misbehaviour::Stall: return PauseMs + fault.bytes * byteMs + ReceiveTimeout + SlackMs;
    case Misbehaviour::HangUp: return PauseMs + LeadMs + fault.bytes * byteMs + SlackMs;
    case Misbehaviour::DeviceGone: return PauseMs + SlackMs;
    case Misbehaviour::GarbageAfterImage: return PauseMs + double(imageSize) * LineByteMs + SlackMs;
    }
    return 0;
}

bool TransferWindowShown()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (qobject_cast<TFormFileTransfer*>(widget) != nullptr && widget->isVisible())
            return true;
    return false;
}

class SerialFaultTest : public WindowTest, public ::testing::WithParamInterface<SerialFault>
{
protected:
    void SetUp() override
    {
        m_Window =
            OpenSampleWindow(m_Context, m_Folder.Path(QStringLiteral("Sample.KWC")), TFormMDIChild::HistoryLimit);
        m_Context.SetComNumber(ComPort);
        m_Context.SetReceiveTimeout(ReceiveTimeout);
        m_Context.SetSendTimeout(SendTimeout);
        m_Context.SetBackupBeforeDownload(false);
        m_Context.SetVerifyAfterDownload(false);
        // The port's name is a link to the line, as /dev/serial/by-id/ names an adapter.
        qputenv("KW3_COM5", m_Port.toLocal8Bit());
    }
    void TearDown() override { qunsetenv("KW3_COM5"); }

    void Attach(const QString& device) { ASSERT_TRUE(QFile::link(device, m_Port)); }

    // Another valid configuration's image, for a controller to send.
    static std::vector<std::uint8_t> OtherImage()
    {
        const auto format = C_EEPROMFormat::Create(FormatCode::Standard, 16);
        C_DiagnosticList lines;
        EXPECT_TRUE(format->Build(SampleConfiguration(*format, {2, 5}, 1), lines));
        return format->Image();
    }

    // The transfer timed: its result and milliseconds.
    std::pair<bool, double> Transfer(Direction direction)
    {
        const std::int64_t start = CounterValue();
        const bool done = RunTransfer(*m_Window, direction == Direction::Download ? TransferDirection::Download
                                                                                  : TransferDirection::Upload);
        return {done, Milliseconds(CounterValue() - start)};
    }

    // The lines under the transfer's heading, the last heading of the diagnostic tree.
    std::vector<std::pair<QString, int>> TransferLines() const
    {
        const int count = m_Window->m_DiagnosticTree->topLevelItemCount();
        return count == 0 ? std::vector<std::pair<QString, int>>{}
                          : Lines(*m_Window->m_DiagnosticTree->topLevelItem(count - 1));
    }

    const QString m_Port = m_Folder.Path(QStringLiteral("ttyKW3"));
};

} // namespace

TEST_P(SerialFaultTest, EndsInTimeSaysWhyAndLeavesTheWindowAsItWas)
{
    const SerialFault fault = GetParam();
    const C_Configuration before = Window().Configuration();
    const std::vector<std::uint8_t> imageBefore = Format().Image();
    const std::vector<std::uint8_t> sent = OtherImage();
    std::vector<std::uint8_t> garbage(64);
    for (std::size_t index = 0; index < garbage.size(); ++index)
        garbage[index] = std::uint8_t(0xFF - index);

    std::unique_ptr<RunningController> simulator;
    std::unique_ptr<StandIn> standIn;
    std::unique_ptr<C_PseudoTerminal> deaf;
    const QString port = m_Port;
    switch (fault.what) {
    case Misbehaviour::Silence:
        deaf = std::make_unique<C_PseudoTerminal>();
        ASSERT_TRUE(deaf->Open());
        Attach(deaf->DevicePath());
        break;
    case Misbehaviour::WrongAnswer:
    case Misbehaviour::Stall: {
        S_SimulatorOptions options = ControllerWithImage(sent);
        options.m_Ignore = fault.what == Misbehaviour::WrongAnswer ? 1000 : 0;
        options.m_StopAfter = fault.what == Misbehaviour::Stall ? fault.bytes : -1;
        simulator = std::make_unique<RunningController>(options);
        Attach(simulator->Device());
        break;
    }
    case Misbehaviour::HangUp:
        if (fault.direction == Direction::Download) {
            S_SimulatorOptions options = ControllerWithImage(sent);
            options.m_StopAfter = fault.bytes;
            simulator = std::make_unique<RunningController>(options);
            Attach(simulator->Device());
        } else {
            // The bytes go out while the PC reads, after its pause, and then the line is hung up.
            standIn = std::make_unique<StandIn>([&sent, &fault](C_PseudoTerminal& line) {
                SleepMilliseconds(int(PauseMs) + LeadMs);
                for (int index = 0; index < fault.bytes && line.WriteByte(sent[std::size_t(index)]); ++index)
                    SleepMilliseconds(2);
                line.Close();
            });
            Attach(standIn->Device());
        }
        break;
    case Misbehaviour::GarbageAfterImage:
        standIn = std::make_unique<StandIn>([&sent, &garbage](C_PseudoTerminal& line) {
            WriteBytes(line, sent);
            WriteBytes(line, garbage);
        });
        Attach(standIn->Device());
        break;
    case Misbehaviour::DeviceGone:
        // Unplugged during the pause after the handshake: the line and its name go.
        standIn = std::make_unique<StandIn>([port](C_PseudoTerminal& line) {
            SleepMilliseconds(200);
            QFile::remove(port);
            line.Close();
        });
        Attach(standIn->Device());
        break;
    }

    const auto [done, ms] = Transfer(fault.direction);
    const double bound = BoundMs(fault, sent.size());
    std::printf("[ MEASURED ] %s: %.0f ms, bound %.0f ms\n", fault.name, ms, bound);
    EXPECT_LE(ms, bound);
    EXPECT_EQ(done, fault.report == 0);
    EXPECT_FALSE(TransferWindowShown());
    const std::vector<std::pair<QString, int>> lines = TransferLines();
    ASSERT_FALSE(lines.empty());
    if (fault.report != 0) {
        // A line that went away says so after the failure it caused.
        const bool gone = fault.what == Misbehaviour::HangUp || fault.what == Misbehaviour::DeviceGone;
        ASSERT_GE(lines.size(), gone ? 2u : 1u);
        EXPECT_EQ(lines[lines.size() - (gone ? 2 : 1)], Line(fault.report, C_ConfigurationPanes::Error));
        if (gone) {
            EXPECT_TRUE(lines.back().first.startsWith(Text(Msg::PortWentAway))) << lines.back().first.toStdString();
        }
        EXPECT_TRUE(Window().Configuration() == before) << "the configuration is unchanged";
        EXPECT_EQ(Format().Image(), imageBefore);
        EXPECT_FALSE(Window().IsModified());
    } else {
        // The image whole, not a byte of what followed it.
        EXPECT_EQ(Format().Image(), sent);
        const C_Configuration received = Window().Configuration();
        EXPECT_TRUE(received != before);
        // What was left on the line does not shift the next transfer.
        EXPECT_TRUE(Transfer(fault.direction).first);
        EXPECT_EQ(Format().Image(), sent);
        EXPECT_TRUE(Window().Configuration() == received);
    }

    // The window goes on: an edit is made and undone.
    const C_Configuration now = Window().Configuration();
    Window().m_NewProgramAction->trigger();
    EXPECT_TRUE(Window().IsModified());
    Window().History().undo();
    EXPECT_TRUE(Window().Configuration() == now);

    if (fault.what == Misbehaviour::DeviceGone) {
        // A port that is gone is named, and the next transfer ends before its first byte.
        const auto [again, againMs] = Transfer(fault.direction);
        EXPECT_FALSE(again);
        EXPECT_LE(againMs, SlackMs);
        const std::vector<std::pair<QString, int>> next = TransferLines();
        ASSERT_GE(next.size(), 2u);
        EXPECT_EQ(next[1],
                  std::make_pair(Text(Msg::PortMissing) + QStringLiteral(" COM5 (") + m_Port + QLatin1Char(')'),
                                 int(C_ConfigurationPanes::Error)));
        EXPECT_TRUE(Window().Configuration() == now);
    }
}

// A download has no stall the PC could see: a line without flow control takes
// every byte, and the controller answers nothing after the handshake.
INSTANTIATE_TEST_SUITE_P(
    Faults, SerialFaultTest,
    ::testing::Values(SerialFault{"SilentDownload", Direction::Download, Misbehaviour::Silence, 0, 267},
                      SerialFault{"SilentUpload", Direction::Upload, Misbehaviour::Silence, 0, 267},
                      SerialFault{"WrongAnswerDownload", Direction::Download, Misbehaviour::WrongAnswer, 0, 267},
                      SerialFault{"WrongAnswerUpload", Direction::Upload, Misbehaviour::WrongAnswer, 0, 267},
                      SerialFault{"StalledUpload", Direction::Upload, Misbehaviour::Stall, 200, 273},
                      SerialFault{"HangUpDownload", Direction::Download, Misbehaviour::HangUp, 100, 269},
                      SerialFault{"HangUpUpload", Direction::Upload, Misbehaviour::HangUp, 200, 272},
                      SerialFault{"GarbageAfterUpload", Direction::Upload, Misbehaviour::GarbageAfterImage, 0, 0},
                      SerialFault{"DeviceGoneDownload", Direction::Download, Misbehaviour::DeviceGone, 0, 269},
                      SerialFault{"DeviceGoneUpload", Direction::Upload, Misbehaviour::DeviceGone, 0, 272}),
    [](const ::testing::TestParamInfo<SerialFault>& test) { return std::string(test.param.name); });
