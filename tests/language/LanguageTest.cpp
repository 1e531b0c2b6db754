#include "language/Language.h"
#include "app/Session.h"
#include "language/Messages.h"
#include "settings/Context.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

QStringList Split(const char* bytes, int size = -1)
{
    return C_LanguageManager::SplitLines(size < 0 ? QByteArray(bytes) : QByteArray(bytes, size));
}

} // namespace

TEST(LanguageTest, LineEndsOfEveryKindSplitTheSameWay)
{
    const QStringList expected{QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three")};
    EXPECT_EQ(Split("one\r\ntwo\r\nthree\r\n"), expected);
    EXPECT_EQ(Split("one\ntwo\nthree\n"), expected);
    EXPECT_EQ(Split("one\rtwo\rthree\r"), expected);
    EXPECT_EQ(Split("one\r\ntwo\nthree"), expected) << "a last line without a break still counts";
    EXPECT_EQ(Split(""), QStringList());
    EXPECT_EQ(Split("\r\n\r\n"), (QStringList{QString(), QString()})) << "empty lines are texts";
    EXPECT_EQ(Split("  \r\n"), QStringList{QStringLiteral("  ")}) << "blanks are kept";
    EXPECT_EQ(Split("one\r\r\ntwo"), (QStringList{QStringLiteral("one"), QString(), QStringLiteral("two")}));
}

TEST(LanguageTest, NulEndsTheReadableText)
{
    EXPECT_EQ(Split("one\r\ntw\0o\r\nthree\r\n", 17), (QStringList{QStringLiteral("one"), QStringLiteral("tw")}));
}

TEST(LanguageTest, EveryByteSurvivesUnchanged)
{
    QByteArray bytes;
    for (int b = 0x20; b <= 0xFF; ++b)
        bytes += char(b);
    const QStringList lines = C_LanguageManager::SplitLines(bytes + "\r\n");
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines[0].toLatin1(), bytes);
}

TEST(LanguageTest, LookupByIdWithErrorPastTheEnd)
{
    TempFolder folder;
    QByteArray file;
    for (int i = 0; i < 100; ++i)
        file += "text " + QByteArray::number(i) + "\r\n";
    ScriptedMessageBoxes boxes;
    const C_LanguageManager language(folder.Write(QStringLiteral("Hundred.lng"), file));
    EXPECT_TRUE(boxes.Shown().empty());
    EXPECT_EQ(language.GetString(0), QStringLiteral("text 0"));
    EXPECT_EQ(language.GetString(99), QStringLiteral("text 99"));
    EXPECT_EQ(language.GetString(100), QStringLiteral("Error"));
    EXPECT_EQ(language.GetString(277), QStringLiteral("Error"));
    EXPECT_EQ(language.GetString(-1), QStringLiteral("Error"));
    EXPECT_EQ(language.GetString(-32768), QStringLiteral("Error"));
    EXPECT_EQ(&language.GetString(42), &language.GetString(42)) << "callers may hold on to a text";
    EXPECT_EQ(&C_LanguageManager::Current(), &language);
}

TEST(LanguageTest, MissingFileShowsOneBoxAndEveryTextReadsError)
{
    TempFolder folder;
    C_Context context;
    context.SetLanguageFile(folder.Path(QStringLiteral("Missing.lng")));
    ScriptedMessageBoxes boxes;
    ShowLanguageComplaints();
    const C_LanguageManager language(context.LanguageFile());
    C_LanguageManager::SetComplaint({});
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, QStringLiteral("Cannot open language file"));
    EXPECT_EQ(boxes.Shown()[0].caption, QStringLiteral("Language manager"));
    EXPECT_EQ(boxes.Shown()[0].icon, C_MessageBox::Icon::Information);
    EXPECT_EQ(boxes.Shown()[0].buttons, C_MessageBox::Buttons::Ok);
    EXPECT_EQ(language.GetString(0), QStringLiteral("Error"));
    EXPECT_EQ(Text(145), QStringLiteral("Error"));
}

TEST(LanguageTest, RelativeFileIsFoundBesideTheProgram)
{
    // The tests run in the build's program folder, which holds the default file; from
    // another working directory the file is still found there.
    TempFolder folder;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder.Path(QString()));
    ScriptedMessageBoxes boxes;
    const C_LanguageManager language(QStringLiteral("English.lng"));
    QDir::setCurrent(previous);
    EXPECT_TRUE(boxes.Shown().empty());
    EXPECT_EQ(language.Count(), Msg::EndOfAdded);
}
