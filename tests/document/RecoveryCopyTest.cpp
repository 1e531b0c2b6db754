// A recovery copy's origin reads back as it was written (the configuration's own
// round trip is the killed run's in RecoveryTest), a damaged or hostile one is
// refused with where and why, and no broken lock hides a copy.
#include "document/Recoverycopy.h"
#include "document/Jsonreader.h"
#include "document/Recoveryfolder.h"
#include "model/Eepromformat.h"
#include "support/Formatfixture.h"
#include "support/Sampleconfiguration.h"
#include "support/TempFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>

#include <sys/stat.h>

#include <gtest/gtest.h>

namespace {

class RecoveryCopyTest : public FormatFixture
{
protected:
    S_RecoverySnapshot Snapshot(const QString& path, const S_FileStamp& file)
    {
        const auto format = C_EEPROMFormat::Create(FormatCode::Inverter, 24);
        const C_Configuration value = SampleConfiguration(*format, {3, 2}, 2);
        return {{path, QStringLiteral("Configuration2.KWC"), QDateTime::fromMSecsSinceEpoch(1'800'000'000'123, Qt::UTC),
                 file},
                value,
                format->KeptBytes(value.StepCount())};
    }
    QByteArray Copy(const QString& path, const S_FileStamp& file) { return RecoveryCopyText(Snapshot(path, file)); }
};

} // namespace

TEST_F(RecoveryCopyTest, ReadsBackTheOriginAndTheConfiguration)
{
    S_JsonError error;
    // A file name may hold any character but NUL.
    const QString path = QStringLiteral("/work/a\tb\u00e4.KWC");
    const std::optional<S_RecoveredCopy> copy =
        ReadRecoveryCopy(Copy(path, {8186, QDateTime::fromMSecsSinceEpoch(1'790'000'000'456, Qt::UTC)}), error);
    ASSERT_TRUE(copy) << error.Line(QStringLiteral("copy")).toStdString();
    EXPECT_EQ(copy->m_Origin.m_Path, path);
    EXPECT_EQ(copy->m_Origin.m_Caption, QStringLiteral("Configuration2.KWC"));
    EXPECT_EQ(copy->m_Origin.m_Taken.toMSecsSinceEpoch(), 1'800'000'000'123);
    EXPECT_EQ(copy->m_Origin.m_File.m_Size, 8186);
    EXPECT_EQ(copy->m_Origin.m_File.m_Modified.toMSecsSinceEpoch(), 1'790'000'000'456);
    EXPECT_EQ(copy->m_Configuration.m_Outputs, 24);
}

TEST_F(RecoveryCopyTest, RefusesWhatNoRunWrote)
{
    const QByteArray valid = Copy(QString(), {});
    const auto replaced = [&valid](const char* from, const char* to) {
        QByteArray text = valid;
        EXPECT_TRUE(text.contains(from)) << from;
        return text.replace(from, to);
    };
    const std::pair<QByteArray, const char*> cases[] = {
        {valid.left(valid.size() / 2), ""},
        {replaced("\"kw3winRecovery\": 1", "\"kw3winRecovery\": 2"), "kw3winRecovery: not a copy"},
        {replaced("\"path\": null", "\"path\": \"a.KWC\""), "path: an absolute path"},
        {replaced("\"caption\": \"Configuration2.KWC\"", "\"caption\": \"\""), "caption: a name"},
        {replaced("\"taken\": \"", "\"taken\": \"yesterday"), "taken: a time"},
        {replaced("\"file\": null", "\"file\": {\"size\": -1, \"modified\": \"\"}"), "file: null or"},
        {replaced("\"file\": null", "\"file\": null, \"owner\": 1"), "owner: unknown key"},
        {replaced("\"outputs\": 24", "\"outputs\": 25"), "configuration.outputs: 16 or 24 outputs"},
    };
    for (const auto& [text, expected] : cases) {
        S_JsonError error;
        EXPECT_FALSE(ReadRecoveryCopy(text, error)) << expected;
        EXPECT_TRUE(error.Line(QStringLiteral("copy")).contains(QLatin1String(expected)))
            << error.Line(QStringLiteral("copy")).toStdString();
    }
}

TEST_F(RecoveryCopyTest, BrokenLocksHideNoCopyAndAFailedWriteKeepsTheCopyItReplaces)
{
    TempFolder temp;
    // A pipe where a lock should be, and a lock left empty by a run that died taking it.
    temp.Write(QStringLiteral("recovery/9-pipe-1.recovery"), Copy(QString(), {}));
    ASSERT_EQ(mkfifo(qPrintable(temp.Path(QStringLiteral("recovery/9-pipe.lock"))), 0600), 0);
    const QString found = temp.Write(QStringLiteral("recovery/8-empty-1.recovery"), Copy(QString(), {}));
    QFile empty(temp.Write(QStringLiteral("recovery/8-empty.lock"), QByteArray()));
    ASSERT_TRUE(empty.open(QIODevice::ReadWrite));
    empty.setFileTime(QDateTime::currentDateTime().addSecs(-120), QFileDevice::FileModificationTime);
    empty.close();
    // A folder where a lock should be, and the lock of a dead run whose process id a live program now has.
    temp.Write(QStringLiteral("recovery/7-folder-1.recovery"), Copy(QString(), {}));
    ASSERT_TRUE(QDir().mkpath(temp.Path(QStringLiteral("recovery/7-folder.lock/inside"))));
    temp.Write(QStringLiteral("recovery/6-reused-1.recovery"), Copy(QString(), {}));
    QProcess other;
    other.start(QStringLiteral("sleep"), {QStringLiteral("30")});
    ASSERT_TRUE(other.waitForStarted());
    {
        QLockFile own(temp.Path(QStringLiteral("own.lock")));
        ASSERT_TRUE(own.tryLock(0));
        QByteArray lock = temp.Read(QStringLiteral("own.lock"));
        temp.Write(QStringLiteral("recovery/6-reused.lock"),
                   QByteArray::number(other.processId()) + lock.mid(lock.indexOf('\n')));
    }
    auto recovery = std::make_unique<C_RecoveryFolder>(temp.Path(QStringLiteral("recovery")));
    ASSERT_EQ(recovery->ClaimCopiesOfGoneProcesses().size(), 4u);

    // The copy of the restored window cannot be written: the copy it replaces stays,
    // and stays claimed, so that another run is not offered it meanwhile.
    ASSERT_TRUE(QDir().mkpath(recovery->CopyFile(1)));
    recovery->Write(1, Snapshot(QString(), {}), found);
    recovery->Release();
    EXPECT_TRUE(QFileInfo::exists(found));
    const auto offered = [&temp] {
        return C_RecoveryFolder(temp.Path(QStringLiteral("recovery"))).ClaimCopiesOfGoneProcesses().size();
    };
    EXPECT_EQ(offered(), 3u) << "the others were released";
    QDir(recovery->CopyFile(1)).removeRecursively();
    recovery->Write(1, Snapshot(QString(), {}), found);
    recovery->Flush();
    QCoreApplication::sendPostedEvents(recovery.get());
    EXPECT_FALSE(QFileInfo::exists(found));
    other.kill();
    other.waitForFinished();
}
