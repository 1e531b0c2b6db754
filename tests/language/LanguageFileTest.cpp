#include "language/Messages.h"
#include "support/TempFolder.h"

#include <QFile>

#include <gtest/gtest.h>

#include <string>

namespace {

// The texts of a shipped language file, without their CR LF line ends.
QList<QByteArray> ShippedTexts(const char* name)
{
    QFile file(SourceFile(QStringLiteral("resources/") + QLatin1String(name)));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<QByteArray> texts = file.readAll().split('\n');
    texts.removeLast();
    for (QByteArray& text : texts)
        text.chop(1);
    return texts;
}

class LanguageFileTest : public ::testing::TestWithParam<const char*>
{
};

} // namespace

// Each shipped language file must be one Glosser can save unchanged: a line for
// every id the program asks for, the first 278 of them short.
TEST_P(LanguageFileTest, HasALineForEveryIdEndingInCrLf)
{
    QFile file(SourceFile(QStringLiteral("resources/") + QLatin1String(GetParam())));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_TRUE(bytes.endsWith("\r\n"));
    const QList<QByteArray> lines = bytes.left(bytes.size() - 2).split('\n');
    ASSERT_EQ(lines.size(), Msg::EndOfAdded);
    for (int i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(i);
        const QByteArray line = i + 1 < lines.size() ? lines[i] : lines[i] + '\r';
        ASSERT_TRUE(line.endsWith('\r'));
        const QByteArray text = line.chopped(1);
        EXPECT_FALSE(text.isEmpty());
        if (i < Msg::FirstAdded) {
            EXPECT_LE(text.size(), 64);
        }
        EXPECT_FALSE(text.contains('\r'));
    }
}

INSTANTIATE_TEST_SUITE_P(Shipped, LanguageFileTest, ::testing::Values("English.lng", "Deutsch.lng"),
                         [](const ::testing::TestParamInfo<const char*>& file) {
                             return std::string(file.param).substr(0, 7);
                         });

// A translation keeps what the program splits or appends to: the "short|long" and
// "description|pattern" fields, the blanks at either end and the menu accelerators.
TEST(LanguageTranslationTest, GermanTextsKeepTheShapeOfTheEnglishOnes)
{
    const QList<QByteArray> english = ShippedTexts("English.lng");
    const QList<QByteArray> german = ShippedTexts("Deutsch.lng");
    ASSERT_EQ(english.size(), Msg::EndOfAdded);
    ASSERT_EQ(german.size(), english.size());
    for (int i = 0; i < english.size(); ++i) {
        SCOPED_TRACE(i);
        const QList<QByteArray> englishFields = english[i].split('|');
        const QList<QByteArray> germanFields = german[i].split('|');
        ASSERT_EQ(germanFields.size(), englishFields.size());
        if (englishFields.size() > 1 && englishFields.last().startsWith("*.")) {
            EXPECT_EQ(germanFields.last(), englishFields.last());
        }
        EXPECT_EQ(german[i].startsWith(' '), english[i].startsWith(' '));
        EXPECT_EQ(german[i].endsWith(' '), english[i].endsWith(' '));
        EXPECT_EQ(german[i].count('&'), english[i].count('&'));
    }
}
