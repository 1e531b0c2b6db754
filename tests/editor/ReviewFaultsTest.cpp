// Faults a review of the configuration window found; each check failed before its mend.
#include "desktop/Updown.h"
#include "editor/Changecommand.h"
#include "editor/Treenodes.h"
#include "model/Cyclecontent.h"
#include "support/Randomsession.h"
#include "support/Sampleconfiguration.h"
#include "support/Windowfixture.h"

#include <QAction>
#include <QThread>
#include <QToolButton>
#include <QUndoStack>

namespace {

void Click(C_UpDown* upDown, bool up)
{
    upDown->findChildren<QToolButton*>().at(up ? 0 : 1)->click();
}

} // namespace

TEST_F(WindowTest, ServiceEditsCountWhenTheyChangeSomethingAndQuickOnesAreOneStep)
{
    m_Window = OpenSampleWindow(m_Context, m_Folder.Path(QStringLiteral("Sample.KWC")));
    // Typed hysteresis counts at once; out of its range it is refused and the last value kept.
    QLineEdit* box = Window().ServiceControls(ServiceParameter::TemperatureHysteresis).m_Box;
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("75"));
    EXPECT_EQ(box->text(), QStringLiteral("7"));
    EXPECT_EQ(Window().ServiceControls(ServiceParameter::TemperatureHysteresis).m_UpDown->Position(), 7);
    ASSERT_EQ(m_Boxes.Shown().size(), 1u);
    EXPECT_EQ(m_Boxes.Shown()[0].text, Text(11));
    const int typed = Window().History().count();
    EXPECT_EQ(typed, 1);
    // A click at the end of the range is nothing; a held arrow is one step; another control or a second parts them.
    C_UpDown* level = Window().ServiceControls(ServiceParameter::MaximumLevel).m_UpDown;
    level->SetPosition(level->Max());
    Click(level, true);
    for (int repeat = 0; repeat < 10; ++repeat)
        Click(level, false);
    EXPECT_EQ(Window().History().count(), 2);
    Window().ServiceControls(ServiceParameter::SpinLevel).m_UpDown->SetPosition(30);
    Click(Window().ServiceControls(ServiceParameter::SpinLevel).m_UpDown, true);
    Click(level, false);
    QThread::msleep(C_ChangeCommand::MergeWithinMs + 100);
    Click(level, false);
    EXPECT_EQ(Window().History().count(), 5);
    // Down and straight back up takes its own step back, but never joins across an undo.
    Window().History().undo();
    Click(level, false);
    Click(level, true);
    EXPECT_EQ(Window().History().count(), 4);
    EXPECT_EQ(level->Position(), level->Max() - 11);
    ASSERT_TRUE(Window().SaveConfiguration(Window().Path()));
    ASSERT_TRUE(Window().LoadConfiguration(Window().Path(), FormatCode::Standard));
    EXPECT_EQ(Window().ServiceControls(ServiceParameter::TemperatureHysteresis).m_UpDown->Position(), 7)
        << "Save wrote what the box showed";
}

TEST_F(WindowTest, GridsDragsAndKeysActWhereTheUserSees)
{
    m_Window = OpenSampleWindow(m_Context, m_Folder.Path(QStringLiteral("Sample.KWC")));
    // The motor grid marks its current cell as the step grid does.
    QTableWidget& motors = *Window().m_MotorGrid;
    motors.setCurrentCell(3, 2);
    const QImage image = motors.viewport()->grab().toImage();
    const auto colour = [&](int row, int column) {
        return image.pixelColor(motors.visualRect(motors.model()->index(row, column)).center());
    };
    EXPECT_EQ(colour(3, 2), QColor(255, 255, 0));
    EXPECT_NE(colour(7, 1), QColor(255, 255, 0));
    // A drag starts only from a cycle: not a category root, its arrow or empty space.
    const QTreeWidget& tree = *Window().m_CyclesTree;
    QTreeWidgetItem* root = Window().m_CategoryNodes[1];
    QTreeWidgetItem* last = root;
    for (QTreeWidgetItem* below = root; below != nullptr; below = tree.itemBelow(below))
        last = below;
    const QRect rootRow = tree.visualItemRect(root);
    EXPECT_EQ(Window().CycleAt(tree.visualItemRect(root->child(0)).center()), root->child(0));
    for (const QPoint point : {rootRow.center(), QPoint(rootRow.left() + 4, rootRow.center().y()),
                               QPoint(4, tree.visualItemRect(last).bottom() + 4)})
        EXPECT_EQ(Window().CycleAt(point), nullptr) << point.x() << "," << point.y();
    // Held Enter toggles an output once; held Insert goes on inserting.
    QTreeWidgetItem* cycle = SelectCycle(1, 0);
    QApplication::setActiveWindow(&Window());
    Window().m_StepsGrid->setFocus();
    SetStepCursor(1, 2);
    const std::int32_t before = NodeData(cycle)->m_Content->GetStep(0)->m_Values[1];
    const int steps = StepsOf(cycle);
    for (const bool repeat : {false, true})
        QTest::simulateEvent(Window().m_StepsGrid, true, Qt::Key_Return, {}, QStringLiteral("\r"), repeat);
    EXPECT_NE(NodeData(cycle)->m_Content->GetStep(0)->m_Values[1], before);
    for (const bool repeat : {false, true})
        QTest::simulateEvent(Window().m_StepsGrid, true, Qt::Key_Insert, {}, QString(), repeat);
    EXPECT_EQ(StepsOf(cycle), steps + 2);
}

// A copied step is pasted under the rows it was copied from only; a load forgets it.
TEST_F(WindowTest, ACopiedStepIsPastedOnlyUnderItsRows)
{
    m_Window = OpenSampleWindow(m_Context, m_Folder.Path(QStringLiteral("Sample.KWC")));
    const auto wide = C_EEPROMFormat::Create(FormatCode::Standard, 24);
    const QString widePath = m_Folder.Path(QStringLiteral("Wide.KWC"));
    ASSERT_TRUE(SaveSample(*wide, {4}, 1, widePath));
    for (const bool reload : {false, true}) {
        QTreeWidgetItem* cycle = SelectCycle(1, 0);
        SetStepCursor(1, 2);
        Window().m_CopyStepAction->trigger();
        const int steps = StepsOf(cycle);
        if (reload) {
            ASSERT_TRUE(Window().LoadConfiguration(widePath, FormatCode::Standard));
            cycle = SelectCycle(1, 0);
        }
        Window().m_PasteStepAction->trigger();
        EXPECT_EQ(StepsOf(cycle), reload ? 4 : steps + 1) << reload;
    }
}
