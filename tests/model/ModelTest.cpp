#include "model/Cyclecontent.h"
#include "model/Nodedata.h"

#include <gtest/gtest.h>

TEST(ModelTest, ContentExistsExactlyForCycles)
{
    for (int code = 0; code <= 5; ++code) {
        const std::uint32_t bits = NodeKind::CategoryBits(code);
        EXPECT_NE(C_NodeData(NodeKind::CycleWord | bits, 1).m_Content, nullptr) << code;
        EXPECT_EQ(C_NodeData(NodeKind::CycleReferenceWord | bits, 1).m_Content, nullptr) << code;
        EXPECT_EQ(C_NodeData(NodeKind::CategoryRootWord | bits, 0).m_Content, nullptr) << code;
    }
    EXPECT_EQ(C_NodeData(NodeKind::ProgramWord, 1).m_Content, nullptr);
    EXPECT_EQ(C_NodeData(NodeKind::ProgramWord, 1).m_Link, nullptr);
}

TEST(ModelTest, CategoryCodesMapToBitsAndBack)
{
    const std::uint32_t bits[] = {0, 0x2000, 0x4000, 0x8000, 0x10000, 0x20000};
    for (int code = 0; code <= 5; ++code) {
        EXPECT_EQ(NodeKind::CategoryBits(code), bits[code]);
        EXPECT_EQ(NodeKind::CategoryCode(NodeKind::CycleWord | bits[code]), code);
    }
    EXPECT_EQ(NodeKind::CategoryBits(6), 0u);
    EXPECT_EQ(NodeKind::CategoryBits(-1), 0u);
    EXPECT_EQ(NodeKind::CategoryCode(0x80002408u), 1);
    EXPECT_EQ(NodeKind::CategoryRootWord | NodeKind::CategoryBits(5), 0x80020408u);
}

TEST(ModelTest, ClosingEntryStaysLastWhereverAStepIsInserted)
{
    C_CycleContent content;
    ASSERT_EQ(content.StepCount(), 1);
    C_Step* closing = content.GetStep(0);

    content.InsertStep(0)->m_Values[0] = 1;
    content.InsertStep(1)->m_Values[0] = 2;
    content.InsertStep(0)->m_Values[0] = 0;
    // Past the entries (the closing entry's place or beyond) appends after the steps.
    content.InsertStep(3)->m_Values[0] = 3;
    content.InsertStep(500)->m_Values[0] = 4;
    content.InsertStep(-7)->m_Values[0] = -1;

    ASSERT_EQ(content.StepCount(), 7);
    EXPECT_EQ(content.GetStep(6), closing);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(content.GetStep(i)->m_Values[0], i - 1);
    EXPECT_EQ(content.GetStep(7), nullptr);
    EXPECT_EQ(content.GetStep(-1), nullptr);
}

TEST(ModelTest, RemoveStepOutsideTheStepsChangesNothing)
{
    C_CycleContent content;
    content.InsertStep(0)->m_Values[3] = 10;
    content.InsertStep(1)->m_Values[3] = 20;
    C_Step* closing = content.GetStep(2);

    content.RemoveStep(3);
    content.RemoveStep(-1);
    content.RemoveStep(2); // the closing entry
    ASSERT_EQ(content.StepCount(), 3);
    EXPECT_EQ(content.GetStep(2), closing);

    content.RemoveStep(0);
    ASSERT_EQ(content.StepCount(), 2);
    EXPECT_EQ(content.GetStep(0)->m_Values[3], 20);
    EXPECT_EQ(content.GetStep(1), closing);
}

TEST(ModelTest, CopyValuesCopiesAllFifty)
{
    C_Step source;
    for (int i = 0; i < C_Step::ValueCount; ++i)
        source.m_Values[size_t(i)] = i * 7 - 100;
    C_Step copy;
    copy.CopyValues(source);
    EXPECT_EQ(copy.m_Values, source.m_Values);
}
