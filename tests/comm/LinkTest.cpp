#include "comm/Portdiscovery.h"
#include "comm/Rs232handler.h"
#include "comm/Serialport.h"
#include "language/Language.h"
#include "language/Messages.h"
#include "support/Controller.h"
#include "support/TempFolder.h"

#include <QTreeWidget>
#include <QTreeWidgetItem>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>

namespace {

constexpr int Information = 1;
constexpr int Error = 3;
constexpr std::int16_t ShortTimeout = 100;
// For uploads that must succeed: waiting costs nothing then, and a loaded machine may
// keep the simulated controller from the line for a moment.
constexpr std::int16_t PatientTimeout = 1000;
constexpr double PauseMs = 2000.0;
constexpr double ByteIntervalMs = 3.0;

class LinkTest : public ::testing::Test
{
protected:
    QTreeWidgetItem* NewHeading() { return new QTreeWidgetItem(&m_Tree, QStringList{QStringLiteral("heading")}); }

    const C_LanguageManager m_Language{SourceFile(QStringLiteral("resources/English.lng"))};
    QTreeWidget m_Tree;
    QTreeWidgetItem& m_Heading = *NewHeading();
    ItemLines m_Lines{m_Heading};
};

} // namespace

TEST(PortDeviceTest, PortNumbersNameSerialDevicesUnlessTheEnvironmentNamesAnother)
{
    qunsetenv("KW3_COM3");
    qputenv("KW3_COM2", "/dev/serial/by-id/usb-adapter");
    const std::pair<std::int16_t, const char*> cases[] = {
        {1, "/dev/ttyS0"}, {2, "/dev/serial/by-id/usb-adapter"}, {3, "/dev/ttyS2"}, {7, "/dev/ttyS6"}};
    for (const auto& [port, device] : cases)
        EXPECT_EQ(PortDevice(port), QLatin1String(device)) << port;
    qunsetenv("KW3_COM2");
    EXPECT_EQ(PortDevice(2), QStringLiteral("/dev/ttyS1"));
}

TEST_F(LinkTest, ASilentControllerGetsTwentyLettersAndFailsWith267)
{
    C_PseudoTerminal line;
    ASSERT_TRUE(line.Open());
    C_KW3Communication link(&m_Lines, line.DevicePath(), 10, 10);
    std::uint8_t image[4] = {};
    EXPECT_FALSE(link.SendImage(image, 4));
    EXPECT_EQ(Lines(m_Heading), (std::vector<std::pair<QString, int>>{Line(265, Information), Line(267, Error)}));

    int letters = 0;
    std::uint8_t byte = 0;
    while (line.ReadByte(0, byte) == C_PseudoTerminal::ReadResult::Byte) {
        EXPECT_EQ(byte, 'B');
        ++letters;
    }
    EXPECT_EQ(letters, 20);
}

TEST_F(LinkTest, TheReadyByteAnsweringTheTwentiethLetterIsRefusedInBothDirections)
{
    for (const bool download : {true, false}) {
        S_SimulatorOptions options = ControllerWithImage(CountingImage(8));
        options.m_Ignore = 19;
        RunningController controller(options);
        QTreeWidgetItem& heading = *NewHeading();
        ItemLines lines(heading);
        C_KW3Communication link(&lines, controller.Device(), ShortTimeout, ShortTimeout);
        std::vector<std::uint8_t> image(8, 0xAA);
        EXPECT_FALSE(download ? link.SendImage(image.data(), 8) : link.ReceiveImage(image.data(), 8));
        EXPECT_EQ(Lines(heading), (std::vector<std::pair<QString, int>>{Line(download ? 265 : 270, Information),
                                                                        Line(267, Error)}));
        EXPECT_EQ(image, std::vector<std::uint8_t>(8, 0xAA));
        const std::vector<S_TransferReport> reports = controller.Stop();
        ASSERT_EQ(reports.size(), 1u);
        EXPECT_EQ(reports[0].m_HandshakeBytes, 20);
        EXPECT_EQ(reports[0].m_Letter, download ? 'B' : 'A');
    }
}

// Downloads: handshake, the pause, then every byte paced; each case costs the 2 s pause.
struct DownloadCase
{
    int ignore;
    std::uint16_t length;
};

class DownloadTest : public LinkTest, public ::testing::WithParamInterface<DownloadCase>
{
};

TEST_P(DownloadTest, TheImageFollowsTheHandshakeAndThePauseWithEveryByteAtLeast3msApart)
{
    const DownloadCase c = GetParam();
    const std::vector<std::uint8_t> image = CountingImage(c.length);
    const TempFolder folder;
    S_SimulatorOptions options = ControllerWithImage(std::vector<std::uint8_t>(c.length));
    options.m_Ignore = c.ignore;
    options.m_SavePath = folder.Path(QStringLiteral("received.KWC"));
    RunningController controller(options);

    C_KW3Communication link(&m_Lines, controller.Device(), ShortTimeout, ShortTimeout);
    std::vector<std::int64_t> writeTimes;
    link.SetByteWriteObserver([&](std::int64_t start) { writeTimes.push_back(start); });
    EXPECT_TRUE(link.SendImage(image.data(), c.length));
    const std::vector<S_TransferReport> reports = controller.Stop();

    EXPECT_EQ(Lines(m_Heading),
              (std::vector<std::pair<QString, int>>{Line(265, Information), Line(268, Information)}));
    ASSERT_EQ(reports.size(), 1u);
    const S_TransferReport& report = reports[0];
    EXPECT_EQ(report.m_HandshakeBytes, c.ignore + 1);
    ASSERT_EQ(writeTimes.size(), c.length);
    ASSERT_EQ(report.m_ByteTimes.size(), c.length);
    EXPECT_EQ(controller.ReceivedImage(), image);
    EXPECT_EQ(folder.Read(QStringLiteral("received.KWC")),
              QByteArray("\xFE\xCA") + QByteArray(reinterpret_cast<const char*>(image.data()), c.length));
    // Lateness on the way only delays arrivals, so counted from the answer the bounds are exact.
    for (std::size_t index = 0; index < c.length; ++index) {
        EXPECT_GE(Milliseconds(report.m_ByteTimes[index] - report.m_AnswerTime), PauseMs + ByteIntervalMs * double(index))
            << index;
        if (index > 0) {
            EXPECT_GE(Milliseconds(writeTimes[index] - writeTimes[index - 1]), ByteIntervalMs) << index;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, DownloadTest,
                         ::testing::Values(DownloadCase{0, 40}, DownloadCase{18, 40}),
                         [](const ::testing::TestParamInfo<DownloadCase>& test) {
                             return "Refused" + std::to_string(test.param.ignore) + "Bytes" +
                                    std::to_string(test.param.length);
                         });

TEST_F(LinkTest, AnEmptyDownloadStillPausesAndSucceeds)
{
    RunningController controller(ControllerWithImage(std::vector<std::uint8_t>(5)));
    C_KW3Communication link(&m_Lines, controller.Device(), ShortTimeout, ShortTimeout);
    const std::int64_t start = CounterValue();
    EXPECT_TRUE(link.SendImage(nullptr, 0));
    EXPECT_GE(Milliseconds(CounterValue() - start), PauseMs);
    EXPECT_EQ(Lines(m_Heading),
              (std::vector<std::pair<QString, int>>{Line(265, Information), Line(268, Information)}));
    const std::vector<S_TransferReport> reports = controller.Stop();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_TRUE(reports[0].m_ByteTimes.empty());
}

TEST_F(LinkTest, AControllerThatHangsUpDuringADownloadFailsWith269AndSaysThePortWentAway)
{
    S_SimulatorOptions options = ControllerWithImage(std::vector<std::uint8_t>(40));
    options.m_StopAfter = 10;
    RunningController controller(options);
    C_KW3Communication link(&m_Lines, controller.Device(), ShortTimeout, ShortTimeout);
    const std::vector<std::uint8_t> image = CountingImage(40);
    EXPECT_FALSE(link.SendImage(image.data(), 40));
    const QString gone = Text(Msg::PortWentAway) + QLatin1Char(' ') + ShortDeviceName(controller.Device());
    EXPECT_EQ(Lines(m_Heading), (std::vector<std::pair<QString, int>>{Line(265, Information), Line(268, Information),
                                                                      Line(269, Error), {gone, Error}}));
}

// Uploads, received at the line's pace.
struct UploadCase
{
    std::uint16_t length;
    int stopAfter;
};

class UploadTest : public LinkTest, public ::testing::WithParamInterface<UploadCase>
{
};

TEST_P(UploadTest, OnlyAWholeImageReachesTheBuffer)
{
    const UploadCase c = GetParam();
    const std::vector<std::uint8_t> sent = CountingImage(c.length);
    S_SimulatorOptions options = ControllerWithImage(sent);
    options.m_StopAfter = c.stopAfter;
    RunningController controller(options);

    const bool complete = c.stopAfter < 0;
    C_KW3Communication link(&m_Lines, controller.Device(), complete ? PatientTimeout : ShortTimeout, ShortTimeout);
    const std::vector<std::uint8_t> before(c.length, 0xAA);
    std::vector<std::uint8_t> buffer = before;
    const std::int64_t start = CounterValue();
    EXPECT_EQ(link.ReceiveImage(buffer.data(), c.length), complete);
    std::vector<std::pair<QString, int>> expected = {Line(270, Information), Line(271, Information)};
    if (!complete)
        expected.push_back(Line(c.stopAfter == 0 ? Msg::ControllerSendsNothing : 273, Error));
    // Nothing after the ready byte: the first byte is awaited 2 R + 1 s, not the whole image's time-out.
    if (c.stopAfter == 0) {
        EXPECT_LE(Milliseconds(CounterValue() - start), PauseMs + 2 * ShortTimeout + 1000 + 1000);
    }
    EXPECT_EQ(link.Received().size(), complete ? c.length : std::size_t(c.stopAfter));
    EXPECT_EQ(Lines(m_Heading), expected);
    EXPECT_EQ(buffer, complete ? sent : before);
    EXPECT_EQ(controller.Stop().at(0).m_HandshakeBytes, 1);
}

// 3000 of 8182 bytes ends the first half read; 60 of 82 the second; an odd
// Varnholt image is read to its last byte; a controller that answers and sends
// nothing is told as such.
INSTANTIATE_TEST_SUITE_P(Cases, UploadTest,
                         ::testing::Values(UploadCase{82, -1}, UploadCase{8182, 3000}, UploadCase{82, 60},
                                           UploadCase{8185, -1}, UploadCase{8182, 0}),
                         [](const ::testing::TestParamInfo<UploadCase>& test) {
                             return "Bytes" + std::to_string(test.param.length) +
                                    (test.param.stopAfter < 0 ? std::string("Whole")
                                                              : "StoppedAfter" + std::to_string(test.param.stopAfter));
                         });

// Bytes left on the line by an earlier transfer (here ready bytes) never answer a
// handshake: they are drained until the line is quiet, and a line that never is fails.
TEST_F(LinkTest, LateBytesNeverAnswerAHandshake)
{
    for (const bool endless : {false, true}) {
        C_PseudoTerminal line;
        ASSERT_TRUE(line.Open());
        std::atomic<bool> stop{false};
        std::thread chatter([&] {
            for (int sent = 0; !stop && (endless || sent < 10); ++sent) {
                line.WriteByte(0x40);
                SleepMilliseconds(20);
            }
        });
        QTreeWidgetItem& heading = *NewHeading();
        ItemLines lines(heading);
        C_KW3Communication link(&lines, line.DevicePath(), ShortTimeout, ShortTimeout);
        std::uint8_t image[4] = {};
        EXPECT_FALSE(link.SendImage(image, 4));
        stop = true;
        chatter.join();
        EXPECT_EQ(Lines(heading).back(), Line(endless ? Msg::LineNeverQuiet : 267, Error)) << endless;
    }
}
