#include "model/Steprows.h"

#include "language/Messages.h"
#include "model/Imagebytes.h"

namespace {

constexpr std::int32_t Off = 0;
constexpr std::int32_t UnusedNumber = 255;

constexpr std::pair<int, std::uint8_t> FirstOutputBits[] = {
    {StepRecord::Outputs, 0x01}, {StepRecord::Outputs, 0x02}, {StepRecord::Outputs, 0x04},
    {StepRecord::Outputs, 0x10}, {StepRecord::Outputs, 0x20}, {StepRecord::Outputs, 0x40},
    {StepRecord::Outputs, 0x80}, {StepRecord::Functions, 0x01}};

// Outputs 17 to 24, byte 5 bits 0x01 to 0x80.
constexpr std::int16_t FirstExtraOutput = Msg::Output17;
constexpr int ExtraOutputCount = 8;

// The keys of outputs 1 to 24 in the text form.
constexpr const char* OutputKeys[] = {
    "",         "output1",  "output2",  "output3",  "output4",  "output5",  "output6",  "output7",  "output8",
    "output9",  "output10", "output11", "output12", "output13", "output14", "output15", "output16", "output17",
    "output18", "output19", "output20", "output21", "output22", "output23", "output24"};

// An output's number from its place: outputs 1 to 8 in byte 3 (bit 0x08 is the
// temperature function, output 4 has none), 9 to 13 in byte 4, 17 to 24 in byte 5.
int OutputNumber(int byte, std::uint8_t bit)
{
    int position = 0;
    while ((1u << position) != bit)
        ++position;
    if (byte == StepRecord::Outputs)
        return position + 1;
    if (byte == StepRecord::Functions)
        return 9 + position;
    return 17 + position;
}

const char* KeyOf(StepRole role)
{
    switch (role) {
    case StepRole::Cooling: return "cooling";
    case StepRole::BalancedFeed: return "balancedFeed";
    case StepRole::TemperatureFunction: return "temperatureFunction";
    case StepRole::Level: return "level";
    case StepRole::Temperature: return "temperature";
    case StepRole::Time: return "time";
    case StepRole::TimeLimit: return "timeLimit";
    case StepRole::SecondLevel: return "secondLevel";
    case StepRole::SecondTemperature: return "secondTemperature";
    case StepRole::MotorMode: return "motor";
    case StepRole::DrumSpeed: return "speed";
    case StepRole::None: break;
    }
    return "";
}

S_StepRow Separator(std::int16_t caption, std::int32_t disabledValue = Off)
{
    return {.m_Class = RowClass::Separator, .m_Caption = caption, .m_DisabledValue = disabledValue};
}

S_StepRow Output(std::int16_t caption, int byte, std::uint8_t bit, bool extra = false)
{
    return {.m_Class = RowClass::Out,
            .m_Caption = caption,
            .m_DisabledValue = Off,
            .m_Place = RecordPlace::Bit,
            .m_Byte = byte,
            .m_Bit = bit,
            .m_ExtraOutput = extra,
            .m_Key = OutputKeys[OutputNumber(byte, bit)]};
}

S_StepRow Function(std::int16_t caption, int byte, std::uint8_t bit, StepRole role)
{
    return {.m_Class = RowClass::Boolean,
            .m_Caption = caption,
            .m_DisabledValue = Off,
            .m_Place = RecordPlace::Bit,
            .m_Byte = byte,
            .m_Bit = bit,
            .m_Role = role,
            .m_Key = KeyOf(role)};
}

S_StepRow Number(std::int16_t caption, int byte, StepRole role, const char* unit, std::int32_t min, std::int32_t max,
                 RecordPlace place = RecordPlace::Byte)
{
    return {.m_Class = RowClass::Number,
            .m_Caption = caption,
            .m_DisabledValue = UnusedNumber,
            .m_Place = place,
            .m_Byte = byte,
            .m_Role = role,
            .m_Unit = unit,
            .m_Min = min,
            .m_Max = max,
            .m_Key = KeyOf(role)};
}

S_StepRow Time(std::int16_t caption, int byte, StepRole role)
{
    return {.m_Class = RowClass::Time,
            .m_Caption = caption,
            .m_DisabledValue = UnusedTime,
            .m_Place = RecordPlace::Time,
            .m_Byte = byte,
            .m_Role = role,
            .m_Key = KeyOf(role)};
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
    rows.insert(rows.end(),
                {
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
                    {.m_Class = RowClass::Motor,
                     .m_Caption = c.m_MotorMode,
                     .m_DisabledValue = UnusedNumber,
                     .m_Place = RecordPlace::Byte,
                     .m_Byte = StepRecord::MotorMode,
                     .m_Role = StepRole::MotorMode,
         .m_Key = KeyOf(StepRole::MotorMode)},
                });
    if (c.m_DrumSpeed != 0)
        rows.push_back(Number(c.m_DrumSpeed, StepRecord::DrumSpeed, StepRole::DrumSpeed, "rpm", 0, 999,
                              RecordPlace::Speed));
    return rows;
}
