// kw3tool print end to end: the PDF it writes, and what it refuses.
#include "support/Imagebuilder.h"
#include "support/Printfixture.h"
#include "support/Toolpath.h"
#include "support/Toolrun.h"

#include <QFileInfo>
#include <QProcess>

namespace {

constexpr const char* SeventhOfDecember = "1796634303"; // 2026-12-07 09:05:03 UTC

class PrintCommandTest : public ::testing::Test
{
protected:
    PrintCommandTest()
    {
        m_Language = m_Folder.WriteIdLanguage();
        // A cycle of 30 steps and one of 3, both in program 1.
        ImageBuilder image(StandardLayout, 24);
        for (int step = 1; step <= 30; ++step)
            image.Step(step - 1, 1, 1, step, {{3, 0x01}, {10, 0}, {11, 5}});
        for (int step = 1; step <= 3; ++step)
            image.Step(29 + step, 2, 3, step, {{10, 1}, {11, 0}});
        image.Program(0, 1, {{1, 1}, {2, 3}}).Motor(0, 1, 10, 255, 20);
        m_In = m_Folder.Write(QStringLiteral("in.KWC"), image.ConfigurationFile());
        m_Old = m_Folder.Write(QStringLiteral("old.kw3"), image.OldFile());
    }

    S_ToolRun Run(const QStringList& arguments, const char* epoch = SeventhOfDecember) const
    {
        QProcessEnvironment clock;
        clock.insert(QStringLiteral("SOURCE_DATE_EPOCH"), QLatin1String(epoch));
        return RunInFolder(QStringLiteral(KW3TOOL), m_Folder,
                           QStringList{QStringLiteral("--language"), m_Language} + arguments, clock);
    }

    // The pages drawn at a low resolution, for comparing two prints.
    QList<QByteArray> PageImages(const QString& pdf) const
    {
        QProcess render;
        const QString prefix = pdf + QStringLiteral("-page");
        render.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("20"), pdf, prefix});
        EXPECT_TRUE(render.waitForFinished(30000));
        QList<QByteArray> images;
        for (int page = 1;; ++page) {
            QFile image(prefix + QStringLiteral("-%1.ppm").arg(page));
            if (!image.open(QIODevice::ReadOnly))
                break;
            images << image.readAll();
        }
        return images;
    }

    TempFolder m_Folder;
    QString m_Language;
    QString m_In;
    QString m_Old;
};

} // namespace

TEST_F(PrintCommandTest, ProgramTimelinesFollowTheCyclesWithPageNumbersRunningOn)
{
    const QString out = m_Folder.Path(QStringLiteral("timelines.pdf"));
    const S_ToolRun run = Run({QStringLiteral("print"), m_In, out, QStringLiteral("--parts"),
                               QStringLiteral("cycles,timelines")});
    ASSERT_EQ(run.m_Exit, 0) << run.m_Err.toStdString();
    EXPECT_EQ(PdfOrientations(out), QStringLiteral("LLLL"));
    const QString page = PdfText(out, 4);
    for (const QString& text : {QStringLiteral("<342>"), QStringLiteral("<44> 4"), QStringLiteral("<145> 1: 5:30")})
        EXPECT_TRUE(page.contains(text)) << text.toStdString() << "\n" << page.toStdString();
}

TEST_F(PrintCommandTest, WritesEveryPartIntoOnePdf)
{
    const QString out = m_Folder.Path(QStringLiteral("out.pdf"));
    const S_ToolRun run =
        Run({QStringLiteral("print"), m_Old, out, QStringLiteral("--format"), QStringLiteral("standard")});
    EXPECT_EQ(run.m_Exit, 0) << run.m_Err.toStdString();
    EXPECT_EQ(run.m_Out, QString());
    EXPECT_EQ(run.m_Err, QString());
    EXPECT_EQ(PdfOrientations(out), QStringLiteral("PPLLL"));
    // An old file is named as the .KWC it becomes; the date is the epoch's, in UTC.
    const QString service = PdfText(out, 1);
    for (const QString& text : {m_Folder.Path(QStringLiteral("old.KWC")), QStringLiteral("<36> 7.12.2026"),
                                QStringLiteral("9:05:03"), QStringLiteral("<141> 1: <138> 10, <139> <41>, <140> 20")})
        EXPECT_TRUE(service.contains(text)) << text.toStdString() << "\n" << service.toStdString();
    EXPECT_TRUE(PdfText(out, 5).contains(QLatin1String("<44> 5")));

    // The same configuration and moment print the same pages.
    const QString again = m_Folder.Path(QStringLiteral("again.pdf"));
    ASSERT_EQ(Run({QStringLiteral("print"), m_Old, again, QStringLiteral("--format=standard")}).m_Exit, 0);
    for (int page = 1; page <= 5; ++page)
        EXPECT_EQ(PdfText(again, page), PdfText(out, page)) << page;
    const QList<QByteArray> images = PageImages(out);
    EXPECT_EQ(images.size(), 5);
    EXPECT_EQ(PageImages(again), images);
}

TEST_F(PrintCommandTest, PartsPrintInTheirOrderNumberedFromOne)
{
    const std::tuple<const char*, const char*, int, const char*> cases[] = {
        {"cycles,service,cycles", "PLLL", 4, "<44> 4"},
        {"programs", "P", 1, "<145> 1"},
        {"cycles", "LLL", 1, "<44> 1"},
    };
    for (const auto& [parts, orientations, page, text] : cases) {
        const QString out = m_Folder.Path(QStringLiteral("%1.pdf").arg(QLatin1String(parts)));
        const S_ToolRun run =
            Run({QStringLiteral("print"), m_In, out, QStringLiteral("--parts"), QLatin1String(parts)});
        EXPECT_EQ(run.m_Exit, 0) << parts << run.m_Err.toStdString();
        EXPECT_EQ(PdfOrientations(out), QLatin1String(orientations)) << parts;
        EXPECT_TRUE(PdfText(out, page).contains(QLatin1String(text))) << parts;
    }
}

TEST_F(PrintCommandTest, RefusalsLeaveTheOldFile)
{
    const QString out = m_Folder.Write(QStringLiteral("kept.pdf"), "old contents");
    const QString unknown = m_Folder.Write(QStringLiteral("u.KWC"), QByteArray("\x12\x34rest", 6));
    const QString print = QStringLiteral("print");
    const std::pair<QStringList, const char*> cases[] = {
        {{print, m_In}, SeventhOfDecember},
        {{print, m_In, out, QStringLiteral("--parts=")}, SeventhOfDecember},
        {{print, m_In, out, QStringLiteral("--parts"), QStringLiteral("service,,cycles")}, SeventhOfDecember},
        {{print, m_In, out, QStringLiteral("--parts"), QStringLiteral("motors")}, SeventhOfDecember},
        {{print, m_In, out, QStringLiteral("--parts")}, SeventhOfDecember},
        {{print, m_In, out, QStringLiteral("--copies"), QStringLiteral("2")}, SeventhOfDecember},
        {{print, m_Folder.Path(QStringLiteral("missing.KWC")), out}, SeventhOfDecember},
        {{print, unknown, out}, SeventhOfDecember},
        {{print, m_Old, out}, SeventhOfDecember},
        {{print, m_In, out}, "yesterday"},
        {{print, m_In, out}, "-1"},
        {{print, m_In, out}, "1e9"},
        {{print, m_In, out}, "99999999999999"},
    };
    for (const auto& [arguments, epoch] : cases) {
        const QString call = arguments.join(QLatin1Char(' ')) + QStringLiteral(" epoch ") + QLatin1String(epoch);
        const S_ToolRun run = Run(arguments, epoch);
        EXPECT_EQ(run.m_Exit, 2) << call.toStdString();
        EXPECT_EQ(run.m_Out, QString()) << call.toStdString();
        EXPECT_EQ(run.m_Err.count(QLatin1Char('\n')), 1) << run.m_Err.toStdString();
        EXPECT_EQ(m_Folder.Read(QStringLiteral("kept.pdf")), QByteArray("old contents")) << call.toStdString();
    }
    const QString unwritable = m_Folder.Path(QStringLiteral("no/folder/out.pdf"));
    const S_ToolRun run = Run({print, m_In, unwritable});
    EXPECT_EQ(run.m_Exit, 2);
    EXPECT_TRUE(run.m_Err.startsWith(QStringLiteral("kw3tool: cannot write ") + unwritable)) << run.m_Err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(unwritable));

    const S_ToolRun help = Run({QStringLiteral("--help")});
    EXPECT_TRUE(
        help.m_Out.contains(QLatin1String("kw3tool [--language FILE] print FILE OUT.pdf [--format F] [--parts LIST]")));
    EXPECT_TRUE(help.m_Out.contains(QLatin1String("SOURCE_DATE_EPOCH")));
}
