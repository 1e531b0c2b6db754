#include "settings/Context.h"
#include "support/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QSettings>

#include <gtest/gtest.h>

namespace {

QSettings Store()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QString::fromLatin1(C_Context::StoreName));
}

} // namespace

TEST(ContextTest, EmptyStoreGivesTheDefaults)
{
    TempFolder folder;
    const C_Context context;
    EXPECT_EQ(context.StoreProblem(), QString());
    EXPECT_EQ(context.LastConfiguration(), QString());
    EXPECT_EQ(context.LanguageFile(), QStringLiteral("English.lng"));
    EXPECT_EQ(context.HorizontalLeft(), 210);
    EXPECT_EQ(context.HorizontalMiddle(), 280);
    EXPECT_EQ(context.HorizontalRight(), 260);
    EXPECT_EQ(context.VerticalLeft(), 200);
    EXPECT_EQ(context.VerticalRight(), 200);
    EXPECT_EQ(context.FormLeft(), 0);
    EXPECT_EQ(context.FormTop(), 0);
    EXPECT_EQ(context.FormWidth(), 800);
    EXPECT_EQ(context.FormHeight(), 600);
    EXPECT_EQ(context.WindowState(), 0);
    EXPECT_EQ(context.ComNumber(), 1);
    EXPECT_EQ(context.SendTimeout(), 500);
    EXPECT_EQ(context.ReceiveTimeout(), 500);
    EXPECT_EQ(context.TargetType(), 0);
    EXPECT_EQ(context.NumberOfOutputs(), 0);
}

TEST(ContextTest, EveryValueSurvivesARestart)
{
    TempFolder folder;
    {
        C_Context context;
        context.SetLastConfiguration(QStringLiteral("/home/tech/Laundry 3.KWC"));
        context.SetLanguageFile(QStringLiteral("Deutsch.lng"));
        context.SetHorizontalLeft(11);
        context.SetHorizontalMiddle(12);
        context.SetHorizontalRight(13);
        context.SetVerticalLeft(14);
        context.SetVerticalRight(15);
        context.SetFormLeft(-16);
        context.SetFormTop(17);
        context.SetFormWidth(1018);
        context.SetFormHeight(719);
        context.SetWindowState(2);
        context.SetComNumber(3);
        context.SetSendTimeout(120);
        context.SetReceiveTimeout(990);
        context.SetTargetType(2);
        context.SetNumberOfOutputs(1);
    }
    const C_Context context;
    EXPECT_EQ(context.LastConfiguration(), QStringLiteral("/home/tech/Laundry 3.KWC"));
    EXPECT_EQ(context.LanguageFile(), QStringLiteral("Deutsch.lng"));
    EXPECT_EQ(context.HorizontalLeft(), 11);
    EXPECT_EQ(context.HorizontalMiddle(), 12);
    EXPECT_EQ(context.HorizontalRight(), 13);
    EXPECT_EQ(context.VerticalLeft(), 14);
    EXPECT_EQ(context.VerticalRight(), 15);
    EXPECT_EQ(context.FormLeft(), -16);
    EXPECT_EQ(context.FormTop(), 17);
    EXPECT_EQ(context.FormWidth(), 1018);
    EXPECT_EQ(context.FormHeight(), 719);
    EXPECT_EQ(context.WindowState(), 2);
    EXPECT_EQ(context.ComNumber(), 3);
    EXPECT_EQ(context.SendTimeout(), 120);
    EXPECT_EQ(context.ReceiveTimeout(), 990);
    EXPECT_EQ(context.TargetType(), 2);
    EXPECT_EQ(context.NumberOfOutputs(), 1);
}

TEST(ContextTest, KeysAreTheOnesOtherRunsRead)
{
    TempFolder folder;
    {
        C_Context context;
        context.SetVerticalLeft(123);
        context.SetVerticalRight(321);
    }
    const QSettings store = Store();
    EXPECT_EQ(store.value(QStringLiteral("Splitters position/Vertical Left")).toInt(), 123);
    EXPECT_EQ(store.value(QStringLiteral("Splitters position/Vertical Right")).toInt(), 321);
    EXPECT_EQ(store.value(QStringLiteral("Last files/Language")).toString(), QStringLiteral("English.lng"));
    EXPECT_EQ(store.value(QStringLiteral("COMPort/Com number")).toInt(), 1);
}

TEST(ContextTest, TransferSafetyIsOnUnlessSwitchedOff)
{
    TempFolder folder;
    for (const bool on : {true, false}) {
        {
            C_Context context;
            EXPECT_TRUE(context.BackupBeforeDownload());
            EXPECT_TRUE(context.VerifyAfterDownload());
            context.SetBackupBeforeDownload(on);
            context.SetVerifyAfterDownload(!on);
        }
        EXPECT_EQ(Store().value(QStringLiteral("Transfer safety/Backup before download")).toInt(), on ? 1 : 0);
        EXPECT_EQ(Store().value(QStringLiteral("Transfer safety/Verify after download")).toInt(), on ? 0 : 1);
        EXPECT_EQ(C_Context().BackupBeforeDownload(), on);
        QFile::remove(folder.SettingsFile());
    }
}

TEST(ContextTest, StoredValuesAreUsedWithoutRangeChecks)
{
    TempFolder folder;
    {
        QSettings store = Store();
        store.setValue(QStringLiteral("COMPort/Com number"), 7);
        store.setValue(QStringLiteral("COMPort/Send timeout"), 5);
        // Kept in one byte: 200 comes back as -56, 258 as 2.
        store.setValue(QStringLiteral("Main form/Window state"), 200);
    }
    {
        C_Context context;
        EXPECT_EQ(context.ComNumber(), 7);
        EXPECT_EQ(context.SendTimeout(), 5);
        EXPECT_EQ(context.WindowState(), -56);
    }
    EXPECT_EQ(Store().value(QStringLiteral("Main form/Window state")).toInt(), -56);
    EXPECT_EQ(Store().value(QStringLiteral("COMPort/Com number")).toInt(), 7);
}

TEST(ContextTest, CorruptStoreGivesDefaultsAndIsRewrittenAtExit)
{
    TempFolder folder;
    folder.Write(QStringLiteral("KW3Win 2.00.01 Context.ini"),
                 QByteArray("[COMPort\n\x01\xff=\x00garbage\nCom number=three\n[Form position]\nWidth=", 60));
    {
        const C_Context context;
        EXPECT_TRUE(context.StoreProblem().contains(QStringLiteral("damaged")));
        EXPECT_EQ(context.ComNumber(), 1);
        EXPECT_EQ(context.FormWidth(), 800);
        EXPECT_EQ(context.LanguageFile(), QStringLiteral("English.lng"));
    }
    EXPECT_EQ(C_Context().StoreProblem(), QString());
}

TEST(ContextTest, UnreadableStoreGivesDefaults)
{
    TempFolder folder;
    // A folder where the store's file should be cannot be read, whoever runs the test.
    QDir().mkpath(folder.SettingsFile());
    const C_Context context;
    EXPECT_TRUE(context.StoreProblem().contains(QStringLiteral("cannot be read")));
    EXPECT_EQ(context.ComNumber(), 1);
    EXPECT_EQ(context.FormHeight(), 600);
}
