// Each fuzz target's seeds and every input it ever broke on, run through its property.
#include "fuzz/Formatproperty.h"
#include "fuzz/Fuzzproperties.h"
#include "support/Formatfixture.h"

#include <QDir>
#include <QFile>

namespace {

struct S_Target
{
    const char* m_Name;
    QString (*m_Property)(const QByteArray& input, const QString& folder);
};

constexpr S_Target Targets[] = {
    {"formats", CheckFormatProperty},    {"codec", CheckCodecProperty},
    {"language", CheckLanguageProperty}, {"glosser_file", CheckGlosserFileProperty},
    {"settings", CheckSettingsProperty}, {"arguments", CheckArgumentsProperty},
    {"text", CheckTextProperty},
};

class FuzzRegressionTest : public ::testing::TestWithParam<S_Target>
{
};

TEST_P(FuzzRegressionTest, StoredInputsKeepTheProperty)
{
    TempFolder folder;
    const C_LanguageManager language(folder.WriteIdLanguage());
    int seeds = 0;
    for (const char* kind : {"corpus", "regressions"}) {
        const QDir dir(
            SourceFile(QStringLiteral("tests/fuzz/%1/%2").arg(QLatin1String(kind), QLatin1String(GetParam().m_Name))));
        for (const QString& name : dir.entryList(QDir::Files)) {
            QFile file(dir.filePath(name));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
            EXPECT_EQ(GetParam().m_Property(file.readAll(), folder.Path(QString())), QString()) << name.toStdString();
            seeds += kind == std::string("corpus");
        }
    }
    EXPECT_GE(seeds, 3);
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzRegressionTest, ::testing::ValuesIn(Targets),
                         [](const ::testing::TestParamInfo<S_Target>& target) {
                             return std::string(target.param.m_Name);
                         });

} // namespace
