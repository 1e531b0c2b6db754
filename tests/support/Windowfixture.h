#pragma once

#include "editor/Mdichild.h"
#include "language/Language.h"
#include "model/Eepromformat.h"
#include "settings/Context.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/TempFolder.h"

#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

// Starts the window's download or upload and waits until it has ended: whether it succeeded.
bool RunTransfer(TFormMDIChild& window, TransferDirection direction);

// A configuration window of a new standard configuration, shown offscreen, its
// message boxes answered by script.
class WindowTest : public ::testing::Test
{
protected:
    explicit WindowTest(std::uint16_t format = FormatCode::Standard);

    TFormMDIChild& Window() { return *m_Window; }
    C_EEPROMFormat& Format() { return *m_Window->Format(); }

    // The node of the tree selected (made current), as a click would.
    QTreeWidgetItem* SelectProgram(int index);
    QTreeWidgetItem* SelectCategory(int code);
    QTreeWidgetItem* SelectCycle(int code, int index);
    // The grid cursor on a cell: column c shows entry c - 1, row r the row r - 1.
    void SetStepCursor(int column, int row);
    // A key typed into a pane that has the focus.
    void Press(QWidget* pane, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    int Free() const { return m_Window->m_StepCountEdit->text().toInt(); }
    int StepsOf(const QTreeWidgetItem* cycle) const;
    // The window's configuration changed from outside, as a command would change it.
    void EditValue(const std::function<void(C_Configuration&)>& edit);
    // The rows' position of the role.
    int Row(StepRole role) { return Format().RowOf(role); }
    // The grid row showing the role.
    int GridRow(StepRole role) { return Row(role) + 1; }

    TempFolder m_Folder;
    const C_LanguageManager m_Language{SourceFile(QStringLiteral("resources/English.lng"))};
    C_Context m_Context;
    ScriptedMessageBoxes m_Boxes;
    std::unique_ptr<TFormMDIChild> m_Window;
};
