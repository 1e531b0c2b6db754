// Autosave and recovery: a run killed with unsaved work has it offered at the
// next start and restored exactly; a live run's copies are nobody else's, a
// damaged copy can only be discarded, and a normal run leaves nothing behind.
#include "app/Autosave.h"
#include "app/Recoveryform.h"
#include "document/Configurationtext.h"
#include "document/Recoveryfolder.h"
#include "editor/Newconfiguration.h"
#include "editor/Treenodes.h"
#include "language/Messages.h"
#include "model/Eepromformat.h"
#include "model/Fileheader.h"
#include "support/Controller.h"
#include "support/Mainformfixture.h"
#include "support/ModalDriver.h"
#include "support/Sampleconfiguration.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QDir>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include <cstdio>

namespace {

// The folder a killed run shares with the test that starts it.
constexpr char SharedFolder[] = "KW3_RECOVERY_SHARED";

QStringList FolderEntries()
{
    return QDir(C_RecoveryFolder::DefaultFolder()).entryList(QDir::Files);
}

// A configuration that passes every check, as a file and as a controller's image.
MemoryImage ValidImage(int cycles)
{
    const auto format = C_EEPROMFormat::Create(FormatCode::Standard, 16);
    C_DiagnosticList lines;
    EXPECT_TRUE(format->Build(SampleConfiguration(*format, std::vector<int>(size_t(cycles), 3), cycles), lines));
    return format->Image();
}

// Where the killed run leaves what a window held, in the shared folder.
QString ExpectedFile(const TFormMDIChild& window, const char* kind)
{
    return QFileInfo(window.Path()).fileName() + QLatin1String(kind);
}

} // namespace

// The run the test below kills: three windows of unsaved work, through the real
// commands. It says "ready" once their copies are written, with what each window
// holds beside them.
TEST_F(MainFormTest, DISABLED_RunUntilKilled)
{
    const QString shared = qEnvironmentVariable(SharedFolder);
    ASSERT_FALSE(shared.isEmpty());
    qputenv("XDG_STATE_HOME", QDir(shared).filePath(QStringLiteral("state")).toLocal8Bit());
    StartRun();
    Open(QDir(shared).filePath(QStringLiteral("Sample.KWC")));
    TFormMDIChild* sample = Active();
    sample->ServiceControls(ServiceParameter::TemperatureHysteresis).m_Box->selectAll();
    QTest::keyClicks(sample->ServiceControls(ServiceParameter::TemperatureHysteresis).m_Box, QStringLiteral("6"));
    Open(QDir(shared).filePath(QStringLiteral("Other.KWC")));
    TFormMDIChild* failing = Active();
    failing->m_CyclesTree->setCurrentItem(failing->m_CategoryNodes[1]->child(0));
    failing->m_DeleteCycleAction->trigger();
    C_DiagnosticList lines;
    ASSERT_TRUE(sample->Format()->Build(sample->Configuration(), lines));
    ASSERT_FALSE(failing->Format()->Build(failing->Configuration(), lines)) << "a program names the deleted cycle";

    // An upload from a controller, not yet saved anywhere.
    const MemoryImage sent = ValidImage(3);
    StandIn controller([&sent](C_PseudoTerminal& line) { WriteBytes(line, sent); });
    qputenv("KW3_COM5", controller.Device().toLocal8Bit());
    Context().SetComNumber(5);
    Context().SetReceiveTimeout(1000);
    WhenShown<TNewConfigurationForm>([](TNewConfigurationForm& dialog) { dialog.m_OKButton->click(); });
    Main().m_UploadAction->trigger();
    TFormMDIChild* uploaded = Active();
    ASSERT_TRUE(QTest::qWaitFor([&] { return uploaded->Transfer() == nullptr; }, 20000));
    ASSERT_TRUE(uploaded->IsModified());

    // Every change is in a copy at the latest this long after it.
    QTest::qWait(C_Autosave::LatestMs + 500);
    Main().Recovery().Flush();
    ASSERT_EQ(FolderEntries().filter(QStringLiteral(".recovery")).size(), 3);
    const auto leave = [&shared](const QString& name, const QByteArray& bytes) {
        QFile file(QDir(shared).filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    };
    for (TFormMDIChild* window : Main().Configurations())
        leave(ExpectedFile(*window, ".json"), ConfigurationTextOf(*window->Format(), window->Configuration()));
    leave(ExpectedFile(*sample, ".saved"), ConfigurationFileBytes(FormatCode::Standard, sample->Format()->Image()));
    std::puts("ready");
    std::fflush(stdout);
    QTest::qWait(60000);
}

TEST_F(MainFormTest, AKilledRunIsOfferedOnceGoneAndRestoredAsItWas)
{
    const QString shared = m_Folder.Path(QStringLiteral("shared"));
    ASSERT_TRUE(QDir().mkpath(shared));
    const QString sample = QDir(shared).filePath(QStringLiteral("Sample.KWC"));
    m_Folder.Write(QStringLiteral("shared/Sample.KWC"), ConfigurationFileBytes(FormatCode::Standard, ValidImage(2)));
    m_Folder.Write(QStringLiteral("shared/Other.KWC"), ConfigurationFileBytes(FormatCode::Standard, ValidImage(2)));
    qputenv("XDG_STATE_HOME", QDir(shared).filePath(QStringLiteral("state")).toLocal8Bit());

    QProcess run;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QLatin1String(SharedFolder), shared);
    run.setProcessEnvironment(environment);
    run.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    run.start(QCoreApplication::applicationFilePath(),
              {QStringLiteral("--gtest_also_run_disabled_tests"),
               QStringLiteral("--gtest_filter=MainFormTest.DISABLED_RunUntilKilled")});
    QByteArray said;
    while (!said.contains("ready") && run.state() != QProcess::NotRunning && run.waitForReadyRead(30000))
        said += run.readAllStandardOutput();
    ASSERT_TRUE(said.contains("ready")) << said.toStdString();

    // While the run lives its copies are its own.
    bool offered = false;
    QTimer::singleShot(0, [&offered] {
        if (auto* dialog = qobject_cast<TRecoveryForm*>(QApplication::activeModalWidget())) {
            offered = true;
            dialog->reject();
        }
    });
    StartRun();
    EXPECT_FALSE(offered);
    EndRun();

    run.kill();
    run.waitForFinished();
    // Someone else saved the sample meanwhile.
    m_Folder.Write(QStringLiteral("shared/Sample.KWC"), ConfigurationFileBytes(FormatCode::Standard, ValidImage(1)));

    QStringList listed;
    WhenShown<TRecoveryForm>([&listed](TRecoveryForm& dialog) {
        for (int i = 0; i < dialog.m_CopiesList->topLevelItemCount(); ++i)
            listed << dialog.m_CopiesList->topLevelItem(i)->text(0) + QLatin1Char('|') +
                          dialog.m_CopiesList->topLevelItem(i)->text(1);
        dialog.m_RestoreButton->click();
    });
    // The restored sample is not opened a second time from the command line.
    StartRun(&sample);
    listed.sort();
    EXPECT_EQ(listed, QStringList({QDir(shared).filePath(QStringLiteral("Other.KWC|Standard, 16 outputs")),
                                   sample + QStringLiteral("|Standard, 16 outputs"),
                                   QStringLiteral("Configuration1.KWC (not saved yet)|Standard, 16 outputs")}));
    ASSERT_EQ(WindowCount(), 3);
    for (TFormMDIChild* window : Main().Configurations()) {
        EXPECT_TRUE(window->IsModified()) << window->Path().toStdString();
        EXPECT_EQ(ConfigurationTextOf(*window->Format(), window->Configuration()),
                  m_Folder.Read(QStringLiteral("shared/") + ExpectedFile(*window, ".json")))
            << window->Path().toStdString();
    }

    // The changed file is named before Save overwrites it; then Save writes what it would have before the kill.
    Main().OpenConfigurationFile(sample);
    m_Boxes.Queue(C_MessageBox::Answer::Yes);
    Main().m_FileSaveAction->trigger();
    EXPECT_TRUE(OnlyBox().startsWith(Text(Msg::RecoveredFileChanged))) << OnlyBox().toStdString();
    EXPECT_EQ(m_Folder.Read(QStringLiteral("shared/Sample.KWC")),
              m_Folder.Read(QStringLiteral("shared/") + ExpectedFile(*Active(), ".saved")));
    EXPECT_TRUE(QTest::qWaitFor([] { return FolderEntries().filter(QStringLiteral(".recovery")).size() == 2; }, 3000))
        << "the killed run's copies replaced by the restored windows' own, the saved one's removed";

    EndRun();
    EXPECT_EQ(FolderEntries(), QStringList()) << "a normal run leaves nothing behind";
}

TEST_F(MainFormTest, ADamagedCopyCanOnlyBeDiscardedAndLaterKeepsIt)
{
    const QString damaged =
        m_Folder.Write(QStringLiteral("state/kw3win/recovery/1-gone-1.recovery"), "{\"kw3winRecovery\": 1, \"path\": ");

    for (const bool discard : {false, true}) {
        bool restorable = true;
        WhenShown<TRecoveryForm>([&](TRecoveryForm& dialog) {
            ASSERT_EQ(dialog.m_CopiesList->topLevelItemCount(), 1);
            EXPECT_EQ(dialog.m_CopiesList->topLevelItem(0)->text(1), Text(Msg::RecoveryDamaged));
            dialog.m_CopiesList->topLevelItem(0)->setCheckState(0, Qt::Checked);
            restorable = dialog.m_RestoreButton->isEnabled();
            m_Boxes.Queue(C_MessageBox::Answer::Yes);
            (discard ? dialog.m_DiscardButton : dialog.m_LaterButton)->click();
        });
        StartRun();
        EXPECT_FALSE(restorable);
        EXPECT_EQ(QFileInfo::exists(damaged), !discard);
        EndRun();
        m_Boxes.Clear();
    }
}

TEST_F(MainFormTest, ACopyThatCannotBeWrittenIsToldUntilARetryWritesIt)
{
    // A file where the folder should be.
    const QString blocker = m_Folder.Write(QStringLiteral("state/kw3win/recovery"), "");
    StartRun();
    New();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !Main().m_RecoveryPanel->isHidden(); }, 5000));
    EXPECT_TRUE(Main().m_RecoveryPanel->text().startsWith(Text(Msg::RecoveryNotWritten)));
    Main().statusBar()->showMessage(QStringLiteral("a hint passing over"));
    ASSERT_TRUE(QFile::remove(blocker));
    ASSERT_TRUE(QTest::qWaitFor([this] { return Main().m_RecoveryPanel->isHidden(); }, 5000));
    EXPECT_EQ(QDir(Main().Recovery().Folder()).entryList({QStringLiteral("*.recovery")}).size(), 1);
    EXPECT_TRUE(m_Boxes.Shown().empty());
}
