#include "editor/Treenodes.h"
#include "model/Cyclecontent.h"
#include "support/Mainformfixture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMdiArea>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

#include <functional>

namespace {

// Focus as a click gives it; the offscreen platform needs the frame made active first.
void Focus(TMainForm& main, QWidget* widget)
{
    QApplication::setActiveWindow(&main);
    main.activateWindow();
    widget->setFocus();
    QApplication::processEvents();
}

} // namespace

TEST_F(MainFormTest, WindowCommandsNeedAWindow)
{
    StartRun();
    const auto enabled = [this] {
        QList<bool> states;
        for (const QAction* action :
             {Main().m_FileCloseAction, Main().m_WindowCascadeAction, Main().m_WindowHTileAction,
              Main().m_WindowVTileAction, Main().m_WindowMinimizeAction, Main().m_WindowArrangeAction})
            states << action->isEnabled();
        return states;
    };
    const QList<bool> none(6, false);
    const QList<bool> all(6, true);
    EXPECT_EQ(enabled(), none);
    New();
    EXPECT_EQ(enabled(), all);
    Main().m_FileCloseAction->trigger();
    QApplication::processEvents();
    ASSERT_EQ(WindowCount(), 0);
    EXPECT_EQ(enabled(), none);
    for (QAction* always :
         {Main().m_FileSaveAction, Main().m_FileSaveAsAction, Main().m_DownloadAction, Main().m_WindowSetPanesAction}) {
        EXPECT_TRUE(always->isEnabled()) << always->text().toStdString();
        always->trigger(); // without a window: nothing happens
    }
    EXPECT_TRUE(m_Boxes.Shown().empty());
    EXPECT_TRUE(m_Files.Asked().empty());
}

TEST_F(MainFormTest, CutCopyAndPasteFollowTheFocusedTextField)
{
    StartRun();
    TFormMDIChild* window = New();
    QLineEdit* writable = window->ServiceControls(ServiceParameter::TemperatureHysteresis).m_Box;
    QLineEdit* readOnly = window->m_StepCountEdit;
    ASSERT_FALSE(writable->isReadOnly());
    ASSERT_TRUE(readOnly->isReadOnly());
    struct Case
    {
        const char* name;
        QWidget* focused;
        bool select;
        QString clipboard;
        bool cut, copy, paste;
    };
    const Case cases[] = {
        {"writable, nothing selected", writable, false, "7", false, false, true},
        {"writable, selected", writable, true, "7", true, true, true},
        {"writable, empty clipboard", writable, true, "", true, true, false},
        {"read-only, selected", readOnly, true, "7", false, true, false},
        {"no text field", window->m_ProgramsTree, false, "7", false, false, false},
    };
    for (const Case& c : cases) {
        QApplication::clipboard()->setText(c.clipboard);
        Focus(Main(), c.focused);
        ASSERT_TRUE(c.focused->hasFocus()) << c.name;
        if (auto* field = qobject_cast<QLineEdit*>(c.focused)) {
            field->deselect();
            if (c.select)
                field->selectAll();
        }
        QApplication::processEvents();
        EXPECT_EQ(Main().EditCut1->isEnabled(), c.cut) << c.name;
        EXPECT_EQ(Main().EditCopy1->isEnabled(), c.copy) << c.name;
        EXPECT_EQ(Main().EditPaste1->isEnabled(), c.paste) << c.name;
    }

    // The commands act on the focused field.
    Focus(Main(), writable);
    writable->setText(QStringLiteral("3"));
    writable->selectAll();
    Main().EditCopy1->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("3"));
    // The field is the hysteresis, 1 to 10: the paste replaces a selected value.
    writable->setText(QStringLiteral("5"));
    writable->selectAll();
    Main().EditPaste1->trigger();
    EXPECT_EQ(writable->text(), QStringLiteral("3"));
}

TEST_F(MainFormTest, CtrlCAndCtrlVInAPaneOfAConfigurationWindowCopyWithinThePane)
{
    StartRun();
    TFormMDIChild* window = NewValid();
    QTreeWidgetItem* root = window->m_CategoryNodes[1];
    ASSERT_GT(root->childCount(), 0);
    QTreeWidgetItem* cycle = root->child(0);
    const auto stepsOf = [](const QTreeWidgetItem* node) { return NodeData(node)->m_Content->StepCount(); };
    struct Case
    {
        const char* name;
        QWidget* pane;
        std::function<void()> beforeCopy;
        std::function<void()> beforePaste;
        std::function<int()> count;
    };
    const Case cases[] = {
        {"programs", window->m_ProgramsTree,
         [window] { window->m_ProgramsTree->setCurrentItem(window->m_ProgramsTree->topLevelItem(0)); }, [] {},
         [window] { return window->m_ProgramsTree->topLevelItemCount(); }},
        {"cycles", window->m_CyclesTree, [window, cycle] { window->m_CyclesTree->setCurrentItem(cycle); },
         [window, root] { window->m_CyclesTree->setCurrentItem(root); }, [root] { return root->childCount(); }},
        {"steps", window->m_StepsGrid,
         [window, cycle] {
             window->m_CyclesTree->setCurrentItem(cycle);
             window->m_StepsGrid->setCurrentCell(1, 1);
         },
         [] {}, [cycle, stepsOf] { return stepsOf(cycle); }},
    };
    for (const Case& c : cases) {
        c.beforeCopy();
        Focus(Main(), c.pane);
        ASSERT_TRUE(c.pane->hasFocus()) << c.name;
        const int before = c.count();
        QTest::keyClick(c.pane, Qt::Key_C, Qt::ControlModifier);
        c.beforePaste();
        QTest::keyClick(c.pane, Qt::Key_V, Qt::ControlModifier);
        QApplication::processEvents();
        EXPECT_EQ(c.count(), before + 1) << c.name;
    }
    EXPECT_TRUE(window->IsModified());
    EXPECT_TRUE(m_Boxes.Shown().empty());
}
