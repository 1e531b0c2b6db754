// The rules between the fields of a step, kept whenever a cell of the step grid is
// edited: one end condition at a time, one special function at a time, and the
// temperature never above the second temperature.
#include "language/Messages.h"
#include "model/Cyclecontent.h"
#include "model/Eepromformat.h"
#include "model/Stepquestions.h"

namespace {

using Notice = C_StepQuestions::Notice;

constexpr std::int32_t UnusedNumber = UnusedByte;
constexpr std::int32_t LowestTemperature = 2;
constexpr std::int32_t HighestFunctionTemperature = 93;

} // namespace

void C_EEPROMFormat::EditStepField(C_CycleContent& content, int column, int row, C_StepQuestions& ask)
{
    const std::int32_t i = row - 1;
    C_Step* step = column >= 1 && column < content.StepCount() ? content.GetStep(column - 1) : nullptr;
    if (step == nullptr || i < 0 || i >= std::int32_t(m_Rows.size()))
        return;
    std::int32_t* v = step->m_Values.data();
    const bool levelFree = v[m_LevelRow] == UnusedNumber;
    const bool temperatureFree = v[m_TemperatureRow] == UnusedNumber;
    const bool timeFree = v[m_TimeRow] == UnusedTime;
    const auto endConditionTaken = [&ask] {
        ask.Tell(Msg::OneEndConditionPerStep, Msg::EndConditionTitle, Notice::Information);
    };

    if (i == m_CoolingRow || i == m_BalancedFeedRow || i == m_TemperatureFunctionRow)
        EditSpecialFunction(*step, i, ask);
    else if (i == m_SecondLevelRow)
        ask.Tell(Msg::ValueSetByFunction, Msg::SecondLevelTitle, Notice::Information);
    else if (i == m_SecondTemperatureRow)
        ask.Tell(Msg::ValueSetByFunction, Msg::SecondTemperatureTitle, Notice::Information);
    else if (i == m_LevelRow)
        temperatureFree&& timeFree ? ask.EditField(i, &v[i]) : endConditionTaken();
    else if (i == m_TimeRow)
        temperatureFree&& levelFree ? ask.EditField(i, &v[i]) : endConditionTaken();
    else if (i == m_TemperatureRow)
        timeFree&& levelFree ? EditTemperature(*step, ask) : endConditionTaken();
    else if (i != m_TimeLimitRow || m_Description.m_TimeLimitEditable)
        ask.EditField(i, &v[i]);
}

void C_EEPROMFormat::EditTemperature(C_Step& step, C_StepQuestions& ask)
{
    std::int32_t& temperature = step.m_Values[size_t(m_TemperatureRow)];
    const std::int32_t second = step.m_Values[size_t(m_SecondTemperatureRow)];
    for (;;) {
        ask.EditField(m_TemperatureRow, &temperature);
        if (second == UnusedNumber || second >= temperature)
            return;
        if (!ask.Tell(Msg::TemperatureAboveSecond, Msg::EndConditionTitle, Notice::Information, true)) {
            temperature = UnusedNumber;
            return;
        }
    }
}

void C_EEPROMFormat::EditSpecialFunction(C_Step& step, std::int32_t row, C_StepQuestions& ask)
{
    for (const std::int32_t other : {m_CoolingRow, m_BalancedFeedRow, m_TemperatureFunctionRow})
        if (other != row && step.m_Values[size_t(other)] != 0) {
            ask.Tell(Msg::OneFunctionPerStep, Msg::StepFunctionTitle, Notice::Warning);
            return;
        }

    // The dialogs work on a copy, so that Cancel leaves the step as it was.
    C_Step snapshot;
    snapshot.CopyValues(step);
    auto& s = snapshot.m_Values;
    const bool timeLimit = m_Description.m_TimeLimitEditable;
    const bool switchOn = step.m_Values[size_t(row)] == 0;
    if (row == m_CoolingRow) {
        if (switchOn) {
            s[size_t(m_SecondLevelRow)] = s[size_t(m_LevelRow)] = 0;
            s[size_t(m_TemperatureRow)] = LowestTemperature;
            s[size_t(m_TimeLimitRow)] = 0;
            if (!ask.EditCooling(timeLimit, s[size_t(m_TimeLimitRow)], s[size_t(m_TemperatureRow)],
                                 s[size_t(m_LevelRow)], s[size_t(m_SecondLevelRow)]))
                return;
        } else {
            s[size_t(m_SecondLevelRow)] = s[size_t(m_LevelRow)] = s[size_t(m_TemperatureRow)] = UnusedNumber;
            s[size_t(m_TimeLimitRow)] = UnusedTime;
        }
    } else if (row == m_BalancedFeedRow) {
        if (switchOn) {
            s[size_t(m_LevelRow)] = 0;
            s[size_t(m_SecondTemperatureRow)] = LowestTemperature;
            s[size_t(m_TimeLimitRow)] = 0;
            if (!ask.EditBalancedFeed(timeLimit, s[size_t(m_TimeLimitRow)], s[size_t(m_SecondTemperatureRow)],
                                      s[size_t(m_LevelRow)]))
                return;
        } else {
            s[size_t(m_LevelRow)] = s[size_t(m_SecondTemperatureRow)] = UnusedNumber;
            s[size_t(m_TimeLimitRow)] = UnusedTime;
        }
    } else if (switchOn) {
        s[size_t(m_SecondTemperatureRow)] = LowestTemperature;
        if (!ask.EditNumber(s[size_t(m_SecondTemperatureRow)], QStringLiteral("\u00B0C"), LowestTemperature,
                            HighestFunctionTemperature, 17, 16))
            return;
    } else {
        s[size_t(m_SecondTemperatureRow)] = UnusedNumber;
    }

    step.m_Values[size_t(row)] = switchOn ? 1 : 0;
    for (const std::int32_t written : {m_LevelRow, m_TemperatureRow, m_TimeRow, m_SecondLevelRow,
                                       m_SecondTemperatureRow})
        step.m_Values[size_t(written)] = s[size_t(written)];
    if (timeLimit)
        step.m_Values[size_t(m_TimeLimitRow)] = s[size_t(m_TimeLimitRow)];
}

void C_EEPROMFormat::SetStepFieldEnabled(C_CycleContent& content, int column, int row, bool enable)
{
    const std::int32_t i = row - 1;
    // The closing entry is never filled, so there is nothing in it to switch.
    C_Step* step = column >= 1 && column < content.StepCount() ? content.GetStep(column - 1) : nullptr;
    if (step == nullptr || i < 0 || i >= std::int32_t(m_Rows.size()))
        return;
    if (i == m_TimeLimitRow && !m_Description.m_TimeLimitEditable)
        return;
    m_Rows[size_t(i)].SetEnabled(&step->m_Values[size_t(i)], enable);
}
