#pragma once

#include "model/Steprecord.h"

#include <array>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

// The captions (message ids) of one format's step rows. The rows themselves, their
// classes, ranges and places in the step record are the same in every format.
struct S_StepRowCaptions
{
    std::int16_t m_OutputsSeparator;
    // Byte 3 bits 0x01, 0x02, 0x04, 0x10, 0x20, 0x40, 0x80, then byte 4 bit 0x01.
    std::array<std::int16_t, 8> m_Outputs;
    // The further outputs of byte 4, in display order: caption and bit.
    std::vector<std::pair<std::int16_t, std::uint8_t>> m_FunctionByteOutputs;
    std::int16_t m_FunctionsSeparator;
    std::int16_t m_Cooling;
    std::int16_t m_BalancedFeed;
    std::int16_t m_TemperatureFunction;
    std::int16_t m_EndConditionSeparator;
    std::int16_t m_Level;
    std::int16_t m_Temperature;
    std::int16_t m_Time;
    std::int16_t m_TimeLimit;
    std::int16_t m_ParametersSeparator;
    std::int16_t m_SecondLevel;
    std::int16_t m_SecondTemperature;
    std::int16_t m_MotorSeparator;
    std::int16_t m_MotorMode;
    // 0 for a format without a drum speed.
    std::int16_t m_DrumSpeed;
};

// The rows of a format with 24 outputs, in display order; with 16 outputs the
// rows marked as extra outputs drop out.
std::vector<S_StepRow> StepRowTable(const S_StepRowCaptions& captions);
