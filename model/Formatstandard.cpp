#include "model/Formatstandard.h"

#include "language/Messages.h"

using P = ServiceParameter;

const S_FormatDescription& C_FormatStandard::Description()
{
    static const S_FormatDescription description{
        .m_Layout = {.m_FormatCode = FormatCode::Standard,
                     .m_ImageSize = 8182,
                     .m_StepRecords = 400,
                     .m_RecordSize = 16,
                     .m_ProgramArea = 6400,
                     .m_MotorTable = 7420,
                     .m_OutputsByte = 7509},
        .m_Service =
            {
                {.m_Parameter = P::TemperatureHysteresis, .m_Offset = 7485, .m_Stored = true, .m_Default = 3},
                {.m_Parameter = P::TotalWashes, .m_Offset = 7496, .m_Stored = false, .m_Default = 0},
                {.m_Parameter = P::PartialWashes, .m_Offset = 7498, .m_Stored = false, .m_Default = 0},
                {.m_Parameter = P::MaintenanceRequest, .m_Offset = 7500, .m_Stored = true, .m_Default = 1000},
                {.m_Parameter = P::WorkingHours, .m_Offset = 7502, .m_Stored = false, .m_Default = 0},
                {.m_Parameter = P::Language, .m_Offset = 7504, .m_Stored = true, .m_Default = 1},
                {.m_Parameter = P::TemperatureUnit, .m_Offset = 7505, .m_Stored = true, .m_Default = 0x63},
                {.m_Parameter = P::MaximumLevel, .m_Offset = 7507, .m_Stored = true, .m_Default = 100},
                {.m_Parameter = P::MinimumLevel, .m_Offset = 7508, .m_Stored = true, .m_Default = 10},
                {.m_Parameter = P::AdvanceEnable, .m_Offset = 7510, .m_Stored = true, .m_Default = 1},
                {.m_Parameter = P::MachineEnable, .m_Offset = 7511, .m_Stored = true, .m_Default = 1},
                {.m_Parameter = P::SlowingDownTime, .m_Offset = 7512, .m_Stored = true, .m_Default = 40},
                {.m_Parameter = P::SpinLevel, .m_Offset = 7518, .m_Stored = true, .m_Default = 2},
            },
        .m_NewImageBytes = {{.m_Offset = 7515, .m_Length = 3, .m_Value = 0}},
        .m_ClearedByBuild = {{.m_Offset = 7484, .m_Length = 1, .m_Value = 0},
                             {.m_Offset = 7486, .m_Length = 8, .m_Value = 0}},
        .m_ServiceHeading = Msg::WritingServiceData,
        .m_StepRows = StepRowTable(C_FormatStandard::RowCaptions()),
        .m_UnusedSpeedHigh = UnusedByte,
        .m_StepChecks = {StepCheck::EndCondition, StepCheck::MotorModeDefined, StepCheck::TimeLimitForEndLevel},
        .m_StepNumber255Unused = false,
        .m_CreatedCycleLine = Msg::CycleCreatedWhileReading,
        .m_TypePicture = 0,
        .m_TypeHint = Msg::StandardPictureHint,
        .m_UploadHeading = Msg::StandardUploadHeading,
        .m_TimeLimitEditable = true,
    };
    return description;
}

C_FormatStandard::C_FormatStandard(int outputs)
    : C_EEPROMFormat(Description(), outputs)
{
}

const S_StepRowCaptions& C_FormatStandard::RowCaptions()
{
    static const S_StepRowCaptions captions{
        .m_OutputsSeparator = Msg::OutputsGroup,
        .m_Outputs = {Msg::Output1, Msg::Output2, Msg::Output3, Msg::Output5, Msg::Output6, Msg::Output7, Msg::Output8,
                      Msg::Output9},
        .m_FunctionByteOutputs = {{Msg::Output11, 0x04}, {Msg::Output12, 0x08}, {Msg::Output13, 0x10}},
        .m_FunctionsSeparator = Msg::FunctionsRow,
        .m_Cooling = Msg::CoolingRow,
        .m_BalancedFeed = Msg::BalancedFeedRow,
        .m_TemperatureFunction = Msg::TemperatureFunctionRow,
        .m_EndConditionSeparator = Msg::EndConditionRow,
        .m_Level = Msg::LevelRow,
        .m_Temperature = Msg::TemperatureRow,
        .m_Time = Msg::TimeRow,
        .m_TimeLimit = Msg::TimeLimitRow,
        .m_ParametersSeparator = Msg::ParametersRow,
        .m_SecondLevel = Msg::SecondLevelTitle,
        .m_SecondTemperature = Msg::SecondTemperatureTitle,
        .m_MotorSeparator = Msg::MotorColumn,
        .m_MotorMode = Msg::MotorRow,
        .m_DrumSpeed = 0,
    };
    return captions;
}
