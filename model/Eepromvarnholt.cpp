#include "model/Eepromvarnholt.h"

#include "model/Steprows.h"

namespace {

using P = ServiceParameter;

const S_FormatDescription& Description()
{
    static const S_StepRowCaptions captions{
        237, {238, 239, 240, 241, 242, 243, 244, 245}, {{246, 0x04}, {247, 0x08}, {248, 0x10}, {249, 0x02}},
        250, 251, 252, 253,
        254, 255, 256, 257, 225,
        258, 259, 260,
        261, 262,
        263,
    };
    static const S_FormatDescription description{
        {FormatCode::Varnholt, 8185, 350, 18, 6300, 7320, 7409},
        {
            {P::TemperatureHysteresis, 7385, true, S_ServiceField::NoDefault},
            {P::TotalWashes, 7396, false, 0},
            {P::PartialWashes, 7398, false, 0},
            // Shown, but the panel does not let these two be changed.
            {P::MaintenanceRequest, 7400, false, 0, true},
            {P::WorkingHours, 7402, false, 0},
            {P::Language, 7404, true, 0},
            {P::TemperatureUnit, 7405, true, 0x63},
            {P::MaximumLevel, 7407, true, 100},
            {P::MinimumLevel, 7408, true, 5},
            {P::AdvanceEnable, 7410, true, 1},
            {P::MachineEnable, 7411, true, 1},
            {P::SlowingDownTime, 7412, true, 40, true},
            {P::MaximumSpeed, 7414, true, 999},
            {P::SpinLevel, 7421, true, 2},
        },
        // Byte 7413 is the machine's own; the panel neither shows nor changes it.
        {{7413, 1, 40}, {7418, 3, 0}},
        {},
        0,
        StepRowTable(captions),
        0,
        {StepCheck::EndCondition, StepCheck::MotorModeDefined},
        false,
        0,
        2,
        264,
        236,
        false,
    };
    return description;
}

} // namespace

C_FormatVarnholt::C_FormatVarnholt(C_ConfigurationPanes& window, int outputs)
    : C_EEPROMFormat(window, Description(), outputs)
{
}
