// A recovery copy reads back as it was written, and a damaged or hostile one is
// refused with where and why, never half read.
#include "model/Configurationpanes.h"
#include "model/Eepromformat.h"
#include "model/Jsonreader.h"
#include "model/Recoverycopy.h"
#include "support/Formatfixture.h"
#include "support/Sampleconfiguration.h"

#include <gtest/gtest.h>

namespace {

class RecoveryCopyTest : public FormatFixture
{
protected:
    QByteArray Copy(const QString& path, qint64 fileSize)
    {
        C_ConfigurationPanes panes;
        const auto format = C_EEPROMFormat::Create(FormatCode::Inverter, panes, 24);
        FillSampleConfiguration(panes, *format, {3, 2}, 2);
        m_Text = ConfigurationTextOf(*format, panes);
        S_RecoveryOrigin origin{path, QStringLiteral("Configuration2.KWC"),
                                QDateTime::fromMSecsSinceEpoch(1'800'000'000'123, Qt::UTC), fileSize,
                                QDateTime::fromMSecsSinceEpoch(1'790'000'000'456, Qt::UTC)};
        return RecoveryCopyText({origin, C_Configuration::Read(*format, panes), format->KeptBytes()});
    }

    // The configuration's own text form.
    QByteArray m_Text;
};

} // namespace

TEST_F(RecoveryCopyTest, ReadsBackTheOriginAndTheConfiguration)
{
    S_JsonError error;
    const std::optional<S_RecoveredCopy> copy = ReadRecoveryCopy(Copy(QStringLiteral("/work/a.KWC"), 8186), error);
    ASSERT_TRUE(copy) << error.Line(QStringLiteral("copy")).toStdString();
    EXPECT_EQ(copy->m_Origin.m_Path, QStringLiteral("/work/a.KWC"));
    EXPECT_EQ(copy->m_Origin.m_Caption, QStringLiteral("Configuration2.KWC"));
    EXPECT_EQ(copy->m_Origin.m_Taken.toMSecsSinceEpoch(), 1'800'000'000'123);
    EXPECT_EQ(copy->m_Origin.m_FileSize, 8186);
    EXPECT_EQ(copy->m_Origin.m_FileModified.toMSecsSinceEpoch(), 1'790'000'000'456);

    C_ConfigurationPanes panes;
    const auto format = ShowTextConfiguration(copy->m_Configuration, panes);
    EXPECT_EQ(ConfigurationTextOf(*format, panes), m_Text);
}

TEST_F(RecoveryCopyTest, RefusesWhatNoRunWrote)
{
    const QByteArray valid = Copy(QString(), -1);
    const auto replaced = [&valid](const char* from, const char* to) {
        QByteArray text = valid;
        EXPECT_TRUE(text.contains(from)) << from;
        return text.replace(from, to);
    };
    const std::pair<QByteArray, const char*> cases[] = {
        {valid.left(valid.size() / 2), ""},
        {"[]", "an object was expected"},
        {replaced("\"kw3winRecovery\": 1", "\"kw3winRecovery\": 2"), "kw3winRecovery: not a copy"},
        {replaced("\"path\": null", "\"path\": \"a.KWC\""), "path: an absolute path"},
        {replaced("\"path\": null", "\"path\": \"/a\\u0007.KWC\""), "path: an absolute path"},
        {replaced("\"caption\": \"Configuration2.KWC\"", "\"caption\": \"\""), "caption: a name"},
        {replaced("\"taken\": \"", "\"taken\": \"yesterday"), "taken: a time"},
        {replaced("\"file\": null", "\"file\": {\"size\": -1, \"modified\": \"\"}"), "file: null or"},
        {replaced("\"file\": null", "\"file\": null, \"owner\": 1"), "owner: unknown key"},
        {replaced("\"outputs\": 24", "\"outputs\": 25"), "configuration.outputs: 16 or 24 outputs"},
    };
    for (const auto& [text, expected] : cases) {
        S_JsonError error;
        EXPECT_FALSE(ReadRecoveryCopy(text, error)) << expected;
        EXPECT_TRUE(error.Line(QStringLiteral("copy")).contains(QLatin1String(expected)))
            << error.Line(QStringLiteral("copy")).toStdString();
    }
}
