#pragma once

#include <array>
#include <cstdint>
#include <vector>

class C_ConfigurationPanes;
class C_Step;

// Byte positions within a step record; every format uses the same ones.
namespace StepRecord {
constexpr int Category = 0;
constexpr int Cycle = 1;
constexpr int StepNumber = 2;
constexpr int Outputs = 3;
constexpr int Functions = 4;
constexpr int ExtraOutputs = 5;
constexpr int MotorMode = 6;
constexpr int SecondTemperature = 7;
constexpr int SecondLevel = 8;
constexpr int Time = 10;
constexpr int TimeLimit = 12;
constexpr int Temperature = 14;
constexpr int Level = 15;
constexpr int DrumSpeed = 16;
} // namespace StepRecord

// The row classes of the step grid.
enum class RowClass { Separator, Out, Boolean, Number, Time, Motor };

// How a row's value is kept in a step record.
enum class RecordPlace {
    None,  // separators
    Bit,   // one bit of a byte: 0 or the bit's value
    Byte,  // a number or motor mode 0 to 255
    Time,  // minutes byte, seconds byte
    Speed, // high byte, low byte
};

// The rows that the editing rules and the conversions address by meaning.
enum class StepRole {
    None,
    Cooling,
    BalancedFeed,
    TemperatureFunction,
    Level,
    Temperature,
    Time,
    TimeLimit,
    SecondLevel,
    SecondTemperature,
    MotorMode,
    DrumSpeed,
};

// One row of a format's step grid and its place in the step record.
struct S_StepRow
{
    RowClass m_Class;
    std::int16_t m_Caption;
    std::int32_t m_DisabledValue = 0;
    RecordPlace m_Place = RecordPlace::None;
    int m_Byte = 0;
    std::uint8_t m_Bit = 0;
    StepRole m_Role = StepRole::None;
    // Number rows only.
    const char* m_Unit = "";
    std::int32_t m_Min = 0;
    std::int32_t m_Max = 0;
    // Outputs 17 to 24: rows only of a configuration with 24 outputs.
    bool m_ExtraOutput = false;
    // The field's key in the text form ("output5", "level"), the same for the same
    // meaning in every format; empty for a separator.
    const char* m_Key = "";
};

// The checks a format makes of every encoded step, each with its message.
enum class StepCheck {
    EndCondition,           // a level, temperature or time ends the step
    MotorModeDefined,       // the motor mode used has a time in the motor grid
    TimeLimitForEndLevel,   // a level or temperature end condition has a time limit
    SpeedForMotorMode,      // a motor mode runs at a drum speed
    MotorModeForSpeed,      // a drum speed belongs to a motor mode
};

// Converts steps to records and back by walking a format's rows.
class C_StepRecordCodec
{
public:
    // rows: the rows of the grid, in row order; unusedSpeedHigh: the high byte a
    // drum speed that is not used is written with.
    C_StepRecordCodec(const std::vector<S_StepRow>& rows, std::uint8_t unusedSpeedHigh)
        : m_Rows(rows)
        , m_UnusedSpeedHigh(unusedSpeedHigh)
    {
    }

    // Rows without a place in the record take their not-used value.
    void Decode(const std::uint8_t* record, C_Step& step) const;
    // Writes bytes 3 onward; bytes that no row owns keep their contents.
    void Encode(const C_Step& step, std::uint8_t* record) const;
    // The bytes of a record Encode writes.
    std::vector<int> WrittenBytes() const;

private:
    const std::vector<S_StepRow>& m_Rows;
    std::uint8_t m_UnusedSpeedHigh;
};

// The message of the first check, in the given order, that the encoded record
// fails, or 0 when it passes them all.
// motors: the times of modes 1 to 15.
std::int16_t FailedStepCheck(const std::vector<StepCheck>& checks, const std::uint8_t* record,
                             const std::vector<std::array<int, 3>>& motors);
