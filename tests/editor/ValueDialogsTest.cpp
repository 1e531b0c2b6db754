#include "desktop/Updown.h"
#include "editor/Configurationpanes.h"
#include "editor/Editbalanced.h"
#include "editor/Editcooling.h"
#include "editor/Editnumber.h"
#include "editor/Edittime.h"
#include "editor/Selectmotor.h"
#include "language/Language.h"
#include "support/ModalDriver.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/TempFolder.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class ValueDialogsTest : public ::testing::Test
{
protected:
    const C_LanguageManager m_Language{SourceFile(QStringLiteral("resources/English.lng"))};
};

} // namespace

TEST_F(ValueDialogsTest, NumberDialogShowsRangeValueAndTexts)
{
    std::int32_t value = 50;
    const TFormEditNumber dialog(nullptr, &value, QStringLiteral("cm"), 93, 2, QStringLiteral("Level"),
                                 QStringLiteral("Edit Level"));
    EXPECT_EQ(dialog.m_LabelMinValue->text(), QStringLiteral("2"));
    EXPECT_EQ(dialog.m_LabelMaxValue->text(), QStringLiteral("93"));
    EXPECT_EQ(dialog.m_EditField->text(), QStringLiteral("50"));
    EXPECT_EQ(dialog.m_TrackValue->value(), 50);
    EXPECT_EQ(dialog.m_TrackValue->minimum(), 2);
    EXPECT_EQ(dialog.m_TrackValue->maximum(), 93);
    EXPECT_EQ(dialog.m_UpDownValue->Position(), 50);
    EXPECT_EQ(dialog.m_LabelUnit->text(), QStringLiteral("cm"));
    EXPECT_EQ(dialog.m_LabelPrompt->text(), QStringLiteral("Level"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Edit Level"));
    EXPECT_EQ(dialog.m_OKButton->text(), QStringLiteral("OK"));
    EXPECT_EQ(dialog.m_CancelButton->text(), m_Language.GetString(5));
}

TEST_F(ValueDialogsTest, NumberDialogWritesOnlyEntriesInsideTheRange)
{
    struct Case
    {
        std::int32_t min, max, initial;
        int upClicks;
        const char* typed;
        std::int32_t expected;
        bool warned;
    };
    const Case cases[] = {
        {2, 93, 50, 0, "70", 70, false},
        {2, 93, 50, 0, "93", 93, false},
        {2, 93, 50, 0, "2", 2, false},
        {2, 93, 50, 0, "120", 50, true},
        {2, 93, 50, 0, "1", 50, true},
        {0, 100, 50, 0, "-1", 50, true},
        {2, 93, 50, 3, "abc", 53, false},
        {2, 93, 50, 0, "", 50, false},
        {0, 999, 100, 0, "255", 255, false},
        // A value outside the range puts the up-down at the end; letters then take that end.
        {2, 93, 120, 0, "x", 93, false},
        {0, 100, 50, 0, "99999999999", 50, false},
        // Compared unsigned: a negative entry is refused even where the minimum is below it.
        {-5, 10, 0, 0, "-1", 0, true},
    };
    for (const Case& c : cases) {
        ScriptedMessageBoxes boxes;
        std::int32_t value = c.initial;
        TFormEditNumber dialog(nullptr, &value, QStringLiteral("cm"), c.max, c.min, QStringLiteral("Level"),
                               QStringLiteral("Edit"));
        for (int i = 0; i < c.upClicks; ++i)
            dialog.m_UpDownValue->StepUp();
        TypeInto(dialog.m_EditField, QString::fromLatin1(c.typed));
        dialog.m_OKButton->click();

        EXPECT_EQ(value, c.expected) << c.typed;
        EXPECT_EQ(dialog.result(), QDialog::Accepted) << c.typed;
        ASSERT_EQ(boxes.Shown().size(), c.warned ? 1u : 0u) << c.typed;
        if (c.warned) {
            EXPECT_EQ(boxes.Shown()[0].text, m_Language.GetString(11));
            EXPECT_EQ(boxes.Shown()[0].caption, m_Language.GetString(12));
            EXPECT_EQ(boxes.Shown()[0].icon, C_MessageBox::Icon::Warning);
        }
    }
}

TEST_F(ValueDialogsTest, NumberDialogTrackBarAndUpDownMoveTogetherButTypingMovesNeither)
{
    std::int32_t value = 50;
    TFormEditNumber dialog(nullptr, &value, QStringLiteral("cm"), 93, 2, QStringLiteral("Level"), QString());
    dialog.m_TrackValue->setValue(70);
    EXPECT_EQ(dialog.m_EditField->text(), QStringLiteral("70"));
    dialog.m_UpDownValue->StepUp();
    EXPECT_EQ(dialog.m_TrackValue->value(), 71);
    EXPECT_EQ(dialog.m_EditField->text(), QStringLiteral("71"));
    TypeInto(dialog.m_EditField, QStringLiteral("30"));
    EXPECT_EQ(dialog.m_TrackValue->value(), 71);
    EXPECT_EQ(dialog.m_UpDownValue->Position(), 71);
}

TEST_F(ValueDialogsTest, NumberDialogCancelAndEscapeChangeNothing)
{
    for (const bool escape : {false, true}) {
        std::int32_t value = 50;
        TFormEditNumber dialog(nullptr, &value, QStringLiteral("cm"), 93, 2, QStringLiteral("Level"), QString());
        dialog.show();
        TypeInto(dialog.m_EditField, QStringLiteral("70"));
        if (escape)
            QTest::keyClick(dialog.m_EditField, Qt::Key_Escape);
        else
            dialog.m_CancelButton->click();
        EXPECT_EQ(value, 50);
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_FALSE(dialog.isVisible());
    }
}

TEST_F(ValueDialogsTest, NumberDialogReturnKeyConfirmsTheTypedValue)
{
    std::int32_t value = 50;
    TFormEditNumber dialog(nullptr, &value, QStringLiteral("cm"), 93, 2, QStringLiteral("Level"), QString());
    dialog.show();
    TypeInto(dialog.m_EditField, QStringLiteral("64"));
    QTest::keyClick(dialog.m_EditField, Qt::Key_Return);
    EXPECT_EQ(value, 64);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(ValueDialogsTest, TimeDialogSplitsAndRebuildsTheSeconds)
{
    struct Case
    {
        std::uint32_t initial;
        const char* minutes; // typed, then Return; null leaves the box alone
        const char* seconds;
        const char* shownMinutes;
        const char* shownSeconds;
        std::uint32_t expected;
    };
    const Case cases[] = {
        {125, nullptr, nullptr, "2", "5", 125},
        {125, "3", "0", "3", "0", 180},
        {0, "300", nullptr, "255", "0", 255 * 60},
        {59, nullptr, "75", "0", "59", 59},
        {16000, nullptr, nullptr, "255", "40", 255 * 60 + 40},
    };
    for (const Case& c : cases) {
        std::uint32_t value = c.initial;
        TFormEditTime dialog(nullptr, &value, QStringLiteral("Edit time"));
        dialog.show();
        const std::pair<QLineEdit*, const char*> entries[] = {{dialog.m_EditMinute, c.minutes},
                                                              {dialog.m_EditSeconds, c.seconds}};
        for (const auto& [edit, typed] : entries) {
            if (typed == nullptr)
                continue;
            TypeInto(edit, QString::fromLatin1(typed));
            emit edit->editingFinished();
        }
        EXPECT_EQ(dialog.m_EditMinute->text(), QString::fromLatin1(c.shownMinutes)) << c.initial;
        EXPECT_EQ(dialog.m_EditSeconds->text(), QString::fromLatin1(c.shownSeconds)) << c.initial;
        dialog.m_ButtonOK->click();
        EXPECT_EQ(value, c.expected) << c.initial;
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
}

TEST_F(ValueDialogsTest, TimeDialogUpDownsStopAtTheirEndsAndCancelKeepsTheValue)
{
    std::uint32_t value = 59;
    TFormEditTime dialog(nullptr, &value, QString());
    EXPECT_EQ(dialog.m_LabelPrompt->text(), m_Language.GetString(13));
    dialog.m_UpDownSeconds->StepUp();
    dialog.m_UpDownMinutes->StepDown();
    EXPECT_EQ(dialog.m_EditSeconds->text(), QStringLiteral("59"));
    EXPECT_EQ(dialog.m_EditMinute->text(), QStringLiteral("0"));
    dialog.m_UpDownMinutes->StepUp();
    dialog.m_ButtonCancel->click();
    EXPECT_EQ(value, 59u);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_F(ValueDialogsTest, MotorListShowsEveryModeWithUnusedTimesAsBlanks)
{
    C_ConfigurationPanes panes;
    panes.SetMotorCell(1, 1, 12);
    panes.SetMotorCell(1, 2, 0);
    panes.SetMotorCell(15, 3, 254);
    std::int32_t value = 3;
    const TSelectMotorForm dialog(&panes, &value, panes);
    const QList<QAbstractButton*> entries = dialog.m_MotorModes->buttons();
    ASSERT_EQ(entries.size(), 15);
    const QString motor = m_Language.GetString(141);
    EXPECT_EQ(entries[0]->text(), motor + QStringLiteral(" 1 : 12 - 0 - __"));
    EXPECT_EQ(entries[1]->text(), motor + QStringLiteral(" 2 : __ - __ - __"));
    EXPECT_EQ(entries[14]->text(), motor + QStringLiteral(" 15 : __ - __ - 254"));
    EXPECT_EQ(dialog.m_MotorModes->checkedId(), 2);
    EXPECT_EQ(dialog.windowTitle(), m_Language.GetString(169));
    EXPECT_EQ(dialog.m_MotorModeRadioGroup->title(), m_Language.GetString(40));
}

TEST_F(ValueDialogsTest, MotorSelectionWritesTheChosenModeOnlyOnOk)
{
    struct Case
    {
        std::int32_t initial;
        int chosenEntry; // -1: none clicked
        bool ok;
        std::int32_t expected;
    };
    const Case cases[] = {
        {3, 4, true, 5},
        {3, 4, false, 3},
        {3, -1, true, 3},
        {15, 0, true, 1},
        // A mode outside the table selects nothing; OK without a choice keeps it.
        {0, -1, true, 0},
        {40, -1, true, 40},
        {40, 6, true, 7},
    };
    C_ConfigurationPanes panes;
    for (const Case& c : cases) {
        std::int32_t value = c.initial;
        TSelectMotorForm dialog(&panes, &value, panes);
        if (c.chosenEntry >= 0)
            dialog.m_MotorModes->button(c.chosenEntry)->click();
        (c.ok ? dialog.m_OKButton : dialog.m_CancelButton)->click();
        EXPECT_EQ(value, c.expected) << c.initial << " " << c.chosenEntry;
    }
}

TEST_F(ValueDialogsTest, DialogsHaveAFixedSizeAndOpenCentredOverTheirOwner)
{
    QWidget owner;
    owner.setGeometry(100, 80, 900, 700);
    owner.show();
    C_ConfigurationPanes panes;
    std::int32_t number = 5;
    std::uint32_t seconds = 5;
    TFormEditNumber numberDialog(&owner, &number, QString(), 10, 0, QString(), QString());
    TFormEditTime timeDialog(&owner, &seconds, QString());
    TSelectMotorForm motorDialog(&owner, &number, panes);
    TEditCoolingForm coolingDialog(&owner, true, &seconds, &number, &number, &number);
    TEditBalancedFeedForm balancedDialog(&owner, true, &seconds, &number, &number);
    const std::pair<QDialog*, QSize> dialogs[] = {
        {&numberDialog, {390, 164}},  {&timeDialog, {249, 125}},     {&motorDialog, motorDialog.size()},
        {&coolingDialog, {333, 278}}, {&balancedDialog, {330, 230}},
    };
    for (const auto& [dialog, size] : dialogs) {
        EXPECT_EQ(dialog->minimumSize(), size);
        EXPECT_EQ(dialog->maximumSize(), size);
        dialog->show();
        EXPECT_LE((dialog->frameGeometry().center() - owner.frameGeometry().center()).manhattanLength(), 4);
        dialog->reject();
    }
}
