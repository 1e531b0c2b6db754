#include "model/Formatinverter.h"

#include "language/Messages.h"
#include "model/Formatstandard.h"

namespace {

using P = ServiceParameter;

// The standard rows, with other outputs in byte 4 and a drum speed.
S_StepRowCaptions RowCaptions()
{
    S_StepRowCaptions captions = C_FormatStandard::RowCaptions();
    captions.m_FunctionByteOutputs = {{Msg::InverterOutput11, 0x04},
                                      {Msg::InverterOutput12, 0x08},
                                      {Msg::InverterOutput13, 0x10},
                                      {Msg::InverterOutput10, 0x02}};
    captions.m_DrumSpeed = Msg::DrumSpeedRow;
    return captions;
}

} // namespace

const S_FormatDescription& C_FormatInverter::Description()
{
    static const S_FormatDescription description{
        .m_Layout = {.m_FormatCode = FormatCode::Inverter,
                     .m_ImageSize = 8184,
                     .m_StepRecords = 350,
                     .m_RecordSize = 18,
                     .m_ProgramArea = 6300,
                     .m_MotorTable = 7320,
                     .m_OutputsByte = 7409},
        .m_Service =
            {
                {.m_Parameter = P::TemperatureHysteresis, .m_Offset = 7385, .m_Stored = true, .m_Default = 3},
                {.m_Parameter = P::TotalWashes, .m_Offset = 7396, .m_Stored = false, .m_Default = 0},
                {.m_Parameter = P::PartialWashes, .m_Offset = 7398, .m_Stored = false, .m_Default = 0},
                {.m_Parameter = P::MaintenanceRequest, .m_Offset = 7400, .m_Stored = true, .m_Default = 1000},
                {.m_Parameter = P::WorkingHours, .m_Offset = 7402, .m_Stored = false, .m_Default = 0},
                {.m_Parameter = P::Language, .m_Offset = 7404, .m_Stored = true, .m_Default = 1},
                {.m_Parameter = P::TemperatureUnit, .m_Offset = 7405, .m_Stored = true, .m_Default = 0x63},
                {.m_Parameter = P::MaximumLevel, .m_Offset = 7407, .m_Stored = true, .m_Default = 100},
                {.m_Parameter = P::MinimumLevel, .m_Offset = 7408, .m_Stored = true, .m_Default = 10},
                {.m_Parameter = P::AdvanceEnable, .m_Offset = 7410, .m_Stored = true, .m_Default = 1},
                {.m_Parameter = P::MachineEnable, .m_Offset = 7411, .m_Stored = true, .m_Default = 1},
                {.m_Parameter = P::SlowingDownTime, .m_Offset = 7412, .m_Stored = true, .m_Default = 40},
                {.m_Parameter = P::MaximumSpeed, .m_Offset = 7413, .m_Stored = true, .m_Default = 999},
                {.m_Parameter = P::SpinLevel, .m_Offset = 7420, .m_Stored = true, .m_Default = 2},
            },
        .m_NewImageBytes = {{.m_Offset = 7417, .m_Length = 3, .m_Value = 0}},
        .m_ClearedByBuild = {},
        .m_ServiceHeading = 0,
        .m_StepRows = StepRowTable(RowCaptions()),
        .m_UnusedSpeedHigh = UnusedByte,
        .m_StepChecks = {StepCheck::EndCondition, StepCheck::SpeedForMotorMode, StepCheck::MotorModeForSpeed,
                         StepCheck::MotorModeDefined},
        .m_StepNumber255Unused = true,
        .m_CreatedCycleLine = 0,
        .m_TypePicture = 1,
        .m_TypeHint = Msg::InverterPictureHint,
        .m_UploadHeading = Msg::UploadHeading,
        .m_TimeLimitEditable = true,
    };
    return description;
}

C_FormatInverter::C_FormatInverter(int outputs)
    : C_EEPROMFormat(Description(), outputs)
{
}
