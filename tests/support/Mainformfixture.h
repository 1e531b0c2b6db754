#pragma once

#include "app/Session.h"
#include "desktop/Filechooser.h"
#include "editor/Mdichild.h"
#include "settings/Context.h"
#include "support/Imagebuilder.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <ostream>
#include <vector>

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

// Answers every file dialog with the queued paths in order, then as cancelled.
class ScriptedFileChooser
{
public:
    ScriptedFileChooser();
    ~ScriptedFileChooser();
    ScriptedFileChooser(const ScriptedFileChooser&) = delete;
    ScriptedFileChooser& operator=(const ScriptedFileChooser&) = delete;

    void Queue(const QString& path) { m_Answers.push_back(path); }
    const std::vector<C_FileChooser::Request>& Asked() const { return m_Asked; }

private:
    std::deque<QString> m_Answers;
    std::vector<C_FileChooser::Request> m_Asked;
    C_FileChooser::Handler m_Previous;
};

// One run of Kw3Win over a settings store in a private folder, every box and
// file dialog answered by script.
class MainFormTest : public ::testing::Test
{
protected:
    MainFormTest();
    ~MainFormTest() override;

    // A run as main.cpp starts it: the argument, when given, replaces the last configuration.
    void StartRun(const QString* argument = nullptr);
    // The run ends as the program does: the session goes, then the store writes back.
    void EndRun();

    TMainForm& Main() { return m_Session->m_MainForm; }
    C_Context& Context() { return *m_Context; }
    int WindowCount() { return int(Main().Configurations().size()); }
    TFormMDIChild* Active() { return Main().ActiveConfiguration(); }

    // New through the dialog, answered with OK on the given type (0 standard).
    TFormMDIChild* New(int type = 0);
    // Open or Import through the command's file dialog.
    void Open(const QString& path);
    void Import(const QString& path);
    // A standard configuration window that passes every check.
    TFormMDIChild* NewValid();

    QString WriteConfiguration(const QString& name, const S_TestLayout& layout = StandardLayout);
    QString WriteOld(const QString& name, const S_TestLayout& layout = StandardLayout);
    // The text of the only box shown since the last Clear, or "" for none or several.
    QString OnlyBox() const;

    TempFolder m_Folder;
    ScriptedMessageBoxes m_Boxes;
    ScriptedFileChooser m_Files;
    std::unique_ptr<C_Context> m_Context;
    std::unique_ptr<C_Session> m_Session;
    QString m_WorkingDirectory;
};
