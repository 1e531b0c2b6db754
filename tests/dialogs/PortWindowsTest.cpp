#include "dialogs/Comsetup.h"
#include "dialogs/Filetansfer.h"
#include "editor/Configurationpanes.h"
#include "editor/Runningtransfer.h"
#include "language/Language.h"
#include "language/Messages.h"
#include "resources/Pictures.h"
#include "settings/Context.h"
#include "support/Controller.h"
#include "support/Layoutcheck.h"
#include "support/Standinports.h"
#include "support/TempFolder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QSplitter>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace {

class ComSetupTest : public ::testing::Test
{
protected:
    const TempFolder m_Folder;
    C_Context m_Context;
    const C_LanguageManager m_Language{SourceFile(QStringLiteral("resources/English.lng"))};
    QWidget m_Owner;
    C_StandInPorts m_Ports;
};

} // namespace

TEST_F(ComSetupTest, AFirstRunShowsCom1And500BothWays)
{
    S_PortSettings settings = m_Context.PortSettings();
    TCOMSetupForm dialog(settings, m_Ports, &m_Owner);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("COMSetupForm"));
    ExpectNothingClipped(dialog);
    EXPECT_EQ(dialog.m_COMPortRadioGroup->title(), Text(274));
    EXPECT_EQ(dialog.m_SendGroupBox->title(), Text(275));
    EXPECT_EQ(dialog.m_ReceiveGroupBox->title(), Text(276));
    EXPECT_EQ(dialog.m_CancelButton->text(), Text(5));
    EXPECT_EQ(dialog.m_OKButton->text(), QStringLiteral("OK"));
    for (int index = 0; index < TCOMSetupForm::Ports; ++index)
        EXPECT_EQ(dialog.m_COMPortButtons->button(index)->text(), QStringLiteral("COM %1").arg(index + 1));
    EXPECT_EQ(dialog.m_COMPortButtons->checkedId(), 0);
    for (const QSlider* trackBar : {dialog.m_SendTrackBar, dialog.m_ReceiveTrackBar}) {
        EXPECT_EQ(trackBar->minimum(), 100);
        EXPECT_EQ(trackBar->maximum(), 1000);
        EXPECT_EQ(trackBar->value(), 500);
    }
    for (const QLineEdit* edit : {dialog.m_SendEdit, dialog.m_ReceiveEdit}) {
        EXPECT_EQ(edit->text(), QStringLiteral("500"));
        EXPECT_TRUE(edit->isReadOnly());
    }
}

TEST_F(ComSetupTest, TheSafetySwitchesAreStoredOnOkOnly)
{
    for (const bool ok : {false, true}) {
        S_PortSettings settings = m_Context.PortSettings();
        TCOMSetupForm dialog(settings, m_Ports, &m_Owner);
        EXPECT_EQ(dialog.m_BackupCheckBox->text(), Text(Msg::BackupStage));
        EXPECT_TRUE(dialog.m_BackupCheckBox->isChecked());
        EXPECT_TRUE(dialog.m_VerifyCheckBox->isChecked());
        dialog.m_BackupCheckBox->click();
        dialog.m_VerifyCheckBox->click();
        (ok ? dialog.m_OKButton : dialog.m_CancelButton)->click();
        m_Context.SetPortSettings(settings);
        EXPECT_EQ(m_Context.BackupBeforeDownload(), !ok);
        EXPECT_EQ(m_Context.VerifyAfterDownload(), !ok);
    }
}

TEST_F(ComSetupTest, OnlyOkStoresWhatTheDialogShows)
{
    struct Case
    {
        const char* what;
        int storedPort, storedSend, storedReceive;
        std::function<void(TCOMSetupForm&)> act;
        int port, send, receive;
        const char* sendShown;
    };
    const auto pressOk = [](TCOMSetupForm& d) { QTest::keyClick(&d, Qt::Key_Return); };
    const Case cases[] = {
        {"send slider to its left end, OK", 1, 500, 500,
         [&](TCOMSetupForm& d) {
             QTest::keyClick(d.m_SendTrackBar, Qt::Key_Home);
             pressOk(d);
         },
         1, 100, 500, "100"},
        {"send slider to its left end, Cancel", 1, 500, 500,
         [](TCOMSetupForm& d) {
             QTest::keyClick(d.m_SendTrackBar, Qt::Key_Home);
             d.m_CancelButton->click();
         },
         1, 500, 500, "100"},
        {"COM 3 and the receive slider to its right end, Escape", 2, 300, 300,
         [](TCOMSetupForm& d) {
             d.m_COMPortButtons->button(2)->click();
             QTest::keyClick(d.m_ReceiveTrackBar, Qt::Key_End);
             QTest::keyClick(&d, Qt::Key_Escape);
         },
         2, 300, 300, "300"},
        {"COM 3 and the close button", 2, 300, 300,
         [](TCOMSetupForm& d) {
             d.m_COMPortButtons->button(2)->click();
             d.close();
         },
         2, 300, 300, "300"},
        {"COM 3 and OK", 1, 500, 500,
         [](TCOMSetupForm& d) {
             d.m_COMPortButtons->button(2)->click();
             d.m_OKButton->click();
         },
         3, 500, 500, "500"},
        {"stored time-outs outside the range, OK", 4, 20, 5000, pressOk, 4, 100, 1000, "100"},
        {"stored port the dialog cannot show, OK", 7, 500, 500, pressOk, 7, 500, 500, "500"},
    };
    for (const Case& c : cases) {
        m_Context.SetComNumber(c.storedPort);
        m_Context.SetSendTimeout(c.storedSend);
        m_Context.SetReceiveTimeout(c.storedReceive);
        S_PortSettings settings = m_Context.PortSettings();
        TCOMSetupForm dialog(settings, m_Ports, &m_Owner);
        dialog.show();
        c.act(dialog);
        m_Context.SetPortSettings(settings);
        EXPECT_FALSE(dialog.isVisible()) << c.what;
        EXPECT_EQ(dialog.m_SendEdit->text(), QLatin1String(c.sendShown)) << c.what;
        EXPECT_EQ(m_Context.ComNumber(), c.port) << c.what;
        EXPECT_EQ(m_Context.SendTimeout(), c.send) << c.what;
        EXPECT_EQ(m_Context.ReceiveTimeout(), c.receive) << c.what;
    }
}

TEST(FileTransferTest, TheWindowShowsTheDirectionsPicture)
{
    QWidget owner;
    const std::pair<TFormFileTransfer::Picture, const char*> directions[] = {
        {TFormFileTransfer::DownloadPicture, "TRANSFER_DOWNLOAD"},
        {TFormFileTransfer::UploadPicture, "TRANSFER_UPLOAD"}};
    for (const auto& [picture, name] : directions) {
        const TFormFileTransfer window(&owner, picture);
        EXPECT_EQ(window.windowTitle(), QStringLiteral("KW3 Win 2"));
        EXPECT_EQ(window.m_ImageList.size(), 2);
        EXPECT_EQ(window.m_BackImage->pixmap().toImage(), LoadPicture(QLatin1String(name)).toImage()) << picture;
        EXPECT_FALSE(window.m_BackImage->pixmap().isNull());
        EXPECT_FALSE(window.windowFlags() & Qt::WindowCloseButtonHint);
    }
}

TEST(FileTransferTest, AFailedTransferMakesTheDiagnosticPanelAtLeast300High)
{
    struct Case
    {
        int height;
        bool succeeds;
        int expected;
    };
    const Case cases[] = {{120, false, 300}, {350, false, 350}, {120, true, 120}};
    for (const bool inSplitter : {false, true}) {
        for (const Case& c : cases) {
            QSplitter splitter(Qt::Vertical);
            splitter.resize(400, 700);
            auto* above = new QWidget;
            auto* panel = new QWidget;
            QWidget loose;
            if (inSplitter) {
                splitter.addWidget(above);
                splitter.addWidget(panel);
                splitter.show();
                splitter.setSizes({700 - c.height - splitter.handleWidth(), c.height});
            } else {
                above->setParent(&loose);
                panel->setParent(&loose);
                panel->resize(400, c.height);
            }
            ASSERT_EQ(panel->height(), c.height);
            if (!c.succeeds)
                EnlargeDiagnostics(panel);
            EXPECT_EQ(inSplitter ? splitter.sizes().at(1) : panel->height(), c.expected) << c.height << inSplitter;
        }
    }
}

// Cancel while image bytes go out asks inside the transfer window; the bytes go on
// meanwhile, and a download that ends with the question open closes it and stands.
TEST(RunningTransferTest, ACancelWhileSendingAsksAndADownloadEndingMeanwhileStands)
{
    const TempFolder folder;
    const C_LanguageManager language{SourceFile(QStringLiteral("resources/English.lng"))};
    constexpr std::size_t Size = 300;
    for (const bool confirm : {false, true}) {
        RunningController controller(ControllerWithImage(std::vector<std::uint8_t>(Size)));
        C_ConfigurationPanes panes;
        S_TransferPlan plan;
        plan.m_Link.m_Choice.m_Device = controller.Device();
        plan.m_Link.m_ReceiveTimeout = 100;
        plan.m_FormatCode = 0xCAFE;
        plan.m_Image = CountingImage(Size);
        QTreeWidgetItem* heading = panes.AddDiagnostic(nullptr, QStringLiteral("heading"), 0);
        C_RunningTransfer transfer(panes, heading, plan, QStringLiteral("file.KWC"), QString());
        std::optional<S_TransferOutcome> outcome;
        QObject::connect(&transfer, &C_RunningTransfer::Finished,
                         [&outcome](const S_TransferOutcome& ended) { outcome = ended; });
        transfer.Start();
        EXPECT_EQ(C_RunningTransfer::Current(), &transfer);
        ASSERT_TRUE(QTest::qWaitFor([&] { return transfer.Window().m_ProgressBar->value() > 10; }, 10000));
        transfer.Window().m_CancelButton->click();
        ASSERT_TRUE(transfer.Window().IsAsking());
        if (confirm)
            transfer.Window().m_CancelTransferButton->click();
        ASSERT_TRUE(QTest::qWaitFor([&] { return outcome.has_value(); }, 10000));
        EXPECT_EQ(outcome->m_Result, confirm ? TransferResult::Cancelled : TransferResult::Finished);
        EXPECT_FALSE(transfer.Window().IsAsking());
        EXPECT_EQ(C_RunningTransfer::Current(), nullptr);
        const std::vector<S_TransferReport> reports = controller.Stop();
        ASSERT_EQ(reports.size(), 1u);
        EXPECT_EQ(reports[0].m_ByteTimes.size() < Size, confirm);
        const auto [last, icon] = Lines(*heading).back();
        EXPECT_TRUE(last.startsWith(Text(confirm ? Msg::CancelledWhileSending : Msg::DownloadFinished)))
            << last.toStdString();
    }
}

// The sending side decides whether a cancel comes in time: one sent while the window
// still showed the pause (its thread busy) meets the image bytes going out and is
// not taken, the question follows; a cancel once the last byte is out leaves the
// download standing and ends only the verify, which then could not verify.
TEST(RunningTransferTest, ACancelTooLateForTheFirstByteAsksAndOneAfterTheLastEndsOnlyTheVerify)
{
    const TempFolder folder;
    const C_LanguageManager language{SourceFile(QStringLiteral("resources/English.lng"))};
    constexpr std::size_t Size = 300;
    for (const bool late : {true, false}) {
        RunningController controller(ControllerWithImage(CountingImage(Size)));
        C_ConfigurationPanes panes;
        S_TransferPlan plan;
        plan.m_Link.m_Choice.m_Device = controller.Device();
        plan.m_Link.m_ReceiveTimeout = 100;
        plan.m_FormatCode = 0xCAFE;
        plan.m_Image = CountingImage(Size);
        plan.m_Verify = !late;
        C_RunningTransfer transfer(panes, panes.AddDiagnostic(nullptr, QStringLiteral("heading"), 0), plan, QString(),
                                   QString());
        std::optional<S_TransferOutcome> outcome;
        QObject::connect(&transfer, &C_RunningTransfer::Finished,
                         [&outcome](const S_TransferOutcome& ended) { outcome = ended; });
        transfer.Start();
        if (late) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return transfer.Window().m_PhaseLabel->text() == Text(Msg::PhasePause); },
                                        10000));
            // The window's thread is busy past the pause: it still shows the pause when Cancel is pressed.
            QThread::msleep(2300);
            transfer.Window().m_CancelButton->click();
            ASSERT_TRUE(QTest::qWaitFor([&] { return transfer.Window().IsAsking(); }, 5000));
            transfer.Window().m_WaitButton->click();
        } else {
            // As soon as the window shows the last byte sent: asked, and confirmed.
            QObject::connect(transfer.Window().m_ProgressBar, &QProgressBar::valueChanged, [&transfer](int value) {
                if (value != int(Size) || transfer.CancelledByUser())
                    return;
                transfer.Window().m_CancelButton->click();
                ASSERT_TRUE(transfer.Window().IsAsking());
                transfer.Window().m_CancelTransferButton->click();
            });
        }
        ASSERT_TRUE(QTest::qWaitFor([&] { return outcome.has_value(); }, 10000));
        EXPECT_EQ(outcome->m_Result, late ? TransferResult::Finished : TransferResult::CouldNotVerify);
        EXPECT_EQ(outcome->m_Moved.size(), Size);
        EXPECT_EQ(controller.Stop().at(0).m_ByteTimes.size(), Size) << "the whole image went out";
    }
}
