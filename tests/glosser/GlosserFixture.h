#pragma once

#include "glosser/Sdiappform.h"
#include "glosser/Stringsgrid.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/TempFolder.h"

#include <QAction>
#include <QDir>
#include <QTableWidgetItem>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

// count lines "<prefix>1" ... "<prefix><count>", each ended by CR LF.
inline QByteArray NumberedLines(int count, const QByteArray& prefix = "Line ")
{
    QByteArray bytes;
    for (int i = 1; i <= count; ++i)
        bytes += prefix + QByteArray::number(i) + "\r\n";
    return bytes;
}

// A Glosser window on numbered reference texts, working in a private folder, with its file
// dialogs and message boxes answered by the test.
class GlosserWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_PreviousFolder = QDir::currentPath();
        QDir::setCurrent(folder.Path(QStringLiteral(".")));
        form = TSDIAppForm::Create(folder.Write(QStringLiteral("reference.lng"),
                                                NumberedLines(278, "Reference ")));
        ASSERT_TRUE(form);
        form->SetFileChooser([this](TSDIAppForm::FileDialog dialog, const QString&) {
            dialogs.push_back(dialog);
            return nextFile;
        });
        grid = form->findChild<TStringsGrid*>(QStringLiteral("m_StringsGrid"));
        ASSERT_NE(grid, nullptr);
    }

    void TearDown() override
    {
        form.reset();
        QDir::setCurrent(m_PreviousFolder);
    }

    void Trigger(const char* action)
    {
        auto* command = form->findChild<QAction*>(QString::fromLatin1(action));
        ASSERT_NE(command, nullptr) << action;
        command->trigger();
    }

    // Opens a file with the given bytes through the Open command; returns its path.
    QString OpenFile(const QString& name, const QByteArray& bytes)
    {
        nextFile = folder.Write(name, bytes);
        Trigger("FileOpenAction");
        return nextFile;
    }

    QString Cell(int row) const { return grid->item(row, TSDIAppForm::EditColumn)->text(); }
    // As if typed: the grid reports the edit like one made in the cell's text box.
    void SetCell(int row, const QString& text)
    {
        grid->item(row, TSDIAppForm::EditColumn)->setText(text);
    }
    void FillAll(const QString& text)
    {
        for (int row = 0; row < grid->rowCount(); ++row)
            SetCell(row, text);
    }

    TempFolder folder;
    ScriptedMessageBoxes boxes;
    std::unique_ptr<TSDIAppForm> form;
    TStringsGrid* grid = nullptr;
    QString nextFile;
    std::vector<TSDIAppForm::FileDialog> dialogs;

private:
    QString m_PreviousFolder;
};
