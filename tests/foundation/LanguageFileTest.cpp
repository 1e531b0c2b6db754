#include "support/TempFolder.h"

#include <QFile>

#include <gtest/gtest.h>

// The shipped language file must be one Glosser can save unchanged.
TEST(LanguageFileTest, DefaultFileHas278ShortNonEmptyLinesEndingInCrLf)
{
    QFile file(SourceFile(QStringLiteral("resources/English.lng")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_TRUE(bytes.endsWith("\r\n"));
    const QList<QByteArray> lines = bytes.left(bytes.size() - 2).split('\n');
    ASSERT_EQ(lines.size(), 278);
    for (int i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(i);
        const QByteArray line = i + 1 < lines.size() ? lines[i] : lines[i] + '\r';
        ASSERT_TRUE(line.endsWith('\r'));
        const QByteArray text = line.chopped(1);
        EXPECT_FALSE(text.isEmpty());
        EXPECT_LE(text.size(), 64);
        EXPECT_FALSE(text.contains('\r'));
    }
}
