#include "model/Steprecord.h"

#include "language/Messages.h"
#include "model/Cyclecontent.h"
#include "model/Imagebytes.h"
#include "model/Motortable.h"

#include <algorithm>

namespace {

constexpr std::int32_t SecondsPerMinute = 60;

// The bytes made of bits start from these values; bit 0x20 of the functions byte is always set.
constexpr std::pair<int, std::uint8_t> BitBytes[] = {
    {StepRecord::Outputs, 0x00}, {StepRecord::Functions, 0x20}, {StepRecord::ExtraOutputs, 0x00}};

bool IsUnused(const std::uint8_t* record, int byte)
{
    return record[byte] == UnusedByte;
}

bool IsUnusedPair(const std::uint8_t* record, int byte)
{
    return IsUnused(record, byte) && IsUnused(record, byte + 1);
}

bool MotorModeDefined(const std::uint8_t* record, const std::vector<std::array<int, 3>>& motors)
{
    const int mode = record[StepRecord::MotorMode];
    if (mode == UnusedByte)
        return true;
    if (mode < 1 || std::size_t(mode) > motors.size())
        return false;
    // A time not set holds 255; one holding 0 is written as not set, so it counts as not set too.
    for (const int time : motors[std::size_t(mode - 1)])
        if (time != MotorTable::Unset && time != 0)
            return true;
    return false;
}

bool Passes(StepCheck check, const std::uint8_t* record, const std::vector<std::array<int, 3>>& motors)
{
    const bool motorSet = !IsUnused(record, StepRecord::MotorMode);
    const bool speedSet = !IsUnusedPair(record, StepRecord::DrumSpeed);
    switch (check) {
    case StepCheck::EndCondition:
        return !(IsUnusedPair(record, StepRecord::Time) && IsUnused(record, StepRecord::Temperature) &&
                 IsUnused(record, StepRecord::Level));
    case StepCheck::MotorModeDefined: return MotorModeDefined(record, motors);
    case StepCheck::TimeLimitForEndLevel:
        return !((!IsUnused(record, StepRecord::Level) || !IsUnused(record, StepRecord::Temperature)) &&
                 IsUnused(record, StepRecord::TimeLimit + 1));
    case StepCheck::SpeedForMotorMode: return !(motorSet && !speedSet);
    case StepCheck::MotorModeForSpeed: return !(speedSet && !motorSet);
    }
    return true;
}

std::int16_t MessageOf(StepCheck check)
{
    switch (check) {
    case StepCheck::EndCondition: return Msg::NoEndCondition;
    case StepCheck::MotorModeDefined: return Msg::UndefinedMotorMode;
    case StepCheck::TimeLimitForEndLevel: return Msg::EndConditionNeedsTimeLimit;
    case StepCheck::SpeedForMotorMode: return Msg::MotorNeedsSpeed;
    case StepCheck::MotorModeForSpeed: return Msg::SpeedNeedsMotor;
    }
    return 0;
}

} // namespace

void C_StepRecordCodec::Decode(const std::uint8_t* record, C_Step& step) const
{
    for (size_t row = 0; row < m_Rows.size(); ++row) {
        const S_StepRow& r = m_Rows[row];
        const std::uint8_t* at = record + r.m_Byte;
        std::int32_t& value = step.m_Values[row];
        switch (r.m_Place) {
        case RecordPlace::None: value = r.m_DisabledValue; break;
        case RecordPlace::Bit: value = at[0] & r.m_Bit; break;
        case RecordPlace::Byte: value = at[0]; break;
        // 255, 255 gives 255 * 60 + 255, the not-used time.
        case RecordPlace::Time: value = at[0] * SecondsPerMinute + at[1]; break;
        case RecordPlace::Speed: {
            const int speed = ReadBig16(at);
            value = speed == 0xFFFF ? r.m_DisabledValue : speed;
            break;
        }
        }
    }
}

void C_StepRecordCodec::Encode(const C_Step& step, std::uint8_t* record) const
{
    for (const auto& [byte, start] : BitBytes)
        record[byte] = start;
    for (size_t row = 0; row < m_Rows.size(); ++row) {
        const S_StepRow& r = m_Rows[row];
        std::uint8_t* at = record + r.m_Byte;
        const std::int32_t value = step.m_Values[row];
        switch (r.m_Place) {
        case RecordPlace::None: break;
        case RecordPlace::Bit:
            if (value != 0)
                at[0] |= r.m_Bit;
            break;
        case RecordPlace::Byte: at[0] = std::uint8_t(value); break;
        case RecordPlace::Time:
            if (value == r.m_DisabledValue) {
                at[0] = UnusedByte;
                at[1] = UnusedByte;
            } else {
                // A time read with more seconds than 255 minutes and 59 seconds hold
                // keeps its value: 255 minutes, the rest in the seconds byte.
                const std::uint32_t minutes =
                    std::min<std::uint32_t>(std::uint32_t(value) / SecondsPerMinute, UnusedByte);
                at[0] = std::uint8_t(minutes);
                at[1] = std::uint8_t(std::uint32_t(value) - minutes * SecondsPerMinute);
            }
            break;
        case RecordPlace::Speed:
            if (value == r.m_DisabledValue) {
                at[0] = m_UnusedSpeedHigh;
                at[1] = UnusedByte;
            } else {
                WriteBig16(at, value);
            }
            break;
        }
    }
}

std::vector<int> C_StepRecordCodec::WrittenBytes() const
{
    std::vector<int> bytes;
    for (const auto& [byte, start] : BitBytes)
        bytes.push_back(byte);
    for (const S_StepRow& row : m_Rows) {
        const int length = row.m_Place == RecordPlace::Time || row.m_Place == RecordPlace::Speed ? 2
                           : row.m_Place == RecordPlace::None                                    ? 0
                                                                                                 : 1;
        for (int i = 0; i < length; ++i)
            bytes.push_back(row.m_Byte + i);
    }
    return bytes;
}

std::int16_t FailedStepCheck(const std::vector<StepCheck>& checks, const std::uint8_t* record,
                             const std::vector<std::array<int, 3>>& motors)
{
    for (StepCheck check : checks)
        if (!Passes(check, record, motors))
            return MessageOf(check);
    return 0;
}
