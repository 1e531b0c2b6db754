// Undo and redo: random editing sessions undone to their start and redone to
// their end, with the window's invariants checked after every step.
#include "editor/ModalDriver.h"
#include "window/Windowfixture.h"

#include "app/Mainform.h"
#include "editor/Editnumber.h"
#include "editor/Updown.h"
#include "model/Cyclecontent.h"
#include "support/Sampleconfiguration.h"

#include <QAction>
#include <QMdiArea>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidgetItemIterator>
#include <QUndoStack>

#include <random>

namespace {

class HistoryTest : public WindowTest
{
protected:
    // A window of a saved sample configuration, its history unlimited.
    void OpenSample()
    {
        C_ConfigurationPanes panes;
        const auto format = C_EEPROMFormat::Create(FormatCode::Standard, panes, 16);
        FillSampleConfiguration(panes, *format, {6, 3, 2, 9}, 3);
        const QString path = m_Folder.Path(QStringLiteral("Start.KWC"));
        ASSERT_TRUE(format->SaveFile(path));
        m_Window = std::make_unique<TFormMDIChild>(m_Context);
        m_Window->setAttribute(Qt::WA_DeleteOnClose, false);
        m_Window->SetPath(path);
        ASSERT_TRUE(m_Window->LoadConfiguration(path, FormatCode::Standard));
        m_Window->resize(1200, 800);
        m_Window->show();
        m_Window->History().setUndoLimit(0);
    }

    template <class T>
    T* Pick(const QList<T*>& items)
    {
        return items.isEmpty() ? nullptr : items[int(m_Random() % unsigned(items.size()))];
    }
    int Below(int bound) { return bound <= 0 ? 0 : int(m_Random() % unsigned(bound)); }

    QList<QTreeWidgetItem*> Cycles()
    {
        QList<QTreeWidgetItem*> cycles;
        for (int code = 1; code <= NodeKind::CategoryCount; ++code)
            for (int c = 0; c < Window().m_CategoryNodes[size_t(code)]->childCount(); ++c)
                cycles << Window().m_CategoryNodes[size_t(code)]->child(c);
        return cycles;
    }
    QList<QTreeWidgetItem*> ProgramNodes()
    {
        QList<QTreeWidgetItem*> nodes;
        for (QTreeWidgetItemIterator it(Window().m_ProgramsTree); *it != nullptr; ++it)
            nodes << *it;
        return nodes;
    }

    // One editing command on a random place, as a technician might give it.
    void RandomCommand()
    {
        TFormMDIChild& w = Window();
        switch (Below(14)) {
        case 0: w.m_NewProgramAction->trigger(); break;
        case 1: w.m_ProgramsTree->setCurrentItem(Pick(ProgramNodes()));
                w.m_DeleteProgramAction->trigger(); break;
        case 2: w.m_ProgramsTree->setCurrentItem(Pick(ProgramNodes()));
                w.m_CopyProgramAction->trigger(); w.m_PasteProgramAction->trigger(); break;
        case 3: SelectCategory(1 + Below(5)); w.m_NewCycleAction->trigger(); break;
        case 4: w.m_CyclesTree->setCurrentItem(Pick(Cycles())); w.m_DeleteCycleAction->trigger(); break;
        case 5: w.m_CyclesTree->setCurrentItem(Pick(Cycles())); w.m_CopyCycleAction->trigger();
                SelectCategory(1 + Below(5)); w.m_PasteCycleAction->trigger(); break;
        case 6:
            if (QTreeWidgetItem* target = Pick(ProgramNodes())) {
                w.m_CyclesTree->setCurrentItem(Pick(Cycles()));
                w.m_ProgramsTree->scrollToItem(target);
                w.ProgramTreeDragDrop(w.m_ProgramsTree->visualItemRect(target).center());
            }
            break;
        case 7:
        case 8: {
            w.m_CyclesTree->setCurrentItem(Pick(Cycles()));
            if (w.DisplayedCycle() == nullptr)
                break;
            SetStepCursor(1 + Below(w.m_StepsGrid->columnCount() - 1), 1 + Below(w.m_StepsGrid->rowCount() - 1));
            QAction* const stepCommands[] = {w.m_InsertStepAction, w.m_RemoveStepAction, w.m_EnableStepFieldAction,
                                             w.m_DisableStepFieldAction, w.m_PasteStepAction};
            w.m_CopyStepAction->trigger();
            stepCommands[Below(5)]->trigger();
            break;
        }
        case 9:
            w.m_CyclesTree->setCurrentItem(Pick(Cycles()));
            if (w.DisplayedCycle() != nullptr) {
                // An output's cell toggles without a dialog.
                SetStepCursor(1 + Below(w.m_StepsGrid->columnCount() - 1), 2 + Below(6));
                w.m_EditCellAction->trigger();
            }
            break;
        case 10: w.m_MotorGrid->setCurrentCell(1 + Below(15), Below(4));
                 (Below(2) == 0 ? w.m_MotorEnableAction : w.m_MotorDisableAction)->trigger(); break;
        case 11: w.m_MaximumLevelUpDown->findChildren<QToolButton*>().at(Below(2))->click(); break;
        case 12:
            if (QTreeWidgetItem* program = Pick(ProgramNodes()); program != nullptr && program->parent() == nullptr) {
                w.m_ProgramsTree->setCurrentItem(program);
                const int number = 1 + Below(99);
                WhenShown<TFormEditNumber>([number](TFormEditNumber& dialog) {
                    TypeInto(dialog.m_EditField, QString::number(number));
                    dialog.m_OKButton->click();
                });
                w.m_RenameProgramAction->trigger();
            }
            break;
        default: w.m_CyclesTree->setCurrentItem(Pick(Cycles())); break;
        }
        m_Boxes.Clear();
    }

    // The budget is the steps the cycles hold; every pointer into the trees is live.
    void ExpectInvariants(const char* when, int step)
    {
        TFormMDIChild& w = Window();
        int steps = 0;
        QSet<const QTreeWidgetItem*> cycles;
        for (QTreeWidgetItem* cycle : Cycles()) {
            steps += StepsOf(cycle);
            cycles << cycle;
        }
        ASSERT_EQ(Format().ReserveSteps(0), 400 - steps) << when << " " << step;
        ASSERT_EQ(Free(), 400 - steps) << when << " " << step;
        for (QTreeWidgetItem* node : ProgramNodes()) {
            const C_NodeData& data = *NodeData(node);
            if (data.m_Link == nullptr)
                continue;
            ASSERT_TRUE(cycles.contains(data.m_Link)) << when << " " << step;
            ASSERT_EQ(NodeData(data.m_Link)->m_Number, data.m_Number) << when << " " << step;
        }
        ASSERT_TRUE(w.DisplayedCycle() == nullptr || cycles.contains(w.DisplayedCycle())) << when << " " << step;
        ASSERT_EQ(w.IsModified(), !w.History().isClean()) << when << " " << step;
    }

    std::mt19937 m_Random;
};

} // namespace

TEST_F(HistoryTest, RandomSessionsUndoToTheirStartAndRedoToTheirEnd)
{
    for (const unsigned seed : {1u, 2u, 3u}) {
        OpenSample();
        m_Random.seed(seed);
        std::vector<C_ConfigurationSnapshot> states{Window().Snapshot()};
        for (int i = 0; i < 200; ++i) {
            RandomCommand();
            ExpectInvariants("edit", i);
            if (Window().History().count() == int(states.size()))
                states.push_back(Window().Snapshot());
            ASSERT_EQ(Window().History().count() + 1, int(states.size())) << "one step per change";
        }
        ASSERT_GT(states.size(), 100u) << "seed " << seed;
        for (int k = int(states.size()) - 2; k >= 0; --k) {
            Window().History().undo();
            ExpectInvariants("undo", k);
            ASSERT_TRUE(Window().Snapshot() == states[size_t(k)]) << "undone to step " << k << ", seed " << seed;
        }
        EXPECT_FALSE(Window().IsModified()) << "back at the state last saved";
        for (size_t k = 1; k < states.size(); ++k) {
            Window().History().redo();
            ExpectInvariants("redo", int(k));
            ASSERT_TRUE(Window().Snapshot() == states[k]) << "redone to step " << k << ", seed " << seed;
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
