#include "desktop/Updown.h"
#include "editor/Configurationpanes.h"
#include "editor/Treenodes.h"
#include "language/Language.h"
#include "support/TempFolder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

#include <gtest/gtest.h>

TEST(PanesTest, NewPanesShowTheServiceDefaultsAndFiveCategoryRoots)
{
    const C_LanguageManager language(SourceFile(QStringLiteral("resources/English.lng")));
    const C_ConfigurationPanes panes;

    const std::pair<const C_UpDown*, std::array<int, 3>> upDowns[] = {
        {panes.ServiceControls(ServiceParameter::MaximumLevel).m_UpDown, {0, 100, 100}},
        {panes.ServiceControls(ServiceParameter::MinimumLevel).m_UpDown, {0, 100, 10}},
        {panes.ServiceControls(ServiceParameter::SlowingDownTime).m_UpDown, {1, 200, 40}},
        {panes.ServiceControls(ServiceParameter::MaximumSpeed).m_UpDown, {0, 999, 999}},
        {panes.ServiceControls(ServiceParameter::SpinLevel).m_UpDown, {2, 60, 2}},
        {panes.ServiceControls(ServiceParameter::MaintenanceRequest).m_UpDown, {0, 9999, 1000}},
        {panes.ServiceControls(ServiceParameter::TemperatureHysteresis).m_UpDown, {1, 10, 3}},
    };
    for (const auto& [upDown, expected] : upDowns) {
        EXPECT_EQ(upDown->Min(), expected[0]);
        EXPECT_EQ(upDown->Max(), expected[1]);
        EXPECT_EQ(upDown->Position(), expected[2]);
        EXPECT_EQ(upDown->Associate()->text(), QString::number(expected[2]));
    }
    EXPECT_EQ(panes.ServiceControls(ServiceParameter::TotalWashes).m_Box->text(), QStringLiteral("0"));
    EXPECT_EQ(panes.m_StepCountEdit->text(), QStringLiteral("0"));
    EXPECT_TRUE(panes.ServiceControls(ServiceParameter::TotalWashes).m_Box->isReadOnly());
    EXPECT_FALSE(panes.ServiceControls(ServiceParameter::TemperatureHysteresis).m_Box->isReadOnly());
    EXPECT_EQ(panes.ServiceControls(ServiceParameter::Language).m_List->count(), 5);
    EXPECT_EQ(panes.ServiceControls(ServiceParameter::Language).m_List->currentIndex(), 0);
    EXPECT_EQ(panes.ServiceControls(ServiceParameter::TemperatureUnit).m_List->count(), 2);
    EXPECT_TRUE(panes.ServiceControls(ServiceParameter::AdvanceEnable).m_CheckBox->isChecked());
    EXPECT_TRUE(panes.ServiceControls(ServiceParameter::MachineEnable).m_CheckBox->isChecked());
    EXPECT_EQ(panes.ServiceControls(ServiceParameter::Language).m_Label->text(), language.GetString(97));

    ASSERT_EQ(panes.m_CyclesTree->topLevelItemCount(), 5);
    for (int code = 1; code <= 5; ++code) {
        const C_NodeData* root = NodeData(panes.m_CategoryNodes[size_t(code)]);
        ASSERT_NE(root, nullptr);
        EXPECT_EQ(panes.m_CyclesTree->topLevelItem(code - 1), panes.m_CategoryNodes[size_t(code)]);
        EXPECT_EQ(root->m_Kind, 0x80000408u | (0x1000u << code));
        EXPECT_EQ(root->m_Number, 0);
    }
    EXPECT_EQ(panes.m_CategoryNodes[0], nullptr);

    for (int row = 1; row <= 15; ++row)
        for (int column = 1; column <= 3; ++column)
            EXPECT_EQ(panes.MotorCell(row, column), 255);
    EXPECT_EQ(panes.m_MotorGrid->item(0, 1)->text(), language.GetString(138));
    EXPECT_EQ(panes.m_MotorGrid->item(15, 0)->text(), language.GetString(141) + QStringLiteral(" 15"));
    EXPECT_TRUE(panes.m_StepsGrid->isHidden());
}

TEST(PanesTest, DiagnosticLinesHangUnderTheirParent)
{
    C_ConfigurationPanes panes;
    QTreeWidgetItem* heading = panes.AddDiagnostic(nullptr, QStringLiteral("Saving"), C_ConfigurationPanes::Heading);
    QTreeWidgetItem* error = panes.AddDiagnostic(heading, QStringLiteral("broken"), C_ConfigurationPanes::Error);
    EXPECT_EQ(panes.m_DiagnosticTree->topLevelItem(0), heading);
    EXPECT_EQ(error->parent(), heading);
    EXPECT_TRUE(heading->isExpanded());
    EXPECT_EQ(NodeImage(error), 3);
}

TEST(PanesTest, UpDownStaysInRangeAndIgnoresTypedText)
{
    QLineEdit box;
    C_UpDown upDown;
    upDown.SetAssociate(&box);
    upDown.SetRange(2, 5);
    upDown.SetPosition(4);
    int clicks = 0;
    QObject::connect(&upDown, &C_UpDown::Clicked, [&clicks](int) { ++clicks; });

    upDown.StepUp();
    upDown.StepUp();
    EXPECT_EQ(upDown.Position(), 5) << "no wrap-around at the top";
    upDown.SetPosition(-10);
    EXPECT_EQ(upDown.Position(), 2);
    upDown.StepDown();
    EXPECT_EQ(upDown.Position(), 2) << "no wrap-around at the bottom";
    EXPECT_EQ(box.text(), QStringLiteral("2"));
    EXPECT_EQ(clicks, 1) << "a click at the end of the range changes nothing and says nothing";

    box.setText(QStringLiteral("4"));
    EXPECT_EQ(upDown.Position(), 2) << "typing does not move the position";
    upDown.StepUp();
    EXPECT_EQ(box.text(), QStringLiteral("3"));

    upDown.setEnabled(false);
    upDown.StepUp();
    EXPECT_EQ(upDown.Position(), 3) << "a disabled up-down does not move";
}
