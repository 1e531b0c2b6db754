// Saving into a file system that fails: each writer keeps the old file's every
// byte, tells why, and leaves no temporary file behind.
#include "desktop/Updown.h"
#include "editor/Treenodes.h"
#include "support/Faultfolder.h"
#include "support/Sampleconfiguration.h"
#include "support/Windowfixture.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QToolButton>
#include <QTreeWidgetItemIterator>
#include <QUndoStack>

#include <cstdio>

namespace {

const SaveFault AllFaults[] = {SaveFault::ReadOnlyFolder,         SaveFault::FullDisk,
                               SaveFault::TargetIsDirectory,      SaveFault::LinkToFile,
                               SaveFault::LinkIntoReadOnlyFolder, SaveFault::FolderGone};

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What must hold after a save met the fault: the old bytes kept (or, through a
// link, the new ones in the file it names), and the folders as they were.
void ExpectOutcome(const FaultFolder& folder, const QStringList& entriesBefore, const QByteArray& oldBytes,
                   const QByteArray& newBytes, bool saved, const QString& told)
{
    const std::string what = folder.Target().toStdString();
    EXPECT_EQ(saved, folder.WriteSucceeds()) << what;
    if (!folder.Holder().isEmpty()) {
        EXPECT_EQ(ReadAll(folder.Holder()), folder.WriteSucceeds() ? newBytes : oldBytes) << what;
    }
    EXPECT_EQ(folder.Entries(), entriesBefore) << what << ": nothing added or removed";
    if (folder.WriteSucceeds()) {
        EXPECT_TRUE(QFileInfo(folder.Target()).isSymLink()) << what << ": the link stays a link";
    } else {
        EXPECT_TRUE(told.contains(folder.Reason())) << what << ": told " << told.toStdString();
    }
}

class ConfigurationSaveFaultTest : public WindowTest, public ::testing::WithParamInterface<SaveFault>
{
protected:
    // A window on a sample configuration with one change not yet saved.
    void OpenModifiedSample()
    {
        const auto format = C_EEPROMFormat::Create(FormatCode::Standard, 16);
        const QString path = m_Folder.Path(QStringLiteral("Sample.KWC"));
        ASSERT_TRUE(SaveSample(*format, {4, 3}, 2, path));
        m_Window->SetPath(path);
        ASSERT_TRUE(m_Window->LoadConfiguration(path, FormatCode::Standard));
        Change();
        ASSERT_TRUE(m_Window->IsModified());
    }

    // A change that keeps the configuration valid: the maximum level one step down or up
    // (down first: the level may stand at the top of its range).
    void Change()
    {
        m_Window->ServiceControls(ServiceParameter::MaximumLevel)
            .m_UpDown->findChildren<QToolButton*>()
            .at(1 - m_Changes++ % 2)
            ->click();
    }

    QString LastDiagnostic() const
    {
        QString last;
        for (QTreeWidgetItemIterator it(m_Window->m_DiagnosticTree); *it != nullptr; ++it)
            last = (*it)->text(0);
        return last;
    }

    int m_Changes = 0;
};

std::string SaveFaultTestName(const ::testing::TestParamInfo<SaveFault>& test)
{
    return SaveFaultIdentifier(test.param);
}

} // namespace

TEST_P(ConfigurationSaveFaultTest, KeepsTheFileAndNamesTheReason)
{
    OpenModifiedSample();
    // An earlier version of the configuration: one byte differs.
    QByteArray oldBytes = ReadAll(m_Window->Path());
    oldBytes[oldBytes.size() - 1] = char(oldBytes.back() ^ 0x5A);
    const FaultFolder folder(m_Folder.Path(QString()), GetParam(), QStringLiteral("Target.KWC"), oldBytes);
    if (!folder.Unavailable().isEmpty())
        GTEST_SKIP() << folder.Unavailable().toStdString();
    const QStringList entries = folder.Entries();
    const bool saved = m_Window->SaveConfiguration(folder.Target());
    const QByteArray newBytes = saved ? ReadAll(folder.Target()) : QByteArray();
    EXPECT_NE(newBytes, oldBytes);
    ExpectOutcome(folder, entries, oldBytes, newBytes, saved, LastDiagnostic());
    EXPECT_EQ(m_Window->IsModified(), !saved) << "only a save that wrote the file makes the window clean";
    if (!saved) {
        EXPECT_TRUE(LastDiagnostic().startsWith(Text(182) + QStringLiteral(": ")));
    }
}

INSTANTIATE_TEST_SUITE_P(Faults, ConfigurationSaveFaultTest, ::testing::ValuesIn(AllFaults), SaveFaultTestName);

namespace {

class SettingsStoreFaultTest : public ::testing::Test
{
protected:
    TempFolder m_Folder;
};

} // namespace

class SettingsStoreFaultsTest : public SettingsStoreFaultTest, public ::testing::WithParamInterface<SaveFault>
{
};

TEST_P(SettingsStoreFaultsTest, KeepsTheFileAndNamesTheReason)
{
    const SaveFault fault = GetParam();
    const QByteArray oldBytes = "[COMPort]\nCom%20number=3\n";
    const QString name = QString::fromLatin1(C_Context::StoreName) + QStringLiteral(".ini");
    const FaultFolder folder(m_Folder.Path(QStringLiteral("faults")), fault, name, oldBytes);
    if (!folder.Unavailable().isEmpty())
        GTEST_SKIP() << folder.Unavailable().toStdString();
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QFileInfo(folder.Target()).path());
    const QStringList entries = folder.Entries();
    C_Context context;
    context.SetComNumber(5);
    const bool saved = context.Store();
    if (fault == SaveFault::FolderGone) {
        // The store's folder is made anew, as on a first run.
        EXPECT_TRUE(saved) << context.StoreProblem().toStdString();
        EXPECT_TRUE(ReadAll(folder.Target()).contains("Com%20number=5"));
        return;
    }
    ExpectOutcome(folder, entries, oldBytes, ReadAll(folder.Target()), saved, context.StoreProblem());
    if (!saved) {
        EXPECT_TRUE(context.StoreProblem().contains(QStringLiteral("cannot be written")));
    } else {
        EXPECT_TRUE(ReadAll(folder.Holder()).contains("Com%20number=5"));
    }
}

INSTANTIATE_TEST_SUITE_P(Faults, SettingsStoreFaultsTest, ::testing::ValuesIn(AllFaults), SaveFaultTestName);

TEST_F(SettingsStoreFaultTest, AStoreThatFailsAtExitSaysSoOnStandardError)
{
    const QByteArray oldBytes = "[COMPort]\nCom%20number=3\n";
    const QString name = QString::fromLatin1(C_Context::StoreName) + QStringLiteral(".ini");
    const FaultFolder folder(m_Folder.Path(QStringLiteral("faults")), SaveFault::TargetIsDirectory, name, oldBytes);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QFileInfo(folder.Target()).path());
    testing::internal::CaptureStderr();
    {
        C_Context context;
        context.SetComNumber(5);
    }
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("cannot be written"), std::string::npos) << said;
    EXPECT_NE(said.find("directory"), std::string::npos) << said;
    EXPECT_EQ(ReadAll(folder.Holder()), oldBytes);

    // Stored once, it is not written again at exit.
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_Folder.Path(QString()));
    testing::internal::CaptureStderr();
    {
        C_Context context;
        EXPECT_TRUE(context.Store());
        context.SetComNumber(7);
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(C_Context().ComNumber(), 1) << "the change after Store is not written at exit";
}
