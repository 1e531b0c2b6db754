#include "editor/Configurationpanes.h"
#include "editor/Formatselector.h"
#include "editor/Newconfiguration.h"
#include "language/Language.h"
#include "model/Eepromformat.h"
#include "settings/Context.h"
#include "support/Layoutcheck.h"
#include "support/ModalDriver.h"
#include "support/TempFolder.h"

#include <QButtonGroup>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

class NewConfigurationTest : public ::testing::Test
{
protected:
    const TempFolder m_Folder;
    const C_LanguageManager m_Language{SourceFile(QStringLiteral("resources/English.lng"))};
    QWidget m_Owner;
    C_ConfigurationPanes m_Panes;
};

} // namespace

TEST_F(NewConfigurationTest, TheDialogOffersTypeAndOutputsAndOnlyOk)
{
    C_Context context;
    std::unique_ptr<C_EEPROMFormat> format;
    const TNewConfigurationForm dialog(&m_Owner, format, context);
    QStringList shown{dialog.windowTitle(), dialog.m_ChooseTypeRadioGroup->title(),
                      dialog.m_ChooseOutputsRadioGroup->title()};
    for (const QAbstractButton* entry :
         dialog.m_ChooseTypeButtons->buttons() + dialog.m_ChooseOutputsButtons->buttons())
        shown << entry->text();
    shown << dialog.m_OKButton->text();
    EXPECT_EQ(shown, (QStringList{Text(163), Text(164), Text(168), Text(165), Text(166), Text(167),
                                  QStringLiteral("16"), QStringLiteral("24"), QStringLiteral("Ok")}));
    EXPECT_TRUE(dialog.m_OKButton->isDefault());
    EXPECT_EQ(dialog.findChildren<QPushButton*>().size(), 1);
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowCloseButtonHint);
    ExpectNothingClipped(dialog);
}

TEST_F(NewConfigurationTest, OkCreatesTheFormatOfTheStoredChoiceAndAnUnusableChoiceFallsBackToTheFirstEntry)
{
    struct Case
    {
        int storedType, storedOutputs;
        int type, outputs;
        std::uint16_t code;
        int outputCount;
    };
    const Case cases[] = {
        {0, 0, 0, 0, FormatCode::Standard, 16},  {1, 1, 1, 1, FormatCode::Inverter, 24},
        {2, 0, 2, 0, FormatCode::Varnholt, 16},  {3, 1, 0, 1, FormatCode::Standard, 24},
        {-1, 2, 0, 0, FormatCode::Standard, 16}, {2, -1, 2, 0, FormatCode::Varnholt, 16},
    };
    for (const Case& c : cases) {
        C_Context context;
        context.SetTargetType(c.storedType);
        context.SetNumberOfOutputs(c.storedOutputs);
        std::unique_ptr<C_EEPROMFormat> format;
        TNewConfigurationForm dialog(&m_Owner, format, context);
        EXPECT_EQ(dialog.m_ChooseTypeButtons->checkedId(), c.type) << c.storedType;
        EXPECT_EQ(dialog.m_ChooseOutputsButtons->checkedId(), c.outputs) << c.storedOutputs;

        dialog.show();
        QTest::keyClick(&dialog, Qt::Key_Return);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        ASSERT_NE(format, nullptr) << c.storedType << ' ' << c.storedOutputs;
        EXPECT_EQ(format->FormatCode(), c.code);
        EXPECT_EQ(format->GetOutputs(), c.outputCount);
        EXPECT_EQ(context.TargetType(), c.type);
        EXPECT_EQ(context.NumberOfOutputs(), c.outputs);
    }
}

TEST_F(NewConfigurationTest, TheChoiceMadeIsOfferedAgainInTheNextRun)
{
    {
        C_Context context;
        std::unique_ptr<C_EEPROMFormat> format;
        TNewConfigurationForm dialog(&m_Owner, format, context);
        dialog.show();
        dialog.m_ChooseTypeButtons->button(2)->click();
        dialog.m_ChooseOutputsButtons->button(1)->click();
        dialog.m_OKButton->click();
        ASSERT_NE(format, nullptr);
        EXPECT_EQ(format->FormatCode(), FormatCode::Varnholt);
        m_Panes.ShowFormat(*format);
        EXPECT_EQ(m_Panes.m_NumberOfOutputsEdit->text(), QStringLiteral("24"));
    }
    C_Context nextRun;
    std::unique_ptr<C_EEPROMFormat> format;
    const TNewConfigurationForm dialog(&m_Owner, format, nextRun);
    EXPECT_EQ(dialog.m_ChooseTypeButtons->checkedId(), 2);
    EXPECT_EQ(dialog.m_ChooseOutputsButtons->checkedId(), 1);
}

TEST_F(NewConfigurationTest, ClosedWithoutOkTheDialogCreatesAndStoresNothing)
{
    const std::pair<const char*, std::function<void(TNewConfigurationForm&)>> closings[] = {
        {"Escape", [](TNewConfigurationForm& d) { QTest::keyClick(&d, Qt::Key_Escape); }},
        {"window manager", [](TNewConfigurationForm& d) { d.close(); }},
    };
    for (const auto& [how, closeIt] : closings) {
        C_Context context;
        std::unique_ptr<C_EEPROMFormat> format;
        TNewConfigurationForm dialog(&m_Owner, format, context);
        dialog.show();
        dialog.m_ChooseTypeButtons->button(1)->click();
        dialog.m_ChooseOutputsButtons->button(1)->click();
        closeIt(dialog);
        EXPECT_FALSE(dialog.isVisible()) << how;
        EXPECT_EQ(dialog.result(), QDialog::Rejected) << how;
        EXPECT_EQ(format, nullptr) << how;
        EXPECT_EQ(context.TargetType(), 0) << how;
        EXPECT_EQ(context.NumberOfOutputs(), 0) << how;
    }
}

namespace {

class FormatDialogTest : public ::testing::Test
{
protected:
    const TempFolder m_Folder;
    QWidget m_Owner;
};

} // namespace

TEST_F(FormatDialogTest, ThreePictureButtonsTopToBottomAndNoWayToCancel)
{
    const C_LanguageManager language(SourceFile(QStringLiteral("resources/English.lng")));
    const TEEPROMFormatDialog dialog(&m_Owner);
    EXPECT_EQ(dialog.windowTitle(), Text(24));
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowCloseButtonHint);
    const std::pair<const QToolButton*, std::int16_t> buttons[] = {{dialog.m_StandardButton, 26},
                                                                   {dialog.m_InverterButton, 25},
                                                                   {dialog.m_VarnholtButton, 27}};
    int above = -1;
    for (const auto& [button, text] : buttons) {
        EXPECT_EQ(button->text(), Text(text));
        EXPECT_EQ(button->size(), QSize(221, 56));
        EXPECT_EQ(button->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        EXPECT_FALSE(button->icon().isNull());
        EXPECT_GT(button->y(), above);
        above = button->geometry().bottom();
    }
    ExpectNothingClipped(dialog);
}

TEST_F(FormatDialogTest, TheResultIsTheChosenFormatCodeOrNoneForAnyOtherEnd)
{
    const C_LanguageManager language(SourceFile(QStringLiteral("resources/English.lng")));
    TEEPROMFormatDialog dialog(&m_Owner);
    const std::pair<std::function<void(TEEPROMFormatDialog&)>, std::uint16_t> cases[] = {
        {[](TEEPROMFormatDialog& d) { d.m_StandardButton->click(); }, FormatCode::Standard},
        {[](TEEPROMFormatDialog& d) { d.m_InverterButton->click(); }, FormatCode::Inverter},
        {[](TEEPROMFormatDialog& d) { d.m_VarnholtButton->click(); }, FormatCode::Varnholt},
        {[](TEEPROMFormatDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }, 0},
        // Return has no default button to press: it must not pass for a choice.
        {[](TEEPROMFormatDialog& d) { QTest::keyClick(&d, Qt::Key_Return); }, 0},
        {[](TEEPROMFormatDialog& d) { d.close(); }, 0},
    };
    // The one shared dialog answers again and again.
    for (const auto& [act, code] : cases) {
        WhenShown<TEEPROMFormatDialog>(act);
        EXPECT_EQ(dialog.Choose(), code);
        EXPECT_FALSE(dialog.isVisible());
    }
}

TEST_F(FormatDialogTest, ATextWithAShortAndALongPartNamesTheButtonAndExplainsItInItsTip)
{
    QFile english(SourceFile(QStringLiteral("resources/English.lng")));
    ASSERT_TRUE(english.open(QIODevice::ReadOnly));
    QList<QByteArray> lines = english.readAll().split('\n');
    lines[26] = "Standard|A standard machine with a plain motor\r";
    const C_LanguageManager language(m_Folder.Write(QStringLiteral("Tips.lng"), lines.join('\n')));

    const TEEPROMFormatDialog dialog(&m_Owner);
    EXPECT_EQ(dialog.m_StandardButton->text(), QStringLiteral("Standard"));
    EXPECT_EQ(dialog.m_StandardButton->toolTip(), QStringLiteral("A standard machine with a plain motor"));
    EXPECT_EQ(dialog.m_StandardButton->statusTip(), QStringLiteral("A standard machine with a plain motor"));
    EXPECT_EQ(dialog.m_InverterButton->text(), Text(25));
    EXPECT_TRUE(dialog.m_InverterButton->toolTip().isEmpty());
}
