// Long random editing sessions with saving and reloading. The normal run gives
// 200 commands (seconds); KW3_SOAK_COMMANDS=10000 gives the full soak (about two
// minutes).
#include "comm/Serialport.h"
#include "editor/Treenodes.h"
#include "support/Randomsession.h"
#include "support/Windowfixture.h"

#include <QFile>
#include <QUndoStack>

#include <cstdio>

TEST_F(WindowTest, RandomEditingSavingAndReloadingKeepTheWindowSound)
{
    const int commands =
        qEnvironmentVariableIsSet("KW3_SOAK_COMMANDS") ? qEnvironmentVariableIntValue("KW3_SOAK_COMMANDS") : 200;
    m_Window = OpenSampleWindow(m_Context, m_Folder.Path(QStringLiteral("Soak.KWC")), TFormMDIChild::HistoryLimit);
    RandomSession session(Window(), 14);
    const std::int64_t start = CounterValue();
    int saved = 0;
    for (int i = 0; i < commands; ++i) {
        session.Command(true);
        m_Boxes.Clear();
        session.ExpectInvariants("command", i);
        ASSERT_FALSE(HasFatalFailure());
        // Every other state readied for saving, so that many states pass their checks.
        if (i % 2 == 1) {
            session.Tidy();
            session.ExpectInvariants("tidied", i);
            ASSERT_FALSE(HasFatalFailure());
        }
        session.ExpectSaveLoadSaveIdentical(m_Folder.Path(QString()), i);
        ASSERT_FALSE(HasFatalFailure());
        saved += QFile::exists(m_Folder.Path(QStringLiteral("first.KWC"))) ? 1 : 0;
    }
    // Random steps often lack an end condition, which the checks refuse.
    EXPECT_GT(saved, commands / 10) << "many states pass their checks and are compared";
    std::printf("%d commands, %d states compared after save, load, save, in %.1f s\n", commands, saved,
                double(CounterValue() - start) / double(CounterFrequency()));
}

TEST_F(WindowTest, AFileLoadedIntoAWindowReplacesWhatItShowed)
{
    m_Window = OpenSampleWindow(m_Context, m_Folder.Path(QStringLiteral("Sample.KWC")), TFormMDIChild::HistoryLimit);
    RandomSession session(Window(), 1);
    const C_Configuration loaded = Window().Configuration();
    const int programs = Window().m_ProgramsTree->topLevelItemCount();
    // Edited away from the file, then the file read into the same window again.
    Window().m_NewProgramAction->trigger();
    SelectCycle(1, 0);
    Window().m_DeleteCycleAction->trigger();
    ASSERT_TRUE(Window().LoadConfiguration(Window().Path(), FormatCode::Standard));
    session.ExpectInvariants("reloaded", 0);
    EXPECT_EQ(Window().m_ProgramsTree->topLevelItemCount(), programs);
    EXPECT_TRUE(Window().Configuration() == loaded);
    EXPECT_FALSE(Window().IsModified());
    EXPECT_EQ(Window().History().count(), 0);
}
