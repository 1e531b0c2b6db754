#include "model/Programtime.h"

#include "model/Labels.h"

#include <algorithm>

S_Duration& S_Duration::operator+=(const S_Duration& other)
{
    m_Lower += other.m_Lower;
    m_Upper = m_Upper && other.m_Upper ? std::optional<std::int64_t>(*m_Upper + *other.m_Upper) : std::nullopt;
    return *this;
}

QString DurationText(const S_Duration& duration)
{
    const auto time = [](std::int64_t seconds) { return FormatStepTime(std::uint32_t(seconds)); };
    if (!duration.m_Upper)
        return time(duration.m_Lower) + QLatin1Char('-');
    if (*duration.m_Upper == duration.m_Lower)
        return time(duration.m_Lower);
    return time(duration.m_Lower) + QLatin1Char('-') + time(*duration.m_Upper);
}

C_ProgramTiming::C_ProgramTiming(const std::vector<S_StepRow>& rows)
    : m_Cooling(FieldOf(rows, StepRole::Cooling))
    , m_BalancedFeed(FieldOf(rows, StepRole::BalancedFeed))
    , m_Level(FieldOf(rows, StepRole::Level))
    , m_Temperature(FieldOf(rows, StepRole::Temperature))
    , m_Time(FieldOf(rows, StepRole::Time))
    , m_TimeLimit(FieldOf(rows, StepRole::TimeLimit))
{
}

C_ProgramTiming::S_Field C_ProgramTiming::FieldOf(const std::vector<S_StepRow>& rows, StepRole role) const
{
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].m_Role == role)
            return {int(i), rows[i].m_DisabledValue};
    return {};
}

S_Duration C_ProgramTiming::Step(const C_Configuration::StepValues& step) const
{
    const bool reached =
        m_Level.IsSet(step) || m_Temperature.IsSet(step) || m_Cooling.IsSet(step) || m_BalancedFeed.IsSet(step);
    const bool timed = m_Time.IsSet(step);
    // Nothing ends the step: the controller would wait for ever.
    if (!reached && !timed)
        return {0, std::nullopt};
    std::optional<std::int64_t> upper;
    if (timed)
        upper = step[size_t(m_Time.m_Row)];
    // A limit of 0:00 is no limit.
    if (m_TimeLimit.IsSet(step) && step[size_t(m_TimeLimit.m_Row)] != 0) {
        const std::int64_t limit = step[size_t(m_TimeLimit.m_Row)];
        upper = upper ? std::min(*upper, limit) : limit;
    }
    // Time alone ends it at its time, or earlier at a shorter limit.
    return {timed && !reached ? *upper : 0, upper};
}

S_Duration C_ProgramTiming::Cycle(const C_Configuration::S_Cycle& cycle) const
{
    S_Duration sum;
    if (cycle.m_Steps)
        for (const C_Configuration::StepValues& step : *cycle.m_Steps)
            sum += Step(step);
    return sum;
}

S_Duration C_ProgramTiming::Program(const C_Configuration& configuration,
                                    const C_Configuration::S_Program& program) const
{
    S_Duration sum;
    for (const S_ProgramCycle& part : CyclesOf(configuration, program))
        if (part.m_Cycle != nullptr)
            sum += Cycle(*part.m_Cycle);
    return sum;
}

std::vector<S_ProgramCycle> C_ProgramTiming::CyclesOf(const C_Configuration& configuration,
                                                      const C_Configuration::S_Program& program)
{
    std::vector<S_ProgramCycle> cycles;
    cycles.reserve(program.m_References.size());
    for (const C_Configuration::S_Reference& reference : program.m_References) {
        const auto found =
            std::find_if(configuration.m_Cycles.begin(), configuration.m_Cycles.end(),
                         [&reference](const C_Configuration::S_Cycle& cycle) {
                             return cycle.Category() == reference.Category() && cycle.m_Number == reference.m_Number;
                         });
        cycles.push_back({&reference, reference.m_Linked && found != configuration.m_Cycles.end() ? &*found : nullptr});
    }
    return cycles;
}
