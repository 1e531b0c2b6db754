// The editing commands of the configuration window, pane by pane, through their
// actions and keys as a technician uses them.
#include "desktop/Updown.h"
#include "editor/Editnumber.h"
#include "editor/Rowproperties.h"
#include "editor/Treenodes.h"
#include "model/Configurationedits.h"
#include "model/Cyclecontent.h"
#include "support/Imagebuilder.h"
#include "support/ModalDriver.h"
#include "support/Windowfixture.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QSplitter>
#include <QToolButton>

namespace {

// The number dialog answered; then, when given, the next dialog's answer is made ready.
void AnswerNumber(int value, const std::function<void()>& next = {})
{
    WhenShown<TFormEditNumber>([value, next](TFormEditNumber& dialog) {
        TypeInto(dialog.m_EditField, QString::number(value));
        if (next)
            next();
        dialog.m_OKButton->click();
    });
}

void CancelNumber()
{
    WhenShown<TFormEditNumber>([](TFormEditNumber& dialog) { dialog.m_CancelButton->click(); });
}

class PaneCommandsTest : public WindowTest
{
protected:
    QTreeWidget& Programs() { return *Window().m_ProgramsTree; }
    QTreeWidget& Cycles() { return *Window().m_CyclesTree; }

    QList<int> ProgramNumbers()
    {
        QList<int> numbers;
        for (int i = 0; i < Programs().topLevelItemCount(); ++i)
            numbers << NodeData(Programs().topLevelItem(i))->m_Number;
        return numbers;
    }
    QTreeWidgetItem* NewCycle(int category, int steps)
    {
        SelectCategory(category);
        Window().m_NewCycleAction->trigger();
        QTreeWidgetItem* root = Window().m_CategoryNodes[size_t(category)];
        QTreeWidgetItem* cycle = SelectCycle(category, root->childCount() - 1);
        for (int k = 0; k < steps; ++k)
            Window().m_InsertStepAction->trigger();
        return cycle;
    }
    // The cycle dropped onto the node, as the mouse does it.
    void Drop(QTreeWidgetItem* cycle, QTreeWidgetItem* onto)
    {
        Cycles().setCurrentItem(cycle);
        Window().ProgramTreeDragDrop(Programs().visualItemRect(onto).center());
    }
    QList<int> ReferenceNumbers(const QTreeWidgetItem* program)
    {
        QList<int> numbers;
        for (int i = 0; i < program->childCount(); ++i)
            numbers << NodeData(program->child(i))->m_Number;
        return numbers;
    }
    void ExpectOneBox(std::int16_t text, const QString& caption, const char* what)
    {
        ASSERT_EQ(m_Boxes.Shown().size(), 1u) << what;
        EXPECT_EQ(m_Boxes.Shown()[0].text, Text(text)) << what;
        EXPECT_EQ(m_Boxes.Shown()[0].caption, caption) << what;
        m_Boxes.Clear();
    }
};

} // namespace

TEST_F(PaneCommandsTest, ProgramsAreNumberedCopiedAndRenamedWithoutDuplicates)
{
    for (int i = 0; i < 4; ++i)
        Press(&Programs(), Qt::Key_Insert);
    EXPECT_EQ(ProgramNumbers(), QList<int>({1, 2, 3, 4}));
    SelectProgram(2);
    Press(&Programs(), Qt::Key_Delete);
    Press(&Programs(), Qt::Key_Insert);
    EXPECT_EQ(ProgramNumbers(), QList<int>({1, 2, 4, 3})) << "the lowest free number";

    // A copied program pastes as a new one with the same references and links.
    QTreeWidgetItem* wash = NewCycle(2, 1);
    Drop(wash, SelectProgram(0));
    Drop(wash, Programs().topLevelItem(0));
    SelectProgram(0);
    Press(&Programs(), Qt::Key_C, Qt::ControlModifier);
    Press(&Programs(), Qt::Key_V, Qt::ControlModifier);
    QTreeWidgetItem* pasted = Programs().topLevelItem(4);
    EXPECT_EQ(NodeData(pasted)->m_Number, 5);
    ASSERT_EQ(pasted->childCount(), 2);
    EXPECT_EQ(NodeData(pasted->child(1))->m_Link, wash);
    // Deleting the copied program forgets it.
    SelectProgram(0);
    Press(&Programs(), Qt::Key_Delete);
    Press(&Programs(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Programs().topLevelItemCount(), 4);

    // Rename: a number in use asks again; Cancel at either point keeps the old number.
    SelectProgram(0);
    m_Boxes.Queue(C_MessageBox::Answer::Ok);
    AnswerNumber(3, [] {
        WhenShown<TFormEditNumber>([](TFormEditNumber& dialog) {
            EXPECT_EQ(dialog.m_EditField->text(), QStringLiteral("3")) << "the number last entered";
            TypeInto(dialog.m_EditField, QStringLiteral("42"));
            dialog.m_OKButton->click();
        });
    });
    Window().m_RenameProgramAction->trigger();
    ExpectOneBox(153, Text(152), "number in use");
    EXPECT_EQ(NodeData(Programs().topLevelItem(0))->m_Number, 42);
    EXPECT_EQ(Programs().topLevelItem(0)->text(0), Text(145) + QStringLiteral(" 42"));
    m_Boxes.Queue(C_MessageBox::Answer::Cancel);
    AnswerNumber(3);
    Window().m_RenameProgramAction->trigger();
    CancelNumber();
    Window().m_RenameProgramAction->trigger();
    EXPECT_EQ(NodeData(Programs().topLevelItem(0))->m_Number, 42);
}

TEST_F(PaneCommandsTest, NumbersOneToNinetyNineAreAllThereAre)
{
    for (int i = 0; i < 99; ++i)
        Window().m_NewProgramAction->trigger();
    Window().m_NewProgramAction->trigger();
    ExpectOneBox(144, Text(49), "program 100");
    EXPECT_EQ(Programs().topLevelItemCount(), 99);
}

TEST_F(PaneCommandsTest, CyclesFillTheirCategorysGapsAndADeletedCycleLeavesNothingBehind)
{
    QTreeWidgetItem* first = NewCycle(1, 0);
    NewCycle(1, 0);
    NewCycle(1, 0);
    NewCycle(3, 0);
    SelectCycle(1, 1);
    Press(&Cycles(), Qt::Key_Delete);
    QTreeWidgetItem* refill = NewCycle(1, 0);
    EXPECT_EQ(NodeData(refill)->m_Number, 2);
    EXPECT_EQ(NodeData(Window().m_CategoryNodes[3]->child(0))->m_Number, 1) << "numbered per category";

    // A cycle with steps, linked twice, copied and displayed: deleting it gives
    // its steps back and clears every link and memory of it.
    QTreeWidgetItem* doomed = NewCycle(2, 5);
    const int free = Free();
    Window().m_NewProgramAction->trigger();
    Drop(doomed, SelectProgram(0));
    Drop(doomed, Programs().topLevelItem(0)->child(0));
    Window().m_CopyCycleAction->trigger();
    ASSERT_EQ(Window().DisplayedCycle(), doomed);
    Press(&Cycles(), Qt::Key_Delete);
    EXPECT_EQ(Free(), free + 5);
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(NodeData(Programs().topLevelItem(0)->child(i))->m_Link, nullptr);
    EXPECT_NE(Window().DisplayedCycle(), doomed);
    SelectCategory(2);
    Window().m_PasteCycleAction->trigger();
    EXPECT_EQ(Window().m_CategoryNodes[2]->childCount(), 0) << "the copied cycle went with it";

    // A category root is never deleted; selecting it hides the grid.
    Press(&Cycles(), Qt::Key_Delete);
    EXPECT_EQ(Cycles().topLevelItemCount(), 5);
    EXPECT_TRUE(Window().m_StepsGrid->isHidden());
    SelectCycle(1, 0);
    EXPECT_FALSE(Window().m_StepsGrid->isHidden());
    EXPECT_EQ(Window().m_StepsGrid->columnCount(), 2) << "a cycle without steps shows its closing column";
    (void)first;
}

TEST_F(PaneCommandsTest, APastedCycleNeedsOneFreePlaceMoreThanItsSteps)
{
    QTreeWidgetItem* source = NewCycle(1, 3);
    Window().m_CopyCycleAction->trigger();
    // Leave exactly three free places, then four.
    EditValue([](C_Configuration& value) { value.m_FreeSteps = 3; });
    SelectCategory(4);
    Window().m_PasteCycleAction->trigger();
    ExpectOneBox(146, Text(129), "three free places");
    EXPECT_EQ(Window().m_CategoryNodes[4]->childCount(), 0);
    EditValue([](C_Configuration& value) { value.m_FreeSteps = 4; });
    Window().m_PasteCycleAction->trigger();
    EXPECT_TRUE(m_Boxes.Shown().empty());
    ASSERT_EQ(Window().m_CategoryNodes[4]->childCount(), 1);
    QTreeWidgetItem* copy = Window().m_CategoryNodes[4]->child(0);
    EXPECT_EQ(StepsOf(copy), 3);
    EXPECT_EQ(Free(), 1);
    EXPECT_EQ(NodeData(copy)->m_Content->GetStep(2)->m_Values, NodeData(source)->m_Content->GetStep(2)->m_Values);

    // Renaming a cycle renumbers every reference to it.
    Window().m_NewProgramAction->trigger();
    Drop(source, SelectProgram(0));
    SelectCycle(1, 0);
    AnswerNumber(7);
    Window().m_RenameCycleAction->trigger();
    EXPECT_EQ(NodeData(Programs().topLevelItem(0)->child(0))->m_Number, 7);
    EXPECT_TRUE(Programs().topLevelItem(0)->child(0)->text(0).endsWith(QStringLiteral(" 7")));
}

TEST_F(PaneCommandsTest, ADroppedCycleGoesFirstOntoAProgramAndAfterAReferenceUpToSixteen)
{
    QTreeWidgetItem* a = NewCycle(1, 1);
    QTreeWidgetItem* b = NewCycle(2, 1);
    QTreeWidgetItem* c = NewCycle(3, 1);
    Window().m_NewProgramAction->trigger();
    QTreeWidgetItem* program = Programs().topLevelItem(0);
    Drop(a, program);
    Drop(b, program);
    Drop(c, program->child(1));
    EXPECT_EQ(program->child(0)->text(0), b->text(0).section(QLatin1String(" ("), 0, 0));
    EXPECT_EQ(NodeData(program->child(1))->m_Link, a);
    EXPECT_EQ(NodeData(program->child(2))->m_Link, c);
    EXPECT_EQ(NodeData(program->child(2))->m_Kind, NodeKind::CycleReferenceWord | NodeKind::CategoryBits(3));

    for (int i = 3; i < 16; ++i)
        Drop(a, program->child(i - 1));
    EXPECT_TRUE(m_Boxes.Shown().empty());
    Drop(b, program->child(15));
    Drop(b, program);
    ASSERT_EQ(m_Boxes.Shown().size(), 2u) << "onto a reference and onto the program";
    EXPECT_EQ(m_Boxes.Shown()[1].text, Text(143) + QLatin1Char(' ') + program->text(0));
    EXPECT_EQ(m_Boxes.Shown()[1].caption, QStringLiteral("KW3 Win 2"));
    EXPECT_EQ(program->childCount(), 16);

    // Only a cycle of this window drops: a drag from elsewhere is refused at the door.
    QMimeData foreign;
    foreign.setText(QStringLiteral("Wash 1"));
    QDragEnterEvent enter(QPoint(5, 5), Qt::LinkAction, &foreign, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Programs().viewport(), &enter);
    EXPECT_FALSE(enter.isAccepted());
}

TEST_F(PaneCommandsTest, StepsAreInsertedAtTheCursorWithinTheBudget)
{
    QTreeWidgetItem* cycle = NewCycle(1, 2);
    QTableWidget& grid = *Window().m_StepsGrid;
    EXPECT_EQ(grid.columnCount(), 4);
    EXPECT_EQ(grid.rowCount(), int(Format().Rows().size()) + 1);
    C_CycleContent& content = *NodeData(cycle)->m_Content;
    for (size_t i = 0; i < Format().Rows().size(); ++i)
        EXPECT_EQ(content.GetStep(0)->m_Values[i], Format().Rows()[i].m_DisabledValue) << "row " << i;

    // A typed character edits the cell under the cursor: an output switches on.
    const int output = 2;
    SetStepCursor(1, output);
    Press(&grid, Qt::Key_X);
    EXPECT_NE(content.GetStep(0)->m_Values[output - 1], 0);
    SetStepCursor(1, 1);
    Press(&grid, Qt::Key_C, Qt::ControlModifier);
    SetStepCursor(3, 1);
    Press(&grid, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(StepsOf(cycle), 3);
    EXPECT_EQ(content.GetStep(2)->m_Values, content.GetStep(0)->m_Values) << "pasted before the closing column";

    // The closing column is never removed.
    SetStepCursor(grid.columnCount() - 1, 1);
    Press(&grid, Qt::Key_Delete);
    EXPECT_EQ(StepsOf(cycle), 3);
    SetStepCursor(1, 1);
    Press(&grid, Qt::Key_Delete);
    EXPECT_EQ(StepsOf(cycle), 2);
    EXPECT_EQ(Free(), 400 - 2);

    // No place left: Insert and Paste say so and change nothing.
    EditValue([](C_Configuration& value) { value.m_FreeSteps = 1; });
    Press(&grid, Qt::Key_Insert);
    ExpectOneBox(147, Text(148), "insert");
    Press(&grid, Qt::Key_V, Qt::ControlModifier);
    ExpectOneBox(147, Text(150), "paste");
    EXPECT_EQ(StepsOf(cycle), 2);
}

TEST_F(PaneCommandsTest, MotorTimesAreSwitchedAndEnteredBySecond)
{
    QTableWidget& motors = *Window().m_MotorGrid;
    EditValue([](C_Configuration& value) { ConfigurationEdit::SetMotorTime(value, 4, 2, 9); });
    motors.setCurrentCell(4, 0);
    Window().m_MotorEnableAction->trigger();
    EXPECT_EQ(Window().MotorCell(4, 1), 0);
    EXPECT_EQ(Window().MotorCell(4, 2), 9) << "a value stays";
    EXPECT_EQ(Window().MotorCell(4, 3), 0);
    motors.setCurrentCell(4, 2);
    Window().m_MotorDisableAction->trigger();
    EXPECT_EQ(Window().MotorCell(4, 2), 255);

    WhenShown<TFormEditNumber>([](TFormEditNumber& dialog) {
        EXPECT_EQ(dialog.m_LabelUnit->text(), QStringLiteral("sec"));
        EXPECT_EQ(dialog.m_EditField->text(), QStringLiteral("0")) << "not used shows 0";
        TypeInto(dialog.m_EditField, QStringLiteral("240"));
        dialog.m_OKButton->click();
    });
    Window().m_MotorEditAction->trigger();
    EXPECT_EQ(Window().MotorCell(4, 2), 240);
    AnswerNumber(241);
    Window().m_MotorEditAction->trigger();
    EXPECT_EQ(Window().MotorCell(4, 2), 240) << "out of range is refused";
    m_Boxes.Clear();
}

TEST_F(PaneCommandsTest, OnlyARealChangeMarksTheWindowModified)
{
    ImageBuilder image(StandardLayout);
    image.Step(0, 1, 1, 1, {{10, 1}, {11, 0}}).Program(0, 1, {{1, 1}});
    const QString path = m_Folder.Write(QStringLiteral("Loaded.KWC"), image.ConfigurationFile());
    TFormMDIChild window(m_Context);
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.SetPath(path);
    ASSERT_TRUE(window.LoadConfiguration(path, FormatCode::Standard));
    EXPECT_FALSE(window.isWindowModified());

    struct Case
    {
        const char* what;
        std::function<void()> act;
        bool modifies;
    };
    const Case cases[] = {
        {"clear diagnostics", [&] { window.m_DiagnosticClearAction->trigger(); }, false},
        {"copy program",
         [&] {
             window.m_ProgramsTree->setCurrentItem(window.m_ProgramsTree->topLevelItem(0));
             window.m_CopyProgramAction->trigger();
         },
         false},
        {"rename cancelled",
         [&] {
             CancelNumber();
             window.m_RenameProgramAction->trigger();
         },
         false},
        {"rename to the same number",
         [&] {
             AnswerNumber(1);
             window.m_RenameProgramAction->trigger();
         },
         false},
        {"rename",
         [&] {
             AnswerNumber(8);
             window.m_RenameProgramAction->trigger();
         },
         true},
        {"maximum level up",
         [&] {
             window.ServiceControls(ServiceParameter::MaximumLevel)
                 .m_UpDown->findChildren<QToolButton*>()
                 .at(1)
                 ->click();
         },
         true},
        {"language chosen", [&] { window.ServiceControls(ServiceParameter::Language).m_List->setCurrentIndex(3); },
         true},
        {"machine enable", [&] { window.ServiceControls(ServiceParameter::MachineEnable).m_CheckBox->click(); }, true},
        {"hysteresis typed",
         [&] {
             TypeInto(window.ServiceControls(ServiceParameter::TemperatureHysteresis).m_Box, QStringLiteral("7"));
             emit window.ServiceControls(ServiceParameter::TemperatureHysteresis).m_Box->editingFinished();
         },
         true},
        {"motor disabled where nothing was",
         [&] {
             window.m_MotorGrid->setCurrentCell(9, 1);
             window.m_MotorDisableAction->trigger();
         },
         false},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(window.SaveConfiguration(path)) << c.what;
        ASSERT_FALSE(window.IsModified());
        c.act();
        EXPECT_EQ(window.IsModified(), c.modifies) << c.what;
        EXPECT_EQ(window.isWindowModified(), c.modifies) << c.what;
    }
}

TEST_F(PaneCommandsTest, ClosingAModifiedWindowAsksAndKeepsItWhenTheSaveFails)
{
    Window().m_NewProgramAction->trigger();
    m_Boxes.Queue(C_MessageBox::Answer::Cancel);
    EXPECT_FALSE(Window().close());
    ASSERT_EQ(m_Boxes.Shown().size(), 1u);
    EXPECT_EQ(m_Boxes.Shown()[0].text, Text(149));
    EXPECT_EQ(m_Boxes.Shown()[0].caption, Window().Path());
    EXPECT_EQ(m_Boxes.Shown()[0].buttons, C_MessageBox::Buttons::YesNoCancel);

    // A program without cycles fails its check: the window stays and shows why.
    Window().m_RightSplitter->setSizes({700, 100});
    m_Boxes.Queue(C_MessageBox::Answer::Yes);
    EXPECT_FALSE(Window().close());
    EXPECT_FALSE(QFileInfo::exists(Window().Path()));
    EXPECT_GE(Window().m_RightBottomPanel->height(), 300);
    EXPECT_GT(Window().m_DiagnosticTree->topLevelItemCount(), 0);

    QTreeWidgetItem* cycle = NewCycle(1, 1);
    EditValue([this](C_Configuration& value) {
        C_Configuration::Steps steps = *value.m_Cycles[0].m_Steps;
        steps[0][size_t(Row(StepRole::Time))] = 90;
        ConfigurationEdit::SetSteps(value, 0, std::move(steps));
    });
    Drop(cycle, SelectProgram(0));
    m_Boxes.Queue(C_MessageBox::Answer::Yes);
    EXPECT_TRUE(Window().close());
    EXPECT_TRUE(QFileInfo::exists(Window().Path()));
    EXPECT_EQ(m_Context.VerticalLeft(), Window().m_LeftPanel->width()) << "column widths are kept at close";
}

TEST_F(PaneCommandsTest, AReferenceReadFromAnImageLinksOnlyACycle)
{
    ImageBuilder image(StandardLayout);
    image.Step(0, 1, 1, 1, {{10, 1}, {11, 0}}).Program(0, 1, {{1, 0}, {1, 1}, {9, 1}});
    const QString path = m_Folder.Write(QStringLiteral("Zero.KWC"), image.ConfigurationFile());
    TFormMDIChild window(m_Context);
    window.SetPath(path);
    ASSERT_TRUE(window.LoadConfiguration(path, FormatCode::Standard));
    const QTreeWidgetItem* program = window.m_ProgramsTree->topLevelItem(0);
    ASSERT_EQ(program->childCount(), 3);
    EXPECT_EQ(NodeData(program->child(0))->m_Link, nullptr) << "cycle 0 is no cycle, not the category";
    EXPECT_EQ(NodeData(program->child(1))->m_Link, window.m_CategoryNodes[1]->child(0));
    EXPECT_EQ(NodeData(program->child(2))->m_Link, nullptr) << "no category 9";
    window.setAttribute(Qt::WA_DeleteOnClose, false);
}
