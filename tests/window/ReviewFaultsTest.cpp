// Faults a review of the configuration window found: each case here failed before its mend.
#include "window/Randomsession.h"
#include "window/Windowfixture.h"

#include "editor/Changecommand.h"
#include "editor/Updown.h"
#include "model/Cyclecontent.h"
#include "model/Formatdescription.h"
#include "support/Sampleconfiguration.h"

#include <QAction>
#include <QThread>
#include <QToolButton>
#include <QUndoStack>

namespace {

class ReviewFaultsTest : public WindowTest
{
protected:
    void OpenSample() { m_Window = OpenSampleWindow(m_Context, m_Folder.Path(QStringLiteral("Sample.KWC"))); }
    QToolButton* Arrow(C_UpDown* upDown, int index) { return upDown->findChildren<QToolButton*>().at(index); }
};

} // namespace

// What the hysteresis box shows is what Save writes: typing counts at once and marks
// the window; a typed value outside the range is refused and the last valid one kept.
TEST_F(ReviewFaultsTest, ATypedHysteresisCountsAtOnce)
{
    OpenSample();
    QLineEdit* box = Window().m_TemperatureHysteresisEdit;
    C_UpDown* upDown = Window().m_TemperatureHysteresisUpDown;
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("7"));
    EXPECT_EQ(upDown->Position(), 7);
    EXPECT_TRUE(Window().IsModified());
    QTest::keyClicks(box, QStringLiteral("5"));
    EXPECT_EQ(box->text(), QStringLiteral("7"));
    EXPECT_EQ(upDown->Position(), 7);
    ASSERT_EQ(m_Boxes.Shown().size(), 1u);
    EXPECT_EQ(m_Boxes.Shown()[0].text, Text(11));
    ASSERT_TRUE(Window().SaveConfiguration(Window().Path()));
    ASSERT_TRUE(Window().LoadConfiguration(Window().Path(), FormatCode::Standard));
    EXPECT_EQ(upDown->Position(), 7);
}

// Only a real change counts, and quick changes of one control are one step.
TEST_F(ReviewFaultsTest, UpDownClicksMakeAStepOnlyWhenTheyChangeSomething)
{
    OpenSample();
    C_UpDown* level = Window().m_MaximumLevelUpDown;
    level->SetPosition(level->Max());
    Arrow(level, 0)->click();
    EXPECT_FALSE(Window().IsModified()) << "a click at the top of the range";
    EXPECT_EQ(Window().History().count(), 0);
    for (int repeat = 0; repeat < 10; ++repeat)
        Arrow(level, 1)->click();
    EXPECT_EQ(Window().History().count(), 1) << "a held arrow";
    Window().m_SpinLevelUpDown->SetPosition(30);
    Arrow(Window().m_SpinLevelUpDown, 0)->click();
    Arrow(level, 1)->click();
    EXPECT_EQ(Window().History().count(), 3) << "another control came between";
    QThread::msleep(C_ChangeCommand::MergeWithinMs + 100);
    Arrow(level, 1)->click();
    EXPECT_EQ(Window().History().count(), 4) << "a second later";
    Window().History().undo();
    Arrow(level, 1)->click();
    Arrow(level, 0)->click();
    EXPECT_EQ(Window().History().count(), 3) << "down and straight back up takes its step back";
    EXPECT_EQ(level->Position(), level->Max() - 11);
}

// The motor grid shows the cell the keys act on as the step grid does.
TEST_F(ReviewFaultsTest, TheMotorGridShowsItsCurrentCell)
{
    QTableWidget& grid = *Window().m_MotorGrid;
    grid.setFocus();
    for (const auto& [row, column] : {std::pair{3, 2}, std::pair{7, 1}}) {
        grid.setCurrentCell(row, column);
        const QImage image = grid.viewport()->grab().toImage();
        const QRect cell = grid.visualRect(grid.model()->index(row, column));
        EXPECT_EQ(image.pixelColor(cell.center() * image.devicePixelRatio()), QColor(255, 255, 0)) << row;
        const QRect other = grid.visualRect(grid.model()->index(row == 3 ? 7 : 3, column == 2 ? 1 : 2));
        EXPECT_NE(image.pixelColor(other.center() * image.devicePixelRatio()), QColor(255, 255, 0)) << row;
    }
}

// A drag links the cycle it starts from, and starts only from a cycle.
TEST_F(ReviewFaultsTest, ADragStartsOnlyFromACycle)
{
    OpenSample();
    QTreeWidget& tree = *Window().m_CyclesTree;
    QTreeWidgetItem* root = Window().m_CategoryNodes[1];
    QTreeWidgetItem* cycle = root->child(0);
    Window().m_CyclesTree->setCurrentItem(root->child(1));
    const QRect rootRow = tree.visualItemRect(root);
    EXPECT_EQ(Window().CycleAt(tree.visualItemRect(cycle).center()), cycle);
    EXPECT_EQ(Window().CycleAt(rootRow.center()), nullptr) << "a category root";
    EXPECT_EQ(Window().CycleAt({rootRow.left() + 4, rootRow.center().y()}), nullptr) << "its arrow";
    QTreeWidgetItem* last = root;
    for (QTreeWidgetItem* below = root; below != nullptr; below = tree.itemBelow(below))
        last = below;
    const int empty = tree.visualItemRect(last).bottom() + 4;
    ASSERT_LT(empty, tree.viewport()->height());
    EXPECT_EQ(Window().CycleAt({4, empty}), nullptr) << "empty space";
}

// Held Enter or a held letter edits a cell once; held Insert goes on inserting.
TEST_F(ReviewFaultsTest, AHeldKeyEditsACellOnce)
{
    OpenSample();
    QTreeWidgetItem* cycle = SelectCycle(1, 0);
    QTableWidget* grid = Window().m_StepsGrid;
    QApplication::setActiveWindow(&Window());
    grid->setFocus();
    // An output's cell toggles without a dialog.
    SetStepCursor(1, 2);
    const int before = NodeData(cycle)->m_Content->GetStep(0)->m_Values[1];
    for (const bool repeat : {false, true})
        QTest::simulateEvent(grid, true, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), repeat);
    EXPECT_NE(NodeData(cycle)->m_Content->GetStep(0)->m_Values[1], before);
    const int steps = StepsOf(cycle);
    for (const bool repeat : {false, true})
        QTest::simulateEvent(grid, true, Qt::Key_Insert, Qt::NoModifier, QString(), repeat);
    EXPECT_EQ(StepsOf(cycle), steps + 2);
}

// A step copied under one row list is not pasted under another.
TEST_F(ReviewFaultsTest, ACopiedStepIsPastedOnlyUnderItsRows)
{
    OpenSample();
    QTreeWidgetItem* cycle = SelectCycle(1, 0);
    SetStepCursor(1, 2);
    const int steps = StepsOf(cycle);
    Window().m_CopyStepAction->trigger();
    Window().m_PasteStepAction->trigger();
    EXPECT_EQ(StepsOf(cycle), steps + 1) << "under the same rows";

    C_ConfigurationPanes panes;
    const auto wide = C_EEPROMFormat::Create(FormatCode::Standard, panes, 24);
    FillSampleConfiguration(panes, *wide, {4}, 1);
    const QString path = m_Folder.Path(QStringLiteral("Wide.KWC"));
    ASSERT_TRUE(wide->SaveFile(path));
    ASSERT_TRUE(Window().LoadConfiguration(path, FormatCode::Standard));
    cycle = SelectCycle(1, 0);
    SetStepCursor(1, 2);
    Window().m_PasteStepAction->trigger();
    EXPECT_EQ(StepsOf(cycle), 4);
}
