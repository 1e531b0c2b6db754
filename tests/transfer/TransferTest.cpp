#include "comm/Serialport.h"
#include "editor/Treenodes.h"
#include "model/Configurationedits.h"
#include "settings/Context.h"
#include "support/Controller.h"
#include "support/Formatfixture.h"
#include "transfer/Configurationtransfer.h"

#include <QTreeWidget>

namespace {

constexpr double PauseMs = 2000.0;
constexpr double ByteIntervalMs = 3.0;

// One program with one cycle of two steps: a configuration that passes its checks.
ImageBuilder ValidConfiguration(const S_TestLayout& layout, int outputs = 16)
{
    ImageBuilder image(layout, outputs);
    image.Step(0, 1, 1, 1, {{10, 0}, {11, 5}}).Step(1, 1, 1, 2, {{10, 1}, {11, 0}});
    return image.Program(0, 1, {{1, 1}});
}

// Short time-outs keep failures quick; an upload that must succeed waits longer
// between bytes, as a loaded machine may keep the simulated controller from the line.
S_LinkSettings ShortLink(const QString& device, std::int16_t receiveTimeout = 100)
{
    S_LinkSettings link;
    link.m_Choice.m_Device = device;
    link.m_ReceiveTimeout = receiveTimeout;
    link.m_SendTimeout = 100;
    return link;
}

// The transfers of the fixture's configuration, their lines in its panes; an upload shows what arrived.
class TransferFixture : public FormatFixture
{
protected:
    bool Download(const S_LinkSettings& link)
    {
        C_PaneLines lines(*m_Panes);
        return DownloadConfiguration(*m_Format, m_Value, link, lines);
    }
    bool Upload(const S_LinkSettings& link)
    {
        C_PaneLines lines(*m_Panes);
        const std::optional<C_Configuration> received = UploadConfiguration(*m_Format, link, lines);
        if (received) {
            m_Value = *received;
            m_Panes->ShowRead(*m_Format, m_Value);
        }
        return received.has_value();
    }
};

class TransferTest : public TransferFixture
{
};

} // namespace

TEST_F(TransferTest, ADownloadSendsTheBuiltImageToThePortOfTheSettings)
{
    C_EEPROMFormat& format = Load(ValidConfiguration(StandardLayout));
    RunningController controller(ControllerWithImage(std::vector<std::uint8_t>(std::size_t(StandardLayout.m_Size))));
    // The settings say COM 3; the environment names the controller's line for it.
    qputenv("KW3_COM3", controller.Device().toLocal8Bit());
    C_Context context;
    context.SetComNumber(3);
    context.SetReceiveTimeout(100);
    context.SetSendTimeout(100);

    EXPECT_TRUE(Download(context.LinkSettings()));
    qunsetenv("KW3_COM3");
    const std::vector<S_TransferReport> reports = controller.Stop();
    EXPECT_EQ(controller.ReceivedImage(), format.Image());
    const QStringList lines = Lines().mid(Lines().indexOf(QStringLiteral("[=] <192>")));
    EXPECT_EQ(lines.mid(0, 4), (QStringList{"[=] <192>", "  [~] <193>", "  [i] <265>", "  [i] <268>"}));
    ASSERT_EQ(lines.size(), 5);
    EXPECT_TRUE(lines[4].startsWith(QStringLiteral("  [i] <278>: 8182 B, "))) << lines[4].toStdString();
    ASSERT_EQ(reports.size(), 1u);
    const S_TransferReport& report = reports[0];
    ASSERT_EQ(report.m_ByteTimes.size(), std::size_t(StandardLayout.m_Size));
    for (std::size_t index = 0; index < report.m_ByteTimes.size(); ++index)
        ASSERT_GE(Milliseconds(report.m_ByteTimes[index] - report.m_AnswerTime),
                  PauseMs + ByteIntervalMs * double(index))
            << index;
}

TEST_F(TransferTest, AConfigurationThatFailsItsChecksIsNotSent)
{
    Load(ValidConfiguration(StandardLayout));
    ConfigurationEdit::RemoveProgram(m_Value, 0);
    RunningController controller(ControllerWithImage(std::vector<std::uint8_t>(8)));
    EXPECT_FALSE(Download(ShortLink(controller.Device())));
    EXPECT_TRUE(controller.Stop().empty());
    EXPECT_FALSE(Lines().contains(QStringLiteral("[=] <192>")));
    EXPECT_FALSE(Errors().isEmpty());
}

TEST_F(TransferTest, AnUploadShowsTheReceivedImageWithItsOwnOutputs)
{
    const ImageBuilder sent = ValidConfiguration(StandardLayout, 24);
    C_EEPROMFormat& format = Create(StandardLayout, 16);
    m_Panes->m_DiagnosticTree->clear();
    RunningController controller(ControllerWithImage(sent.Image()));

    EXPECT_TRUE(Upload(ShortLink(controller.Device(), 1000)));
    EXPECT_EQ(format.Image(), sent.Image());
    EXPECT_EQ(format.GetOutputs(), 24);
    EXPECT_EQ(m_Panes->m_ProgramsTree->topLevelItemCount(), 1);
    EXPECT_NE(FindChildByNumber(m_Panes->m_CategoryNodes[1], 1), nullptr);
    EXPECT_EQ(Lines().mid(0, 4), (QStringList{"[=] <229>", "  [~] <193>", "  [i] <270>", "  [i] <271>"}));
}

// A controller that stops after 100 bytes: each format's heading, and nothing of the
// configuration changed.
class FailedUploadTest : public TransferFixture, public ::testing::WithParamInterface<std::pair<S_TestLayout, int>>
{
};

TEST_P(FailedUploadTest, LeavesTheConfigurationAsItWas)
{
    const auto& [layout, heading] = GetParam();
    C_EEPROMFormat& format = Load(ValidConfiguration(layout));
    const std::vector<std::uint8_t> before = format.Image();
    m_Panes->m_DiagnosticTree->clear();
    S_SimulatorOptions options = ControllerWithImage(CountingImage(std::size_t(layout.m_Size)));
    options.m_StopAfter = 100;
    RunningController controller(options);

    EXPECT_FALSE(Upload(ShortLink(controller.Device())));
    EXPECT_EQ(format.Image(), before);
    EXPECT_EQ(m_Panes->m_ProgramsTree->topLevelItemCount(), 1);
    EXPECT_EQ(Lines(), (QStringList{QStringLiteral("[=] <%1>").arg(heading), "  [~] <193>", "  [i] <270>",
                                    "  [i] <271>", "  [!] <273>"}));
}

INSTANTIATE_TEST_SUITE_P(Formats, FailedUploadTest,
                         ::testing::Values(std::pair{StandardLayout, 229}, std::pair{InverterLayout, 236},
                                           std::pair{VarnholtLayout, 236}),
                         [](const ::testing::TestParamInfo<std::pair<S_TestLayout, int>>& test) {
                             return std::string(test.param.first.m_Name);
                         });
