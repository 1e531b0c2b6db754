#pragma once

#include "model/Configuration.h"
#include "model/Steprecord.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

// How long something runs, in seconds: at least the lower bound, at most the upper
// one; no upper bound when a step waits for a level or a temperature without a limit.
struct S_Duration
{
    std::int64_t m_Lower = 0;
    std::optional<std::int64_t> m_Upper = 0;

    S_Duration& operator+=(const S_Duration& other);
    bool operator==(const S_Duration& other) const = default;
};

// "4:15" when both bounds are equal, "1:00-6:00" for a range, "0:30-" without an upper bound.
QString DurationText(const S_Duration& duration);

// A program's cycle as the timeline and the summary walk it: the reference, and
// the cycle it links, null for a reference to no cycle.
struct S_ProgramCycle
{
    const C_Configuration::S_Reference* m_Reference;
    const C_Configuration::S_Cycle* m_Cycle;
};

// The running time of steps, cycles and programs, read from the step fields: the
// end conditions level, temperature and time, the time limit, and cooling and
// balanced feed, which end when their level and temperature are reached.
class C_ProgramTiming
{
public:
    // The rows of the configuration's format, as its RowLayout() gives them.
    explicit C_ProgramTiming(const std::vector<S_StepRow>& rows);

    S_Duration Step(const C_Configuration::StepValues& step) const;
    S_Duration Cycle(const C_Configuration::S_Cycle& cycle) const;
    // The sum of its cycles in order; a reference to no cycle adds nothing.
    S_Duration Program(const C_Configuration& configuration, const C_Configuration::S_Program& program) const;

    // The program's references with the cycles they link.
    static std::vector<S_ProgramCycle> CyclesOf(const C_Configuration& configuration,
                                                const C_Configuration::S_Program& program);

private:
    struct S_Field
    {
        int m_Row = -1;
        std::int32_t m_Unset = 0;

        bool IsSet(const C_Configuration::StepValues& step) const
        {
            return m_Row >= 0 && step[size_t(m_Row)] != m_Unset;
        }
    };
    S_Field FieldOf(const std::vector<S_StepRow>& rows, StepRole role) const;

    S_Field m_Cooling;
    S_Field m_BalancedFeed;
    S_Field m_Level;
    S_Field m_Temperature;
    S_Field m_Time;
    S_Field m_TimeLimit;
};
