#include "comm/Comsetup.h"
#include "comm/Portdiagnosis.h"
#include "comm/Rs232handler.h"
#include "language/Language.h"
#include "language/Messages.h"
#include "model/Context.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/Standinports.h"
#include "support/TempFolder.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
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

const QString ById = QStringLiteral("/dev/serial/by-id/");
const QString ByPath = QStringLiteral("/dev/serial/by-path/pci-0000:00:14.0-usb-0:");

// The lines a transfer reports: id and detail.
class RecordedLines : public C_TransferListener
{
public:
    void Reported(std::int16_t id, int, const QString& detail) override { m_Lines.push_back({id, detail}); }
    std::vector<S_PortProblemLine> m_Lines;
};

class PortsTest : public ::testing::Test
{
protected:
    const TempFolder m_Folder;
    const C_LanguageManager m_Language{SourceFile(QStringLiteral("resources/English.lng"))};
    C_StandInPorts m_Ports;
};

// A second process holding the device as a transfer would: open and locked, until it is told to go.
class PortHolder
{
public:
    explicit PortHolder(const QString& device)
    {
        const QByteArray path = QFile::encodeName(device);
        int ready[2];
        int release[2];
        if (::pipe(ready) != 0 || ::pipe(release) != 0)
            return;
        m_Process = ::fork();
        if (m_Process == 0) {
            // The parent's ends: with the release end open here, the release would never come.
            ::close(ready[0]);
            ::close(release[1]);
            const int handle = ::open(path.constData(), O_RDWR | O_NOCTTY);
            const char state = handle >= 0 && ::flock(handle, LOCK_EX | LOCK_NB) == 0 ? 'y' : 'n';
            (void)!::write(ready[1], &state, 1);
            char gone = 0;
            (void)!::read(release[0], &gone, 1);
            ::_exit(0);
        }
        ::close(ready[1]);
        ::close(release[0]);
        char state = 'n';
        m_Holding = ::read(ready[0], &state, 1) == 1 && state == 'y';
        ::close(ready[0]);
        m_Release = release[1];
    }
    ~PortHolder()
    {
        ::close(m_Release);
        if (m_Process > 0)
            ::waitpid(m_Process, nullptr, 0);
    }
    pid_t m_Process = -1;
    bool m_Holding = false;

private:
    int m_Release = -1;
};

S_LinkSettings DeviceLink(const QString& device, const QString& name = QString(), const QString& serial = QString())
{
    S_LinkSettings link;
    link.m_Choice = {1, device, name, serial};
    link.m_ReceiveTimeout = 100;
    link.m_SendTimeout = 100;
    return link;
}

} // namespace

TEST_F(PortsTest, TheListNamesEachDeviceOnceByItsStableName)
{
    struct Expected
    {
        const char* device;
        QString stable;
        const char* shown;
    };
    struct Case
    {
        const char* what;
        std::vector<S_FoundPort> found;
        std::vector<S_DeviceLink> byId, byPath;
        std::vector<Expected> expected;
    };
    const QString prolificId = ById + QStringLiteral("usb-Prolific_Technology_Inc._USB-Serial_Controller-if00-port0");
    const Case cases[] = {
        {"by-id before by-path",
         {Ftdi(QStringLiteral("/dev/ttyUSB0"))},
         {{FtdiById, QStringLiteral("/dev/ttyUSB0")}},
         {{ByPath + QStringLiteral("1:1.0-port0"), QStringLiteral("/dev/ttyUSB0")}},
         {{"/dev/ttyUSB0", FtdiById, "FT232R USB UART (FTDI) \u2014 ttyUSB0"}}},
        {"two alike without serial numbers share a by-id name: by-path for both",
         {Prolific(QStringLiteral("/dev/ttyUSB1")), Prolific(QStringLiteral("/dev/ttyUSB0"))},
         {{prolificId, QStringLiteral("/dev/ttyUSB1")}},
         {{ByPath + QStringLiteral("1:1.0-port0"), QStringLiteral("/dev/ttyUSB0")},
          {ByPath + QStringLiteral("2:1.0-port0"), QStringLiteral("/dev/ttyUSB1")}},
         {{"/dev/ttyUSB0", ByPath + QStringLiteral("1:1.0-port0"),
           "USB-Serial Controller (Prolific Technology Inc.) \u2014 ttyUSB0"},
          {"/dev/ttyUSB1", ByPath + QStringLiteral("2:1.0-port0"),
           "USB-Serial Controller (Prolific Technology Inc.) \u2014 ttyUSB1"}}},
        {"only COM ports, by number",
         {{QStringLiteral("/dev/ttyS1"), {}, {}, {}, {}}, {QStringLiteral("/dev/ttyS0"), {}, {}, {}, {}}},
         {},
         {},
         {{"/dev/ttyS0", QString(), "COM 1 \u2014 ttyS0"}, {"/dev/ttyS1", QString(), "COM 2 \u2014 ttyS1"}}},
        {"one device under two names",
         {Ftdi(QStringLiteral("/dev/ttyUSB0")), Ftdi(FtdiById)},
         {{FtdiById, QStringLiteral("/dev/ttyUSB0")}},
         {},
         {{"/dev/ttyUSB0", FtdiById, "FT232R USB UART (FTDI) \u2014 ttyUSB0"}}},
        {"COM ports first, then ttyUSB2 before ttyUSB10",
         {Ftdi(QStringLiteral("/dev/ttyUSB10"), QStringLiteral("B")), Ch340(QStringLiteral("/dev/ttyUSB2")),
          {QStringLiteral("/dev/ttyACM0"), QStringLiteral("Board CDC"), {}, QStringLiteral("7"), QStringLiteral("2341:0043")},
          {QStringLiteral("/dev/ttyS3"), {}, {}, {}, {}}},
         {},
         {},
         {{"/dev/ttyS3", QString(), "COM 4 \u2014 ttyS3"},
          {"/dev/ttyACM0", QString(), "Board CDC \u2014 ttyACM0"},
          {"/dev/ttyUSB2", QString(), "USB Serial (QinHeng Electronics) \u2014 ttyUSB2"},
          {"/dev/ttyUSB10", QString(), "FT232R USB UART (FTDI) \u2014 ttyUSB10"}}},
    };
    for (const Case& c : cases) {
        m_Ports.Set(c.found, c.byId, c.byPath);
        const std::vector<S_PortEntry> entries = ListPorts(m_Ports);
        ASSERT_EQ(entries.size(), c.expected.size()) << c.what;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            EXPECT_EQ(entries[i].m_Port.m_Device, QLatin1String(c.expected[i].device)) << c.what;
            EXPECT_EQ(entries[i].m_StableName, c.expected[i].stable) << c.what;
            EXPECT_EQ(entries[i].DisplayName(), QString::fromUtf8(c.expected[i].shown)) << c.what;
        }
    }

    // The stored adapter is found under whichever number it has now, and only it.
    m_Ports.Set({Prolific(QStringLiteral("/dev/ttyUSB0")), Ftdi(QStringLiteral("/dev/ttyUSB1"))},
                {{FtdiById, QStringLiteral("/dev/ttyUSB1")}});
    const std::vector<S_PortEntry> entries = ListPorts(m_Ports);
    const S_PortEntry* found = FindStoredPort(entries, FtdiById, m_Ports);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->m_Port.m_Device, QStringLiteral("/dev/ttyUSB1"));
    m_Ports.Set({Prolific(QStringLiteral("/dev/ttyUSB0"))});
    EXPECT_EQ(FindStoredPort(ListPorts(m_Ports), FtdiById, m_Ports), nullptr);
}

TEST_F(PortsTest, SettingsOfOlderVersionsKeepTheirComNumber)
{
    qunsetenv("KW3_COM7");
    struct Case
    {
        int com;
        QString device;
        const char* opened;
        const char* portName;
        QString ignored;
    };
    const QString garbage = QStringLiteral("ttyUSB0\x01");
    const Case cases[] = {
        {3, QString(), "/dev/ttyS2", "COM3", QString()},
        {7, QString(), "/dev/ttyS6", "COM7", QString()},
        {2, QStringLiteral("/dev/pts/4"), "/dev/pts/4", "pts4", QString()},
        {2, FtdiById, "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0",
         "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0", QString()},
        {2, garbage, "/dev/ttyS1", "COM2", garbage},
        {2, QStringLiteral("relative/tty"), "/dev/ttyS1", "COM2", QStringLiteral("relative/tty")},
    };
    for (const Case& c : cases) {
        {
            C_Context stored;
            stored.SetComNumber(c.com);
            stored.SetDevice(c.device);
        }
        const S_LinkSettings link = C_Context().LinkSettings();
        EXPECT_EQ(link.Device(), QLatin1String(c.opened)) << c.com;
        EXPECT_EQ(link.PortName(), QLatin1String(c.portName)) << c.com;
        EXPECT_EQ(link.m_IgnoredDevice, c.ignored) << c.com;
    }
}

TEST_F(PortsTest, APortThatCannotBeUsedEndsTheTransferBeforeAnyByteAndSaysWhatToDo)
{
    C_PseudoTerminal line;
    ASSERT_TRUE(line.Open());
    const PortHolder holder(line.DevicePath());
    ASSERT_TRUE(holder.m_Holding);
    const QString file = m_Folder.Write(QStringLiteral("image.bin"), QByteArray());
    const QString dangling = m_Folder.Path(QStringLiteral("my-adapter"));
    ASSERT_TRUE(QFile::link(m_Folder.Path(QStringLiteral("ttyUSB7")), dangling));
    const QString missing = m_Folder.Path(QStringLiteral("ttyUSB9"));
    const QString folder = m_Folder.Path(QStringLiteral("folder"));
    ASSERT_TRUE(QDir().mkpath(folder));
    qputenv("KW3_COM4", missing.toLocal8Bit());
    S_LinkSettings com4 = DeviceLink(QString());
    com4.m_Choice.m_ComNumber = 4;

    struct Case
    {
        const char* what;
        S_LinkSettings link;
        S_PortProblemLine first;
    };
    const Case cases[] = {
        {"busy", DeviceLink(line.DevicePath()),
         {Msg::PortBusyBy, QStringLiteral(" test_comm (%1)").arg(holder.m_Process)}},
        {"a regular file", DeviceLink(file), {Msg::PortNotSerial, QLatin1Char(' ') + file}},
        {"a folder", DeviceLink(folder), {Msg::PortNotSerial, QLatin1Char(' ') + folder}},
        {"missing", DeviceLink(missing), {Msg::PortMissing, QLatin1Char(' ') + missing}},
        {"a COM port that is not there", com4,
         {Msg::PortMissing, QStringLiteral(" COM4 (") + missing + QLatin1Char(')')}},
        {"a link whose device is gone", DeviceLink(dangling),
         {Msg::PortMissing,
          QLatin1Char(' ') + dangling + QStringLiteral(" \u2192 ") + m_Folder.Path(QStringLiteral("ttyUSB7"))}},
        {"the chosen adapter pulled out",
         DeviceLink(ById + QStringLiteral("usb-gone"), QStringLiteral("FT232R USB UART (FTDI)"),
                    QStringLiteral("A50285BI")),
         {Msg::AdapterNotPlugged, QStringLiteral(" FT232R USB UART (FTDI), A50285BI")}},
    };
    for (const Case& c : cases) {
        for (const bool download : {true, false}) {
            RecordedLines lines;
            C_KW3Communication link(&lines, c.link);
            std::uint8_t image[4] = {1, 2, 3, 4};
            EXPECT_FALSE(download ? link.SendImage(image, 4) : link.ReceiveImage(image, 4)) << c.what;
            ASSERT_FALSE(lines.m_Lines.empty()) << c.what;
            EXPECT_EQ(lines.m_Lines.front(), c.first) << c.what << ": " << lines.m_Lines.front().m_Detail.toStdString();
            // What follows lists the ports there, no line of a handshake.
            for (std::size_t i = 1; i < lines.m_Lines.size(); ++i)
                EXPECT_TRUE(lines.m_Lines[i].m_Id == Msg::PortsThere || lines.m_Lines[i].m_Id == Msg::NoPortsThere)
                    << c.what;
        }
    }
    std::uint8_t byte = 0;
    EXPECT_EQ(line.ReadByte(100, byte), C_PseudoTerminal::ReadResult::Timeout) << "no byte reached the busy port";
    EXPECT_EQ(QFileInfo(file).size(), 0) << "no byte went into the file";
    qunsetenv("KW3_COM4");
}

TEST_F(PortsTest, APortThatMayNotBeUsedNamesItsGroupAndTheWayIn)
{
    struct Case
    {
        bool inDatabase, inProcess;
        S_PortProblemLine expected;
    };
    const Case cases[] = {
        {false, false, {Msg::PortNoPermission, QStringLiteral(" sudo usermod -aG dialout tech")}},
        {true, false, {Msg::PortGroupNotActive, QStringLiteral(" dialout")}},
    };
    for (const Case& c : cases) {
        S_AccountQueries accounts;
        accounts.m_DeviceGroup = [](const QString&) { return std::optional<unsigned>(20); };
        accounts.m_GroupName = [](unsigned group) { return group == 20 ? QStringLiteral("dialout") : QString(); };
        accounts.m_UserName = [] { return QStringLiteral("tech"); };
        accounts.m_UserInGroup = [&c](unsigned) { return c.inDatabase; };
        accounts.m_ProcessInGroup = [&c](unsigned) { return c.inProcess; };
        const std::vector<S_PortProblemLine> lines =
            DiagnoseUnusablePort(DeviceLink(QStringLiteral("/dev/ttyUSB0")), EACCES, m_Ports, accounts);
        EXPECT_EQ(lines, std::vector<S_PortProblemLine>{c.expected});
    }
}

TEST_F(PortsTest, ComSetupFollowsThePlugsAndStoresTheAdapterByItsStableName)
{
    const S_FoundPort com1{QStringLiteral("/dev/ttyS0"), {}, {}, {}, {}};
    m_Ports.Set({com1});
    S_PortSettings settings;
    const auto rowOf = [](const TCOMSetupForm& dialog, const QString& device) {
        for (int row = 0; row < dialog.m_PortsList->count(); ++row)
            if (dialog.EntryAt(row) != nullptr && dialog.EntryAt(row)->m_Port.m_Device == device)
                return row;
        return -1;
    };
    const auto waitForRows = [](const TCOMSetupForm& dialog, int rows) {
        QElapsedTimer elapsed;
        elapsed.start();
        EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.m_PortsList->count() == rows; }, 2000));
        return elapsed.elapsed();
    };
    {
        TCOMSetupForm dialog(settings, m_Ports, nullptr);
        dialog.show();
        EXPECT_EQ(dialog.m_COMPortButtons->checkedId(), 0);
        EXPECT_EQ(dialog.m_PortsList->item(0)->text(), QString::fromUtf8("COM 1 \u2014 ttyS0"));
        // Plugged, another plugged and pulled again: the list follows within 2 s.
        m_Ports.Set({com1, Ftdi(QStringLiteral("/dev/ttyUSB0"))}, {{FtdiById, QStringLiteral("/dev/ttyUSB0")}});
        EXPECT_LE(waitForRows(dialog, 2), 2000);
        m_Ports.Set({com1, Ftdi(QStringLiteral("/dev/ttyUSB0")), Prolific(QStringLiteral("/dev/ttyUSB1"))},
                    {{FtdiById, QStringLiteral("/dev/ttyUSB0")}});
        waitForRows(dialog, 3);
        m_Ports.Set({com1, Ftdi(QStringLiteral("/dev/ttyUSB0"))}, {{FtdiById, QStringLiteral("/dev/ttyUSB0")}});
        EXPECT_LE(waitForRows(dialog, 2), 2000);
        const int ftdi = rowOf(dialog, QStringLiteral("/dev/ttyUSB0"));
        ASSERT_GE(ftdi, 0);
        EXPECT_TRUE(dialog.m_PortsList->item(ftdi)->toolTip().contains(FtdiById));
        EXPECT_TRUE(dialog.m_PortsList->item(ftdi)->toolTip().contains(QStringLiteral("A50285BI")));
        dialog.m_PortsList->setCurrentRow(ftdi);
        EXPECT_EQ(dialog.m_COMPortButtons->checkedId(), -1) << "one choice: the entry, no COM button";
        dialog.m_OKButton->click();
    }
    EXPECT_EQ(settings.m_Port, (S_PortChoice{1, FtdiById, QStringLiteral("FT232R USB UART (FTDI)"), QStringLiteral("A50285BI")}));

    // In another socket it is found again; pulled out, it stays chosen and says so.
    m_Ports.Set({com1, Ftdi(QStringLiteral("/dev/ttyUSB3"))}, {{FtdiById, QStringLiteral("/dev/ttyUSB3")}});
    {
        TCOMSetupForm dialog(settings, m_Ports, nullptr);
        EXPECT_EQ(dialog.m_PortsList->currentRow(), rowOf(dialog, QStringLiteral("/dev/ttyUSB3")));
        m_Ports.Set({com1});
        dialog.show();
        const QString pulled = QString::fromUtf8("FT232R USB UART (FTDI) \u2014 ") + Text(Msg::NotPluggedIn);
        EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.m_PortsList->currentItem()->text() == pulled; }, 2000));
        dialog.m_OKButton->click();
    }
    EXPECT_EQ(settings.m_Port.m_Device, FtdiById);

    // The entry of a COM port stores its number; Other device needs a whole path.
    {
        TCOMSetupForm dialog(settings, m_Ports, nullptr);
        dialog.show();
        dialog.m_PortsList->setCurrentRow(rowOf(dialog, QStringLiteral("/dev/ttyS0")));
        dialog.m_OKButton->click();
    }
    EXPECT_EQ(settings.m_Port, (S_PortChoice{1, QString(), QString(), QString()}));
    {
        TCOMSetupForm dialog(settings, m_Ports, nullptr);
        dialog.show();
        QTest::keyClicks(dialog.m_OtherDeviceEdit, QStringLiteral("pts/7"));
        EXPECT_EQ(dialog.m_COMPortButtons->checkedId(), TCOMSetupForm::OtherDeviceId);
        ScriptedMessageBoxes boxes;
        dialog.m_OKButton->click();
        ASSERT_EQ(boxes.Shown().size(), 1u);
        EXPECT_EQ(boxes.Shown()[0].text, Text(Msg::DevicePathNeeded));
        EXPECT_TRUE(dialog.isVisible());
        dialog.m_OtherDeviceEdit->setText(QStringLiteral("/dev/pts/7"));
        dialog.m_COMPortButtons->button(2)->click();
        dialog.m_OtherDeviceButton->click();
        dialog.m_OKButton->click();
        EXPECT_FALSE(dialog.isVisible());
    }
    EXPECT_EQ(settings.m_Port, (S_PortChoice{1, QStringLiteral("/dev/pts/7"), QString(), QString()}));
}
