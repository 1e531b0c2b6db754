// Running times of steps, cycles and programs, from the step fields alone.
#include "model/Programtime.h"
#include "model/Eepromformat.h"
#include "model/Nodedata.h"

#include <gtest/gtest.h>

#include <map>

namespace {

constexpr std::optional<std::int64_t> None = std::nullopt;

class ProgramTimeTest : public ::testing::TestWithParam<std::uint16_t>
{
protected:
    ProgramTimeTest()
        : m_Rows(C_EEPROMFormat::RowLayoutOf(*C_EEPROMFormat::DescriptionOf(GetParam()), 24))
        , m_Timing(m_Rows)
    {
    }

    // A step with every field unused but the given ones (a function's value is its bit).
    C_Configuration::StepValues StepWith(const std::map<StepRole, std::int32_t>& fields) const
    {
        C_Configuration::StepValues step{};
        for (size_t row = 0; row < m_Rows.size(); ++row) {
            const auto field = fields.find(m_Rows[row].m_Role);
            step[row] = field != fields.end() && m_Rows[row].m_Role != StepRole::None ? field->second
                                                                                      : m_Rows[row].m_DisabledValue;
        }
        return step;
    }

    static C_Configuration::S_Cycle CycleOf(int category, int number, C_Configuration::Steps steps)
    {
        return {NodeKind::CycleWord | NodeKind::CategoryBits(category), number,
                std::make_shared<const C_Configuration::Steps>(std::move(steps))};
    }

    const std::vector<S_StepRow> m_Rows;
    const C_ProgramTiming m_Timing;
};

} // namespace

TEST_P(ProgramTimeTest, StepBoundsFollowTheEndConditionsAndTheLimit)
{
    using R = StepRole;
    struct S_Case
    {
        const char* m_What;
        std::map<StepRole, std::int32_t> m_Fields;
        S_Duration m_Expected;
    };
    const S_Case cases[] = {
        {"time alone", {{R::Time, 90}}, {90, 90}},
        {"time with a shorter limit", {{R::Time, 90}, {R::TimeLimit, 60}}, {60, 60}},
        {"time with a longer limit", {{R::Time, 90}, {R::TimeLimit, 600}}, {90, 90}},
        {"time with a limit of 0:00", {{R::Time, 90}, {R::TimeLimit, 0}}, {90, 90}},
        {"a time of 0:00", {{R::Time, 0}}, {0, 0}},
        {"level without a limit", {{R::Level, 20}}, {0, None}},
        {"level with a limit", {{R::Level, 20}, {R::TimeLimit, 300}}, {0, 300}},
        {"level with a limit of 0:00", {{R::Level, 20}, {R::TimeLimit, 0}}, {0, None}},
        {"temperature and time", {{R::Temperature, 60}, {R::Time, 120}}, {0, 120}},
        {"temperature, time and a shorter limit",
         {{R::Temperature, 60}, {R::Time, 120}, {R::TimeLimit, 100}},
         {0, 100}},
        {"cooling with its limit", {{R::Cooling, 0x40}, {R::TimeLimit, 600}}, {0, 600}},
        {"balanced feed alone", {{R::BalancedFeed, 0x80}}, {0, None}},
        {"no end condition, a limit", {{R::TimeLimit, 300}}, {0, None}},
        {"nothing at all", {}, {0, None}},
    };
    for (const S_Case& c : cases)
        EXPECT_EQ(m_Timing.Step(StepWith(c.m_Fields)), c.m_Expected) << c.m_What;
}

TEST_P(ProgramTimeTest, CyclesAndProgramsAddUpTheirParts)
{
    C_Configuration configuration;
    configuration.m_Cycles = {
        CycleOf(
            2, 1,
            {StepWith({{StepRole::Time, 60}}), StepWith({{StepRole::Time, 150}}), StepWith({{StepRole::Time, 45}})}),
        CycleOf(3, 4, {StepWith({{StepRole::Level, 30}, {StepRole::TimeLimit, 120}})}),
        CycleOf(4, 1, {StepWith({{StepRole::Level, 30}})}),
        CycleOf(5, 1, {}),
    };
    EXPECT_EQ(DurationText(m_Timing.Cycle(configuration.m_Cycles[0])), QStringLiteral("4:15"));
    EXPECT_EQ(DurationText(m_Timing.Cycle(configuration.m_Cycles[3])), QStringLiteral("0:00"));

    using P = C_Configuration::S_Program;
    const auto reference = [](int category, int number, bool linked = true) {
        return C_Configuration::S_Reference{NodeKind::CycleReferenceWord | NodeKind::CategoryBits(category), number,
                                            linked};
    };
    // The same cycle twice counts twice; a reference to no cycle adds nothing.
    const P twice{1, {reference(2, 1), reference(3, 4), reference(2, 1), reference(3, 9, false)}};
    EXPECT_EQ(m_Timing.Program(configuration, twice), (S_Duration{510, 630}));
    const std::vector<S_ProgramCycle> parts = C_ProgramTiming::CyclesOf(configuration, twice);
    ASSERT_EQ(parts.size(), 4u);
    EXPECT_EQ(parts[2].m_Cycle, &configuration.m_Cycles[0]);
    EXPECT_EQ(parts[3].m_Cycle, nullptr);
    EXPECT_EQ(m_Timing.Program(configuration, P{2, {reference(4, 1), reference(2, 1)}}), (S_Duration{255, None}));
    EXPECT_EQ(m_Timing.Program(configuration, P{3, {}}), (S_Duration{0, 0}));
}

INSTANTIATE_TEST_SUITE_P(Formats, ProgramTimeTest,
                         ::testing::Values(FormatCode::Standard, FormatCode::Inverter, FormatCode::Varnholt));

TEST(DurationTextTest, WritesBoundsAsMinutesAndSeconds)
{
    EXPECT_EQ(DurationText({0, 0}), QStringLiteral("0:00"));
    EXPECT_EQ(DurationText({60, 360}), QStringLiteral("1:00-6:00"));
    EXPECT_EQ(DurationText({30, None}), QStringLiteral("0:30-"));
    EXPECT_EQ(DurationText({6005, 6005}), QStringLiteral("100:05"));
}
