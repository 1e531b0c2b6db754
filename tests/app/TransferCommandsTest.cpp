// A transfer seen from the frame: one at a time, its configuration out of reach
// meanwhile, the frame closing only once it has ended, and an upload that
// leaves no window when it does not arrive.
#include "app/Mainform.h"
#include "dialogs/Filetansfer.h"
#include "editor/Newconfiguration.h"
#include "editor/Runningtransfer.h"
#include "language/Messages.h"
#include "model/Eepromformat.h"
#include "support/Controller.h"
#include "support/Mainformfixture.h"
#include "support/ModalDriver.h"
#include "transfer/Transferlog.h"

#include <QAction>
#include <QButtonGroup>
#include <QLabel>
#include <QMdiArea>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

namespace {

constexpr int WaitMs = 30000;

class TransferCommandsTest : public MainFormTest
{
protected:
    void SetUp() override
    {
        StartRun();
        Context().SetComNumber(5);
        Context().SetReceiveTimeout(100);
        Context().SetSendTimeout(100);
        Context().SetBackupBeforeDownload(false);
        Context().SetVerifyAfterDownload(false);
    }
    void TearDown() override { qunsetenv("KW3_COM5"); }

    static void Attach(const QString& device) { qputenv("KW3_COM5", device.toLocal8Bit()); }

    static bool WaitForPhase(std::int16_t phase)
    {
        return QTest::qWaitFor(
            [phase] {
                const C_RunningTransfer* transfer = C_RunningTransfer::Current();
                return transfer != nullptr && transfer->Window().m_PhaseLabel->text().startsWith(Text(phase));
            },
            WaitMs);
    }
};

} // namespace

TEST_F(TransferCommandsTest, ADownloadLeavesEveryCommandButTheTransfersAndTheFrameClosesOnlyOnceItEnds)
{
    TFormMDIChild* window = NewValid();
    RunningController controller(ControllerWithImage(std::vector<std::uint8_t>(8182)));
    Attach(controller.Device());

    Main().m_DownloadAction->trigger();
    ASSERT_TRUE(WaitForPhase(Msg::PhaseSending));
    for (QAction* action : {Main().m_DownloadAction, Main().m_UploadAction, Main().m_ComSetupAction,
                            Main().m_FileSaveAction, Main().m_FileCloseAction})
        EXPECT_FALSE(action->isEnabled()) << action->text().toStdString();
    EXPECT_TRUE(Main().m_FileNewAction->isEnabled());
    EXPECT_FALSE(window->m_LeftPanel->isEnabled());
    EXPECT_FALSE(window->Save());
    Main().Frame().closeActiveSubWindow();
    QApplication::processEvents();
    EXPECT_EQ(WindowCount(), 1);

    // The frame asks and stays; Cancel transfer ends the download, then the frame and its windows.
    const MemoryImage image = window->Format()->Image();
    Main().close();
    TFormFileTransfer& transferWindow = window->Transfer()->Window();
    ASSERT_TRUE(transferWindow.IsAsking());
    EXPECT_TRUE(Main().isVisible());
    transferWindow.m_CancelTransferButton->click();
    EXPECT_TRUE(QTest::qWaitFor([this] { return !Main().isVisible(); }, WaitMs));

    const std::vector<S_TransferReport> reports = controller.Stop();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_LT(reports[0].m_ByteTimes.size(), 8182u);
    QFile logFile(DefaultTransferLogPath());
    ASSERT_TRUE(logFile.open(QIODevice::ReadOnly));
    const QStringList fields = QString::fromUtf8(logFile.readAll())
                                   .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                                   .last()
                                   .split(QLatin1Char('\t'));
    ASSERT_EQ(fields.size(), 11);
    EXPECT_TRUE(QDateTime::fromString(fields[0], Qt::ISODate).isValid()) << fields[0].toStdString();
    EXPECT_TRUE(fields[0].contains(QRegularExpression(QStringLiteral("[+-]\\d\\d:\\d\\d$"))));
    // The bytes that went out, and the window in no file.
    const std::size_t sent = reports[0].m_ByteTimes.size();
    EXPECT_EQ(fields.mid(1, 4), (QStringList{"download", "COM5", controller.Device(), ""}));
    EXPECT_EQ(fields.mid(5, 2), (QStringList{"standard", QString::number(sent)}));
    EXPECT_EQ(fields[7],
              QStringLiteral("%1").arg(ImageCrc32(MemoryImage(image.begin(), image.begin() + std::ptrdiff_t(sent))), 8,
                                       16, QLatin1Char('0')));
    EXPECT_EQ(fields.mid(9), (QStringList{"cancelled", ""}));
}

// Exit, then Wait: a download that fails keeps the frame open and says why.
TEST_F(TransferCommandsTest, WaitingToExitForATransferThatFailsKeepsTheFrameOpen)
{
    NewValid();
    S_SimulatorOptions options = ControllerWithImage(std::vector<std::uint8_t>(8182));
    options.m_StopAfter = 50;
    RunningController controller(options);
    Attach(controller.Device());
    Main().m_DownloadAction->trigger();
    ASSERT_TRUE(WaitForPhase(Msg::PhasePause));
    Main().close();
    ASSERT_TRUE(C_RunningTransfer::Current()->Window().IsAsking());
    C_RunningTransfer::Current()->Window().m_WaitButton->click();
    ASSERT_TRUE(QTest::qWaitFor([] { return C_RunningTransfer::Current() == nullptr; }, WaitMs));
    QApplication::processEvents();
    EXPECT_TRUE(Main().isVisible());
    ASSERT_EQ(m_Boxes.Shown().size(), 1u);
    EXPECT_TRUE(m_Boxes.Shown()[0].text.startsWith(Text(Msg::ExitAfterFailedTransfer)))
        << m_Boxes.Shown()[0].text.toStdString();
}

// Silent: the controller never answers. A cancel leaves no trace; a failure says why first.
TEST_F(TransferCommandsTest, AnUploadThatDoesNotArriveLeavesNoWindow)
{
    for (const bool cancel : {true, false}) {
        m_Boxes.Clear();
        C_PseudoTerminal silent;
        ASSERT_TRUE(silent.Open());
        Attach(silent.DevicePath());
        WhenShown<TNewConfigurationForm>([](TNewConfigurationForm& dialog) { dialog.m_OKButton->click(); });
        Main().m_UploadAction->trigger();
        ASSERT_EQ(WindowCount(), 1);
        ASSERT_TRUE(WaitForPhase(Msg::PhaseCalling));
        if (cancel)
            C_RunningTransfer::Current()->Window().m_CancelButton->click();
        EXPECT_TRUE(QTest::qWaitFor([this] { return WindowCount() == 0; }, WaitMs)) << cancel;
        if (cancel) {
            EXPECT_TRUE(m_Boxes.Shown().empty());
        } else {
            ASSERT_EQ(m_Boxes.Shown().size(), 1u);
            EXPECT_EQ(m_Boxes.Shown()[0].text, Text(Msg::UploadFailed) + QLatin1Char('\n') + Text(267));
        }
        EXPECT_TRUE(Main().m_UploadAction->isEnabled());
    }
}
