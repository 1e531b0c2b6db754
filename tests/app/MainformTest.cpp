#include "app/Appearance.h"
#include "document/Configurationtext.h"
#include "editor/Formatselector.h"
#include "editor/Newconfiguration.h"
#include "editor/Treenodes.h"
#include "language/Language.h"
#include "language/Messages.h"
#include "model/Eepromformat.h"
#include "support/Mainformfixture.h"
#include "support/ModalDriver.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QToolButton>
#include <QTreeWidget>

#include <functional>

namespace {

QString NewName(int n)
{
    return Text(90) + QString::number(n) + QStringLiteral(".KWC");
}

QStringList Paths(const QList<TFormMDIChild*>& windows)
{
    QStringList paths;
    for (const TFormMDIChild* window : windows)
        paths << window->Path();
    return paths;
}

} // namespace

TEST_F(MainFormTest, StartUpReopensTheLastConfigurationOnTheFirstShowOnly)
{
    const QString stored = WriteConfiguration(QStringLiteral("stored.KWC"));
    const QString given = WriteConfiguration(QStringLiteral("given.KWC"), InverterLayout);
    const QString missing = m_Folder.Path(QStringLiteral("missing.KWC"));
    struct Case
    {
        const char* name;
        QString stored;
        const QString* argument;
        QString opened; // "" for no window
    };
    const Case cases[] = {
        {"nothing stored, no argument", QString(), nullptr, QString()},
        {"stored, no argument", stored, nullptr, stored},
        {"the argument replaces the stored", stored, &given, given},
        {"a missing argument", stored, &missing, QString()},
        {"a missing stored file", missing, nullptr, QString()},
    };
    for (const Case& c : cases) {
        {
            C_Context before;
            before.SetLastConfiguration(c.stored);
        }
        m_Boxes.Clear();
        StartRun(c.argument);
        EXPECT_EQ(Paths(Main().Configurations()), c.opened.isEmpty() ? QStringList() : QStringList{c.opened}) << c.name;
        EXPECT_TRUE(m_Boxes.Shown().empty()) << c.name;

        // Restoring from minimised shows the frame again; a window closed meanwhile stays closed.
        Main().m_FileCloseAction->trigger();
        Main().showMinimized();
        QApplication::processEvents();
        Main().showNormal();
        Main().hide();
        Main().show();
        QApplication::processEvents();
        EXPECT_EQ(WindowCount(), 0) << c.name;
        EndRun();
    }
}

TEST_F(MainFormTest, ShutDownStoresGeometryAndTheActiveWindowOnlyWhenEveryWindowAgrees)
{
    const QString a = WriteConfiguration(QStringLiteral("a.KWC"));
    const QString b = WriteConfiguration(QStringLiteral("b.KWC"));
    const QString c = WriteConfiguration(QStringLiteral("c.KWC"));
    struct Case
    {
        const char* name;
        QStringList open;
        QString active;
    };
    const Case cases[] = {
        {"no window", {}, QString()},
        {"one window", {a}, a},
        {"the active one of several", {a, b, c}, b},
    };
    for (const Case& k : cases) {
        StartRun();
        for (const QString& path : k.open)
            Open(path);
        if (!k.active.isEmpty()) {
            Open(k.active);
            ASSERT_EQ(Active()->Path(), k.active) << k.name;
        }
        EXPECT_EQ(WindowCount(), k.open.size()) << k.name;
        Main().setGeometry(30, 40, 900, 700);
        Main().m_FileExitAction->trigger();
        EXPECT_FALSE(Main().isVisible()) << k.name;
        EXPECT_EQ(Context().LastConfiguration(), k.active) << k.name;
        EXPECT_EQ(Context().FormWidth(), 900) << k.name;
        EXPECT_EQ(Context().FormHeight(), 700) << k.name;
        EXPECT_EQ(Context().WindowState(), 0) << k.name;
        EndRun();
        EXPECT_EQ(C_Context().LastConfiguration(), k.active) << k.name << ": written back at the end of the run";
    }

    // Cancel in a modified window's close query keeps the program and stores nothing.
    StartRun();
    const QString previous = Context().LastConfiguration();
    Open(a);
    TFormMDIChild* modified = New();
    modified->m_NewProgramAction->trigger();
    ASSERT_TRUE(modified->IsModified());
    Main().setGeometry(30, 40, 910, 710);
    m_Boxes.Queue(C_MessageBox::Answer::Cancel);
    const qsizetype open = Main().Configurations().size();
    Main().close();
    EXPECT_TRUE(Main().isVisible());
    EXPECT_EQ(Main().Configurations().size(), open) << "every window stays, the unmodified ones too";
    EXPECT_EQ(Context().LastConfiguration(), previous);
    EXPECT_EQ(Context().FormWidth(), 900);
    // The refused close asks again next time.
    m_Boxes.Queue(C_MessageBox::Answer::Cancel);
    modified->close();
    EXPECT_EQ(m_Boxes.Shown().size(), 2u);
    EXPECT_TRUE(Main().Configurations().contains(modified));
}

TEST_F(MainFormTest, NewTakesTheLowestFreeNameAndADialogClosedWithoutOkCreatesNothing)
{
    StartRun();
    for (int n = 1; n <= 3; ++n) {
        TFormMDIChild* window = New(n - 1);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->Path(), NewName(n));
        EXPECT_FALSE(window->IsModified());
    }
    EXPECT_EQ(Main().Configurations().at(1)->Format()->FormatCode(), FormatCode::Inverter);
    EXPECT_EQ(Main().Configurations().at(2)->Format()->FormatCode(), FormatCode::Varnholt);

    // After the second closes, its name is free again; no two windows share one.
    Main().Frame().setActiveSubWindow(Main().Frame().subWindowList().at(1));
    Main().m_FileCloseAction->trigger();
    QApplication::processEvents();
    EXPECT_EQ(New()->Path(), NewName(2));
    EXPECT_EQ(New()->Path(), NewName(4));
    QStringList names = Paths(Main().Configurations());
    names.removeDuplicates();
    EXPECT_EQ(names.size(), 4);

    const std::pair<const char*, QAction*> commands[] = {{"New", Main().m_FileNewAction},
                                                         {"Upload", Main().m_UploadAction}};
    for (const auto& [name, action] : commands) {
        WhenShown<TNewConfigurationForm>([](TNewConfigurationForm& dialog) { dialog.close(); });
        action->trigger();
        EXPECT_EQ(WindowCount(), 4) << name;
    }
}

TEST_F(MainFormTest, OpenDecidesByTheExtensionInAnyCaseAndRefusesWhatItCannotRead)
{
    enum Via { ByOpen, ByImport };
    enum Answer { NoDialog, Standard, Varnholt, Closed };
    struct Case
    {
        QString name;
        QByteArray bytes; // empty: no file
        Via via;
        Answer answer;
        std::uint16_t code; // 0: no window
        QString caption;
        std::int16_t refusal; // message id, or -1 for no box
    };
    const QByteArray standard = ImageBuilder(StandardLayout).ConfigurationFile();
    const QByteArray inverter = ImageBuilder(InverterLayout).ConfigurationFile();
    const Case cases[] = {
        {"a.kwc", standard, ByOpen, NoDialog, FormatCode::Standard, "a.kwc", -1},
        {"b.KWC", inverter, ByOpen, NoDialog, FormatCode::Inverter, "b.KWC", -1},
        {"c.Kw3", ImageBuilder(StandardLayout).OldFile(), ByOpen, Standard, FormatCode::Standard, "c.KWC", -1},
        {"d.kw3", ImageBuilder(VarnholtLayout).OldFile(), ByImport, Varnholt, FormatCode::Varnholt, "d.KWC", -1},
        {"e.KW3", ImageBuilder(StandardLayout).OldFile(), ByImport, Closed, 0, "", -1},
        {"f.KWC", inverter, ByImport, NoDialog, FormatCode::Inverter, "f.KWC", -1},
        {"g.KWC", QByteArray(), ByOpen, NoDialog, 0, "", 47},
        {"h.KW3", QByteArray(), ByImport, NoDialog, 0, "", 47},
        {"i.KWC", QByteArray::fromHex("1234") + standard.mid(2), ByOpen, NoDialog, 0, "", 48},
        {"j.KWC", QByteArray(1, char(0xFE)), ByOpen, NoDialog, 0, "", 48},
    };
    StartRun();
    New(); // never saved: its file is missing too, and must not pass for the import's
    for (const Case& c : cases) {
        const QString path = c.bytes.isEmpty() ? m_Folder.Path(c.name) : m_Folder.Write(c.name, c.bytes);
        const int before = WindowCount();
        m_Boxes.Clear();
        bool asked = false;
        if (c.answer != NoDialog)
            WhenShown<TEEPROMFormatDialog>([&c, &asked](TEEPROMFormatDialog& dialog) {
                asked = true;
                if (c.answer == Standard)
                    dialog.m_StandardButton->click();
                else if (c.answer == Varnholt)
                    dialog.m_VarnholtButton->click();
                else
                    dialog.close();
            });
        c.via == ByOpen ? Open(path) : Import(path);
        EXPECT_EQ(asked, c.answer != NoDialog) << c.name.toStdString();
        if (c.code == 0) {
            EXPECT_EQ(WindowCount(), before) << c.name.toStdString();
        } else {
            ASSERT_EQ(WindowCount(), before + 1) << c.name.toStdString();
            EXPECT_EQ(Active()->Path(), m_Folder.Path(c.caption)) << c.name.toStdString();
            EXPECT_EQ(Active()->Format()->FormatCode(), c.code) << c.name.toStdString();
            EXPECT_FALSE(Active()->IsModified()) << c.name.toStdString();
        }
        if (c.refusal < 0)
            EXPECT_TRUE(m_Boxes.Shown().empty()) << c.name.toStdString();
        else
            EXPECT_EQ(OnlyBox(), Text(c.refusal) + QLatin1Char(' ') + path) << c.name.toStdString();
    }
}

TEST_F(MainFormTest, SaveWritesUnderThePathAndSaveAsKeepsTheNewPathEvenWhenSavingFails)
{
    StartRun();
    TFormMDIChild* window = NewValid();
    const QString first = m_Folder.Path(QStringLiteral("first.KWC"));
    m_Files.Queue(first);
    Main().m_FileSaveAsAction->trigger();
    EXPECT_EQ(window->Path(), first);
    const QByteArray saved = m_Folder.Read(QStringLiteral("first.KWC"));
    ASSERT_FALSE(saved.isEmpty());
    EXPECT_EQ(saved.left(2), QByteArray::fromHex("FECA")) << "the standard format's code, low byte first";

    // A program copied and pasted: still valid, and Save writes it under the same path.
    window->m_ProgramsTree->setCurrentItem(window->m_ProgramsTree->topLevelItem(0));
    window->m_CopyProgramAction->trigger();
    window->m_PasteProgramAction->trigger();
    ASSERT_TRUE(window->IsModified());
    const auto asked = m_Files.Asked().size();
    Main().m_FileSaveAction->trigger();
    EXPECT_EQ(m_Files.Asked().size(), asked) << "a saved window saves without asking";
    EXPECT_FALSE(window->IsModified());
    EXPECT_NE(m_Folder.Read(QStringLiteral("first.KWC")), saved);

    // A program without cycles fails the checks: the file stays unwritten, the name changes anyway.
    window->m_NewProgramAction->trigger();
    const QString failed = m_Folder.Path(QStringLiteral("failed.KWC"));
    m_Files.Queue(failed);
    Main().m_FileSaveAsAction->trigger();
    EXPECT_EQ(window->Path(), failed);
    EXPECT_TRUE(window->windowTitle().startsWith(failed));
    EXPECT_FALSE(QFileInfo::exists(failed));
    EXPECT_TRUE(window->IsModified());
}

TEST_F(MainFormTest, TheFirstSaveOfANewWindowAsksBeforeReplacingAFileOfItsName)
{
    StartRun();
    // No file of the name: written into the working directory without a question.
    TFormMDIChild* free = NewValid();
    Main().m_FileSaveAction->trigger();
    EXPECT_TRUE(m_Files.Asked().empty());
    EXPECT_TRUE(QFileInfo(m_Folder.Path(NewName(1))).isFile());
    EXPECT_FALSE(free->IsModified());

    // The next window's name belongs to a file someone else wrote.
    const QByteArray foreign("someone else's file");
    m_Folder.Write(NewName(2), foreign);
    TFormMDIChild* window = NewValid();
    ASSERT_EQ(window->Path(), NewName(2));
    const QString chosen = m_Folder.Path(QStringLiteral("chosen.KWC"));
    m_Files.Queue(chosen);
    Main().m_FileSaveAction->trigger();
    ASSERT_EQ(m_Files.Asked().size(), 1U);
    EXPECT_EQ(m_Files.Asked().front().purpose, C_FileChooser::Purpose::Save);
    EXPECT_EQ(m_Folder.Read(NewName(2)), foreign);
    EXPECT_EQ(window->Path(), chosen);
    EXPECT_TRUE(QFileInfo(chosen).isFile());

    // Once saved there, Save no longer asks.
    Main().m_FileSaveAction->trigger();
    EXPECT_EQ(m_Files.Asked().size(), 1U);
}

TEST_F(MainFormTest, OpenLanguageChangesOnlyTheStatusBarAndTheStoredFile)
{
    StartRun();
    const QString texts = Main().m_FileNewAction->text() + Main().m_WindowMenu->title();
    const QString chosen = m_Folder.Path(QStringLiteral("Deutsch.lng"));
    m_Files.Queue(chosen);
    Main().m_FileOpenLanguageAction->trigger();
    EXPECT_EQ(Main().m_LanguagePanel->text(), Text(89) + QLatin1Char(' ') + chosen);
    EXPECT_EQ(Context().LanguageFile(), chosen);
    EXPECT_EQ(Main().m_FileNewAction->text() + Main().m_WindowMenu->title(), texts);

    // Cancelled: nothing changes.
    Main().m_FileOpenLanguageAction->trigger();
    EXPECT_EQ(Context().LanguageFile(), chosen);
}

TEST_F(MainFormTest, SetPanesSizeSetsTheDefaultSizesAndStoresNothing)
{
    StartRun();
    Main().m_WindowSetPanesAction->trigger(); // without a window: nothing, no crash
    TFormMDIChild* window = New();
    QApplication::processEvents();
    window->SetPaneSizes(150, 250, 300, 300, 300);
    const QList<int> stored{Context().HorizontalLeft(), Context().HorizontalMiddle(), Context().HorizontalRight(),
                            Context().VerticalLeft(), Context().VerticalRight()};
    Main().m_WindowSetPanesAction->trigger();
    QApplication::processEvents();
    EXPECT_EQ(window->m_LeftPanel->width(), 200);
    EXPECT_EQ(window->m_MiddlePanel->width(), 200);
    EXPECT_EQ(window->m_VariousPanel->height(), 400);
    EXPECT_EQ(window->m_MotorPanel->height(), 400);
    EXPECT_EQ(window->m_RightBottomPanel->height(), 400);
    EXPECT_EQ((QList<int>{Context().HorizontalLeft(), Context().HorizontalMiddle(), Context().HorizontalRight(),
                          Context().VerticalLeft(), Context().VerticalRight()}),
              stored);
}

TEST_F(MainFormTest, OpeningAnOpenFileAgainActivatesItsWindow)
{
    const QString path = WriteConfiguration(QStringLiteral("twice.KWC"));
    const QString old = WriteOld(QStringLiteral("older.KW3"));
    QDir().mkpath(m_Folder.Path(QStringLiteral("sub")));
    StartRun();
    Open(path);
    TFormMDIChild* first = Active();
    WhenShown<TEEPROMFormatDialog>([](TEEPROMFormatDialog& dialog) { dialog.m_StandardButton->click(); });
    Import(old);
    TFormMDIChild* imported = Active();
    ASSERT_EQ(WindowCount(), 2);

    for (const QString& again : {path, QStringLiteral("twice.KWC"), QStringLiteral("sub/../twice.KWC")}) {
        Open(again);
        EXPECT_EQ(WindowCount(), 2) << again.toStdString();
        EXPECT_EQ(Active(), first) << again.toStdString();
        Open(old); // the format dialog is not shown again: it would fail the test
        EXPECT_EQ(Active(), imported) << again.toStdString();
    }
    EXPECT_EQ(WindowCount(), 2);
}

TEST_F(MainFormTest, RecentFilesListTheNewestFirstAcrossRunsAndDropAMissingOne)
{
    StartRun();
    QStringList written;
    for (int i = 0; i < 10; ++i) {
        written.prepend(WriteConfiguration(QStringLiteral("r%1.KWC").arg(i)));
        Open(written.front());
    }
    NewValid();
    const QString saved = m_Folder.Path(QStringLiteral("saved.KWC"));
    m_Files.Queue(saved);
    Main().m_FileSaveAsAction->trigger();
    written.prepend(saved);
    EXPECT_EQ(Context().RecentFiles(), written.mid(0, TMainForm::RecentFileCount));

    EndRun();
    StartRun();
    EXPECT_EQ(Context().RecentFiles(), written.mid(0, TMainForm::RecentFileCount));

    // Chosen from the File menu: an existing one opens, a missing one goes with message 47.
    QFile::remove(written.at(2));
    emit Main().m_FileMenu->aboutToShow();
    const auto entry = [this](const QString& path) -> QAction* {
        for (QAction* action : Main().m_FileMenu->actions())
            if (action->text().endsWith(QLatin1Char(' ') + QDir::toNativeSeparators(path)))
                return action;
        return nullptr;
    };
    ASSERT_NE(entry(written.at(1)), nullptr);
    entry(written.at(1))->trigger();
    EXPECT_EQ(Paths(Main().Configurations()), QStringList{written.at(1)});
    m_Boxes.Clear();
    ASSERT_NE(entry(written.at(2)), nullptr);
    entry(written.at(2))->trigger();
    EXPECT_EQ(OnlyBox(), Text(47) + QLatin1Char(' ') + written.at(2));
    EXPECT_EQ(WindowCount(), 1);
    EXPECT_FALSE(Context().RecentFiles().contains(written.at(2)));
    EXPECT_EQ(Context().RecentFiles().front(), written.at(1));
}

TEST_F(MainFormTest, ExportAsTextWritesTheWindowAndOpeningTheTextGivesAnUnsavedWindow)
{
    StartRun();
    TFormMDIChild* window = NewValid();
    const QString text = m_Folder.Path(QStringLiteral("machine.json"));
    m_Files.Queue(text);
    Main().m_FileExportTextAction->trigger();
    ASSERT_EQ(m_Files.Asked().size(), 1U);
    EXPECT_EQ(m_Files.Asked().back().purpose, C_FileChooser::Purpose::Save);
    EXPECT_EQ(m_Folder.Read(QStringLiteral("machine.json")),
              ConfigurationTextOf(*window->Format(), window->Configuration()));
    EXPECT_FALSE(window->IsModified()) << "exporting is not saving";

    Open(text);
    ASSERT_EQ(WindowCount(), 2);
    TFormMDIChild* opened = Active();
    EXPECT_EQ(opened->Path(), m_Folder.Path(QStringLiteral("machine.KWC")));
    EXPECT_TRUE(opened->IsModified());
    EXPECT_EQ(ConfigurationTextOf(*opened->Format(), opened->Configuration()),
              m_Folder.Read(QStringLiteral("machine.json")));
    const QString chosen = m_Folder.Path(QStringLiteral("chosen.KWC"));
    m_Files.Queue(chosen);
    Main().m_FileSaveAction->trigger();
    EXPECT_EQ(m_Files.Asked().size(), 3U) << "the first Save asks for a name";
    EXPECT_TRUE(QFileInfo(chosen).isFile());
    EXPECT_FALSE(opened->IsModified());

    // A refused document opens nothing and says where and why.
    m_Boxes.Clear();
    Open(m_Folder.Write(QStringLiteral("bad.json"), "{\"kw3winConfiguration\": 1}"));
    EXPECT_EQ(WindowCount(), 2);
    EXPECT_EQ(OnlyBox(), m_Folder.Path(QStringLiteral("bad.json")) + QStringLiteral(":1:1: the key format is missing"));

    // Beside the machine.KWC it names, the text opens in a window of its own; the
    // same text again shows that window, an edited one is read anew.
    m_Files.Queue(m_Folder.Path(QStringLiteral("machine.KWC")));
    Main().m_FileSaveAsAction->trigger();
    Open(text);
    EXPECT_EQ(WindowCount(), 3);
    TFormMDIChild* fromText = Active();
    EXPECT_NE(fromText, opened);
    Open(text);
    EXPECT_EQ(Active(), fromText);
    const QByteArray edited = m_Folder.Read(QStringLiteral("machine.json"))
                                  .replace("\"maintenanceRequest\": 1000", "\"maintenanceRequest\": 1500");
    m_Folder.Write(QStringLiteral("machine.json"), edited);
    Open(text);
    EXPECT_EQ(WindowCount(), 4);
    EXPECT_EQ(ConfigurationTextOf(*Active()->Format(), Active()->Configuration()), edited);
}

// Window > Appearance sets the palette at once and for the next start; following
// the desktop takes its preference for dark or light when its palette differs.
TEST_F(MainFormTest, TheAppearanceChosenHoldsAtOnceAndAtTheNextStart)
{
    const QPalette before = QApplication::palette();
    StartRun();
    const auto choose = [this](std::int16_t label) {
        for (QAction* menu : Main().m_WindowMenu->actions())
            if (menu->menu() != nullptr && menu->text() == Text(Msg::AppearanceMenu))
                for (QAction* entry : menu->menu()->actions())
                    if (entry->text() == Text(label))
                        return entry->trigger();
        ADD_FAILURE() << "no entry " << label;
    };
    const QColor dark = PaletteOf(Appearance::Dark, QPalette()).color(QPalette::Base);
    choose(Msg::PaletteDark);
    EXPECT_EQ(QApplication::palette().color(QPalette::Base), dark);
    EXPECT_EQ(Context().Palette(), QStringLiteral("dark"));
    EndRun();
    StartRun();
    EXPECT_EQ(QApplication::palette().color(QPalette::Base), dark);
    choose(Msg::PaletteDesktop);
    EXPECT_EQ(Context().Palette(), QStringLiteral("desktop"));
    QApplication::setPalette(before);

    using Scheme = C_DesktopScheme::Scheme;
    const QPalette light = PaletteOf(Appearance::Light, QPalette());
    const QPalette night = PaletteOf(Appearance::Dark, QPalette());
    const struct
    {
        unsigned m_Portal;
        const QPalette& m_Desktop;
        const QPalette& m_Shown;
    } cases[] = {{0, light, light}, {1, light, night}, {2, light, light},
                 {1, night, night}, {2, night, light}, {7, night, night}};
    for (const auto& c : cases)
        EXPECT_EQ(PaletteOf(Appearance::Desktop, c.m_Desktop, C_DesktopScheme::OfPortalValue(c.m_Portal))
                      .color(QPalette::Base),
                  c.m_Shown.color(QPalette::Base))
            << c.m_Portal;
    EXPECT_EQ(C_DesktopScheme::OfPortalValue(1), Scheme::Dark);
}
