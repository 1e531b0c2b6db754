#include "document/Takedifference.h"

#include "document/Stepmapping.h"
#include "model/Configurationedits.h"
#include "model/Eepromformat.h"
#include "model/Formatdescription.h"

#include <algorithm>

namespace {

using Refusal = S_Paste::Refusal;

class C_Take
{
public:
    C_Take(const C_Configuration& target, const C_Configuration& source)
        : m_Target(target)
        , m_Source(source)
        , m_Mapping(source, target)
        , m_Description(*C_EEPROMFormat::DescriptionOf(target.m_FormatCode))
    {
        m_Paste.m_After = target;
    }

    S_Paste Run(const S_Difference& difference)
    {
        const Refusal refusal = Take(difference);
        const std::vector<S_PasteLoss> losses = m_Mapping.Losses();
        m_Paste.m_Losses.insert(m_Paste.m_Losses.end(), losses.begin(), losses.end());
        if (refusal != Refusal::None) {
            m_Paste.m_After = m_Target;
            m_Paste.m_Refusal = refusal;
        }
        return std::move(m_Paste);
    }

private:
    Refusal Take(const S_Difference& difference)
    {
        switch (difference.m_Kind) {
        case S_Difference::Kind::Format: return Refusal::NoPlace;
        case S_Difference::Kind::Service: return Service(difference.m_Service);
        case S_Difference::Kind::Motor: return Motor(difference.m_MotorMode, difference.m_MotorColumn);
        case S_Difference::Kind::Program: return Program(difference.m_Program);
        case S_Difference::Kind::Cycle: return Cycle(difference.m_Category, difference.m_Cycle);
        case S_Difference::Kind::Step:
        case S_Difference::Kind::StepField: break;
        }
        const std::optional<std::size_t> to = After().FindCycle(difference.m_Category, difference.m_Cycle);
        const std::optional<std::size_t> from = m_Source.FindCycle(difference.m_Category, difference.m_Cycle);
        if (!to || !from || difference.m_Step < 0)
            return Refusal::NoPlace;
        const std::size_t step = std::size_t(difference.m_Step);
        if (difference.m_Kind == S_Difference::Kind::Step)
            return Step(*to, *m_Source.m_Cycles[*from].m_Steps, step);
        return Field(*to, *m_Source.m_Cycles[*from].m_Steps, step, difference.m_RowA, difference.m_RowB);
    }

    Refusal Service(ServiceParameter parameter)
    {
        if (!ServiceTextRange(m_Description, parameter))
            return Refusal::NoPlace;
        ConfigurationEdit::SetService(After(), parameter, m_Source.Service(parameter));
        return Refusal::None;
    }

    Refusal Motor(int mode, int column)
    {
        if (mode < 1 || std::size_t(mode) > std::min(After().m_Motors.size(), m_Source.m_Motors.size()) || column < 1 ||
            column > int(C_Configuration::MotorTimes().size()))
            return Refusal::NoPlace;
        ConfigurationEdit::SetMotorTime(After(), mode, column,
                                        m_Source.m_Motors[std::size_t(mode - 1)][std::size_t(column - 1)]);
        return Refusal::None;
    }

    Refusal Program(int number)
    {
        const std::optional<std::size_t> to = After().FindProgram(number);
        const std::optional<std::size_t> from = m_Source.FindProgram(number);
        if (!from) {
            if (to)
                ConfigurationEdit::RemoveProgram(After(), *to);
            return Refusal::None;
        }
        ConfigurationEdit::References references = m_Source.m_Programs[*from].m_References;
        for (C_Configuration::S_Reference& reference : references) {
            const int category = reference.Category();
            if (reference.m_Linked && !After().FindCycle(category, reference.m_Number)) {
                const Refusal added = Cycle(category, reference.m_Number);
                if (added != Refusal::None)
                    return added;
            }
            reference.m_Linked = After().FindCycle(category, reference.m_Number).has_value();
        }
        if (to)
            After().m_Programs[*to].m_References = std::move(references);
        else
            ConfigurationEdit::AddProgram(After(), number, std::move(references));
        return Refusal::None;
    }

    Refusal Cycle(int category, int number)
    {
        const std::optional<std::size_t> from = m_Source.FindCycle(category, number);
        if (const std::optional<std::size_t> to = After().FindCycle(category, number))
            ConfigurationEdit::RemoveCycle(After(), *to, Records());
        if (!from)
            return Refusal::None;
        if (!ConfigurationEdit::AddCycleWithSteps(After(), category, number,
                                                  m_Mapping.Map(*m_Source.m_Cycles[*from].m_Steps)))
            return Refusal::NoRoom;
        // The target's programs that name the cycle run it again.
        for (C_Configuration::S_Program& program : After().m_Programs)
            for (C_Configuration::S_Reference& reference : program.m_References)
                if (reference.Category() == category && reference.m_Number == number)
                    reference.m_Linked = true;
        return Refusal::None;
    }

    Refusal Step(std::size_t cycle, const C_Configuration::Steps& from, std::size_t step)
    {
        const std::size_t count = After().m_Cycles[cycle].m_Steps->size();
        if (step >= from.size()) {
            // B's cycle ends before the step: so does A's.
            for (std::size_t last = count; last > step; --last)
                ConfigurationEdit::RemoveStep(After(), cycle, last - 1, Records());
            return Refusal::None;
        }
        if (step < count) {
            C_Configuration::Steps steps = *After().m_Cycles[cycle].m_Steps;
            steps[step] = m_Mapping.Map(from[step]);
            ConfigurationEdit::SetSteps(After(), cycle, std::move(steps));
            return Refusal::None;
        }
        // A step past the end of A's cycle comes with those of B before it, so that it is A's step of that number too.
        for (std::size_t added = count; added <= step; ++added)
            if (!ConfigurationEdit::InsertStep(After(), cycle, added, m_Mapping.Map(from[added])))
                return Refusal::NoStepRoom;
        return Refusal::None;
    }

    Refusal Field(std::size_t cycle, const C_Configuration::Steps& from, std::size_t step, int rowTo, int rowFrom)
    {
        C_Configuration::Steps steps = *After().m_Cycles[cycle].m_Steps;
        const std::vector<S_StepRow> rowsFrom = RowsOf(m_Source);
        if (step >= from.size() || step >= steps.size() || rowTo < 0 || rowFrom < 0 ||
            std::size_t(rowTo) >= RowsOf(After()).size() || std::size_t(rowFrom) >= rowsFrom.size())
            return Refusal::NoPlace;
        // Only this field is taken: what the step's other fields would lose is not lost.
        C_StepMapping mapping(m_Source, m_Target);
        const C_Configuration::StepValues mapped = mapping.Map(from[step]);
        const QLatin1String key(rowsFrom[std::size_t(rowFrom)].m_Key);
        for (const S_PasteLoss& loss : mapping.Losses())
            if (loss.m_Key == key) {
                m_Paste.m_Losses.push_back(loss);
                return Refusal::NotCarried;
            }
        steps[step][std::size_t(rowTo)] = mapped[std::size_t(rowTo)];
        ConfigurationEdit::SetSteps(After(), cycle, std::move(steps));
        return Refusal::None;
    }

    C_Configuration& After() { return m_Paste.m_After; }
    std::int32_t Records() const { return m_Description.m_Layout.m_StepRecords; }

    const C_Configuration& m_Target;
    const C_Configuration& m_Source;
    C_StepMapping m_Mapping;
    const S_FormatDescription& m_Description;
    S_Paste m_Paste;
};

} // namespace

S_Paste PlanTake(const C_Configuration& target, const C_Configuration& source, const S_Difference& difference)
{
    return C_Take(target, source).Run(difference);
}
