#include "model/Eepromvarnholt.h"

#include "language/Messages.h"
#include "model/Steprows.h"

using P = ServiceParameter;

const S_FormatDescription& C_FormatVarnholt::Description()
{
    static const S_StepRowCaptions captions{
        .m_OutputsSeparator = Msg::VarnholtOutputsRow,
        .m_Outputs = {Msg::VarnholtOutput1, Msg::VarnholtOutput2, Msg::VarnholtOutput3, Msg::VarnholtOutput5,
                      Msg::VarnholtOutput6, Msg::VarnholtOutput7, Msg::VarnholtOutput8, Msg::VarnholtOutput9},
        .m_FunctionByteOutputs = {{Msg::VarnholtOutput11, 0x04},
                                  {Msg::VarnholtOutput12, 0x08},
                                  {Msg::VarnholtOutput13, 0x10},
                                  {Msg::VarnholtOutput10, 0x02}},
        .m_FunctionsSeparator = Msg::VarnholtFunctionsRow,
        .m_Cooling = Msg::VarnholtCoolingRow,
        .m_BalancedFeed = Msg::VarnholtBalancedFeedRow,
        .m_TemperatureFunction = Msg::VarnholtTemperatureFunctionRow,
        .m_EndConditionSeparator = Msg::VarnholtEndConditionRow,
        .m_Level = Msg::VarnholtLevelRow,
        .m_Temperature = Msg::VarnholtTemperatureRow,
        .m_Time = Msg::VarnholtTimeRow,
        .m_TimeLimit = Msg::TimeLimitRow,
        .m_ParametersSeparator = Msg::VarnholtParametersRow,
        .m_SecondLevel = Msg::VarnholtSecondLevelRow,
        .m_SecondTemperature = Msg::VarnholtSecondTemperatureRow,
        .m_MotorSeparator = Msg::VarnholtMotorRow,
        .m_MotorMode = Msg::VarnholtMotorModeRow,
        .m_DrumSpeed = Msg::VarnholtDrumSpeedRow,
    };
    static const S_FormatDescription description{
        .m_Layout = {.m_FormatCode = FormatCode::Varnholt,
                     .m_ImageSize = 8185,
                     .m_StepRecords = 350,
                     .m_RecordSize = 18,
                     .m_ProgramArea = 6300,
                     .m_MotorTable = 7320,
                     .m_OutputsByte = 7409},
        .m_Service =
            {
                {.m_Parameter = P::TemperatureHysteresis,
                 .m_Offset = 7385,
                 .m_Stored = true,
                 .m_Default = S_ServiceField::NoDefault},
                {.m_Parameter = P::TotalWashes, .m_Offset = 7396, .m_Stored = false, .m_Default = 0},
                {.m_Parameter = P::PartialWashes, .m_Offset = 7398, .m_Stored = false, .m_Default = 0},
                // Shown, but the panel does not let these two be changed.
                {.m_Parameter = P::MaintenanceRequest,
                 .m_Offset = 7400,
                 .m_Stored = false,
                 .m_Default = 0,
                 .m_Locked = true},
                {.m_Parameter = P::WorkingHours, .m_Offset = 7402, .m_Stored = false, .m_Default = 0},
                {.m_Parameter = P::Language, .m_Offset = 7404, .m_Stored = true, .m_Default = 0},
                {.m_Parameter = P::TemperatureUnit, .m_Offset = 7405, .m_Stored = true, .m_Default = 0x63},
                {.m_Parameter = P::MaximumLevel, .m_Offset = 7407, .m_Stored = true, .m_Default = 100},
                {.m_Parameter = P::MinimumLevel, .m_Offset = 7408, .m_Stored = true, .m_Default = 5},
                {.m_Parameter = P::AdvanceEnable, .m_Offset = 7410, .m_Stored = true, .m_Default = 1},
                {.m_Parameter = P::MachineEnable, .m_Offset = 7411, .m_Stored = true, .m_Default = 1},
                {.m_Parameter = P::SlowingDownTime,
                 .m_Offset = 7412,
                 .m_Stored = true,
                 .m_Default = 40,
                 .m_Locked = true},
                {.m_Parameter = P::MaximumSpeed, .m_Offset = 7414, .m_Stored = true, .m_Default = 999},
                {.m_Parameter = P::SpinLevel, .m_Offset = 7421, .m_Stored = true, .m_Default = 2},
            },
        // Byte 7413 is the machine's own; the panel neither shows nor changes it.
        .m_NewImageBytes = {{.m_Offset = 7413, .m_Length = 1, .m_Value = 40},
                            {.m_Offset = 7418, .m_Length = 3, .m_Value = 0}},
        .m_ClearedByBuild = {},
        .m_ServiceHeading = 0,
        .m_StepRows = StepRowTable(captions),
        .m_UnusedSpeedHigh = 0,
        .m_StepChecks = {StepCheck::EndCondition, StepCheck::MotorModeDefined},
        .m_StepNumber255Unused = false,
        .m_CreatedCycleLine = 0,
        .m_TypePicture = 2,
        .m_TypeHint = Msg::VarnholtPictureHint,
        .m_UploadHeading = Msg::UploadHeading,
        .m_TimeLimitEditable = false,
    };
    return description;
}

C_FormatVarnholt::C_FormatVarnholt(int outputs)
    : C_EEPROMFormat(Description(), outputs)
{
}
