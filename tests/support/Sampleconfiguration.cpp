#include "support/Sampleconfiguration.h"

#include "editor/Mdichild.h"
#include "model/Configurationedits.h"
#include "editor/Treenodes.h"
#include "model/Cyclecontent.h"
#include "model/Eepromformat.h"
#include "model/Labels.h"
#include "model/Steprow.h"

#include <QUndoStack>

#include <algorithm>

namespace {

void SetRole(C_Step& step, const C_EEPROMFormat& format, StepRole role, std::int32_t value)
{
    const std::int32_t row = format.RowOf(role);
    if (row < 0)
        return;
    if (const C_StepRow& number = format.Rows()[size_t(row)]; number.m_Class == RowClass::Number)
        value = std::clamp(value, number.m_MinValue, number.m_MaxValue);
    step.m_Values[size_t(row)] = value;
}

void FillStep(C_Step& step, const C_EEPROMFormat& format, int k)
{
    const auto& rows = format.Rows();
    for (size_t i = 0; i < rows.size(); ++i) {
        step.m_Values[i] = rows[i].m_DisabledValue;
        if (rows[i].m_Class == RowClass::Out)
            step.m_Values[i] = (k + int(i)) % 3 == 0 ? 1 : 0;
    }
    SetRole(step, format, StepRole::MotorMode, k % 3 + 1);
    SetRole(step, format, StepRole::DrumSpeed, 300 + 10 * (k % 40));
    switch (k % 6) {
    case 0: SetRole(step, format, StepRole::Time, 60 + k); break;
    case 1:
        SetRole(step, format, StepRole::Level, 60);
        SetRole(step, format, StepRole::TimeLimit, 300);
        break;
    case 2:
        SetRole(step, format, StepRole::Temperature, 40);
        SetRole(step, format, StepRole::TimeLimit, 600);
        break;
    case 3:
        SetRole(step, format, StepRole::Cooling, 1);
        SetRole(step, format, StepRole::Level, 80);
        SetRole(step, format, StepRole::SecondLevel, 20);
        SetRole(step, format, StepRole::Temperature, 40);
        SetRole(step, format, StepRole::TimeLimit, 300);
        break;
    case 4:
        SetRole(step, format, StepRole::BalancedFeed, 1);
        SetRole(step, format, StepRole::Level, 50);
        SetRole(step, format, StepRole::SecondTemperature, 60);
        SetRole(step, format, StepRole::TimeLimit, 240);
        break;
    default:
        SetRole(step, format, StepRole::TemperatureFunction, 1);
        SetRole(step, format, StepRole::SecondTemperature, 70);
        SetRole(step, format, StepRole::Time, 120);
        break;
    }
}

} // namespace

C_Configuration SampleConfiguration(const C_EEPROMFormat& format, C_Configuration value,
                                    const std::vector<int>& cycleSteps, int programs)
{
    const int motorTimes[3][3] = {{12, 3, 12}, {30, 5, 30}, {8, 2, 8}};
    for (int mode = 1; mode <= 3; ++mode)
        for (int column = 1; column <= 3; ++column)
            ConfigurationEdit::SetMotorTime(value, mode, column, motorTimes[mode - 1][column - 1]);

    std::vector<std::pair<int, int>> cycles;
    std::vector<int> numbers(NodeKind::CategoryCount + 1, 0);
    for (size_t c = 0; c < cycleSteps.size(); ++c) {
        const int category = int(c) % NodeKind::CategoryCount + 1;
        const int number = ++numbers[size_t(category)];
        const size_t cycle = ConfigurationEdit::AddCycle(value, category, number);
        for (int k = 0; k < cycleSteps[c]; ++k) {
            C_Step step;
            FillStep(step, format, k);
            ConfigurationEdit::InsertStep(value, cycle, size_t(k), step.m_Values);
        }
        cycles.emplace_back(category, number);
    }
    for (int p = 0; p < programs; ++p) {
        ConfigurationEdit::References references;
        const int count = cycles.empty() ? 0 : std::min<int>(1 + p % 4, int(cycles.size()));
        for (int r = 0; r < count; ++r) {
            const auto [category, number] = cycles[size_t((p + r) % cycles.size())];
            references.push_back({NodeKind::CycleReferenceWord | NodeKind::CategoryBits(category), number, true});
        }
        ConfigurationEdit::AddProgram(value, p + 1, std::move(references));
    }
    return value;
}

C_Configuration SampleConfiguration(C_EEPROMFormat& format, const std::vector<int>& cycleSteps, int programs)
{
    C_DiagnosticList lines;
    const C_Configuration value = SampleConfiguration(format, format.Decode(lines), cycleSteps, programs);
    format.ReserveSteps(format.ReserveSteps(0) - value.m_FreeSteps);
    return value;
}

bool SaveSample(C_EEPROMFormat& format, const std::vector<int>& cycleSteps, int programs, const QString& path)
{
    C_DiagnosticList lines;
    return format.SaveFile(SampleConfiguration(format, cycleSteps, programs), path, lines);
}

void FillSampleConfiguration(TFormMDIChild& window, const std::vector<int>& cycleSteps, int programs)
{
    // Filled as a new window is: nothing to save yet.
    window.Change(QString(), SampleConfiguration(*window.Format(), window.Configuration(), cycleSteps, programs));
    window.History().clear();
    window.History().setClean();
}
