// Configuration files: recognising a file, reading .KWC and .KW3, and saving
// without ever damaging what is on disk.
#include "desktop/Updown.h"
#include "document/Configurationfile.h"
#include "editor/Treenodes.h"
#include "support/Formatfixture.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>

namespace {

class FilesTest : public FormatFixture
{
protected:
    // A standard configuration that saves: one program, one cycle of one step.
    static ImageBuilder Valid(const S_TestLayout& layout = StandardLayout)
    {
        ImageBuilder image(layout);
        image.Step(0, 1, 1, 1, {{10, 0}, {11, 5}}).Program(0, 1, {{1, 1}});
        return image;
    }
};

} // namespace

TEST_F(FilesTest, FilesRecognisedOrRefused)
{
    const struct
    {
        const char* m_Name;
        QByteArray m_Bytes;
        bool m_Old;
        int m_Code;    // -1: none
        int m_Refusal; // 0: none
    } cases[] = {
        {"a.KWC", QByteArray("\xFE\xCA", 2), false, 0xCAFE, 0},
        {"b.kwc",
         QByteArray("\x90\xCB"
                    "rest",
                    6),
         false, 0xCB90, 0},
        {"c.bin", QByteArray("\x54\xF9", 2), false, 0xF954, 0},
        {"d.KWC", QByteArray("\xFE", 1), false, -1, 48},
        {"e.KWC", QByteArray(), false, -1, 48},
        {"f.KWC", QByteArray("\xCA\xFE", 2), false, -1, 48},
        {"g.kW3", QByteArray("\x00", 1), true, -1, 0},
        {"h.KW3", QByteArray(), true, -1, 0},
    };
    for (const auto& c : cases) {
        const QString path = m_Folder.Write(QString::fromLatin1(c.m_Name), c.m_Bytes);
        const C_ConfigurationFile file(path);
        EXPECT_EQ(file.IsOld(), c.m_Old) << c.m_Name;
        EXPECT_EQ(file.FormatCode().value_or(0xFFFF) == 0xFFFF ? -1 : int(*file.FormatCode()), c.m_Code) << c.m_Name;
        EXPECT_EQ(file.Refusal(), c.m_Refusal == 0 ? QString() : QStringLiteral("<%1> %2").arg(c.m_Refusal).arg(path))
            << c.m_Name;
    }
    const QString missing = m_Folder.Path(QStringLiteral("missing.KWC"));
    EXPECT_EQ(C_ConfigurationFile(missing).Refusal(), QStringLiteral("<47> ") + missing);
    EXPECT_EQ(C_ConfigurationFile(m_Folder.Path(QString())).Refusal().left(5), QStringLiteral("<47> "));
    EXPECT_EQ(C_EEPROMFormat::Create(0x1234, 16), nullptr);
}

TEST_F(FilesTest, SavedFileLoadsBackIdentically)
{
    Load(Valid());
    const QByteArray first = Save(QStringLiteral("lower.kwc"));
    ASSERT_EQ(first.size(), 8184);
    EXPECT_EQ(first.left(2), QByteArray("\xFE\xCA", 2));
    const C_ConfigurationFile file(m_Folder.Path(QStringLiteral("lower.kwc")));
    NewPanes();
    C_PaneLines lines(*m_Panes);
    m_Format = file.Open(*file.FormatCode(), m_Value, lines);
    m_Panes->ShowRead(*m_Format, m_Value);
    EXPECT_EQ(Save(QStringLiteral("again.KWC")), first);
}

TEST_F(FilesTest, AnyOtherExtensionIsReadAsAConfigurationFile)
{
    ImageBuilder image = Valid();
    image.Set(7504, {4});
    Load(image, QStringLiteral("copy.bak"));
    EXPECT_EQ(m_Panes->ServiceControls(ServiceParameter::Language).m_List->currentIndex(), 4);
    EXPECT_EQ(m_Panes->m_CyclesTree->topLevelItem(0)->childCount(), 1);
}

TEST_F(FilesTest, OldFileOfAShorterImageKeepsTheDefaults)
{
    // A standard image imported as inverter: the inverter's last two bytes keep the new image's values.
    ImageBuilder inverter = Valid(InverterLayout);
    const QByteArray shorter = inverter.OldFile().left(7410);
    LoadBytes(shorter, QStringLiteral("old.Kw3"), 0xCB90);
    EXPECT_EQ(m_Panes->m_CyclesTree->topLevelItem(0)->childCount(), 1);
    EXPECT_EQ(m_Panes->ServiceControls(ServiceParameter::MaximumSpeed).m_UpDown->Position(), 999);
    EXPECT_EQ(m_Panes->ServiceControls(ServiceParameter::SpinLevel).m_UpDown->Position(), 2);
    EXPECT_EQ(m_Format->Image()[7409], 16) << "read from the file";
    EXPECT_EQ(m_Format->Image()[7410], 1) << "the new image's advance enable";
    EXPECT_EQ(m_Format->Image()[8183], 255);
}

TEST_F(FilesTest, TruncatedConfigurationFileLoadsWithDefaults)
{
    LoadBytes(Valid().ConfigurationFile().left(2 + 7500), QStringLiteral("short.KWC"), 0xCAFE);
    EXPECT_EQ(m_Panes->ServiceControls(ServiceParameter::MaintenanceRequest).m_UpDown->Position(), 1000);
    EXPECT_EQ(m_Panes->ServiceControls(ServiceParameter::Language).m_List->currentIndex(), 1);
    EXPECT_EQ(m_Panes->m_CyclesTree->topLevelItem(0)->childCount(), 1);
    EXPECT_EQ(m_Format->Image()[7509], 0) << "the outputs byte of a format created to read a file";
    EXPECT_EQ(m_Format->GetOutputs(), 16);
}

TEST_F(FilesTest, FailedSaveLeavesTheFileAlone)
{
    m_Folder.Write(QStringLiteral("kept.KWC"), "old contents");
    C_EEPROMFormat& format = Create(StandardLayout, 16); // no programs: the build fails
    EXPECT_TRUE(Save(QStringLiteral("kept.KWC")).isEmpty());
    EXPECT_FALSE(format.ImageBuilt());
    EXPECT_EQ(m_Folder.Read(QStringLiteral("kept.KWC")), QByteArray("old contents"));

    Load(Valid());
    const QString folder = m_Folder.Path(QStringLiteral("folder.KWC"));
    QDir().mkpath(folder);
    for (const QString& path : {QStringLiteral("folder.KWC"), QStringLiteral("no/such/folder/x.KWC")}) {
        EXPECT_TRUE(Save(path).isEmpty()) << path.toStdString();
        EXPECT_TRUE(m_Format->ImageBuilt());
        // The line names the system's reason.
        EXPECT_TRUE(Lines().last().startsWith(QStringLiteral("[!] <182>: "))) << Lines().last().toStdString();
    }
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_EQ(QDir(m_Folder.Path(QString())).entryList(QDir::Files),
              (QStringList{QStringLiteral("Ids.lng"), QStringLiteral("in.KWC"), QStringLiteral("kept.KWC")}));
}

TEST_F(FilesTest, UnwrittenBytesSurviveLoadAndSave)
{
    ImageBuilder image = Valid();
    image
        .Set(9, {0x5A})             // byte 9 of a step record
        .Set(16 * 5 + 1, {1, 2, 3}) // an unused record past the steps
        .Set(7485, {6})             // hysteresis
        .Set(7494, {0x11, 0x12})    // not used
        .Set(7506, {0x13})
        .Set(7513, {0x14, 0x15})
        .Set(7515, {7, 8, 9}) // reserved, not cleared by a build
        .Set(7519, {0x16})
        .Set(8181, {0x17});
    Load(image);
    const ImageBuilder saved = Saved(StandardLayout);
    for (const auto& [offset, value] : std::vector<std::pair<int, int>>{{9, 0x5A},
                                                                        {81, 1},
                                                                        {82, 2},
                                                                        {83, 3},
                                                                        {7485, 6},
                                                                        {7494, 0x11},
                                                                        {7495, 0x12},
                                                                        {7506, 0x13},
                                                                        {7513, 0x14},
                                                                        {7514, 0x15},
                                                                        {7515, 7},
                                                                        {7516, 8},
                                                                        {7517, 9},
                                                                        {7519, 0x16},
                                                                        {8181, 0x17},
                                                                        {7484, 0},
                                                                        {7486, 0},
                                                                        {7493, 0}})
        EXPECT_EQ(saved.At(offset), value) << offset;
}

TEST_F(FilesTest, VarnholtKeepsItsOwnByte)
{
    ImageBuilder image = Valid(VarnholtLayout);
    image.Set(7413, {77});
    Load(image);
    EXPECT_EQ(Saved(VarnholtLayout).At(7413), 77);
    for (QWidget* control :
         std::initializer_list<QWidget*>{m_Panes->ServiceControls(ServiceParameter::MaintenanceRequest).m_Label,
                                         m_Panes->ServiceControls(ServiceParameter::MaintenanceRequest).m_UpDown,
                                         m_Panes->ServiceControls(ServiceParameter::MaintenanceRequest).m_Box,
                                         m_Panes->ServiceControls(ServiceParameter::SlowingDownTime).m_Label,
                                         m_Panes->ServiceControls(ServiceParameter::SlowingDownTime).m_UpDown,
                                         m_Panes->ServiceControls(ServiceParameter::SlowingDownTime).m_Box})
        EXPECT_FALSE(control->isEnabled());
    Load(Valid(InverterLayout));
    EXPECT_TRUE(m_Panes->ServiceControls(ServiceParameter::SlowingDownTime).m_UpDown->isEnabled());
}

TEST_F(FilesTest, ServiceValuesWithoutAnEntry)
{
    ImageBuilder image = Valid();
    image.Set(7504, {255}).Set(7505, {0});
    Load(image);
    EXPECT_EQ(m_Panes->ServiceControls(ServiceParameter::Language).m_List->currentIndex(), -1);
    EXPECT_EQ(m_Panes->ServiceControls(ServiceParameter::TemperatureUnit).m_List->currentIndex(), 1);
    const ImageBuilder saved = Saved(StandardLayout);
    EXPECT_EQ(saved.At(7504), 255);
    EXPECT_EQ(saved.At(7505), 0x66);
}
