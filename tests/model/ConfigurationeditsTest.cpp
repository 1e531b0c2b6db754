// The edits of a configuration value: the step budget as a reload counts it, and
// references that follow, or lose, the cycle they name.
#include "model/Configurationedits.h"
#include "model/Motortable.h"
#include "model/Nodedata.h"

#include <gtest/gtest.h>

namespace {

using namespace ConfigurationEdit;

constexpr std::int32_t Records = 10;

C_Configuration Empty()
{
    C_Configuration value;
    value.m_FreeSteps = Records;
    value.m_Motors.assign(MotorTable::Modes, {MotorTable::Unset, MotorTable::Unset, MotorTable::Unset});
    return value;
}

TEST(ConfigurationEditsTest, TheBudgetLeavesOneRecordAndNeverGivesBackMoreThanTheRecords)
{
    C_Configuration value = Empty();
    const size_t cycle = AddCycle(value, 2, 1);
    int inserted = 0;
    while (InsertStep(value, cycle, 0, {}))
        ++inserted;
    EXPECT_EQ(inserted, Records - 1);
    EXPECT_EQ(value.m_FreeSteps, 1);
    EXPECT_FALSE(CopyCycle(value, cycle, 3, 1)) << "no room for the copy";
    EXPECT_EQ(value.m_Cycles.size(), 1u);

    RemoveStep(value, cycle, 0, Records);
    EXPECT_EQ(value.m_FreeSteps, 2);
    // An image read beyond the budget: giving its steps back stops at the records.
    value.m_FreeSteps = 5;
    RemoveCycle(value, cycle, Records);
    EXPECT_EQ(value.m_FreeSteps, Records);
}

TEST(ConfigurationEditsTest, ReferencesFollowARenumberedCycleAndStayUnlinkedWhenItGoes)
{
    C_Configuration value = Empty();
    AddCycle(value, 3, 1);
    AddCycle(value, 1, 4);
    const size_t wash = AddCycle(value, 1, 2);
    ASSERT_EQ(value.m_Cycles[wash].m_Number, 2);
    EXPECT_EQ(value.m_Cycles[0].Category(), 1) << "cycles stay by category";
    EXPECT_EQ(value.m_Cycles[2].Category(), 3);
    ASSERT_TRUE(InsertStep(value, wash, 0, {}));
    EXPECT_TRUE(CopyCycle(value, wash, 3, 7));
    EXPECT_EQ(value.m_Cycles.back().m_Steps, value.m_Cycles[wash].m_Steps) << "a copy shares the unchanged steps";

    const size_t program = AddProgram(value, 5);
    LinkCycle(value, program, 0, wash);
    LinkCycle(value, program, 9, 2);
    LinkCycle(value, program, 0, wash);
    RenumberCycle(value, wash, 8);
    const auto& references = value.m_Programs[program].m_References;
    ASSERT_EQ(references.size(), 3u);
    EXPECT_EQ(references[0].m_Number, 8);
    EXPECT_EQ(references[1].m_Number, 8);
    EXPECT_EQ(references[2].Category(), 3);
    EXPECT_EQ(references[2].m_Number, 1) << "a cycle of another category keeps its number";

    RemoveCycle(value, wash, Records);
    EXPECT_FALSE(references[0].m_Linked);
    EXPECT_TRUE(references[2].m_Linked);
    RemoveReference(value, program, 0);
    EXPECT_EQ(references.size(), 2u);
}

} // namespace
