#include "glosser/Languagefile.h"
#include "support/TempFolder.h"

#include <QDir>

#include <gtest/gtest.h>

TEST(GlosserLanguageFileTest, LinesEndAtEveryKindOfBreakAndNulEndsTheText)
{
    struct Case
    {
        const char* name;
        QByteArray bytes;
        QStringList lines;
    };
    const Case cases[] = {
        {"CR LF", "one\r\ntwo\r\n", {"one", "two"}},
        {"lone CR", "one\rtwo\r", {"one", "two"}},
        {"lone LF", "one\ntwo\n", {"one", "two"}},
        {"CR before CR LF is an empty line", "one\r\r\ntwo", {"one", "", "two"}},
        {"LF CR is two breaks", "one\n\rtwo", {"one", "", "two"}},
        {"last line without a break counts", "one\r\ntwo", {"one", "two"}},
        {"empty lines and blanks are kept", "\r\n  \r\n\r\nz\r\n", {"", "  ", "", "z"}},
        {"NUL ends the text", QByteArray("one\r\ntw\0o\r\nthree", 16), {"one", "tw"}},
        {"NUL right after a break", QByteArray("one\r\n\0two", 9), {"one"}},
        {"empty file", "", {}},
        {"a lone break is one empty line", "\r\n", {""}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(C_LanguageFile::Split(c.bytes, 278), c.lines) << c.name;

    EXPECT_EQ(C_LanguageFile::Split("1\n2\n3\n4", 2), QStringList({"1", "2"}))
        << "lines past the last row are dropped";
}

TEST(GlosserLanguageFileTest, EveryByteButTheBreaksComesBackUnchanged)
{
    QByteArray line;
    for (int byte = 1; byte <= 0xFF; ++byte) {
        if (byte != '\r' && byte != '\n')
            line += char(byte);
    }
    const QByteArray bytes = line + "\r\n" + line + "\r\n";
    const QStringList texts = C_LanguageFile::Split(bytes, 278);
    ASSERT_EQ(texts.size(), 2);
    EXPECT_EQ(texts.at(0).at(0xE9 - 3), QChar(0xE9)) << "bytes are read as Latin-1";
    for (const QString& text : texts)
        EXPECT_FALSE(C_LanguageFile::UnstorableCharacter(text).has_value());
    EXPECT_EQ(C_LanguageFile::Encode(texts), bytes);
}

TEST(GlosserLanguageFileTest, TextsThatWouldChangeOrShiftTheFileAreNotStorable)
{
    struct Case
    {
        QString text;
        std::optional<QChar> unstorable;
    };
    const Case cases[] = {
        {QStringLiteral("Gr\u00fc\u00dfe \u00ff"), std::nullopt},
        {QStringLiteral("Preis 5 \u20ac"), QChar(0x20AC)},
        {QStringLiteral("\u0100x\u20ac"), QChar(0x100)},
        {QStringLiteral("two\nlines"), QChar('\n')},
        {QStringLiteral("two\rlines"), QChar('\r')},
        {QString(QChar(0)) + QStringLiteral("after"), QChar(0)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(C_LanguageFile::UnstorableCharacter(c.text), c.unstorable) << qPrintable(c.text);
}

TEST(GlosserLanguageFileTest, ReadAndWriteReportFailuresAndReplaceFilesWhole)
{
    TempFolder folder;
    QStringList lines{"kept"};
    QString error;

    EXPECT_FALSE(C_LanguageFile::Read(folder.Path("missing.lng"), 278, lines, error));
    EXPECT_FALSE(error.isEmpty());
    QDir().mkpath(folder.Path("folder.lng"));
    EXPECT_FALSE(C_LanguageFile::Read(folder.Path("folder.lng"), 278, lines, error));
    const QString large =
        folder.Write("large.lng", QByteArray(C_LanguageFile::MaximumSize + 1, 'x'));
    error.clear();
    EXPECT_FALSE(C_LanguageFile::Read(large, 278, lines, error));
    EXPECT_TRUE(error.contains("not a language file")) << qPrintable(error);
    EXPECT_EQ(lines, QStringList{"kept"}) << "a failed read leaves the lines alone";

    error.clear();
    EXPECT_FALSE(C_LanguageFile::Write(folder.Path("no/such/folder/x.lng"), "a\r\n", error));
    EXPECT_FALSE(error.isEmpty());

    const QString target = folder.Write("target.lng", QByteArray(5000, 'o'));
    ASSERT_TRUE(C_LanguageFile::Write(target, "new\r\n", error));
    EXPECT_EQ(folder.Read("target.lng"), QByteArray("new\r\n"));
    ASSERT_TRUE(C_LanguageFile::Read(target, 278, lines, error));
    EXPECT_EQ(lines, QStringList{"new"});
    const QStringList left = QDir(folder.Path(".")).entryList(QDir::Files);
    EXPECT_EQ(left, QStringList({"large.lng", "target.lng"})) << "no temporary file is left behind";
}
