#include "desktop/Updown.h"
#include "editor/Editbalanced.h"
#include "editor/Editcooling.h"
#include "language/Language.h"
#include "support/ModalDriver.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/TempFolder.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include <gtest/gtest.h>

namespace {

// The values a format puts in before switching cooling or balanced feed on.
struct PhaseValues
{
    std::uint32_t timeout = 0;
    std::int32_t temperature = 2;
    std::int32_t maxLevel = 0;
    std::int32_t minLevel = 0;
};

class PhaseDialogsTest : public ::testing::Test
{
protected:
    const C_LanguageManager m_Language{SourceFile(QStringLiteral("resources/English.lng"))};
};

} // namespace

TEST_F(PhaseDialogsTest, CoolingWithEqualDefaultLevelsIsRefusedUntilTheMaximumIsRaised)
{
    ScriptedMessageBoxes boxes;
    PhaseValues values;
    TEditCoolingForm dialog(nullptr, true, &values.timeout, &values.temperature, &values.maxLevel,
                            &values.minLevel);
    dialog.show();
    dialog.m_OKButton->click();
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, m_Language.GetString(9));
    EXPECT_EQ(boxes.Shown()[0].caption, m_Language.GetString(10));
    EXPECT_EQ(boxes.Shown()[0].icon, C_MessageBox::Icon::Warning);

    TypeInto(dialog.m_MaxLevel.m_Edit, QStringLiteral("40"));
    dialog.m_OKButton->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(values.minLevel, 0);
    EXPECT_EQ(values.maxLevel, 40);
    EXPECT_EQ(values.temperature, 2);
    EXPECT_EQ(values.timeout, 0u);
}

TEST_F(PhaseDialogsTest, CoolingAcceptsOnlyLevelsInRangeWithTheMinimumBelowTheMaximum)
{
    struct Case
    {
        const char* minLevel;
        const char* maxLevel;
        const char* temperature;
        std::int16_t warning; // 0: accepted
    };
    const Case cases[] = {
        {"50", "50", "2", 9},   {"49", "50", "2", 0},   {"60", "20", "2", 9},  {"0", "100", "93", 0},
        // Outside a line's range: the step could not hold the value, so it is refused.
        {"300", "400", "2", 11}, {"-1", "50", "2", 11}, {"10", "101", "2", 11}, {"10", "50", "1", 11},
        {"10", "50", "94", 11},  {"10", "65586", "2", 11},
        // Letters take the up-down's position (0 for both levels: not below).
        {"x", "50", "40", 0},    {"x", "y", "40", 9},
    };
    for (const Case& c : cases) {
        ScriptedMessageBoxes boxes;
        PhaseValues values;
        TEditCoolingForm dialog(nullptr, true, &values.timeout, &values.temperature, &values.maxLevel,
                                &values.minLevel);
        dialog.show();
        TypeInto(dialog.m_MinLevel.m_Edit, QString::fromLatin1(c.minLevel));
        TypeInto(dialog.m_MaxLevel.m_Edit, QString::fromLatin1(c.maxLevel));
        TypeInto(dialog.m_Temperature.m_Edit, QString::fromLatin1(c.temperature));
        dialog.m_OKButton->click();

        const std::string label = std::string(c.minLevel) + "/" + c.maxLevel + "/" + c.temperature;
        if (c.warning == 0) {
            EXPECT_TRUE(boxes.Shown().empty()) << label;
            EXPECT_EQ(dialog.result(), QDialog::Accepted) << label;
            EXPECT_EQ(values.maxLevel, QString::fromLatin1(c.maxLevel).toInt()) << label;
            EXPECT_EQ(values.temperature, QString::fromLatin1(c.temperature).toInt()) << label;
        } else {
            ASSERT_EQ(boxes.Shown().size(), 1u) << label;
            EXPECT_EQ(boxes.Shown()[0].text, m_Language.GetString(c.warning)) << label;
            EXPECT_TRUE(dialog.isVisible()) << label;
            // The user's entries stay for correcting; nothing reached the caller.
            EXPECT_EQ(dialog.m_MinLevel.m_Edit->text(), QString::fromLatin1(c.minLevel)) << label;
            EXPECT_EQ(values.minLevel, 0) << label;
            EXPECT_EQ(values.maxLevel, 0) << label;
            EXPECT_EQ(values.temperature, 2) << label;
        }
    }
}

TEST_F(PhaseDialogsTest, TimeoutIsShownAsMinutesAndSecondsAndRebuiltOnOk)
{
    PhaseValues values;
    values.timeout = 125;
    values.maxLevel = 30;
    TEditCoolingForm dialog(nullptr, true, &values.timeout, &values.temperature, &values.maxLevel,
                            &values.minLevel);
    EXPECT_EQ(dialog.m_MinutesEdit->text(), QStringLiteral("2"));
    EXPECT_EQ(dialog.m_SecondsEdit->text(), QStringLiteral("5"));
    dialog.show();
    dialog.m_MinutesUpDown->StepDown();
    TypeInto(dialog.m_SecondsEdit, QStringLiteral("30"));
    emit dialog.m_SecondsEdit->editingFinished();
    dialog.m_OKButton->click();
    EXPECT_EQ(values.timeout, 90u);
}

TEST_F(PhaseDialogsTest, HiddenTimeoutCannotBeEnteredAndIsLeftAsPassedIn)
{
    // 15555 is a time limit that is not used: more minutes than the controls hold.
    for (const std::uint32_t timeout : {125u, 0u, 15555u}) {
        PhaseValues values;
        values.timeout = timeout;
        values.maxLevel = 30;
        TEditCoolingForm cooling(nullptr, false, &values.timeout, &values.temperature, &values.maxLevel,
                                 &values.minLevel);
        cooling.show();
        EXPECT_FALSE(cooling.m_MinutesEdit->isVisible());
        EXPECT_FALSE(cooling.m_SecondsEdit->isVisible());
        EXPECT_FALSE(cooling.m_MinutesUpDown->isEnabled());
        EXPECT_FALSE(cooling.m_SecondsUpDown->isEnabled());
        EXPECT_FALSE(cooling.m_TimeoutLabel->isEnabled());
        cooling.m_MinutesUpDown->StepUp();
        cooling.m_OKButton->click();
        EXPECT_EQ(cooling.result(), QDialog::Accepted);
        EXPECT_EQ(values.timeout, timeout);

        TEditBalancedFeedForm balanced(nullptr, false, &values.timeout, &values.temperature, &values.maxLevel);
        balanced.m_OKButton->click();
        EXPECT_EQ(values.timeout, timeout);
    }
}

TEST_F(PhaseDialogsTest, TrackBarsAndUpDownsMoveTogether)
{
    PhaseValues values;
    TEditCoolingForm cooling(nullptr, true, &values.timeout, &values.temperature, &values.maxLevel,
                             &values.minLevel);
    cooling.m_Temperature.m_TrackBar->setValue(60);
    EXPECT_EQ(cooling.m_Temperature.m_Edit->text(), QStringLiteral("60"));
    cooling.m_MinLevel.m_UpDown->StepUp();
    EXPECT_EQ(cooling.m_MinLevel.m_TrackBar->value(), 1);
    EXPECT_EQ(cooling.m_MaxLevel.m_TrackBar->value(), 0);

    TEditBalancedFeedForm balanced(nullptr, true, &values.timeout, &values.temperature, &values.maxLevel);
    balanced.m_Level.m_TrackBar->setValue(35);
    EXPECT_EQ(balanced.m_Level.m_Edit->text(), QStringLiteral("35"));
    balanced.m_Temperature.m_UpDown->StepUp();
    EXPECT_EQ(balanced.m_Temperature.m_TrackBar->value(), 3);
}

TEST_F(PhaseDialogsTest, BalancedFeedWritesAllOnOkAndNothingOnCancel)
{
    struct Case
    {
        bool ok;
        const char* level;
        std::int32_t expectedLevel;
        std::int32_t expectedTemperature;
        std::uint32_t expectedTimeout;
        bool stillOpen;
    };
    const Case cases[] = {
        {true, "30", 30, 60, 61, false},
        {false, "30", 0, 2, 0, false},
        {true, "300", 0, 2, 0, true}, // out of range: refused
    };
    for (const Case& c : cases) {
        ScriptedMessageBoxes boxes;
        std::uint32_t timeout = 0;
        std::int32_t temperature = 2;
        std::int32_t level = 0;
        TEditBalancedFeedForm dialog(nullptr, true, &timeout, &temperature, &level);
        EXPECT_EQ(dialog.windowTitle(), m_Language.GetString(1));
        EXPECT_EQ(dialog.m_Level.m_Label->text(), m_Language.GetString(2));
        dialog.show();
        TypeInto(dialog.m_Level.m_Edit, QString::fromLatin1(c.level));
        dialog.m_Temperature.m_TrackBar->setValue(60);
        dialog.m_MinutesUpDown->StepUp();
        dialog.m_SecondsUpDown->StepUp();
        (c.ok ? dialog.m_OKButton : dialog.m_CancelButton)->click();
        EXPECT_EQ(level, c.expectedLevel) << c.level;
        EXPECT_EQ(temperature, c.expectedTemperature) << c.level;
        EXPECT_EQ(timeout, c.expectedTimeout) << c.level;
        EXPECT_EQ(dialog.isVisible(), c.stillOpen) << c.level;
    }
}

TEST_F(PhaseDialogsTest, ClosingWithTheWindowButtonWritesNothing)
{
    ScriptedMessageBoxes boxes;
    PhaseValues values;
    values.maxLevel = 50;
    TEditCoolingForm dialog(nullptr, true, &values.timeout, &values.temperature, &values.maxLevel,
                            &values.minLevel);
    dialog.show();
    TypeInto(dialog.m_MinLevel.m_Edit, QStringLiteral("20"));
    dialog.close();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(values.minLevel, 0);
    EXPECT_TRUE(boxes.Shown().empty());
}
