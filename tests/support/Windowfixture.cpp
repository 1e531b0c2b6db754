#include "support/Windowfixture.h"

#include <QSignalSpy>

#include "editor/Treenodes.h"
#include "model/Cyclecontent.h"

#include <QApplication>

WindowTest::WindowTest(std::uint16_t format)
    : m_Window(std::make_unique<TFormMDIChild>(m_Context))
{
    m_Window->setAttribute(Qt::WA_DeleteOnClose, false);
    m_Window->SetPath(m_Folder.Path(QStringLiteral("Window.KWC")));
    m_Window->BindFormat(C_EEPROMFormat::Create(format, 16));
    m_Window->resize(1200, 800);
    m_Window->show();
    QApplication::setActiveWindow(m_Window.get());
}

QTreeWidgetItem* WindowTest::SelectProgram(int index)
{
    QTreeWidgetItem* node = m_Window->m_ProgramsTree->topLevelItem(index);
    m_Window->m_ProgramsTree->setCurrentItem(node);
    return node;
}

QTreeWidgetItem* WindowTest::SelectCategory(int code)
{
    QTreeWidgetItem* root = m_Window->m_CategoryNodes[size_t(code)];
    m_Window->m_CyclesTree->setCurrentItem(root);
    return root;
}

QTreeWidgetItem* WindowTest::SelectCycle(int code, int index)
{
    QTreeWidgetItem* cycle = m_Window->m_CategoryNodes[size_t(code)]->child(index);
    m_Window->m_CyclesTree->setCurrentItem(cycle);
    return cycle;
}

void WindowTest::SetStepCursor(int column, int row)
{
    m_Window->m_StepsGrid->setCurrentCell(row, column);
}

void WindowTest::Press(QWidget* pane, int key, Qt::KeyboardModifiers modifiers)
{
    // A closed dialog hands the activation back to its owner, as a window manager does.
    QApplication::setActiveWindow(pane->window());
    pane->setFocus();
    QTest::keyClick(pane, Qt::Key(key), modifiers);
}

int WindowTest::StepsOf(const QTreeWidgetItem* cycle) const
{
    return NodeData(cycle)->m_Content->StepCount() - 1;
}

void WindowTest::EditValue(const std::function<void(C_Configuration&)>& edit)
{
    C_Configuration value = m_Window->Configuration();
    edit(value);
    m_Window->Change(QString(), std::move(value));
}

bool RunTransfer(TFormMDIChild& window, TransferDirection direction)
{
    // Long enough for a full download with its backup and verify on a loaded machine.
    constexpr int TransferWaitMs = 180000;
    QSignalSpy ended(&window, &TFormMDIChild::TransferEnded);
    const bool started = direction == TransferDirection::Download ? window.StartDownload() : window.StartUpload();
    if (!started || !ended.wait(TransferWaitMs))
        return false;
    return ended.at(0).at(0).toBool();
}
