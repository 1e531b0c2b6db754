#include "GlosserFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QTest>
#include <QToolBar>

using Answer = C_MessageBox::Answer;

TEST_F(GlosserWindowTest, GridShowsNumbersReferenceAndEditableTextsAsDesigned)
{
    EXPECT_EQ(form->windowTitle(), QStringLiteral("KW3 Win 2 - Language Manager"));
    EXPECT_EQ(form->size(), QSize(600, 780));
    EXPECT_FALSE(form->IsModified());
    EXPECT_EQ(form->EditedFileName(), QStringLiteral("New.lng"));

    ASSERT_EQ(grid->rowCount(), 278);
    ASSERT_EQ(grid->columnCount(), 3);
    EXPECT_FALSE(grid->horizontalHeader()->isVisible());
    EXPECT_FALSE(grid->verticalHeader()->isVisible());
    EXPECT_TRUE(grid->showGrid());
    EXPECT_EQ(grid->selectionMode(), QAbstractItemView::ContiguousSelection);
    EXPECT_EQ(grid->font().family(), QStringLiteral("Arial"));
    EXPECT_EQ(grid->font().pixelSize(), 11);
    EXPECT_EQ(grid->columnWidth(0), 30);
    for (int row : {0, 4, 277}) {
        SCOPED_TRACE(row);
        EXPECT_EQ(grid->rowHeight(row), 18);
        EXPECT_EQ(grid->item(row, 0)->text(), QString::number(row + 1));
        EXPECT_EQ(grid->item(row, 1)->text(), "Reference " + QString::number(row + 1));
        EXPECT_FALSE(grid->item(row, 0)->flags() & Qt::ItemIsEditable);
        EXPECT_FALSE(grid->item(row, 1)->flags() & Qt::ItemIsEditable);
        EXPECT_TRUE(grid->item(row, 2)->flags() & Qt::ItemIsEditable);
        EXPECT_TRUE(Cell(row).isEmpty());
    }

    // The text columns share the room beside the numbers, rounded down, without a
    // horizontal scroll bar hiding the end of the edited texts.
    form->show();
    for (const int width : {600, 801, 433}) {
        SCOPED_TRACE(width);
        form->resize(width, 700);
        QApplication::processEvents();
        const int half = (grid->viewport()->width() - 30) / 2;
        EXPECT_EQ(grid->columnWidth(1), half);
        EXPECT_EQ(grid->columnWidth(2), half);
        EXPECT_FALSE(grid->horizontalScrollBar()->isVisible());
    }
}

TEST_F(GlosserWindowTest, CommandsCarryTheirMenusShortcutsHintsAndButtons)
{
    struct Command
    {
        const char* name;
        const char* menu;
        const char* text;
        QKeySequence shortcut;
        const char* tooltip;
        const char* status;
    };
    const Command commands[] = {
        {"FileNewAction", "&File", "&New", QKeySequence("Ctrl+N"), "New", "Create a new file"},
        {"FileOpenAction", "&File", "&Open", QKeySequence("Ctrl+O"), "Open", "Open a file"},
        {"FileSaveAction", "&File", "&Save", QKeySequence("Ctrl+S"), "Save", "Save current file"},
        {"FileSaveAsAction", "&File", "Save &As...", QKeySequence(), "Save As",
         "Save current file with different name"},
        {"FileExitAction", "&File", "E&xit", QKeySequence(), "Exit", "Exit application"},
        {"EditCutAction", "&Edit", "Cu&t", QKeySequence("Ctrl+X"), "Cut",
         "Cuts the selection and puts it on the Clipboard"},
        {"EditCopyAction", "&Edit", "&Copy", QKeySequence("Ctrl+C"), "Copy",
         "Copies the selection and puts it on the Clipboard"},
        {"EditPasteAction", "&Edit", "&Paste", QKeySequence("Ctrl+V"), "Paste",
         "Inserts Clipboard contents"},
        {"SearchAction", "&Edit", "Search", QKeySequence("Ctrl+F"), "Search", nullptr},
        {"ReplaceAction", "&Edit", "Replace", QKeySequence("Ctrl+R"), "Replace", nullptr},
        {"HelpAboutAction", "&Help", "&About...", QKeySequence(), "About", nullptr},
    };
    for (const Command& c : commands) {
        SCOPED_TRACE(c.name);
        auto* action = form->findChild<QAction*>(c.name);
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->text(), c.text);
        EXPECT_EQ(action->shortcut(), c.shortcut);
        EXPECT_EQ(action->toolTip(), c.tooltip);
        if (c.status != nullptr) {
            EXPECT_EQ(action->statusTip(), c.status);
        }
        bool inMenu = false;
        for (QAction* menu : form->menuBar()->actions())
            inMenu |= menu->text() == c.menu && menu->menu()->actions().contains(action);
        EXPECT_TRUE(inMenu) << c.menu;
    }

    QStringList buttons;
    for (QAction* action : form->findChild<QToolBar*>()->actions())
        buttons << (action->isSeparator() ? QStringLiteral("|") : action->toolTip());
    EXPECT_EQ(buttons.join(' '),
              QStringLiteral("New Open Save | Search Replace | Cut Copy Paste"));
}

TEST_F(GlosserWindowTest, WithoutReadableReferenceTextsTheProgramDoesNotStart)
{
    boxes.Clear();
    const QString missing = folder.Path("languages/english.lng");
    EXPECT_EQ(TSDIAppForm::Create(missing), nullptr);
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_TRUE(boxes.Shown()[0].text.contains(missing)) << qPrintable(boxes.Shown()[0].text);
    EXPECT_EQ(boxes.Shown()[0].icon, C_MessageBox::Icon::Error);

    // The reference is found in the working directory first, else beside the program.
    EXPECT_EQ(TSDIAppForm::ReferenceFile(),
              QCoreApplication::applicationDirPath() + QStringLiteral("/languages/english.lng"));
    folder.Write("languages/english.lng", "Own\r\n");
    EXPECT_EQ(TSDIAppForm::ReferenceFile(), QStringLiteral("languages/english.lng"));
    const std::unique_ptr<TSDIAppForm> own = TSDIAppForm::Create(TSDIAppForm::ReferenceFile());
    ASSERT_TRUE(own);
    auto* ownGrid = own->findChild<QTableWidget*>("m_StringsGrid");
    EXPECT_EQ(ownGrid->item(0, 1)->text(), QStringLiteral("Own"));
    EXPECT_TRUE(ownGrid->item(1, 1)->text().isEmpty());
}

TEST_F(GlosserWindowTest, OpenedLinesLandInTheirRowsAndSaveWritesExactly278)
{
    const QString longFile = OpenFile("long.lng", NumberedLines(278) + QByteArray("\r\n").repeated(22));
    EXPECT_EQ(form->EditedFileName(), longFile);
    EXPECT_EQ(Cell(0), QStringLiteral("Line 1"));
    EXPECT_EQ(Cell(277), QStringLiteral("Line 278"));
    EXPECT_FALSE(form->IsModified());
    Trigger("FileSaveAction");
    EXPECT_TRUE(boxes.Shown().empty());
    EXPECT_EQ(folder.Read("long.lng"), NumberedLines(278));

    const QByteArray tenLines = NumberedLines(10);
    OpenFile("short.lng", tenLines);
    EXPECT_EQ(Cell(9), QStringLiteral("Line 10"));
    EXPECT_TRUE(Cell(10).isEmpty()) << "the rows of the longer file are emptied";
    EXPECT_TRUE(Cell(277).isEmpty());
    Trigger("FileSaveAction");
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, QStringLiteral("Message at line 11  is empty"));
    EXPECT_EQ(folder.Read("short.lng"), tenLines);

    QByteArray gap = NumberedLines(278);
    gap.replace("Line 5\r\n", "\r\n");
    gap.replace("\r\n", "\n"); // written back with CR LF
    OpenFile("gap.lng", gap);
    EXPECT_EQ(Cell(4), QStringLiteral(" "));
    EXPECT_EQ(Cell(5), QStringLiteral("Line 6"));
    Trigger("FileSaveAction");
    EXPECT_EQ(folder.Read("gap.lng"), NumberedLines(278).replace("Line 5\r\n", " \r\n"));
}

TEST_F(GlosserWindowTest, SavedFilesFollowTheReferenceAndOnlyTheFirst278LinesMustBeFilledAndShort)
{
    const QByteArray old = NumberedLines(278) + "\r\nLine 280\r\n", longLine = old + QByteArray(65, 'a') + "\r\n";
    const struct { int reference; QByteArray file, saved; QString fault; } cases[] = { // faults last: one box each
        {340, old, old + QByteArray("\r\n").repeated(60), {}},
        {300, NumberedLines(320), NumberedLines(320), {}},
        {281, longLine, longLine, {}},
        {340, NumberedLines(100), NumberedLines(100), "Message at line 101  is empty"}};
    for (const auto& c : cases) {
        form = TSDIAppForm::Create(folder.Write("reference.lng", NumberedLines(c.reference, "Reference ")));
        form->OpenFile(folder.Write("case.lng", c.file));
        Trigger("FileSaveAction");
        EXPECT_EQ(boxes.Shown().empty() ? QString() : boxes.Shown().back().text, c.fault);
        EXPECT_EQ(folder.Read("case.lng"), c.saved) << c.reference;
    }
}

TEST_F(GlosserWindowTest, CheckBeforeSavingStopsAtTheFirstFaultyLine)
{
    Trigger("FileSaveAction");
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, QStringLiteral("Message at line 1  is empty"));
    EXPECT_EQ(boxes.Shown()[0].caption, QStringLiteral("Error"));
    EXPECT_EQ(boxes.Shown()[0].icon, C_MessageBox::Icon::Error);
    EXPECT_EQ(boxes.Shown()[0].buttons, C_MessageBox::Buttons::Ok);
    EXPECT_FALSE(QFileInfo::exists(folder.Path("New.lng")));

    FillAll(QStringLiteral("x"));
    SetCell(5, QStringLiteral(" "));
    struct Case
    {
        int row;
        QString text;
        QString fault;
    };
    const Case cases[] = {
        {2, QString(65, 'a'), QStringLiteral("Message at line 3 is too long")},
        {6, QStringLiteral("Preis 5 \u20ac"),
         QStringLiteral("Message at line 7 holds the character \"\u20ac\" (U+20AC), which a "
                        "language file cannot store")},
        {7, QStringLiteral("two\nlines"),
         QStringLiteral("Message at line 8 holds the character U+000A, which a language file "
                        "cannot store")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        boxes.Clear();
        SetCell(c.row, c.text);
        SetCell(c.row + 1, QString()); // a later fault is not reported
        Trigger("FileSaveAction");
        ASSERT_EQ(boxes.Shown().size(), 1u);
        EXPECT_EQ(boxes.Shown()[0].text, c.fault);
        EXPECT_TRUE(form->IsModified());
        EXPECT_FALSE(QFileInfo::exists(folder.Path("New.lng")));
        SetCell(c.row, QStringLiteral("x"));
        SetCell(c.row + 1, QStringLiteral("x"));
    }

    boxes.Clear();
    SetCell(2, QString(64, 'a'));
    SetCell(6, QStringLiteral("Gr\u00fc\u00dfe"));
    Trigger("FileSaveAction");
    EXPECT_TRUE(boxes.Shown().empty());
    EXPECT_FALSE(form->IsModified());
    const QByteArray saved = folder.Read("New.lng");
    EXPECT_TRUE(saved.startsWith("x\r\nx\r\n" + QByteArray(64, 'a')
                                 + "\r\nx\r\nx\r\n \r\nGr\xfc\xdf" "e\r\n"));
    EXPECT_EQ(saved.count('\n'), 278);
}

TEST_F(GlosserWindowTest, SaveAsWritesTheCopyWhileSaveKeepsTheOpenedName)
{
    const QString opened = OpenFile("opened.lng", NumberedLines(278));
    SetCell(0, QStringLiteral("Copy"));
    nextFile = folder.Path("copy.lng");
    Trigger("FileSaveAsAction");
    EXPECT_EQ(dialogs.back(), TSDIAppForm::FileDialog::SaveAs);
    EXPECT_FALSE(form->IsModified());
    EXPECT_TRUE(folder.Read("copy.lng").startsWith("Copy\r\nLine 2\r\n"));
    EXPECT_EQ(form->EditedFileName(), opened);

    SetCell(0, QStringLiteral("Saved"));
    Trigger("FileSaveAction");
    EXPECT_TRUE(folder.Read("opened.lng").startsWith("Saved\r\n"));
    EXPECT_TRUE(folder.Read("copy.lng").startsWith("Copy\r\n"));

    // Replacing an existing file with Save As is asked first.
    SetCell(0, QStringLiteral("Again"));
    boxes.Queue(Answer::No);
    Trigger("FileSaveAsAction");
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].buttons, C_MessageBox::Buttons::YesNo);
    EXPECT_TRUE(folder.Read("copy.lng").startsWith("Copy\r\n"));
    EXPECT_TRUE(form->IsModified());
    boxes.Queue(Answer::Yes);
    Trigger("FileSaveAsAction");
    EXPECT_TRUE(folder.Read("copy.lng").startsWith("Again\r\n"));

    nextFile.clear(); // the dialog cancelled
    SetCell(0, QStringLiteral("Cancelled"));
    boxes.Clear();
    Trigger("FileSaveAsAction");
    EXPECT_TRUE(boxes.Shown().empty());
    EXPECT_TRUE(form->IsModified());
}

TEST_F(GlosserWindowTest, CloseQueryFollowsTheAnswer)
{
    form->show();
    EXPECT_TRUE(form->close()) << "an unchanged window closes without asking";
    EXPECT_TRUE(boxes.Shown().empty());

    const QString path = OpenFile("close.lng", NumberedLines(278));
    form->show();
    grid->setCurrentCell(3, 2);
    grid->editItem(grid->item(3, 2));
    QLineEdit* editor = grid->CellEditor();
    ASSERT_NE(editor, nullptr);
    editor->setText(QString(70, 'z'));

    boxes.Queue(Answer::Cancel);
    EXPECT_FALSE(form->close());
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_TRUE(form->IsModified()) << "the text still in the cell's box counts";
    EXPECT_EQ(boxes.Shown()[0].text,
              QStringLiteral("File content was modified, do you want to save it?"));
    EXPECT_EQ(boxes.Shown()[0].caption, form->windowTitle());
    EXPECT_EQ(boxes.Shown()[0].icon, C_MessageBox::Icon::Question);
    EXPECT_EQ(boxes.Shown()[0].buttons, C_MessageBox::Buttons::YesNoCancel);

    boxes.Clear();
    boxes.Queue(Answer::Yes);
    Trigger("FileExitAction");
    EXPECT_TRUE(form->isVisible()) << "a failed check keeps the window open";
    ASSERT_EQ(boxes.Shown().size(), 2u);
    EXPECT_EQ(boxes.Shown()[1].text, QStringLiteral("Message at line 4 is too long"));

    SetCell(3, QStringLiteral("Saved at close"));
    boxes.Queue(Answer::Yes);
    EXPECT_TRUE(form->close());
    EXPECT_FALSE(form->IsModified());
    EXPECT_TRUE(folder.Read("close.lng").contains("Line 3\r\nSaved at close\r\nLine 5\r\n"));

    form->show();
    SetCell(3, QStringLiteral("Thrown away"));
    boxes.Queue(Answer::No);
    EXPECT_TRUE(form->close());
    EXPECT_FALSE(folder.Read("close.lng").contains("Thrown away"));
    EXPECT_EQ(form->EditedFileName(), path);
}

TEST_F(GlosserWindowTest, FilesThatCannotBeReadOrWrittenChangeNothing)
{
    OpenFile("first.lng", NumberedLines(278));
    SetCell(0, QStringLiteral("Edited"));
    const QString first = form->EditedFileName();
    QDir().mkpath(folder.Path("folder.lng"));
    boxes.Queue(Answer::No); // do not save before opening
    nextFile = folder.Path("folder.lng");
    Trigger("FileOpenAction");
    ASSERT_EQ(boxes.Shown().size(), 2u);
    EXPECT_TRUE(boxes.Shown()[1].text.contains("folder.lng"));
    EXPECT_EQ(boxes.Shown()[1].icon, C_MessageBox::Icon::Error);
    EXPECT_EQ(Cell(0), QStringLiteral("Edited"));
    EXPECT_TRUE(form->IsModified());
    EXPECT_EQ(form->EditedFileName(), first);

    boxes.Clear();
    nextFile = folder.Path("no/such/folder/x.lng");
    Trigger("FileSaveAsAction");
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_TRUE(boxes.Shown()[0].text.startsWith("Cannot save"));
    EXPECT_TRUE(form->IsModified());

    // A name that does not exist yet loads nothing but is where Save goes.
    boxes.Clear();
    boxes.Queue(Answer::No);
    nextFile = folder.Path("fresh.lng");
    Trigger("FileOpenAction");
    EXPECT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(Cell(0), QStringLiteral("Edited"));
    EXPECT_EQ(form->EditedFileName(), nextFile);
    Trigger("FileSaveAction");
    EXPECT_TRUE(folder.Read("fresh.lng").startsWith("Edited\r\nLine 2\r\n"));
}

TEST_F(GlosserWindowTest, NewAndOpenAskBeforeDroppingChanges)
{
    const QString path = OpenFile("one.lng", NumberedLines(278));
    SetCell(1, QStringLiteral("Changed"));

    boxes.Queue(Answer::Cancel);
    Trigger("FileNewAction");
    EXPECT_EQ(Cell(1), QStringLiteral("Changed"));
    EXPECT_EQ(form->EditedFileName(), path);
    EXPECT_TRUE(form->IsModified());

    dialogs.clear();
    boxes.Queue(Answer::Cancel);
    Trigger("FileOpenAction");
    EXPECT_TRUE(dialogs.empty()) << "cancelled before the file dialog";

    boxes.Queue(Answer::Yes);
    nextFile = folder.Write("two.lng", NumberedLines(278, "Two "));
    Trigger("FileOpenAction");
    EXPECT_TRUE(folder.Read("one.lng").contains("\r\nChanged\r\n")) << "saved before opening";
    EXPECT_EQ(Cell(1), QStringLiteral("Two 2"));
    EXPECT_FALSE(form->IsModified());

    boxes.Clear();
    Trigger("FileNewAction");
    EXPECT_TRUE(boxes.Shown().empty());
    EXPECT_TRUE(Cell(0).isEmpty());
    EXPECT_TRUE(Cell(277).isEmpty());
    EXPECT_EQ(grid->item(0, 1)->text(), QStringLiteral("Reference 1"));
    EXPECT_EQ(form->EditedFileName(), QStringLiteral("New.lng"));
    EXPECT_FALSE(form->IsModified());
}

TEST_F(GlosserWindowTest, TypingAndClipboardCommandsWorkOnTheCellBeingEdited)
{
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    auto* cut = form->findChild<QAction*>("EditCutAction");
    auto* copy = form->findChild<QAction*>("EditCopyAction");
    auto* paste = form->findChild<QAction*>("EditPasteAction");
    QApplication::clipboard()->setText(QStringLiteral("clip"));
    EXPECT_FALSE(paste->isEnabled()) << "no cell is being edited";

    grid->setCurrentCell(2, 2);
    QTest::keyClick(grid, 'H');
    QLineEdit* editor = grid->CellEditor();
    ASSERT_NE(editor, nullptr) << "typing opens the cell's text box";
    QTest::keyClicks(editor, "allo");
    EXPECT_EQ(editor->text(), QStringLiteral("Hallo"));
    EXPECT_TRUE(paste->isEnabled());
    EXPECT_FALSE(cut->isEnabled());

    editor->setSelection(0, 2);
    EXPECT_TRUE(cut->isEnabled());
    EXPECT_TRUE(copy->isEnabled());
    cut->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Ha"));
    editor->end(false);
    paste->trigger();
    editor->selectAll();
    copy->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("lloHa"));

    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents(); // the grid closes the box after the key
    EXPECT_EQ(Cell(2), QStringLiteral("lloHa"));
    EXPECT_TRUE(form->IsModified());
    EXPECT_EQ(grid->CellEditor(), nullptr);
    EXPECT_FALSE(paste->isEnabled());
}

TEST_F(GlosserWindowTest, EveryByteFrom0x20To0xFFRoundTrips)
{
    QByteArray bytes;
    QByteArray line;
    for (int byte = 0x20; byte <= 0xFF; ++byte) {
        line += char(byte);
        if (line.size() == 56) {
            bytes += line + "\r\n";
            line.clear();
        }
    }
    for (int i = 4; i < 278; ++i)
        bytes += "x\r\n";
    OpenFile("bytes.lng", bytes);
    EXPECT_EQ(Cell(1).at(0), QChar(0x58));
    EXPECT_EQ(Cell(3).back(), QChar(0xFF));
    nextFile = folder.Path("copy.lng");
    Trigger("FileSaveAsAction");
    EXPECT_TRUE(boxes.Shown().empty());
    EXPECT_EQ(folder.Read("copy.lng"), bytes);
}
