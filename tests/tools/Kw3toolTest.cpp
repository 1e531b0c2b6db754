// kw3tool end to end: check, convert and dump, their output and exit status.
#include "comm/Serialport.h"
#include "settings/Context.h"
#include "support/Imagebuilder.h"
#include "support/TempFolder.h"
#include "support/Toolpath.h"
#include "support/Toolrun.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSettings>

#include <gtest/gtest.h>

#include <future>
#include <memory>
#include <vector>

namespace {

class Kw3toolTest : public ::testing::Test
{
protected:
    Kw3toolTest() { m_Language = m_Folder.WriteIdLanguage(); }

    // Runs the tool with its settings store in the test's folder.
    S_ToolRun Run(const QStringList& arguments, bool withLanguage = true) const
    {
        return RunInFolder(QStringLiteral(KW3TOOL), m_Folder,
                           withLanguage ? QStringList{QStringLiteral("--language"), m_Language} + arguments
                                        : arguments);
    }

    // A standard configuration: program 1 runs cycle 1 of category 1, whose one step ends after 5 s.
    QString Valid(const QString& name = QStringLiteral("in.KWC")) const
    {
        ImageBuilder image(StandardLayout, 24);
        image.Step(0, 1, 1, 1, {{3, 0x01}, {10, 0}, {11, 5}}).Program(0, 1, {{1, 1}}).Motor(2, 3, 10, 0, 0);
        return m_Folder.Write(name, image.ConfigurationFile());
    }

    TempFolder m_Folder;
    QString m_Language;
};

} // namespace

TEST_F(Kw3toolTest, CheckPrintsEveryLine)
{
    const S_ToolRun run = Run({QStringLiteral("check"), Valid()});
    EXPECT_EQ(run.m_Exit, 0) << run.m_Err.toStdString();
    EXPECT_EQ(run.m_Err, QString());
    EXPECT_EQ(run.m_Out, QStringLiteral("[=] <197>\n[i] <227>\n[=] <196>\n  [i] <145> 1\n[=] <191>\n[=] <178>\n"
                                        "[=] <173>\n  [i] <145> 1\n    [i] <177> <158> 1\n[=] <183>\n"
                                        "  [i] <158> 1 (1<156>\n    [i] 1<185>\n"));

    ImageBuilder failing(InverterLayout);
    failing.Step(0, 1, 1, 1, {{3, 0x01}}).Program(0, 1, {{1, 1}});
    const S_ToolRun failed =
        Run({QStringLiteral("check"), m_Folder.Write(QStringLiteral("f.KWC"), failing.ConfigurationFile())});
    EXPECT_EQ(failed.m_Exit, 1);
    EXPECT_TRUE(failed.m_Out.endsWith(QLatin1String("    [!] <187> 1<188>\n"))) << failed.m_Out.toStdString();
}

TEST_F(Kw3toolTest, ConvertWritesWhatSaveWrites)
{
    const QString out = m_Folder.Path(QStringLiteral("out.KWC"));
    const S_ToolRun run = Run({QStringLiteral("convert"), Valid(), out});
    EXPECT_EQ(run.m_Exit, 0) << run.m_Err.toStdString();
    EXPECT_TRUE(run.m_Out.startsWith(QStringLiteral("[=] <181> ") + out + QStringLiteral("\n[=] <191>\n")))
        << run.m_Out.toStdString();
    const QByteArray written = m_Folder.Read(QStringLiteral("out.KWC"));
    ASSERT_EQ(written.size(), 8184);
    EXPECT_EQ(written.left(5), QByteArray("\xFE\xCA\x01\x01\x01", 5));

    // An old file names its format on the command line; the rest takes it from the file.
    m_Folder.Write(QStringLiteral("old.kw3"), written.mid(2));
    const S_ToolRun imported = Run({QStringLiteral("convert"), m_Folder.Path(QStringLiteral("old.kw3")),
                                    m_Folder.Path(QStringLiteral("old.KWC")), QStringLiteral("--format=standard")});
    EXPECT_EQ(imported.m_Exit, 0) << imported.m_Err.toStdString();
    EXPECT_EQ(m_Folder.Read(QStringLiteral("old.KWC")), written);
    EXPECT_EQ(Run({QStringLiteral("check"), out, QStringLiteral("--format"), QStringLiteral("varnholt")}).m_Exit, 0);
}

TEST_F(Kw3toolTest, ConvertRefusals)
{
    ImageBuilder noPrograms(StandardLayout);
    const QString in = m_Folder.Write(QStringLiteral("empty.KWC"), noPrograms.ConfigurationFile());
    const S_ToolRun failed = Run({QStringLiteral("convert"), in, m_Folder.Path(QStringLiteral("never.KWC"))});
    EXPECT_EQ(failed.m_Exit, 1);
    EXPECT_TRUE(failed.m_Out.contains(QLatin1String("  [!] <174>\n")));
    EXPECT_TRUE(m_Folder.Read(QStringLiteral("never.KWC")).isEmpty());

    const S_ToolRun unwritable =
        Run({QStringLiteral("convert"), Valid(), m_Folder.Path(QStringLiteral("no/dir/x.KWC"))});
    EXPECT_EQ(unwritable.m_Exit, 2);
    EXPECT_TRUE(unwritable.m_Out.endsWith(QLatin1String("[!] <182>: No such file or directory\n")))
        << unwritable.m_Out.toStdString();
    EXPECT_EQ(unwritable.m_Err.count(QLatin1Char('\n')), 1) << unwritable.m_Err.toStdString();
}

TEST_F(Kw3toolTest, BadUsageAndUnopenableFiles)
{
    const QString old = m_Folder.Write(QStringLiteral("a.KW3"), QByteArray(100, 0));
    const QString unknown = m_Folder.Write(QStringLiteral("u.KWC"), QByteArray("\x12\x34rest", 6));
    const QString shortFile = m_Folder.Write(QStringLiteral("s.KWC"), QByteArray("\xFE", 1));
    const QStringList cases[] = {
        {},
        {QStringLiteral("frobnicate")},
        {QStringLiteral("check")},
        {QStringLiteral("check"), Valid(), Valid()},
        {QStringLiteral("check"), Valid(), QStringLiteral("--verbose")},
        {QStringLiteral("check"), Valid(), QStringLiteral("--format")},
        {QStringLiteral("check"), old},
        {QStringLiteral("check"), old, QStringLiteral("--format"), QStringLiteral("deluxe")},
        {QStringLiteral("dump"), m_Folder.Path(QStringLiteral("missing.KWC"))},
        {QStringLiteral("dump"), unknown},
        {QStringLiteral("convert"), shortFile, m_Folder.Path(QStringLiteral("x.KWC"))},
        {QStringLiteral("--language"), m_Folder.Path(QStringLiteral("none.lng")), QStringLiteral("check"), Valid()},
    };
    for (const QStringList& arguments : cases) {
        const S_ToolRun run = Run(arguments);
        EXPECT_EQ(run.m_Exit, 2) << arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(run.m_Out, QString()) << arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(run.m_Err.count(QLatin1Char('\n')), 1) << run.m_Err.toStdString();
    }
    EXPECT_EQ(Run({QStringLiteral("dump"), unknown}).m_Err, QStringLiteral("kw3tool: <48> ") + unknown + "\n");
    EXPECT_TRUE(m_Folder.Read(QStringLiteral("x.KWC")).isEmpty());

    const S_ToolRun help = Run({QStringLiteral("--help")}, false);
    EXPECT_EQ(help.m_Exit, 0);
    EXPECT_TRUE(help.m_Out.contains(QLatin1String("kw3tool [--language FILE] dump FILE [--format F]")));
    EXPECT_EQ(Run({QStringLiteral("--version")}, false).m_Out, QStringLiteral("kw3tool 2.00.24\n"));
}

TEST_F(Kw3toolTest, DumpShowsTheConfiguration)
{
    ImageBuilder image(VarnholtLayout, 16);
    image.Step(0, 2, 7, 1, {{3, 0x08}, {10, 2}, {11, 5}, {16, 3}, {17, 32}})
        .Program(0, 4, {{2, 7}, {3, 1}})
        .Motor(0, 1, 10, 0, 20)
        .Set(7396, {0x34, 0x12})
        .Set(7404, {2})
        .Set(7411, {0})
        .Set(7414, {3, 32});
    const S_ToolRun run =
        Run({QStringLiteral("dump"), m_Folder.Write(QStringLiteral("v.KWC"), image.ConfigurationFile())});
    ASSERT_EQ(run.m_Exit, 0) << run.m_Err.toStdString();
    QJsonParseError error;
    const QJsonObject dump = QJsonDocument::fromJson(run.m_Out.toUtf8(), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << run.m_Out.toStdString();

    EXPECT_EQ(dump.keys().size(), 9);
    EXPECT_EQ(dump[QStringLiteral("format")].toString(), QStringLiteral("varnholt"));
    EXPECT_EQ(dump[QStringLiteral("formatCode")].toInt(), 63828);
    EXPECT_EQ(dump[QStringLiteral("outputs")].toInt(), 16);
    EXPECT_EQ(dump[QStringLiteral("freeSteps")].toInt(), 349);
    const QJsonObject service = dump[QStringLiteral("service")].toObject();
    EXPECT_EQ(service.keys().size(), 14);
    EXPECT_EQ(service[QStringLiteral("totalWashes")].toInt(), 4660);
    EXPECT_EQ(service[QStringLiteral("language")].toInt(), 2);
    EXPECT_EQ(service[QStringLiteral("machineEnable")], QJsonValue(false));
    EXPECT_EQ(service[QStringLiteral("advanceEnable")], QJsonValue(true));
    EXPECT_EQ(service[QStringLiteral("maximumSpeed")].toInt(), 800);
    const QJsonArray motors = dump[QStringLiteral("motors")].toArray();
    ASSERT_EQ(motors.size(), 15);
    EXPECT_EQ(motors[0].toArray(), (QJsonArray{10, 255, 20}));
    EXPECT_EQ(motors[14].toArray(), (QJsonArray{255, 255, 255}));
    const QJsonArray programs = dump[QStringLiteral("programs")].toArray();
    ASSERT_EQ(programs.size(), 1);
    EXPECT_EQ(programs[0].toObject()[QStringLiteral("number")].toInt(), 4);
    const QJsonArray references = programs[0].toObject()[QStringLiteral("cycles")].toArray();
    ASSERT_EQ(references.size(), 2);
    EXPECT_EQ(references[0].toObject(), (QJsonObject{{QStringLiteral("category"), 2},
                                                     {QStringLiteral("number"), 7},
                                                     {QStringLiteral("linked"), true}}));
    EXPECT_EQ(references[1].toObject()[QStringLiteral("linked")], QJsonValue(false));
    const QJsonArray rows = dump[QStringLiteral("rows")].toArray();
    ASSERT_EQ(rows.size(), 28);
    EXPECT_EQ(rows[0].toObject(), (QJsonObject{{QStringLiteral("caption"), QStringLiteral("<237>")},
                                               {QStringLiteral("class"), QStringLiteral("separator")},
                                               {QStringLiteral("disabledValue"), 0}}));
    const QStringList classes{QStringLiteral("out"), QStringLiteral("boolean"), QStringLiteral("number"),
                              QStringLiteral("time"), QStringLiteral("motor")};
    EXPECT_EQ(rows[1].toObject()[QStringLiteral("class")].toString(), classes[0]);
    EXPECT_EQ(rows[16].toObject()[QStringLiteral("class")].toString(), classes[1]);
    EXPECT_EQ(rows[18].toObject()[QStringLiteral("class")].toString(), classes[2]);
    EXPECT_EQ(rows[20].toObject()[QStringLiteral("class")].toString(), classes[3]);
    EXPECT_EQ(rows[26].toObject()[QStringLiteral("class")].toString(), classes[4]);
    const QJsonArray cycles = dump[QStringLiteral("cycles")].toArray();
    ASSERT_EQ(cycles.size(), 1);
    const QJsonObject cycle = cycles[0].toObject();
    EXPECT_EQ(cycle[QStringLiteral("category")].toInt(), 2);
    EXPECT_EQ(cycle[QStringLiteral("number")].toInt(), 7);
    const QJsonArray step = cycle[QStringLiteral("steps")].toArray()[0].toArray();
    ASSERT_EQ(step.size(), 28);
    EXPECT_EQ(step[16].toInt(), 8);
    EXPECT_EQ(step[20].toInt(), 125);
    EXPECT_EQ(step[27].toInt(), 800);
}

TEST_F(Kw3toolTest, LanguageOfTheSettingsStore)
{
    {
        QSettings store(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("KW3Win 2.00.01 Context"));
        store.setValue(QStringLiteral("Last files/Language"), m_Language);
    }
    const S_ToolRun run = Run({QStringLiteral("check"), Valid()}, false);
    EXPECT_EQ(run.m_Exit, 0) << run.m_Err.toStdString();
    EXPECT_TRUE(run.m_Out.startsWith(QLatin1String("[=] <197>\n"))) << run.m_Out.toStdString();
}

namespace {

// kw3tool simulate, serving on a pseudo-terminal until its one transfer is done,
// or until the test is, when it serves many.
class SimulatedController
{
public:
    SimulatedController(const QStringList& arguments, const QString& folder, bool once = true)
        : m_Once(once)
    {
        m_Process.setWorkingDirectory(folder);
        m_Process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_Process.start(QStringLiteral(KW3TOOL), QStringList{QStringLiteral("simulate")} +
                                                     (once ? QStringList{QStringLiteral("--once")} : QStringList()) +
                                                     arguments);
        EXPECT_TRUE(m_Process.waitForReadyRead(10000));
        m_Device = QString::fromUtf8(m_Process.readLine()).trimmed();
    }
    ~SimulatedController()
    {
        if (!m_Once || !m_Process.waitForFinished(10000))
            m_Process.kill();
        m_Process.waitForFinished();
    }
    const QString& Device() const { return m_Device; }

private:
    const bool m_Once;
    QProcess m_Process;
    QString m_Device;
};

} // namespace

TEST_F(Kw3toolTest, UploadSavesWhatTheControllerSentAndAFailedOneWritesNothing)
{
    const QString in = Valid();
    const QString expected = m_Folder.Path(QStringLiteral("expected.KWC"));
    ASSERT_EQ(Run({QStringLiteral("convert"), in, expected}).m_Exit, 0);
    // Short time-outs keep the failure quick; the upload that must succeed waits longer
    // between bytes, as a loaded machine may keep the simulated controller from the line.
    const QStringList link{QStringLiteral("--send-timeout"), QStringLiteral("100"), QStringLiteral("--receive-timeout"),
                           QStringLiteral("100")};
    const QStringList patientLink{QStringLiteral("--send-timeout"), QStringLiteral("100"),
                                  QStringLiteral("--receive-timeout"), QStringLiteral("1000")};
    {
        const SimulatedController controller({QStringLiteral("--image"), in}, m_Folder.Path(QString()));
        const QString out = m_Folder.Path(QStringLiteral("received.KWC"));
        const S_ToolRun run =
            Run(QStringList{QStringLiteral("upload"), out, QStringLiteral("--format"), QStringLiteral("standard"),
                            QStringLiteral("--device"), controller.Device()} +
                patientLink);
        EXPECT_EQ(run.m_Exit, 0) << run.m_Out.toStdString() << run.m_Err.toStdString();
        EXPECT_TRUE(run.m_Out.contains(QStringLiteral("[=] <229>")));
        EXPECT_EQ(m_Folder.Read(QStringLiteral("received.KWC")), m_Folder.Read(QStringLiteral("expected.KWC")));
    }
    {
        const SimulatedController controller(
            {QStringLiteral("--image"), in, QStringLiteral("--stop-after"), QStringLiteral("100")},
            m_Folder.Path(QString()));
        const QString out = m_Folder.Path(QStringLiteral("partial.KWC"));
        const S_ToolRun run =
            Run(QStringList{QStringLiteral("upload"), out, QStringLiteral("--format"), QStringLiteral("standard"),
                            QStringLiteral("--device"), controller.Device()} +
                link);
        EXPECT_EQ(run.m_Exit, 1);
        EXPECT_TRUE(run.m_Out.contains(QStringLiteral("  [!] <273>"))) << run.m_Out.toStdString();
        EXPECT_FALSE(QFileInfo::exists(out));
    }
}

TEST_F(Kw3toolTest, TransfersUseTheStoredDeviceUnlessAnOptionNamesAnotherAndPortsListsWhatIsThere)
{
    const QString missing = m_Folder.Path(QStringLiteral("no-such-tty"));
    const QString stored = m_Folder.Path(QStringLiteral("stored-tty"));
    const QString com2 = m_Folder.Path(QStringLiteral("com2-tty"));
    qputenv("KW3_COM2", com2.toLocal8Bit());
    {
        C_Context settings;
        settings.SetDevice(stored);
    }
    const auto refusal = [](const QString& port) { return QStringLiteral("  [!] <375> ") + port + QLatin1Char('\n'); };
    const std::pair<QStringList, QString> runs[] = {
        {{}, refusal(stored)},
        {{QStringLiteral("--device"), missing}, refusal(missing)},
        {{QStringLiteral("--port"), QStringLiteral("2")}, refusal(QStringLiteral("COM2 (") + com2 + QLatin1Char(')'))},
    };
    for (const auto& [options, line] : runs) {
        const S_ToolRun download = Run(QStringList{QStringLiteral("download"), Valid()} + options);
        EXPECT_EQ(download.m_Exit, 1);
        EXPECT_TRUE(download.m_Out.contains(QStringLiteral("[=] <192>")));
        EXPECT_TRUE(download.m_Out.contains(line)) << download.m_Out.toStdString();
        EXPECT_FALSE(download.m_Out.contains(QStringLiteral("<265>"))) << "no handshake on a port that is not there";
    }
    qunsetenv("KW3_COM2");

    // Whatever this machine has, also nothing: one line of five fields a port.
    const S_ToolRun ports = Run({QStringLiteral("ports")});
    EXPECT_EQ(ports.m_Exit, 0) << ports.m_Err.toStdString();
    for (const QString& port : ports.m_Out.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        EXPECT_EQ(port.split(QLatin1Char('\t')).size(), 5) << port.toStdString();
    EXPECT_TRUE(Run({QStringLiteral("--help")}).m_Out.contains(QStringLiteral("kw3tool [--language FILE] ports")));

    const S_ToolRun usage = Run({QStringLiteral("download"), Valid(), QStringLiteral("--port"), QStringLiteral("2"),
                                 QStringLiteral("--device"), missing});
    EXPECT_EQ(usage.m_Exit, 2);
    EXPECT_EQ(Run({QStringLiteral("upload"), QStringLiteral("x.KWC")}).m_Exit, 2) << "upload needs its format";
    EXPECT_EQ(Run({QStringLiteral("upload"), QStringLiteral("x.KWC"), QStringLiteral("--format"),
                   QStringLiteral("standard"), QStringLiteral("--outputs"), QStringLiteral("20")})
                  .m_Exit,
              2);
}

// The whole safe download, as long as a real one, in four formats and fates at once:
// a verify that finds what the controller changed, the backup and verify of the odd
// Varnholt and the even inverter image, and a controller gone before its verify.
TEST_F(Kw3toolTest, DownloadKeepsABackupAndItsVerifyFindsWhatTheControllerChanged)
{
    struct Case
    {
        S_TestLayout layout;
        QStringList simulator;
        bool backup;
        int exit;
        // How the last line starts and ends.
        QString start, end;
    };
    const Case cases[] = {
        {StandardLayout,
         {QStringLiteral("--corrupt"), QStringLiteral("4321")},
         true,
         1,
         QStringLiteral("    [!] <286> 1, <287> "),
         QStringLiteral(" 4321")},
        {VarnholtLayout,
         {QStringLiteral("--format"), QStringLiteral("varnholt")},
         true,
         0,
         QStringLiteral("    [i] <285>"),
         QString()},
        {InverterLayout,
         {QStringLiteral("--format"), QStringLiteral("inverter")},
         true,
         0,
         QStringLiteral("    [i] <285>"),
         QString()},
        {StandardLayout, {QStringLiteral("--once")}, false, 1, QStringLiteral("    [!] <288>"), QString()},
    };
    std::vector<std::unique_ptr<SimulatedController>> controllers;
    std::vector<std::future<S_ToolRun>> runs;
    for (const Case& c : cases) {
        const QString name = QString::number(runs.size());
        ImageBuilder held(c.layout, 16);
        held.Step(0, 2, 3, 1, {{10, 0}, {11, 9}}).Program(0, 4, {{2, 3}});
        const QString former = m_Folder.Write(name + QStringLiteral("-former.KWC"), held.ConfigurationFile());
        ImageBuilder sent(c.layout, 16);
        sent.Step(0, 1, 1, 1, {{3, 0x01}, {10, 0}, {11, 5}}).Program(0, 1, {{1, 1}});
        const QString in = m_Folder.Write(name + QStringLiteral("-in.KWC"), sent.ConfigurationFile());
        ASSERT_TRUE(QDir().mkpath(m_Folder.Path(name)));
        controllers.push_back(std::make_unique<SimulatedController>(
            QStringList{QStringLiteral("--image"), former} + c.simulator, m_Folder.Path(QString()), false));
        QStringList arguments{QStringLiteral("download"),          in,
                              QStringLiteral("--device"),          controllers.back()->Device(),
                              QStringLiteral("--receive-timeout"), QStringLiteral("1000"),
                              QStringLiteral("--verify")};
        if (c.backup)
            arguments << QStringLiteral("--backup") << m_Folder.Path(name);
        runs.push_back(std::async(std::launch::async, [this, arguments] { return Run(arguments); }));
    }
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const Case& c = cases[i];
        const S_ToolRun run = runs[i].get();
        EXPECT_EQ(run.m_Exit, c.exit) << i << run.m_Out.toStdString() << run.m_Err.toStdString();
        EXPECT_TRUE(run.m_Out.contains(QStringLiteral("\n  [i] <278>: %1 B, ").arg(c.layout.m_Size))) << i;
        EXPECT_TRUE(run.Lines().last().startsWith(c.start) && run.Lines().last().endsWith(c.end))
            << i << run.Lines().last().toStdString();
        const QStringList kept = QDir(m_Folder.Path(QString::number(i))).entryList(QDir::Files | QDir::Hidden);
        ASSERT_EQ(kept.size(), c.backup ? 1 : 0) << i;
        if (c.backup) {
            EXPECT_TRUE(kept[0].endsWith(QStringLiteral("-%1.KWC").arg(QLatin1String(c.layout.m_Name))));
            EXPECT_EQ(m_Folder.Read(QString::number(i) + QLatin1Char('/') + kept[0]),
                      m_Folder.Read(QString::number(i) + QStringLiteral("-former.KWC")));
        }
    }
}

// Before the first 'B': a backup that gets no answer sends none, a backup folder that
// cannot be one sends nothing at all.
TEST_F(Kw3toolTest, ABackupThatFailsSendsNoImage)
{
    for (const bool silent : {true, false}) {
        C_PseudoTerminal line;
        ASSERT_TRUE(line.Open());
        const QString backups = silent ? m_Folder.Path(QString()) : m_Folder.Write(QStringLiteral("a-file"), "");
        const S_ToolRun run =
            Run({QStringLiteral("download"), Valid(), QStringLiteral("--device"), line.DevicePath(),
                 QStringLiteral("--receive-timeout"), QStringLiteral("50"), QStringLiteral("--backup"), backups});
        EXPECT_EQ(run.m_Exit, silent ? 1 : 2) << run.m_Out.toStdString() << run.m_Err.toStdString();
        QByteArray letters;
        std::uint8_t byte = 0;
        while (line.ReadByte(0, byte) == C_PseudoTerminal::ReadResult::Byte)
            letters += char(byte);
        EXPECT_EQ(letters, silent ? QByteArray(20, 'A') : QByteArray());
    }
}

TEST_F(Kw3toolTest, SafetyOptionsAreCheckedBeforeAByteGoesOut)
{
    const QString notThere = m_Folder.Path(QStringLiteral("no-such-folder"));
    const QList<QStringList> refused = {
        {QStringLiteral("download"), Valid(), QStringLiteral("--device"), notThere, QStringLiteral("--backup"),
         notThere},
        {QStringLiteral("download"), Valid(), QStringLiteral("--device"), notThere, QStringLiteral("--verify=yes")},
        {QStringLiteral("simulate"), QStringLiteral("--corrupt"), QStringLiteral("8182")},
        {QStringLiteral("simulate"), QStringLiteral("--format"), QStringLiteral("varnholt"),
         QStringLiteral("--corrupt"), QStringLiteral("-1")},
    };
    for (const QStringList& arguments : refused) {
        const S_ToolRun run = Run(arguments);
        EXPECT_EQ(run.m_Exit, 2) << arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_FALSE(run.m_Out.contains(QStringLiteral("<192>")));
    }
}
