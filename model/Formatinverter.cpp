#include "model/Formatinverter.h"

#include "model/Formatstandard.h"

namespace {

using P = ServiceParameter;

// The standard rows, with other outputs in byte 4 and a drum speed.
S_StepRowCaptions RowCaptions()
{
    S_StepRowCaptions captions = C_FormatStandard::RowCaptions();
    captions.m_FunctionByteOutputs = {{230, 0x04}, {231, 0x08}, {232, 0x10}, {233, 0x02}};
    captions.m_DrumSpeed = 234;
    return captions;
}

const S_FormatDescription& Description()
{
    static const S_FormatDescription description{
        {FormatCode::Inverter, 8184, 350, 18, 6300, 7320, 7409},
        {
            {P::TemperatureHysteresis, 7385, true, 3},
            {P::TotalWashes, 7396, false, 0},
            {P::PartialWashes, 7398, false, 0},
            {P::MaintenanceRequest, 7400, true, 1000},
            {P::WorkingHours, 7402, false, 0},
            {P::Language, 7404, true, 1},
            {P::TemperatureUnit, 7405, true, 0x63},
            {P::MaximumLevel, 7407, true, 100},
            {P::MinimumLevel, 7408, true, 10},
            {P::AdvanceEnable, 7410, true, 1},
            {P::MachineEnable, 7411, true, 1},
            {P::SlowingDownTime, 7412, true, 40},
            {P::MaximumSpeed, 7413, true, 999},
            {P::SpinLevel, 7420, true, 2},
        },
        {{7417, 3, 0}},
        {},
        0,
        StepRowTable(RowCaptions()),
        UnusedByte,
        {StepCheck::EndCondition, StepCheck::SpeedForMotorMode, StepCheck::MotorModeForSpeed,
         StepCheck::MotorModeDefined},
        true,
        0,
        1,
        235,
        236,
        true,
    };
    return description;
}

} // namespace

C_FormatInverter::C_FormatInverter(C_ConfigurationPanes& window, int outputs)
    : C_EEPROMFormat(window, Description(), outputs)
{
}
