#include "document/Fragments.h"

#include "document/Stepmapping.h"
#include "language/Language.h"
#include "language/Messages.h"
#include "model/Configurationedits.h"
#include "model/Eepromformat.h"
#include "model/Labels.h"

#include <algorithm>
#include <map>
#include <utility>

namespace {

using Steps = C_Configuration::Steps;
using StepValues = C_Configuration::StepValues;
using CycleKey = std::pair<int, std::int32_t>;

constexpr int FirstProgram = 1;
constexpr int LastProgram = 99;

S_Fragment FragmentOf(const C_Configuration& value, QString name)
{
    S_Fragment fragment;
    fragment.m_Name = std::move(name);
    fragment.m_Parts.m_FormatCode = value.m_FormatCode;
    fragment.m_Parts.m_Outputs = value.m_Outputs;
    return fragment;
}

// The wanted number where it is free, else the first free one; 0 when none is.
int FreeProgramNumber(const C_Configuration& value, int wanted)
{
    if (wanted >= FirstProgram && wanted <= LastProgram && !value.FindProgram(wanted))
        return wanted;
    for (int number = FirstProgram; number <= LastProgram; ++number)
        if (!value.FindProgram(number))
            return number;
    return 0;
}

std::int32_t FreeCycleNumber(const C_Configuration& value, int category, std::int32_t wanted)
{
    if (wanted >= 1 && !value.FindCycle(category, wanted))
        return wanted;
    std::int32_t number = 1;
    while (value.FindCycle(category, number))
        ++number;
    return number;
}

// The same steps as the image keeps them: any value but 0 switches a bit field on.
bool SameSteps(const Steps& a, const Steps& b, const std::vector<S_StepRow>& rows)
{
    const auto same = [&rows](const StepValues& x, const StepValues& y) {
        for (size_t r = 0; r < rows.size(); ++r)
            if (rows[r].m_Place == RecordPlace::Bit ? (x[r] != 0) != (y[r] != 0) : x[r] != y[r])
                return false;
        return true;
    };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), same);
}

const C_Configuration::S_Cycle* IdenticalCycle(const C_Configuration& value, int category, const Steps& steps)
{
    const std::vector<S_StepRow> rows = RowsOf(value);
    const auto found = std::find_if(value.m_Cycles.begin(), value.m_Cycles.end(), [&](const auto& cycle) {
        return cycle.Category() == category && SameSteps(*cycle.m_Steps, steps, rows);
    });
    return found != value.m_Cycles.end() ? &*found : nullptr;
}

} // namespace

S_Fragment ProgramFragment(const C_Configuration& value, std::size_t program)
{
    const C_Configuration::S_Program& source = value.m_Programs[program];
    S_Fragment fragment = FragmentOf(value, ProgramLabel(source.m_Number));
    fragment.m_Parts.m_Programs.push_back(source);
    // The cycles it runs, once each, in the order of the configuration's cycles.
    for (const C_Configuration::S_Cycle& cycle : value.m_Cycles)
        if (std::any_of(source.m_References.begin(), source.m_References.end(), [&cycle](const auto& reference) {
                return reference.m_Linked && reference.Category() == cycle.Category() &&
                       reference.m_Number == cycle.m_Number;
            }))
            fragment.m_Parts.m_Cycles.push_back(cycle);
    return fragment;
}

S_Fragment CycleFragment(const C_Configuration& value, std::size_t cycle)
{
    const C_Configuration::S_Cycle& source = value.m_Cycles[cycle];
    S_Fragment fragment = FragmentOf(value, CycleLabel(source.m_Kind, source.m_Number, int(source.m_Steps->size())));
    fragment.m_Parts.m_Cycles.push_back(source);
    return fragment;
}

S_Fragment StepFragment(const C_Configuration& value, std::size_t cycle, std::size_t step)
{
    const C_Configuration::S_Cycle& source = value.m_Cycles[cycle];
    S_Fragment fragment = FragmentOf(value, Text(Msg::Step) + QLatin1Char(' ') + QString::number(step + 1));
    fragment.m_Steps.push_back((*source.m_Steps)[step]);
    return fragment;
}

QString S_PasteLoss::Line() const
{
    const QString steps = QStringLiteral(", %1").arg(m_Steps) + Text(Msg::StepsWord);
    switch (m_Why) {
    case Why::NoField: return Text(Msg::PasteNoField) + QLatin1Char(' ') + m_Key + steps;
    case Why::OutOfRange:
        return Text(Msg::PasteOutOfRange) + QStringLiteral(" %1 %2-%3").arg(m_Key).arg(m_Minimum).arg(m_Maximum) +
               steps;
    case Why::CycleMissing: break;
    }
    return Text(Msg::PasteCycleMissing) + QLatin1Char(' ') + m_Key;
}

QString S_Paste::RefusalLine() const
{
    switch (m_Refusal) {
    case Refusal::NoRoom: return Text(Msg::NoStepsForCycleCopy);
    case Refusal::NoStepRoom: return Text(Msg::NoFreeSteps);
    case Refusal::NoProgramNumber: return Text(Msg::AllProgramNumbersUsed);
    case Refusal::NoCycle: return Text(Msg::PasteNeedsCycle);
    case Refusal::NoPlace: return Text(Msg::TakeNoPlace);
    case Refusal::NotCarried:
        return Text(Msg::TakeNotCarried) + QLatin1Char('\n') + LossLines().join(QLatin1Char('\n'));
    case Refusal::None: break;
    }
    return QString();
}

QStringList S_Paste::LossLines() const
{
    QStringList lines;
    for (const S_PasteLoss& loss : m_Losses)
        lines << loss.Line();
    return lines;
}

S_Paste PlanPaste(const C_Configuration& target, const S_Fragment& fragment, const S_PastePlace& place)
{
    S_Paste paste;
    paste.m_After = target;
    C_Configuration& after = paste.m_After;
    C_StepMapping mapping(fragment.m_Parts, target);
    std::vector<S_PasteLoss> missing;
    const auto refuse = [&](S_Paste::Refusal why) {
        paste.m_After = target;
        paste.m_Refusal = why;
        return paste;
    };

    switch (fragment.Holds()) {
    case S_Fragment::Kind::Steps: {
        if (place.m_Cycle >= after.m_Cycles.size())
            return refuse(S_Paste::Refusal::NoCycle);
        std::size_t at = std::min(place.m_Step, after.m_Cycles[place.m_Cycle].m_Steps->size());
        for (const StepValues& step : fragment.m_Steps)
            if (!ConfigurationEdit::InsertStep(after, place.m_Cycle, at++, mapping.Map(step)))
                return refuse(S_Paste::Refusal::NoStepRoom);
        break;
    }
    case S_Fragment::Kind::Cycles:
        for (const C_Configuration::S_Cycle& cycle : fragment.m_Parts.m_Cycles) {
            const int category = place.m_Category != 0 ? place.m_Category : cycle.Category();
            if (!ConfigurationEdit::AddCycleWithSteps(after, category, FreeCycleNumber(after, category, cycle.m_Number),
                                                      mapping.Map(*cycle.m_Steps)))
                return refuse(S_Paste::Refusal::NoRoom);
        }
        break;
    case S_Fragment::Kind::Programs: {
        std::map<CycleKey, std::int32_t> numbers;
        for (const C_Configuration::S_Cycle& cycle : fragment.m_Parts.m_Cycles) {
            const int category = cycle.Category();
            const std::shared_ptr<const Steps> steps = mapping.Map(*cycle.m_Steps);
            if (const C_Configuration::S_Cycle* same = IdenticalCycle(target, category, *steps)) {
                ++paste.m_Identical;
                if (place.m_ReuseIdentical) {
                    numbers[{category, cycle.m_Number}] = same->m_Number;
                    continue;
                }
            }
            const std::int32_t number = FreeCycleNumber(after, category, cycle.m_Number);
            if (!ConfigurationEdit::AddCycleWithSteps(after, category, number, steps))
                return refuse(S_Paste::Refusal::NoRoom);
            numbers[{category, cycle.m_Number}] = number;
        }
        for (const C_Configuration::S_Program& program : fragment.m_Parts.m_Programs) {
            const int number = FreeProgramNumber(after, program.m_Number);
            if (number == 0)
                return refuse(S_Paste::Refusal::NoProgramNumber);
            ConfigurationEdit::References references;
            for (const C_Configuration::S_Reference& reference : program.m_References) {
                const auto pasted = numbers.find({reference.Category(), reference.m_Number});
                if (reference.m_Linked && pasted != numbers.end()) {
                    references.push_back({reference.m_Kind, pasted->second, true});
                    continue;
                }
                references.push_back({reference.m_Kind, reference.m_Number, false});
                missing.push_back({S_PasteLoss::Why::CycleMissing,
                                   QStringLiteral("%1/%2").arg(reference.Category()).arg(reference.m_Number)});
            }
            ConfigurationEdit::AddProgram(after, number, std::move(references));
        }
        break;
    }
    }
    paste.m_Losses = mapping.Losses();
    paste.m_Losses.insert(paste.m_Losses.end(), missing.begin(), missing.end());
    return paste;
}
