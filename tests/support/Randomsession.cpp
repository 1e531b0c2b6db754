#include "support/Randomsession.h"

#include "desktop/Updown.h"
#include "document/Configurationfile.h"
#include "editor/Editnumber.h"
#include "editor/Treenodes.h"
#include "model/Cyclecontent.h"
#include "model/Eepromformat.h"
#include "support/ModalDriver.h"
#include "support/Sampleconfiguration.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTableWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QUndoStack>

#include <gtest/gtest.h>

namespace {

constexpr int StepRecords = 400;
constexpr int ControllerPrograms = 30;

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

std::unique_ptr<TFormMDIChild> OpenSampleWindow(C_Context& context, const QString& path, int undoLimit)
{
    const auto format = C_EEPROMFormat::Create(FormatCode::Standard, 16);
    EXPECT_TRUE(SaveSample(*format, {6, 3, 2, 9}, 3, path));
    auto window = std::make_unique<TFormMDIChild>(context);
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    window->SetPath(path);
    EXPECT_TRUE(window->LoadConfiguration(path, FormatCode::Standard));
    window->resize(1200, 800);
    window->show();
    window->History().setUndoLimit(undoLimit);
    return window;
}

RandomSession::RandomSession(TFormMDIChild& window, unsigned seed)
    : m_Window(window)
    , m_Random(seed)
{
}

void RandomSession::SelectCategory(int code)
{
    m_Window.m_CyclesTree->setCurrentItem(m_Window.m_CategoryNodes[size_t(code)]);
}

void RandomSession::SetStepCursor(int column, int row)
{
    m_Window.m_StepsGrid->setCurrentCell(row, column);
}

QList<QTreeWidgetItem*> RandomSession::Cycles() const
{
    QList<QTreeWidgetItem*> cycles;
    for (int code = 1; code <= NodeKind::CategoryCount; ++code)
        for (int c = 0; c < m_Window.m_CategoryNodes[size_t(code)]->childCount(); ++c)
            cycles << m_Window.m_CategoryNodes[size_t(code)]->child(c);
    return cycles;
}

QList<QTreeWidgetItem*> RandomSession::ProgramNodes() const
{
    QList<QTreeWidgetItem*> nodes;
    for (QTreeWidgetItemIterator it(m_Window.m_ProgramsTree); *it != nullptr; ++it)
        nodes << *it;
    return nodes;
}

void RandomSession::Command(bool saving)
{
    TFormMDIChild& w = m_Window;
    switch (Below(saving ? 18 : 14)) {
    case 0: w.m_NewProgramAction->trigger(); break;
    case 1:
        w.m_ProgramsTree->setCurrentItem(Pick(ProgramNodes()));
        w.m_DeleteProgramAction->trigger();
        break;
    case 2:
        w.m_ProgramsTree->setCurrentItem(Pick(ProgramNodes()));
        w.m_CopyProgramAction->trigger();
        w.m_PasteProgramAction->trigger();
        break;
    case 3:
        SelectCategory(1 + Below(5));
        w.m_NewCycleAction->trigger();
        break;
    case 4:
        w.m_CyclesTree->setCurrentItem(Pick(Cycles()));
        w.m_DeleteCycleAction->trigger();
        break;
    case 5:
        w.m_CyclesTree->setCurrentItem(Pick(Cycles()));
        w.m_CopyCycleAction->trigger();
        SelectCategory(1 + Below(5));
        w.m_PasteCycleAction->trigger();
        break;
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
    case 10:
        w.m_MotorGrid->setCurrentCell(1 + Below(15), Below(4));
        (Below(2) == 0 ? w.m_MotorEnableAction : w.m_MotorDisableAction)->trigger();
        break;
    case 11:
        w.ServiceControls(ServiceParameter::MaximumLevel).m_UpDown->findChildren<QToolButton*>().at(Below(2))->click();
        break;
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
    case 13: w.m_CyclesTree->setCurrentItem(Pick(Cycles())); break;
    case 14:
        // Undo or redo a few steps, as the Edit menu does.
        for (int k = Below(4); k >= 0; --k)
            (Below(3) == 0 ? w.History().redo() : w.History().undo());
        break;
    default: {
        // Tidy as a technician does before saving and save; then read the file
        // back, or, when the checks refused it, give the changes up and read the
        // file as last saved.
        Tidy();
        const bool saved = w.Save();
        if (!saved || Below(2) == 0)
            w.LoadConfiguration(w.Path(), FormatCode::Standard);
        break;
    }
    }
}

void RandomSession::Tidy()
{
    TFormMDIChild& w = m_Window;
    for (QTreeWidgetItem* cycle : Cycles()) {
        if (NodeData(cycle)->m_Content->StepCount() == 1) {
            w.m_CyclesTree->setCurrentItem(cycle);
            w.m_DeleteCycleAction->trigger();
        }
    }
    for (int excess = w.m_ProgramsTree->topLevelItemCount() - ControllerPrograms; excess > 0; --excess) {
        w.m_ProgramsTree->setCurrentItem(w.m_ProgramsTree->topLevelItem(w.m_ProgramsTree->topLevelItemCount() - 1));
        w.m_DeleteProgramAction->trigger();
    }
    for (QTreeWidgetItem* node : ProgramNodes()) {
        if (node->parent() != nullptr && NodeData(node)->m_Link == nullptr) {
            w.m_ProgramsTree->setCurrentItem(node);
            w.m_DeleteProgramAction->trigger();
        }
    }
    for (QTreeWidgetItem* node : ProgramNodes()) {
        if (node->parent() != nullptr || node->childCount() > 0 || Cycles().isEmpty())
            continue;
        w.m_CyclesTree->setCurrentItem(Pick(Cycles()));
        w.m_ProgramsTree->scrollToItem(node);
        w.ProgramTreeDragDrop(w.m_ProgramsTree->visualItemRect(node).center());
    }
}

void RandomSession::ExpectInvariants(const char* when, int step)
{
    TFormMDIChild& w = m_Window;
    int steps = 0;
    QSet<const QTreeWidgetItem*> cycles;
    for (QTreeWidgetItem* cycle : Cycles()) {
        steps += NodeData(cycle)->m_Content->StepCount() - 1;
        cycles << cycle;
    }
    ASSERT_EQ(w.Format()->ReserveSteps(0), StepRecords - steps) << when << " " << step;
    ASSERT_EQ(w.m_StepCountEdit->text().toInt(), StepRecords - steps) << when << " " << step;
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

void RandomSession::ExpectSaveLoadSaveIdentical(const QString& folder, int step)
{
    const QString first = folder + QStringLiteral("/first.KWC");
    const QString second = folder + QStringLiteral("/second.KWC");
    QFile::remove(first);
    QFile::remove(second);
    // Built from the window's configuration without touching its history or path; a
    // configuration that fails its checks writes nothing.
    C_DiagnosticList lines;
    if (!m_Window.Format()->SaveFile(m_Window.Configuration(), first, lines))
        return;
    const auto reloaded = C_EEPROMFormat::Create(FormatCode::Standard, 0);
    C_ConfigurationFile(first).Load(*reloaded);
    ASSERT_TRUE(reloaded->SaveFile(reloaded->Decode(lines), second, lines)) << step;
    ASSERT_EQ(ReadAll(first), ReadAll(second)) << "save, load, save at step " << step;
}
