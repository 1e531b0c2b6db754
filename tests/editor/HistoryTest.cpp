// Undo and redo: random editing sessions undone to their start and redone to
// their end, with the window's invariants checked after every step.
#include "app/Mainform.h"
#include "editor/Treenodes.h"
#include "support/Randomsession.h"
#include "support/Windowfixture.h"

#include <QAction>
#include <QUndoStack>

namespace {

class HistoryTest : public WindowTest
{
protected:
    // A window of a saved sample configuration, its history unlimited.
    void OpenSample() { m_Window = OpenSampleWindow(m_Context, m_Folder.Path(QStringLiteral("Start.KWC"))); }
};

} // namespace

TEST_F(HistoryTest, RandomSessionsUndoToTheirStartAndRedoToTheirEnd)
{
    for (const unsigned seed : {1u, 2u, 3u}) {
        OpenSample();
        RandomSession session(Window(), seed);
        std::vector<C_Configuration> states{Window().Configuration()};
        for (int i = 0; i < 200; ++i) {
            session.Command();
            m_Boxes.Clear();
            session.ExpectInvariants("edit", i);
            ASSERT_FALSE(HasFatalFailure());
            // Quick changes of one control join the last step, and one that takes it back removes it.
            const int steps = Window().History().count();
            if (steps < int(states.size()) - 1)
                states.resize(size_t(steps) + 1);
            if (steps == int(states.size()))
                states.push_back(Window().Configuration());
            else if (steps > 0)
                states.back() = Window().Configuration();
            ASSERT_EQ(steps + 1, int(states.size())) << "one step per change";
            ASSERT_TRUE(Window().Configuration() == states.back()) << "every change is in the history";
        }
        ASSERT_GT(states.size(), 100u) << "seed " << seed;
        for (int k = int(states.size()) - 2; k >= 0; --k) {
            Window().History().undo();
            session.ExpectInvariants("undo", k);
            ASSERT_FALSE(HasFatalFailure());
            ASSERT_TRUE(Window().Configuration() == states[size_t(k)]) << "undone to step " << k << ", seed " << seed;
        }
        EXPECT_FALSE(Window().IsModified()) << "back at the state last saved";
        for (size_t k = 1; k < states.size(); ++k) {
            Window().History().redo();
            session.ExpectInvariants("redo", int(k));
            ASSERT_FALSE(HasFatalFailure());
            ASSERT_TRUE(Window().Configuration() == states[k]) << "redone to step " << k << ", seed " << seed;
        }
    }
}

TEST_F(HistoryTest, TheEditMenuNamesTheChangeAndUndoReturnsToTheSavedState)
{
    OpenSample();
    TMainForm frame(m_Context);
    TFormMDIChild* window = frame.OpenConfigurationFile(Window().Path());
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(frame.m_EditUndoAction->isEnabled());

    window->m_CyclesTree->setCurrentItem(window->m_CategoryNodes[2]->child(0));
    window->m_DeleteCycleAction->trigger();
    EXPECT_EQ(frame.m_EditUndoAction->text().remove(QLatin1Char('&')), QStringLiteral("Undo ") + Text(127));
    EXPECT_TRUE(window->isWindowModified());

    frame.m_EditUndoAction->trigger();
    EXPECT_FALSE(window->isWindowModified()) << "undone to the state of the file";
    EXPECT_EQ(window->m_CategoryNodes[2]->childCount(), 1);
    EXPECT_NE(NodeData(window->m_ProgramsTree->topLevelItem(1)->child(0))->m_Link, nullptr)
        << "the restored cycle is linked again";

    window->m_ProgramsTree->setCurrentItem(window->m_ProgramsTree->topLevelItem(2));
    window->m_DeleteProgramAction->trigger();
    frame.m_EditUndoAction->trigger();
    EXPECT_TRUE(frame.m_EditRedoAction->isEnabled());
    frame.m_EditRedoAction->trigger();
    EXPECT_TRUE(window->isWindowModified());
    ASSERT_TRUE(window->SaveConfiguration(window->Path()));
    frame.m_EditUndoAction->trigger();
    EXPECT_TRUE(window->isWindowModified()) << "away from the saved state again";

    // Saving and clearing the diagnostic lines are no steps of the history.
    const int steps = window->History().count();
    window->m_DiagnosticClearAction->trigger();
    EXPECT_EQ(window->History().count(), steps);
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    m_Boxes.Queue(C_MessageBox::Answer::No);
    window->close();
    delete window;
    EXPECT_FALSE(frame.m_EditUndoAction->isEnabled());
}
