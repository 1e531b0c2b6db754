// kw3tool extract and insert: a program taken out of a 24-output configuration and
// pasted into a 16-output one, refused until what it leaves out is accepted.
#include "support/Imagebuilder.h"
#include "support/TempFolder.h"
#include "support/Toolpath.h"
#include "support/Toolrun.h"

#include <QFile>

#include <gtest/gtest.h>

TEST(FragmentCommandsTest, ExtractAndInsertByThePasteRules)
{
    TempFolder folder;
    const QString language = folder.WriteIdLanguage();
    const auto run = [&](const QStringList& arguments) {
        return RunInFolder(QStringLiteral(KW3TOOL), folder,
                           QStringList{QStringLiteral("--language"), language} + arguments);
    };
    // Program 1 runs wash 1 twice, whose step switches outputs 1 and 17 and ends after 5 s.
    ImageBuilder wide(StandardLayout, 24);
    wide.Step(0, 2, 1, 1, {{3, 0x01}, {5, 0x01}, {10, 0}, {11, 5}}).Program(0, 1, {{2, 1}, {2, 1}});
    ImageBuilder narrow(StandardLayout, 16);
    narrow.Step(0, 2, 1, 1, {{10, 0}, {11, 7}}).Program(0, 1, {{2, 1}});
    const QString from = folder.Write(QStringLiteral("wide.KWC"), wide.ConfigurationFile());
    const QString into = folder.Write(QStringLiteral("narrow.KWC"), narrow.ConfigurationFile());
    const QString fragment = folder.Path(QStringLiteral("program.json"));
    const QString out = folder.Path(QStringLiteral("out.KWC"));

    const S_ToolRun extracted = run({QStringLiteral("extract"), from, fragment, QStringLiteral("--program"),
                                     QStringLiteral("1"), QStringLiteral("--name"), QStringLiteral("Delicate")});
    EXPECT_EQ(extracted.m_Exit, 0) << extracted.m_Err.toStdString();
    EXPECT_EQ(run({QStringLiteral("extract"), from, fragment, QStringLiteral("--cycle"), QStringLiteral("3/9")}).m_Exit,
              2);

    const S_ToolRun refused = run({QStringLiteral("insert"), into, fragment, out});
    EXPECT_EQ(refused.m_Exit, 1);
    EXPECT_TRUE(refused.m_Err.contains(QStringLiteral("<384> output17, 1<185>"))) << refused.m_Err.toStdString();
    EXPECT_FALSE(QFile::exists(out));

    const S_ToolRun inserted = run({QStringLiteral("insert"), into, fragment, out, QStringLiteral("--drop-unmapped")});
    EXPECT_EQ(inserted.m_Exit, 0) << inserted.m_Err.toStdString();
    // Both numbers were taken: the program is the first free one, and its cycle too, run twice.
    EXPECT_EQ(run({QStringLiteral("summary"), out}).Lines(),
              (QStringList{"program 1: 0:07", "program 2: 0:10", "cycle 2/1: 0:07", "cycle 2/2: 0:05"}));

    const QString damaged = folder.Write(QStringLiteral("damaged.json"), "{\"kw3winConfiguration\": 1,");
    const S_ToolRun unreadable = run({QStringLiteral("insert"), into, damaged, out});
    EXPECT_EQ(unreadable.m_Exit, 2);
    EXPECT_TRUE(unreadable.m_Err.startsWith(damaged + QStringLiteral(":1:"))) << unreadable.m_Err.toStdString();
}
