// kw3tool summary and timeline: the lines other tools read, and pictures made again byte for byte.
#include "support/Imagebuilder.h"
#include "support/TempFolder.h"
#include "support/Toolpath.h"
#include "support/Toolrun.h"

#include <QDateTime>
#include <QFile>

#include <gtest/gtest.h>

namespace {

class InsightCommandsTest : public ::testing::Test
{
protected:
    // Wash 1: 1:00, 2:30 and 0:45 by time; Spin 2: a level with a 2:00 limit, then a
    // level alone. Program 3 runs Wash 1, Spin 2 and a missing Prewash 4; program 1
    // runs Wash 1 twice; program 2 nothing.
    InsightCommandsTest()
    {
        m_Language = m_Folder.WriteIdLanguage();
        ImageBuilder image(StandardLayout);
        image.Step(0, 2, 1, 1, {{10, 1}, {11, 0}})
            .Step(1, 2, 1, 2, {{10, 2}, {11, 30}})
            .Step(2, 2, 1, 3, {{10, 0}, {11, 45}})
            .Step(3, 4, 2, 1, {{15, 20}, {12, 2}, {13, 0}})
            .Step(4, 4, 2, 2, {{15, 30}})
            .Program(0, 3, {{2, 1}, {4, 2}, {1, 4}})
            .Program(1, 1, {{2, 1}, {2, 1}})
            .Program(2, 2, {});
        m_In = m_Folder.Write(QStringLiteral("in.KWC"), image.ConfigurationFile());
    }

    S_ToolRun Run(const QStringList& arguments) const
    {
        return RunInFolder(QStringLiteral(KW3TOOL), m_Folder,
                           QStringList{QStringLiteral("--language"), m_Language} + arguments);
    }

    TempFolder m_Folder;
    QString m_Language;
    QString m_In;
};

} // namespace

TEST_F(InsightCommandsTest, SummaryListsProgramsThenCyclesWithTheirRunningTimes)
{
    const S_ToolRun run = Run({QStringLiteral("summary"), m_In});
    EXPECT_EQ(run.m_Exit, 0) << run.m_Err.toStdString();
    EXPECT_EQ(run.m_Out.toStdString(), "program 1: 8:30\n"
                                      "program 2: 0:00\n"
                                      "program 3: 4:15- (unlinked 1/4)\n"
                                      "cycle 2/1: 4:15\n"
                                      "cycle 4/2: 0:00-\n");
    EXPECT_EQ(run.m_Err, QString());

    for (const QStringList& refused : {QStringList{QStringLiteral("summary")},
                                       QStringList{QStringLiteral("summary"), m_Folder.Path(QStringLiteral("none.KWC"))},
                                       QStringList{QStringLiteral("summary"), m_In, QStringLiteral("--bogus")}})
        EXPECT_EQ(Run(refused).m_Exit, 2) << refused.join(QLatin1Char(' ')).toStdString();
}

TEST_F(InsightCommandsTest, TimelineFilesAreTheSameBytesEachTimeAndRefusalsWriteNothing)
{
    for (const char* name : {"p.svg", "p.PNG", "p.pdf"}) {
        const QString first = m_Folder.Path(QLatin1String(name));
        const QString second = m_Folder.Path(QStringLiteral("again-") + QLatin1String(name));
        for (const QString& out : {first, second})
            ASSERT_EQ(Run({QStringLiteral("timeline"), m_In, out, QStringLiteral("--program"), QStringLiteral("3")})
                          .m_Exit,
                      0)
                << name;
        EXPECT_FALSE(m_Folder.Read(QLatin1String(name)).isEmpty());
        EXPECT_EQ(m_Folder.Read(QLatin1String(name)), m_Folder.Read(QStringLiteral("again-") + QLatin1String(name)))
            << name;
    }
    EXPECT_EQ(Run({QStringLiteral("timeline"), m_In, m_Folder.Path(QStringLiteral("c.png")), QStringLiteral("--cycle"),
                   QStringLiteral("4/2"), QStringLiteral("--width"), QStringLiteral("640")})
                  .m_Exit,
              0);
    EXPECT_TRUE(m_Folder.Read(QStringLiteral("c.png")).startsWith("\x89PNG"));

    // The same content, the same PDF: in any time zone, and whatever the file's time once SOURCE_DATE_EPOCH is set.
    qputenv("SOURCE_DATE_EPOCH", "1800000000");
    QByteArray pdfs[2];
    for (int i = 0; i < 2; ++i) {
        qputenv("TZ", i == 0 ? "UTC" : "Asia/Tokyo");
        QFile in(m_In);
        ASSERT_TRUE(in.open(QIODevice::ReadWrite) &&
                    in.setFileTime(QDateTime::currentDateTime().addDays(-i), QFileDevice::FileModificationTime));
        in.close();
        Run({QStringLiteral("timeline"), m_In, m_Folder.Path(QStringLiteral("zone.pdf")), QStringLiteral("--program"),
             QStringLiteral("3")});
        pdfs[i] = m_Folder.Read(QStringLiteral("zone.pdf"));
    }
    qunsetenv("TZ");
    qunsetenv("SOURCE_DATE_EPOCH");
    EXPECT_EQ(pdfs[0], pdfs[1]);
    EXPECT_TRUE(pdfs[0].contains("/CreationDate (D:20270115080000Z)"));

    const QString out = m_Folder.Path(QStringLiteral("x.svg"));
    const QStringList refusals[] = {
        {QStringLiteral("--program"), QStringLiteral("9")},
        {QStringLiteral("--cycle"), QStringLiteral("3/9")},
        {QStringLiteral("--cycle"), QStringLiteral("wash")},
        {QStringLiteral("--program"), QStringLiteral("3"), QStringLiteral("--cycle"), QStringLiteral("2/1")},
        {},
        {QStringLiteral("--program"), QStringLiteral("3"), QStringLiteral("--width"), QStringLiteral("wide")},
    };
    for (const QStringList& options : refusals)
        EXPECT_EQ(Run(QStringList{QStringLiteral("timeline"), m_In, out} + options).m_Exit, 2)
            << options.join(QLatin1Char(' ')).toStdString();
    EXPECT_EQ(Run({QStringLiteral("timeline"), m_In, m_Folder.Path(QStringLiteral("x.gif")), QStringLiteral("--program"),
                   QStringLiteral("3")})
                  .m_Exit,
              2);
    EXPECT_TRUE(m_Folder.Read(QStringLiteral("x.svg")).isEmpty());
    EXPECT_TRUE(m_Folder.Read(QStringLiteral("x.gif")).isEmpty());
}
