#include "model/Steprows.h"

#include "editor/Rowproperties.h"
#include "language/Language.h"

namespace {

constexpr std::int32_t Off = 0;
constexpr std::int32_t UnusedNumber = 255;
constexpr std::int32_t UnusedTime = 15555;

constexpr std::pair<int, std::uint8_t> FirstOutputBits[] = {
    {StepRecord::Outputs, 0x01}, {StepRecord::Outputs, 0x02}, {StepRecord::Outputs, 0x04},
    {StepRecord::Outputs, 0x10}, {StepRecord::Outputs, 0x20}, {StepRecord::Outputs, 0x40},
    {StepRecord::Outputs, 0x80}, {StepRecord::Functions, 0x01}};

// Outputs 17 to 24, byte 5 bits 0x01 to 0x80.
constexpr std::int16_t FirstExtraOutput = 209;
constexpr int ExtraOutputCount = 8;

S_StepRow Separator(std::int16_t caption, std::int32_t disabledValue = Off)
{
    return {RowClass::Separator, caption, disabledValue, RecordPlace::None, 0, 0, StepRole::None, "", 0, 0, false};
}

S_StepRow Output(std::int16_t caption, int byte, std::uint8_t bit, bool extra = false)
{
    return {RowClass::Out, caption, Off, RecordPlace::Bit, byte, bit, StepRole::None, "", 0, 0, extra};
}

S_StepRow Function(std::int16_t caption, int byte, std::uint8_t bit, StepRole role)
{
    return {RowClass::Boolean, caption, Off, RecordPlace::Bit, byte, bit, role, "", 0, 0, false};
}

S_StepRow Number(std::int16_t caption, int byte, StepRole role, const char* unit, std::int32_t min, std::int32_t max,
                 RecordPlace place = RecordPlace::Byte)
{
    return {RowClass::Number, caption, UnusedNumber, place, byte, 0, role, unit, min, max, false};
}

S_StepRow Time(std::int16_t caption, int byte, StepRole role)
{
    return {RowClass::Time, caption, UnusedTime, RecordPlace::Time, byte, 0, role, "", 0, 0, false};
}

S_StepRow Level(std::int16_t caption, int byte, StepRole role)
{
    return Number(caption, byte, role, "cm", 0, 100);
}

S_StepRow Temperature(std::int16_t caption, int byte, StepRole role)
{
    return Number(caption, byte, role, "\u00B0C", 2, 93);
}

} // namespace

std::vector<S_StepRow> StepRowTable(const S_StepRowCaptions& c)
{
    std::vector<S_StepRow> rows{Separator(c.m_OutputsSeparator)};
    for (size_t i = 0; i < c.m_Outputs.size(); ++i)
        rows.push_back(Output(c.m_Outputs[i], FirstOutputBits[i].first, FirstOutputBits[i].second));
    for (const auto& [caption, bit] : c.m_FunctionByteOutputs)
        rows.push_back(Output(caption, StepRecord::Functions, bit));
    for (int i = 0; i < ExtraOutputCount; ++i)
        rows.push_back(Output(std::int16_t(FirstExtraOutput + i), StepRecord::ExtraOutputs, std::uint8_t(1u << i), true));
    rows.insert(rows.end(), {
        Separator(c.m_FunctionsSeparator),
        Function(c.m_Cooling, StepRecord::Functions, 0x40, StepRole::Cooling),
        Function(c.m_BalancedFeed, StepRecord::Functions, 0x80, StepRole::BalancedFeed),
        Function(c.m_TemperatureFunction, StepRecord::Outputs, 0x08, StepRole::TemperatureFunction),
        Separator(c.m_EndConditionSeparator),
        Level(c.m_Level, StepRecord::Level, StepRole::Level),
        Temperature(c.m_Temperature, StepRecord::Temperature, StepRole::Temperature),
        Time(c.m_Time, StepRecord::Time, StepRole::Time),
        Time(c.m_TimeLimit, StepRecord::TimeLimit, StepRole::TimeLimit),
        Separator(c.m_ParametersSeparator),
        Level(c.m_SecondLevel, StepRecord::SecondLevel, StepRole::SecondLevel),
        Temperature(c.m_SecondTemperature, StepRecord::SecondTemperature, StepRole::SecondTemperature),
        Separator(c.m_MotorSeparator, UnusedNumber),
        {RowClass::Motor, c.m_MotorMode, UnusedNumber, RecordPlace::Byte, StepRecord::MotorMode, 0, StepRole::MotorMode,
         "", 0, 0, false},
    });
    if (c.m_DrumSpeed != 0)
        rows.push_back(Number(c.m_DrumSpeed, StepRecord::DrumSpeed, StepRole::DrumSpeed, "rpm", 0, 999,
                              RecordPlace::Speed));
    return rows;
}

std::unique_ptr<C_RowProperty> MakeRowProperty(const S_StepRow& row, C_ConfigurationPanes& owner)
{
    const QString& caption = Text(row.m_Caption);
    switch (row.m_Class) {
    case RowClass::Separator: return std::make_unique<C_RowSeparator>(owner, caption, row.m_DisabledValue);
    case RowClass::Out: return std::make_unique<C_RowOut>(owner, caption, row.m_DisabledValue);
    case RowClass::Boolean: return std::make_unique<C_RowBoolean>(owner, caption, row.m_DisabledValue);
    case RowClass::Number:
        return std::make_unique<C_RowNumber>(owner, caption, row.m_DisabledValue, QString::fromUtf8(row.m_Unit),
                                             row.m_Min, row.m_Max);
    case RowClass::Time: return std::make_unique<C_RowTime>(owner, caption, row.m_DisabledValue);
    case RowClass::Motor: return std::make_unique<C_RowMotor>(owner, caption, row.m_DisabledValue);
    }
    return nullptr;
}
