// kw3tool's text form: convert by extension and text, and a .KWC file in git
// showing a changed step field as one changed line.
#include "support/Imagebuilder.h"
#include "support/TempFolder.h"
#include "support/Toolpath.h"
#include "support/Toolrun.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

class TextCommandsTest : public ::testing::Test
{
protected:
    TextCommandsTest() { m_Language = m_Folder.WriteIdLanguage(); }

    S_ToolRun Run(const QStringList& arguments) const
    {
        return RunInFolder(QStringLiteral(KW3TOOL), m_Folder,
                           QStringList{QStringLiteral("--language"), m_Language} + arguments);
    }

    // A configuration that passes the checks, its only step ending after the given seconds.
    QString Write(const QString& name, int seconds, const S_TestLayout& layout = StandardLayout, int outputs = 16) const
    {
        ImageBuilder image(layout, outputs);
        image.Step(0, 1, 1, 1, {{3, 0x01}, {10, seconds / 60}, {11, seconds % 60}}).Program(0, 1, {{1, 1}});
        image.Set(7513, {77});
        return m_Folder.Write(name, image.ConfigurationFile());
    }

    TempFolder m_Folder;
    QString m_Language;
};

} // namespace

TEST_F(TextCommandsTest, ConvertThroughTheTextGivesTheBytesOfADirectConvert)
{
    for (const S_TestLayout& layout : {StandardLayout, InverterLayout, VarnholtLayout})
        for (const int outputs : {16, 24}) {
            const QString in = Write(QStringLiteral("x.KWC"), 90, layout, outputs);
            ASSERT_EQ(Run({QStringLiteral("convert"), in, m_Folder.Path(QStringLiteral("z.KWC"))}).m_Exit, 0);
            ASSERT_EQ(Run({QStringLiteral("convert"), in, m_Folder.Path(QStringLiteral("y.JSON"))}).m_Exit, 0);
            ASSERT_EQ(Run({QStringLiteral("convert"), m_Folder.Path(QStringLiteral("y.JSON")),
                           m_Folder.Path(QStringLiteral("back.KWC"))})
                          .m_Exit,
                      0);
            EXPECT_EQ(m_Folder.Read(QStringLiteral("back.KWC")), m_Folder.Read(QStringLiteral("z.KWC")))
                << layout.m_Name << " " << outputs;
            const S_ToolRun text = Run({QStringLiteral("text"), in});
            EXPECT_EQ(text.m_Out.toUtf8(), m_Folder.Read(QStringLiteral("y.JSON")));
            EXPECT_EQ(Run({QStringLiteral("convert"), in, QStringLiteral("-")}).m_Out, text.m_Out);
        }

    // A refused document is bad usage, failing checks exit 1; neither writes OUT.
    const QString refused = m_Folder.Write(QStringLiteral("bad.json"), "{\"kw3winConfiguration\": 1,\n \"format\": 7, \"outputs\": 16}");
    const S_ToolRun bad = Run({QStringLiteral("convert"), refused, m_Folder.Path(QStringLiteral("bad.KWC"))});
    EXPECT_EQ(bad.m_Exit, 2);
    EXPECT_EQ(bad.m_Err, refused + QStringLiteral(":2:12: format: a string was expected\n"));
    const QString failing = m_Folder.Write(QStringLiteral("failing.json"),
                                           "{\"kw3winConfiguration\": 1, \"format\": \"standard\", \"outputs\": 16}");
    EXPECT_EQ(Run({QStringLiteral("convert"), failing, m_Folder.Path(QStringLiteral("failing.KWC"))}).m_Exit, 1);
    EXPECT_EQ(
        Run({QStringLiteral("convert"), Write(QStringLiteral("w.KWC"), 5), m_Folder.Path(QStringLiteral("n.json"))})
            .m_Exit,
        0);
    EXPECT_FALSE(QFileInfo::exists(m_Folder.Path(QStringLiteral("bad.KWC"))));
    EXPECT_FALSE(QFileInfo::exists(m_Folder.Path(QStringLiteral("failing.KWC"))));
}

TEST_F(TextCommandsTest, GitShowsAChangedStepTimeAsOneChangedLine)
{
    const QString git = QStandardPaths::findExecutable(QStringLiteral("git"));
    if (git.isEmpty())
        GTEST_SKIP() << "git is not installed";
    const auto run = [&](const QStringList& arguments) {
        QProcess process;
        process.setWorkingDirectory(m_Folder.Path(QStringLiteral(".")));
        process.start(git, QStringList{QStringLiteral("-c"), QStringLiteral("user.name=t"), QStringLiteral("-c"),
                                       QStringLiteral("user.email=t@example.org")} +
                               arguments);
        process.waitForFinished(30000);
        EXPECT_EQ(process.exitCode(), 0) << arguments.join(QLatin1Char(' ')).toStdString() << ": "
                                         << process.readAllStandardError().toStdString();
        return QString::fromUtf8(process.readAllStandardOutput());
    };
    run({QStringLiteral("init"), QStringLiteral("-q")});
    m_Folder.Write(QStringLiteral(".gitattributes"), "*.KWC diff=kw3\n*.kwc diff=kw3\n");
    run({QStringLiteral("config"), QStringLiteral("diff.kw3.textconv"),
         QStringLiteral("'%1' --language '%2' text").arg(QStringLiteral(KW3TOOL), m_Language)});
    Write(QStringLiteral("machine.KWC"), 90);
    run({QStringLiteral("add"), QStringLiteral(".")});
    run({QStringLiteral("commit"), QStringLiteral("-q"), QStringLiteral("-m"), QStringLiteral("first")});
    Write(QStringLiteral("machine.KWC"), 95);
    run({QStringLiteral("commit"), QStringLiteral("-q"), QStringLiteral("-a"), QStringLiteral("-m"),
         QStringLiteral("second")});

    QStringList changed;
    for (const QString& line :
         run({QStringLiteral("diff"), QStringLiteral("HEAD~1"), QStringLiteral("HEAD")}).split(QLatin1Char('\n')))
        if ((line.startsWith(QLatin1Char('-')) || line.startsWith(QLatin1Char('+'))) &&
            !line.startsWith(QLatin1String("---")) && !line.startsWith(QLatin1String("+++")))
            changed << line;
    EXPECT_EQ(changed,
              (QStringList{QStringLiteral("-          \"time\": 90"), QStringLiteral("+          \"time\": 95")}));
}
