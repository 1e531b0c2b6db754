#include "model/Formatstandard.h"

namespace {

using P = ServiceParameter;

const S_FormatDescription& Description()
{
    static const S_FormatDescription description{
        {FormatCode::Standard, 8182, 400, 16, 6400, 7420, 7509},
        {
            {P::TemperatureHysteresis, 7485, true, 3},
            {P::TotalWashes, 7496, false, 0},
            {P::PartialWashes, 7498, false, 0},
            {P::MaintenanceRequest, 7500, true, 1000},
            {P::WorkingHours, 7502, false, 0},
            {P::Language, 7504, true, 1},
            {P::TemperatureUnit, 7505, true, 0x63},
            {P::MaximumLevel, 7507, true, 100},
            {P::MinimumLevel, 7508, true, 10},
            {P::AdvanceEnable, 7510, true, 1},
            {P::MachineEnable, 7511, true, 1},
            {P::SlowingDownTime, 7512, true, 40},
            {P::SpinLevel, 7518, true, 2},
        },
        {{7515, 3, 0}},
        {{7484, 1, 0}, {7486, 8, 0}},
        191,
        StepRowTable(C_FormatStandard::RowCaptions()),
        UnusedByte,
        {StepCheck::EndCondition, StepCheck::MotorModeDefined, StepCheck::TimeLimitForEndLevel},
        false,
        227,
        0,
        228,
        229,
        true,
    };
    return description;
}

} // namespace

C_FormatStandard::C_FormatStandard(C_ConfigurationPanes& window, int outputs)
    : C_EEPROMFormat(window, Description(), outputs)
{
}

const S_StepRowCaptions& C_FormatStandard::RowCaptions()
{
    static const S_StepRowCaptions captions{
        168, {198, 199, 200, 201, 202, 203, 204, 205}, {{206, 0x04}, {207, 0x08}, {208, 0x10}},
        217, 218, 219, 220,
        221, 222, 223, 224, 225,
        226, 19, 17,
        137, 141,
        0,
    };
    return captions;
}
