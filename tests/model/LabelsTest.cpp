#include "model/Labels.h"
#include "model/Cyclecontent.h"
#include "model/Nodedata.h"
#include "support/Idlanguagetest.h"

#include <gtest/gtest.h>

namespace {

class LabelsTest : public IdLanguageTest
{
};

} // namespace

TEST_F(LabelsTest, NodeLabels)
{
    EXPECT_EQ(NodeLabel(C_NodeData(NodeKind::ProgramWord, 3)), QStringLiteral("<145> 3"));
    EXPECT_EQ(NodeLabel(C_NodeData(NodeKind::CycleReferenceWord | 0x4000, 12)), QStringLiteral("<159> 12"));

    C_NodeData cycle(NodeKind::CycleWord | 0x4000, 12);
    EXPECT_EQ(NodeLabel(cycle), QStringLiteral("<159> 12 (0<156>"));
    for (int i = 0; i < 7; ++i)
        cycle.m_Content->InsertStep(0);
    EXPECT_EQ(NodeLabel(cycle), QStringLiteral("<159> 12 (7<156>"));

    EXPECT_EQ(NodeLabel(C_NodeData(NodeKind::CycleWord, 4)), QStringLiteral("<49> 4 (0<156>"));
    EXPECT_EQ(NodeLabel(C_NodeData(NodeKind::CategoryRootWord | 0x20000, 0)), QStringLiteral("<162> "));
    // The first category bit in order decides when several are set.
    EXPECT_EQ(NodeLabel(C_NodeData(NodeKind::CycleReferenceWord | 0x8000 | 0x4000, 1)), QStringLiteral("<159> 1"));
}

TEST_F(LabelsTest, CategoryNames)
{
    const std::pair<std::uint32_t, const char*> cases[] = {
        {0, "<157>"},       {0x2000, "<158>"},  {0x4000, "<159>"}, {0x8000, "<160>"},
        {0x10000, "<161>"}, {0x20000, "<162>"}, {0x6000, "<49>"},  {0x40000, "<49>"},
    };
    for (const auto& [bits, name] : cases)
        EXPECT_EQ(CycleCategoryName(bits), QString::fromLatin1(name)) << bits;
}

TEST_F(LabelsTest, StepTimes)
{
    EXPECT_EQ(FormatStepTime(0), QStringLiteral("0:00"));
    EXPECT_EQ(FormatStepTime(9), QStringLiteral("0:09"));
    EXPECT_EQ(FormatStepTime(60), QStringLiteral("1:00"));
    EXPECT_EQ(FormatStepTime(125), QStringLiteral("2:05"));
    EXPECT_EQ(FormatStepTime(15555), QStringLiteral("259:15"));
    EXPECT_EQ(FormatStepTime(0xFFFFFFFFu), QStringLiteral("71582788:15"));
}
