#include "tools/Simulator.h"
#include "comm/Rs232handler.h"
#include "editor/Configurationpanes.h"
#include "model/Eepromformat.h"
#include "support/Controller.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::uint8_t> NewImage(std::uint16_t formatCode)
{
    C_ConfigurationPanes panes;
    return C_EEPROMFormat::Create(formatCode, 16)->Image();
}

} // namespace

TEST(SimulatorTest, OptionsGiveTheFormatsNewImageAndRefuseBadUsage)
{
    struct Case
    {
        QStringList args;
        std::uint16_t code;
        std::size_t size;
        QString error;
    };
    const Case cases[] = {
        {{}, 0xCAFE, 8182, {}},
        {{"--format", "inverter"}, 0xCB90, 8184, {}},
        {{"--format", "varnholt", "--once"}, 0xF954, 8185, {}},
        {{"--format", "vanilla"}, 0, 0, "unknown format vanilla (standard, inverter or varnholt)"},
        {{"--ignore", "two"}, 0, 0, "--ignore needs a count, not two"},
        {{"--stop-after", "-1"}, 0, 0, "--stop-after needs a count, not -1"},
        {{"--save"}, 0, 0, "--save needs a value"},
        {{"download"}, 0, 0, "unknown argument download"},
        {{"--port", "3"}, 0, 0, "unknown argument --port"},
        {{"--image", "/no/such/file.KWC"}, 0, 0, "cannot read /no/such/file.KWC"},
    };
    for (const Case& c : cases) {
        S_SimulatorOptions options;
        QString error;
        EXPECT_EQ(ParseSimulatorOptions(c.args, options, error), c.error.isEmpty()) << c.args.join(' ').toStdString();
        EXPECT_EQ(error, c.error);
        if (!c.error.isEmpty())
            continue;
        EXPECT_EQ(options.m_FormatCode, c.code);
        EXPECT_EQ(options.m_Image.size(), c.size);
        EXPECT_EQ(options.m_Image, NewImage(c.code));
    }

    S_SimulatorOptions options;
    QString error;
    ASSERT_TRUE(ParseSimulatorOptions(
        {"--once", "--report", "--ignore", "3", "--stop-after", "10", "--save", "out.KWC"}, options, error));
    EXPECT_TRUE(options.m_Once);
    EXPECT_TRUE(options.m_Report);
    EXPECT_EQ(options.m_Ignore, 3);
    EXPECT_EQ(options.m_StopAfter, 10);
    EXPECT_EQ(options.m_SavePath, QStringLiteral("out.KWC"));
}

TEST(SimulatorTest, AConfigurationFileLosesItsFormatCodeAndAnOldFileIsTheBareImage)
{
    const TempFolder folder;
    const std::pair<QString, QByteArray> files[] = {
        {folder.Write(QStringLiteral("new.kwc"), QByteArray("\xFE\xCA\x01\x02\x03", 5)), QByteArray("\x01\x02\x03", 3)},
        {folder.Write(QStringLiteral("old.KW3"), QByteArray("\xFE\xCA\x01", 3)), QByteArray("\xFE\xCA\x01", 3)},
    };
    for (const auto& [path, start] : files) {
        S_SimulatorOptions options;
        QString error;
        ASSERT_TRUE(ParseSimulatorOptions({"--image", path}, options, error)) << error.toStdString();
        std::vector<std::uint8_t> expected = NewImage(0xCAFE);
        std::copy(start.begin(), start.end(), expected.begin());
        EXPECT_EQ(options.m_Image, expected) << path.toStdString();
    }
}

TEST(SimulatorTest, TheReportGivesThePauseAndTheGapsInMilliseconds)
{
    S_TransferReport report;
    report.m_Letter = 'B';
    report.m_HandshakeBytes = 2;
    report.m_ImageSize = 5;
    report.m_AnswerTime = 1000000000;
    report.m_ByteTimes = {3000000000, 3003000000, 3009000000, 3012500000};
    EXPECT_EQ(FormatTransferReport(report),
              QStringLiteral("download: 2 handshake bytes, 4 of 5 image bytes, pause 2000.000 ms, gaps smallest "
                             "3.000 median 3.500 largest 6.000 ms, first to last 12.500 ms"));
    report.m_Letter = 'A';
    report.m_ByteTimes.clear();
    EXPECT_EQ(FormatTransferReport(report), QStringLiteral("upload: 2 handshake bytes, 0 of 5 image bytes"));
}

TEST(SimulatorTest, AnUploadGivesTheImageLastDownloadedAsAControllersMemoryDoes)
{
    RunningController controller(ControllerWithImage(CountingImage(8)));
    const std::vector<std::uint8_t> sent = {9, 8, 7, 6, 5, 4, 3, 2};
    std::vector<std::uint8_t> received(8, 0);
    {
        C_KW3Communication link(nullptr, controller.Device(), 100, 100);
        EXPECT_TRUE(link.SendImage(sent.data(), 8));
    }
    {
        C_KW3Communication link(nullptr, controller.Device(), 1000, 100);
        EXPECT_TRUE(link.ReceiveImage(received.data(), 8));
    }
    EXPECT_EQ(received, sent);
}
