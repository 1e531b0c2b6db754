// The timeline window beside a configuration window: it follows the selection and
// every change, and a click or an arrow key selects the step in the grid.
#include "editor/Timelineview.h"
#include "editor/Treenodes.h"
#include "language/Language.h"
#include "language/Messages.h"
#include "support/Imagebuilder.h"
#include "support/Windowfixture.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QUndoStack>

namespace {

class TimelineViewTest : public WindowTest
{
protected:
    // Program 1 runs Wash 1 (two steps of 1:00 and 2:00), Rinse 1 (one of 0:30) and Wash 1 again.
    TimelineViewTest()
    {
        ImageBuilder image(StandardLayout);
        image.Step(0, 2, 1, 1, {{3, 0x01}, {10, 1}, {11, 0}})
            .Step(1, 2, 1, 2, {{10, 2}, {11, 0}})
            .Step(2, 3, 1, 1, {{10, 0}, {11, 30}})
            .Program(0, 1, {{2, 1}, {3, 1}, {2, 1}});
        const QString path = m_Folder.Write(QStringLiteral("Timeline.KWC"), image.ConfigurationFile());
        EXPECT_TRUE(Window().LoadConfiguration(path, FormatCode::Standard));
        m_View.resize(900, 300);
        m_View.show();
        m_View.Follow(&Window());
    }

    void Click(int step)
    {
        QTest::mouseClick(&m_View, Qt::LeftButton, {},
                          m_View.Layout()->Steps()[size_t(step)].m_Column.center().toPoint());
    }

    C_TimelineView m_View;
};

} // namespace

TEST_F(TimelineViewTest, FollowsTheSelectionAndEveryChangeAndSelectsTheStepClicked)
{
    EXPECT_EQ(m_View.Layout(), nullptr);
    SelectProgram(0);
    ASSERT_NE(m_View.Layout(), nullptr);
    EXPECT_EQ(m_View.Layout()->Steps().size(), 5u);
    EXPECT_TRUE(Window().SelectionRunningTime().endsWith(QStringLiteral(" 1 6:30")));
    EXPECT_TRUE(Window().m_ProgramsTree->topLevelItem(0)->toolTip(0).endsWith(QStringLiteral(": 6:30")));

    // The second run of Wash 1 is the one clicked, not its first.
    Click(4);
    EXPECT_EQ(Window().CurrentStep(), std::make_pair(0, 1));
    EXPECT_EQ(m_View.SelectedStep(), 4);

    // A click selects Rinse 1's step in the grid; the timeline stays on the program.
    Click(2);
    EXPECT_EQ(Window().CurrentStep(), std::make_pair(1, 0));
    EXPECT_EQ(Window().DisplayedCycle(), Window().m_CategoryNodes[3]->child(0));
    EXPECT_EQ(m_View.SelectedStep(), 2);
    EXPECT_EQ(m_View.Layout()->Steps().size(), 5u);
    EXPECT_TRUE(
        Window().SelectionRunningTime().endsWith(QStringLiteral(", ") + Text(Msg::Step) + QStringLiteral(" 1 0:30")));
    QTest::keyClick(&m_View, Qt::Key_Left);
    EXPECT_EQ(Window().CurrentStep(), std::make_pair(0, 1));
    EXPECT_EQ(m_View.SelectedStep(), 1);

    // An edit shows at once, and so does its undo.
    Window().m_RemoveStepAction->trigger();
    EXPECT_EQ(m_View.Layout()->Steps().size(), 3u);
    Window().History().undo();
    EXPECT_EQ(m_View.Layout()->Steps().size(), 5u);

    // Selecting a cycle shows that cycle alone.
    SelectCycle(3, 0);
    EXPECT_EQ(m_View.Layout()->Steps().size(), 1u);
    m_View.Follow(nullptr);
    EXPECT_EQ(m_View.Layout(), nullptr);
}

// A screen reader reads the steps as a list: each named by its cycle and number
// and described by its times and fields; the step chosen by key is the focused one.
TEST_F(TimelineViewTest, TheStepsAreAListThatAScreenReaderReadsAndFollows)
{
    SelectProgram(0);
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(&m_View);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->role(), QAccessible::List);
    EXPECT_EQ(list->text(QAccessible::Name), CommandTitle(Msg::TimelineAction));
    ASSERT_EQ(list->childCount(), 5);
    QAccessibleInterface* second = list->child(1);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(list->indexOfChild(second), 1);
    EXPECT_EQ(second->parent(), list);
    EXPECT_TRUE(second->text(QAccessible::Name).endsWith(Text(Msg::Step) + QStringLiteral(" 2")));
    EXPECT_TRUE(second->text(QAccessible::Description)
                    .startsWith(Text(Msg::StepStartsAt) + QStringLiteral(" 1:00, ") + Text(Msg::StepLasts) +
                                QStringLiteral(" 2:00; ")));
    EXPECT_EQ(list->childAt(second->rect().center().x(), second->rect().center().y()), second);

    // Focus events reach a listener only through a platform bridge, which the
    // offscreen platform has none of: the state says which step has the focus.
    QApplication::setActiveWindow(&m_View);
    m_View.setFocus();
    Click(1);
    EXPECT_TRUE(second->state().focused);
    QTest::keyClick(&m_View, Qt::Key_Right);
    EXPECT_TRUE(list->child(2)->state().focused);
    EXPECT_FALSE(second->state().focused);

    // A step that a change took away reads as gone.
    QAccessibleInterface* last = list->child(4);
    Window().m_RemoveStepAction->trigger();
    EXPECT_EQ(list->childCount(), 4);
    EXPECT_FALSE(last->isValid());
}
