#include "comm/Portdiagnosis.h"
#include "comm/Rs232handler.h"
#include "dialogs/Comsetup.h"
#include "language/Language.h"
#include "language/Messages.h"
#include "settings/Context.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/Standinports.h"
#include "support/TempFolder.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QString Q(const char* text)
{
    return QString::fromUtf8(text);
}

class RecordedLines : public C_TransferListener
{
public:
    void Reported(std::int16_t id, int, const QString& detail) override { m_Lines.push_back({id, detail}); }
    std::vector<S_PortProblemLine> m_Lines;
};

// A second process holding the device open and locked, as another transfer would, while it lives.
class PortHolder
{
public:
    explicit PortHolder(const QString& device)
    {
        const QByteArray path = QFile::encodeName(device);
        char state = 'n';
        if (::pipe(m_Ready) != 0 || ::pipe(m_Release) != 0 || (m_Process = ::fork()) < 0)
            return;
        if (m_Process == 0) {
            ::close(m_Release[1]);
            const int handle = ::open(path.constData(), O_RDWR | O_NOCTTY);
            state = handle >= 0 && ::flock(handle, LOCK_EX | LOCK_NB) == 0 ? 'y' : 'n';
            (void)!::write(m_Ready[1], &state, 1);
            (void)!::read(m_Release[0], &state, 1);
            ::_exit(0);
        }
        m_Holding = ::read(m_Ready[0], &state, 1) == 1 && state == 'y';
    }
    ~PortHolder()
    {
        for (const int end : {m_Ready[0], m_Ready[1], m_Release[0], m_Release[1]})
            ::close(end);
        ::waitpid(m_Process, nullptr, 0);
    }
    pid_t m_Process = -1;
    bool m_Holding = false;

private:
    int m_Ready[2] = {-1, -1};
    int m_Release[2] = {-1, -1};
};

S_LinkSettings DeviceLink(const QString& device, const QString& name = QString(), const QString& serial = QString())
{
    S_LinkSettings link;
    link.m_Choice = {1, device, name, serial};
    return link;
}

class PortsTest : public ::testing::Test
{
protected:
    const TempFolder m_Folder;
    const C_LanguageManager m_Language{SourceFile(QStringLiteral("resources/English.lng"))};
    C_StandInPorts m_Ports;
};

} // namespace

TEST_F(PortsTest, TheListNamesEachDeviceOnceByItsStableName)
{
    const QString path1 = Q("/dev/serial/by-path/usb-0:1:1.0-port0"),
                  path2 = Q("/dev/serial/by-path/usb-0:2:1.0-port0");
    struct Case
    {
        const char* what;
        std::vector<S_FoundPort> found;
        std::vector<S_DeviceLink> byId, byPath;
        std::vector<std::pair<QString, const char*>> expected; // stable name, shown
    };
    const Case cases[] = {
        {"by-id before by-path",
         {Ftdi(Q("/dev/ttyUSB0"))},
         {{FtdiById, Q("/dev/ttyUSB0")}},
         {{path1, Q("/dev/ttyUSB0")}},
         {{FtdiById, "FT232R USB UART (FTDI) — ttyUSB0"}}},
        {"two alike without serial numbers share one by-id name: by-path for both",
         {Prolific(Q("/dev/ttyUSB1")), Prolific(Q("/dev/ttyUSB0"))},
         {{Q("/dev/serial/by-id/usb-Prolific-if00-port0"), Q("/dev/ttyUSB1")}},
         {{path1, Q("/dev/ttyUSB0")}, {path2, Q("/dev/ttyUSB1")}},
         {{path1, "USB-Serial Controller (Prolific Technology Inc.) — ttyUSB0"},
          {path2, "USB-Serial Controller (Prolific Technology Inc.) — ttyUSB1"}}},
        {"only COM ports, by number, before the others",
         {{Q("/dev/ttyACM0"), Q("Board CDC"), {}, Q("7"), Q("2341:0043")},
          {Q("/dev/ttyS1"), {}, {}, {}, {}},
          {Q("/dev/ttyS0"), {}, {}, {}, {}}},
         {},
         {},
         {{QString(), "COM 1 — ttyS0"}, {QString(), "COM 2 — ttyS1"}, {QString(), "Board CDC — ttyACM0"}}},
        {"one device under two names",
         {Ftdi(Q("/dev/ttyUSB0")), Ftdi(FtdiById)},
         {{FtdiById, Q("/dev/ttyUSB0")}},
         {},
         {{FtdiById, "FT232R USB UART (FTDI) — ttyUSB0"}}},
    };
    for (const Case& c : cases) {
        m_Ports.Set(c.found, c.byId, c.byPath);
        const std::vector<S_PortEntry> entries = ListPorts(m_Ports);
        ASSERT_EQ(entries.size(), c.expected.size()) << c.what;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            EXPECT_EQ(entries[i].m_StableName, c.expected[i].first) << c.what;
            EXPECT_EQ(entries[i].DisplayName(), Q(c.expected[i].second)) << c.what;
        }
    }
    // The stored adapter is found under whichever number it has now, and only it.
    m_Ports.Set({Prolific(Q("/dev/ttyUSB0")), Ftdi(Q("/dev/ttyUSB1"))}, {{FtdiById, Q("/dev/ttyUSB1")}});
    const std::vector<S_PortEntry> entries = ListPorts(m_Ports);
    const S_PortEntry* found = FindStoredPort(entries, FtdiById, m_Ports);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->m_Port.m_Device, Q("/dev/ttyUSB1"));
    m_Ports.Set({Prolific(Q("/dev/ttyUSB0"))});
    EXPECT_EQ(FindStoredPort(ListPorts(m_Ports), FtdiById, m_Ports), nullptr);
}

TEST_F(PortsTest, SettingsOfOlderVersionsKeepTheirComNumberAndAGarbageDeviceGivesWayToIt)
{
    qunsetenv("KW3_COM7");
    const std::tuple<int, QString, const char*, const char*, bool> cases[] = {
        {7, QString(), "/dev/ttyS6", "COM7", false},
        {2, Q("/dev/pts/4"), "/dev/pts/4", "pts4", false},
        {2, Q("/dev/ttyUSB0\x01"), "/dev/ttyS1", "COM2", true},
        {2, Q("relative/tty"), "/dev/ttyS1", "COM2", true},
    };
    for (const auto& [com, device, opened, portName, ignored] : cases) {
        {
            C_Context stored;
            stored.SetComNumber(com);
            stored.SetDevice(device);
        }
        const S_LinkSettings link = C_Context().LinkSettings();
        EXPECT_EQ(link.Device(), Q(opened)) << opened;
        EXPECT_EQ(link.PortName(), Q(portName)) << opened;
        EXPECT_EQ(link.m_IgnoredDevice, ignored ? device : QString()) << opened;
    }
}

TEST_F(PortsTest, APortThatCannotBeUsedEndsTheTransferBeforeAnyByteAndSaysWhatToDo)
{
    C_PseudoTerminal line;
    ASSERT_TRUE(line.Open());
    const PortHolder holder(line.DevicePath());
    ASSERT_TRUE(holder.m_Holding);
    const QString file = m_Folder.Write(Q("image.bin"), QByteArray());
    const QString folder = m_Folder.Path(Q("folder")), missing = m_Folder.Path(Q("ttyUSB9"));
    const QString dangling = m_Folder.Path(Q("my-adapter")), gone = m_Folder.Path(Q("ttyUSB7"));
    ASSERT_TRUE(QDir().mkpath(folder) && QFile::link(gone, dangling));
    qputenv("KW3_COM4", missing.toLocal8Bit());
    S_LinkSettings com4;
    com4.m_Choice.m_ComNumber = 4;
    const std::tuple<const char*, S_LinkSettings, S_PortProblemLine> cases[] = {
        {"busy", DeviceLink(line.DevicePath()), {Msg::PortBusyBy, Q(" test_comm (%1)").arg(holder.m_Process)}},
        {"a regular file", DeviceLink(file), {Msg::PortNotSerial, ' ' + file}},
        {"a folder", DeviceLink(folder), {Msg::PortNotSerial, ' ' + folder}},
        {"missing", DeviceLink(missing), {Msg::PortMissing, ' ' + missing}},
        {"a COM port that is not there", com4, {Msg::PortMissing, Q(" COM4 (") + missing + ')'}},
        {"a link whose device is gone", DeviceLink(dangling), {Msg::PortMissing, ' ' + dangling + Q(" → ") + gone}},
        {"the chosen adapter pulled out",
         DeviceLink(Q("/dev/serial/by-id/usb-gone"), Q("FT232R"), Q("A502")),
         {Msg::AdapterNotPlugged, Q(" FT232R, A502")}},
    };
    for (const auto& [what, settings, first] : cases) {
        for (const bool download : {true, false}) {
            RecordedLines lines;
            C_KW3Communication link(&lines, settings);
            std::uint8_t image[4] = {1, 2, 3, 4};
            EXPECT_FALSE(download ? link.SendImage(image, 4) : link.ReceiveImage(image, 4)) << what;
            ASSERT_FALSE(lines.m_Lines.empty()) << what;
            EXPECT_EQ(lines.m_Lines.front(), first) << what << ": " << lines.m_Lines.front().m_Detail.toStdString();
            // What follows lists the ports there, no line of a handshake.
            for (std::size_t i = 1; i < lines.m_Lines.size(); ++i)
                EXPECT_TRUE(lines.m_Lines[i].m_Id == Msg::PortsThere || lines.m_Lines[i].m_Id == Msg::NoPortsThere);
        }
    }
    std::uint8_t byte = 0;
    EXPECT_EQ(line.ReadByte(100, byte), C_PseudoTerminal::ReadResult::Timeout) << "no byte reached the busy port";
    EXPECT_EQ(QFileInfo(file).size(), 0) << "no byte went into the file";
    qunsetenv("KW3_COM4");

    // May not be used: the port's group, and the way into it or only a new login.
    for (const bool inDatabase : {false, true}) {
        S_AccountQueries accounts;
        accounts.m_DeviceGroup = [](const QString&) { return std::optional<unsigned>(20); };
        accounts.m_GroupName = [](unsigned group) { return group == 20 ? Q("dialout") : QString(); };
        accounts.m_UserName = [] { return Q("tech"); };
        accounts.m_UserInGroup = [inDatabase](unsigned) { return inDatabase; };
        accounts.m_ProcessInGroup = [](unsigned) { return false; };
        const S_PortProblemLine expected =
            inDatabase ? S_PortProblemLine{Msg::PortGroupNotActive, Q(" dialout")}
                       : S_PortProblemLine{Msg::PortNoPermission, Q(" sudo usermod -aG dialout tech")};
        EXPECT_EQ(DiagnoseUnusablePort(DeviceLink(Q("/dev/ttyUSB0")), EACCES, m_Ports, accounts),
                  std::vector<S_PortProblemLine>{expected});
    }
}

TEST_F(PortsTest, ComSetupFollowsThePlugsAndStoresTheAdapterByItsStableName)
{
    const S_FoundPort com1{Q("/dev/ttyS0"), {}, {}, {}, {}};
    const S_FoundPort ftdi0 = Ftdi(Q("/dev/ttyUSB0"));
    const std::vector<S_DeviceLink> ftdiAt0{{FtdiById, Q("/dev/ttyUSB0")}};
    m_Ports.Set({com1});
    S_PortSettings settings;
    const auto rowOf = [](const TCOMSetupForm& dialog, const char* device) {
        for (int row = 0; row < dialog.m_PortsList->count(); ++row)
            if (dialog.EntryAt(row) != nullptr && dialog.EntryAt(row)->m_Port.m_Device == Q(device))
                return row;
        return -1;
    };
    // Within 2 s of a plug or a pull.
    const auto follows = [](const TCOMSetupForm& dialog, const std::function<bool()>& shown) {
        EXPECT_TRUE(QTest::qWaitFor(shown, 2000));
        return dialog.m_PortsList->count();
    };
    {
        TCOMSetupForm dialog(settings, m_Ports, nullptr);
        dialog.show();
        EXPECT_EQ(dialog.m_COMPortButtons->checkedId(), 0);
        m_Ports.Set({com1, ftdi0}, ftdiAt0);
        EXPECT_EQ(follows(dialog, [&] { return dialog.m_PortsList->count() == 2; }), 2);
        m_Ports.Set({com1, ftdi0, Prolific(Q("/dev/ttyUSB1"))}, ftdiAt0);
        follows(dialog, [&] { return dialog.m_PortsList->count() == 3; });
        m_Ports.Set({com1, ftdi0}, ftdiAt0);
        EXPECT_EQ(follows(dialog, [&] { return dialog.m_PortsList->count() == 2; }), 2);
        const int row = rowOf(dialog, "/dev/ttyUSB0");
        EXPECT_TRUE(dialog.m_PortsList->item(row)->toolTip().contains(FtdiById));
        dialog.m_PortsList->setCurrentRow(row);
        EXPECT_EQ(dialog.m_COMPortButtons->checkedId(), -1) << "one choice: the entry, no COM button";
        dialog.m_OKButton->click();
    }
    EXPECT_EQ(settings.m_Port, (S_PortChoice{1, FtdiById, Q("FT232R USB UART (FTDI)"), Q("A50285BI")}));

    // In another socket it is found again; pulled out, it stays chosen and says so.
    m_Ports.Set({com1, Ftdi(Q("/dev/ttyUSB3"))}, {{FtdiById, Q("/dev/ttyUSB3")}});
    {
        TCOMSetupForm dialog(settings, m_Ports, nullptr);
        EXPECT_EQ(dialog.m_PortsList->currentRow(), rowOf(dialog, "/dev/ttyUSB3"));
        m_Ports.Set({com1});
        dialog.show();
        const QString pulled = Q("FT232R USB UART (FTDI) — ") + Text(Msg::NotPluggedIn);
        follows(dialog, [&] { return dialog.m_PortsList->currentItem()->text() == pulled; });
        dialog.m_OKButton->click();
    }
    EXPECT_EQ(settings.m_Port.m_Device, FtdiById);

    // The entry of a COM port stores its number; Other device needs a whole path.
    {
        TCOMSetupForm dialog(settings, m_Ports, nullptr);
        dialog.m_PortsList->setCurrentRow(rowOf(dialog, "/dev/ttyS0"));
        dialog.m_OKButton->click();
    }
    EXPECT_EQ(settings.m_Port, (S_PortChoice{1, QString(), QString(), QString()}));
    TCOMSetupForm dialog(settings, m_Ports, nullptr);
    QTest::keyClicks(dialog.m_OtherDeviceEdit, Q("pts/7"));
    EXPECT_EQ(dialog.m_COMPortButtons->checkedId(), TCOMSetupForm::OtherDeviceId);
    const ScriptedMessageBoxes boxes;
    dialog.m_OKButton->click();
    EXPECT_EQ(boxes.Shown().at(0).text, Text(Msg::DevicePathNeeded));
    QTest::keyClick(dialog.m_OtherDeviceEdit, Qt::Key_Home);
    QTest::keyClicks(dialog.m_OtherDeviceEdit, Q("/dev/"));
    dialog.m_OKButton->click();
    EXPECT_EQ(settings.m_Port, (S_PortChoice{1, Q("/dev/pts/7"), QString(), QString()}));
}
