// The fuzz target's seeds and every input it ever broke on, run through the same property.
#include "formats/Formatfixture.h"
#include "fuzz/Formatproperty.h"

#include <QDir>
#include <QFile>

TEST(FuzzRegressionTest, StoredInputsKeepTheProperty)
{
    TempFolder folder;
    const C_LanguageManager language(folder.Write(QStringLiteral("Ids.lng"), MessageIdLanguageFile()));
    int inputs = 0;
    for (const char* kind : {"corpus", "regressions"}) {
        const QDir dir(SourceFile(QStringLiteral("tests/fuzz/") + QLatin1String(kind)));
        for (const QString& name : dir.entryList(QDir::Files)) {
            QFile file(dir.filePath(name));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
            EXPECT_EQ(CheckFormatProperty(file.readAll(), folder.Path(QString())), QString()) << name.toStdString();
            ++inputs;
        }
    }
    EXPECT_GE(inputs, 6);
}
