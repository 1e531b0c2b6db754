// Fragments: copied out of one configuration, through their text, pasted into
// another of any format by the paste rules.
#include "document/Configurationdiff.h"
#include "document/Fragments.h"
#include "document/Takedifference.h"
#include "model/Configurationedits.h"
#include "model/Diagnosticlist.h"
#include "model/Eepromformat.h"
#include "support/Sampleconfiguration.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>

namespace {

constexpr std::uint16_t Codes[] = {FormatCode::Standard, FormatCode::Inverter, FormatCode::Varnholt};

// A configuration as a file gives it: what a diff of two files compares.
C_Configuration Loaded(C_EEPROMFormat& format, const C_Configuration& value)
{
    C_DiagnosticList lines;
    EXPECT_TRUE(format.Build(value, lines));
    return format.Decode(lines);
}

struct S_Target
{
    S_Target(std::uint16_t code, int outputs)
        : m_Format(C_EEPROMFormat::Create(code, outputs))
    {
        C_DiagnosticList lines;
        m_Value = m_Format->Decode(lines);
    }
    std::unique_ptr<C_EEPROMFormat> m_Format;
    C_Configuration m_Value;
};

S_Fragment ThroughText(const S_Fragment& fragment)
{
    S_JsonError error;
    const QByteArray text = FragmentText(fragment);
    const std::optional<S_Fragment> read = ReadFragmentText(text, error);
    EXPECT_TRUE(read) << error.Line(QStringLiteral("fragment")).toStdString();
    EXPECT_EQ(read ? FragmentText(*read) : QByteArray(), text);
    return read.value_or(S_Fragment{});
}

} // namespace

// Every program of a generated configuration, copied into an empty one of its
// format, gives the same programs and the same cycles they run.
TEST(FragmentTest, ProgramsCopiedIntoAnEmptyConfigurationAreTheSame)
{
    for (const std::uint16_t code : Codes)
        for (int seed = 1; seed <= 3; ++seed) {
            S_Target source(code, seed % 2 == 0 ? 24 : 16);
            const C_Configuration value =
                Loaded(*source.m_Format,
                       SampleConfiguration(*source.m_Format, {seed + 1, 3 * seed, 2, 7, seed}, 2 + 2 * seed));
            S_Target target(code, value.m_Outputs);
            for (std::size_t p = 0; p < value.m_Programs.size(); ++p) {
                // A cycle two programs run is pasted with the first and reused by the second.
                const S_Paste paste =
                    PlanPaste(target.m_Value, ThroughText(ProgramFragment(value, p)), {0, 0, 0, true});
                ASSERT_FALSE(paste.Refused()) << seed;
                EXPECT_TRUE(paste.m_Losses.empty());
                target.m_Value = paste.m_After;
            }
            std::set<std::pair<int, int>> used;
            for (const auto& program : value.m_Programs)
                for (const auto& reference : program.m_References)
                    used.insert({reference.Category(), reference.m_Number});
            for (const S_Difference& difference :
                 CompareConfigurations({value, source.m_Format->Rows()}, {target.m_Value, target.m_Format->Rows()},
                                       [](std::uint16_t) { return QString(); }))
                EXPECT_TRUE(difference.m_Kind == S_Difference::Kind::Service ||
                            difference.m_Kind == S_Difference::Kind::Motor ||
                            (difference.m_Kind == S_Difference::Kind::Cycle &&
                             !used.contains({difference.m_Category, difference.m_Cycle})))
                    << code << " seed " << seed << ": " << difference.Line().toStdString();
        }
}

// A cycle pasted into another format or output count: what it leaves out, by key.
TEST(FragmentTest, ACycleOfAnotherFormatLeavesOutWhatTheTargetCannotHold)
{
    struct S_Case
    {
        std::uint16_t m_From;
        int m_FromOutputs;
        std::uint16_t m_To;
        int m_ToOutputs;
        QStringList m_Lost;
    };
    const QStringList extra{"output17", "output18", "output19", "output20",
                            "output21", "output22", "output23", "output24"};
    const S_Case cases[] = {
        {FormatCode::Standard, 24, FormatCode::Standard, 16, extra},
        {FormatCode::Standard, 16, FormatCode::Standard, 24, {}},
        {FormatCode::Inverter, 16, FormatCode::Standard, 16, {"output10", "speed"}},
        {FormatCode::Standard, 16, FormatCode::Inverter, 16, {}},
        {FormatCode::Varnholt, 24, FormatCode::Standard, 16, QStringList{"output10"} + extra + QStringList{"speed"}},
    };
    for (const S_Case& c : cases) {
        S_Target source(c.m_From, c.m_FromOutputs);
        const C_Configuration value = SampleConfiguration(*source.m_Format, {12}, 1);
        S_Target target(c.m_To, c.m_ToOutputs);
        const S_Paste paste = PlanPaste(target.m_Value, ThroughText(CycleFragment(value, 0)), {2, 0, 0, false});
        QStringList lost;
        for (const S_PasteLoss& loss : paste.m_Losses)
            lost << loss.m_Key;
        EXPECT_EQ(lost.join(QLatin1Char(' ')).toStdString(), c.m_Lost.join(QLatin1Char(' ')).toStdString())
            << c.m_From << " to " << c.m_To << " " << c.m_ToOutputs;
        ASSERT_EQ(paste.m_After.m_Cycles.size(), 1u);
        EXPECT_EQ(paste.m_After.m_Cycles[0].Category(), 2) << "the category the paste names";
        EXPECT_EQ(paste.m_After.m_FreeSteps, target.m_Value.m_FreeSteps - 12);
    }
}

// What is not a fragment of ours, or cannot be pasted, changes nothing.
TEST(FragmentTest, RefusedWhole)
{
    const std::pair<QByteArray, const char*> refusals[] = {
        {"{}", "the key kw3winConfiguration is missing"},
        {"{\"kw3winConfiguration\": 2, \"format\": \"standard\", \"outputs\": 16}", "version 2 is not known"},
        {"{\"kw3winConfiguration\": 1, \"format\": \"standard\", \"outputs\": 16}", "holds no program, cycle"},
        {"{\"kw3winConfiguration\": 1, \"format\": \"standard\", \"outputs\": 16, \"cycles\": [{\"category\": 1, "
         "\"number\": 1}], \"steps\": [{}]}",
         "loose steps stand alone"},
        {"{\"kw3winConfiguration\": 1, \"format\": \"standard\", \"outputs\": 16, \"service\": {}}", "unknown key"},
        {"Program 1: wash 60 min", ""},
    };
    for (const auto& [text, reason] : refusals) {
        S_JsonError error;
        EXPECT_FALSE(ReadFragmentText(text, error)) << text.toStdString();
        EXPECT_TRUE(error.m_Reason.contains(QLatin1String(reason))) << error.m_Reason.toStdString();
    }

    S_Target source(FormatCode::Standard, 16);
    const C_Configuration value = SampleConfiguration(*source.m_Format, {200, 150}, 1);
    // The program's cycle needs 201 places; the sample leaves 50.
    const S_Paste tooLarge = PlanPaste(value, ProgramFragment(value, 0), {});
    EXPECT_EQ(tooLarge.m_Refusal, S_Paste::Refusal::NoRoom);
    EXPECT_TRUE(tooLarge.m_After == value);
    // A program's cycle held step for step already is run from there.
    C_Configuration roomy = SampleConfiguration(*S_Target(FormatCode::Standard, 16).m_Format, {4, 3}, 1);
    const S_Paste reused = PlanPaste(roomy, ProgramFragment(roomy, 0), {0, 0, 0, true});
    EXPECT_EQ(reused.m_Identical, 1);
    ASSERT_EQ(reused.m_After.m_Programs.size(), 2u);
    EXPECT_EQ(reused.m_After.m_Programs[1].m_Number, 2);
    EXPECT_EQ(reused.m_After.m_Cycles.size(), roomy.m_Cycles.size());
    EXPECT_EQ(reused.m_After.m_Programs[1].m_References, roomy.m_Programs[0].m_References);
    EXPECT_EQ(PlanPaste(roomy, StepFragment(roomy, 0, 0), {0, 9, 0, false}).m_Refusal, S_Paste::Refusal::NoCycle);
}

// Taking a difference of a comparison from B, the first or the last, again and again,
// leaves none: each take changes A, carries everything over and fits the budget.
TEST(FragmentTest, TakingEveryDifferenceFromBLeavesNone)
{
    const auto noName = [](std::uint16_t) { return QString(); };
    for (const std::uint16_t code : Codes)
        for (int seed = 1; seed <= 2; ++seed) {
            S_Target a(code, 16);
            S_Target b(code, 16);
            const std::vector<C_StepRow>& rows = a.m_Format->Rows();
            C_Configuration valueA = Loaded(*a.m_Format, SampleConfiguration(*a.m_Format, {seed + 1, 6, 3, 2, 2}, 2));
            C_Configuration valueB = SampleConfiguration(*b.m_Format, {2, 4 * seed, 1}, 3 + seed);
            ConfigurationEdit::SetService(valueB, ServiceParameter::SlowingDownTime, 7);
            ConfigurationEdit::SetMotorTime(valueB, 3, 2, 17);
            // Another time in each step of B's first cycle.
            C_Configuration::Steps steps = *valueB.m_Cycles[0].m_Steps;
            for (C_Configuration::StepValues& step : steps)
                step[size_t(a.m_Format->RowOf(StepRole::Time))] += seed;
            ConfigurationEdit::SetSteps(valueB, 0, steps);
            valueB = Loaded(*b.m_Format, valueB);
            std::vector<S_Difference> differences = CompareConfigurations({valueA, rows}, {valueB, rows}, noName);
            for (int round = 0; !differences.empty() && round < 400; ++round) {
                const S_Difference& taken = seed == 1 ? differences.front() : differences.back();
                const S_Paste take = PlanTake(valueA, valueB, taken);
                ASSERT_FALSE(take.Refused()) << taken.Line().toStdString() << ": " << take.RefusalLine().toStdString();
                EXPECT_TRUE(take.m_Losses.empty()) << taken.Line().toStdString();
                ASSERT_FALSE(take.m_After == valueA) << "nothing taken: " << taken.Line().toStdString();
                valueA = take.m_After;
                differences = CompareConfigurations({valueA, rows}, {valueB, rows}, noName);
            }
            EXPECT_TRUE(differences.empty()) << code << " seed " << seed;
            EXPECT_EQ(valueA.m_FreeSteps, valueB.m_FreeSteps);
        }
}
