#include "model/Configurationedits.h"

#include "model/Nodedata.h"

#include <algorithm>
#include <cassert>

namespace ConfigurationEdit {

namespace {

using S_Cycle = C_Configuration::S_Cycle;
using Steps = C_Configuration::Steps;

// The budget's rule: a reservation always leaves one record free.
bool Reserve(C_Configuration& value, std::int32_t count)
{
    if (value.m_FreeSteps - count < 1)
        return false;
    value.m_FreeSteps -= count;
    return true;
}

// Giving back never makes more room than the records.
void Release(C_Configuration& value, std::int32_t count, std::int32_t records)
{
    value.m_FreeSteps = std::min(value.m_FreeSteps + count, records);
}

// Where a new cycle of the category goes: after the last one of its category.
std::size_t EndOfCategory(const C_Configuration& value, int category)
{
    std::size_t place = 0;
    for (std::size_t i = 0; i < value.m_Cycles.size(); ++i)
        if (value.m_Cycles[i].Category() <= category)
            place = i + 1;
    return place;
}

bool Names(const C_Configuration::S_Reference& reference, const S_Cycle& cycle)
{
    return reference.m_Linked && reference.Category() == cycle.Category() && reference.m_Number == cycle.m_Number;
}

Steps& EditableSteps(C_Configuration& value, std::size_t cycle)
{
    // Values share unchanged step lists: a change gets its own.
    auto steps = std::make_shared<Steps>(*value.m_Cycles[cycle].m_Steps);
    Steps& editable = *steps;
    value.m_Cycles[cycle].m_Steps = std::move(steps);
    return editable;
}

} // namespace

std::size_t AddProgram(C_Configuration& value, int number, References references)
{
    value.m_Programs.push_back({number, std::move(references)});
    return value.m_Programs.size() - 1;
}

void RemoveProgram(C_Configuration& value, std::size_t program)
{
    value.m_Programs.erase(value.m_Programs.begin() + std::ptrdiff_t(program));
}

void RemoveReference(C_Configuration& value, std::size_t program, std::size_t reference)
{
    References& references = value.m_Programs[program].m_References;
    references.erase(references.begin() + std::ptrdiff_t(reference));
}

void RenumberProgram(C_Configuration& value, std::size_t program, int number)
{
    value.m_Programs[program].m_Number = number;
}

void LinkCycle(C_Configuration& value, std::size_t program, std::size_t position, std::size_t cycle)
{
    const S_Cycle& linked = value.m_Cycles[cycle];
    References& references = value.m_Programs[program].m_References;
    references.insert(references.begin() + std::ptrdiff_t(std::min(position, references.size())),
                      {NodeKind::CycleReferenceWord | (linked.m_Kind & NodeKind::CategoryMask), linked.m_Number, true});
}

std::size_t AddCycle(C_Configuration& value, int category, int number)
{
    const std::size_t place = EndOfCategory(value, category);
    value.m_Cycles.insert(value.m_Cycles.begin() + std::ptrdiff_t(place),
                          {NodeKind::CycleWord | NodeKind::CategoryBits(category), number, std::make_shared<Steps>()});
    return place;
}

bool AddCycleWithSteps(C_Configuration& value, int category, int number, std::shared_ptr<const Steps> steps)
{
    // The closing entry counts too: the cycle needs room for its steps with one record left.
    if (!Reserve(value, std::int32_t(steps->size())))
        return false;
    value.m_Cycles[AddCycle(value, category, number)].m_Steps = std::move(steps);
    return true;
}

bool CopyCycle(C_Configuration& value, std::size_t source, int category, int number)
{
    return AddCycleWithSteps(value, category, number, value.m_Cycles[source].m_Steps);
}

void RemoveCycle(C_Configuration& value, std::size_t cycle, std::int32_t records)
{
    const S_Cycle& gone = value.m_Cycles[cycle];
    for (C_Configuration::S_Program& program : value.m_Programs)
        for (C_Configuration::S_Reference& reference : program.m_References)
            if (Names(reference, gone))
                reference.m_Linked = false;
    Release(value, std::int32_t(gone.m_Steps->size()), records);
    value.m_Cycles.erase(value.m_Cycles.begin() + std::ptrdiff_t(cycle));
}

void RenumberCycle(C_Configuration& value, std::size_t cycle, int number)
{
    S_Cycle& renamed = value.m_Cycles[cycle];
    for (C_Configuration::S_Program& program : value.m_Programs)
        for (C_Configuration::S_Reference& reference : program.m_References)
            if (Names(reference, renamed))
                reference.m_Number = number;
    renamed.m_Number = number;
}

bool InsertStep(C_Configuration& value, std::size_t cycle, std::size_t position,
                const C_Configuration::StepValues& step)
{
    if (!Reserve(value, 1))
        return false;
    Steps& steps = EditableSteps(value, cycle);
    steps.insert(steps.begin() + std::ptrdiff_t(std::min(position, steps.size())), step);
    return true;
}

void RemoveStep(C_Configuration& value, std::size_t cycle, std::size_t position, std::int32_t records)
{
    Steps& steps = EditableSteps(value, cycle);
    steps.erase(steps.begin() + std::ptrdiff_t(position));
    Release(value, 1, records);
}

void SetSteps(C_Configuration& value, std::size_t cycle, Steps steps)
{
    assert(steps.size() == value.m_Cycles[cycle].m_Steps->size());
    if (steps != *value.m_Cycles[cycle].m_Steps)
        value.m_Cycles[cycle].m_Steps = std::make_shared<const Steps>(std::move(steps));
}

C_CycleContent ContentOf(const C_Configuration::Steps& steps)
{
    C_CycleContent content;
    for (std::size_t k = 0; k < steps.size(); ++k)
        content.InsertStep(std::int16_t(k))->m_Values = steps[k];
    return content;
}

C_Configuration::Steps StepsOf(const C_CycleContent& content)
{
    C_Configuration::Steps steps;
    for (int k = 0; k + 1 < content.StepCount(); ++k)
        steps.push_back(content.GetStep(k)->m_Values);
    return steps;
}

void SetMotorTime(C_Configuration& value, int mode, int column, int time)
{
    value.m_Motors[std::size_t(mode - 1)][std::size_t(column - 1)] = time;
}

void SetService(C_Configuration& value, ServiceParameter parameter, int setting)
{
    const std::vector<S_ServiceParameter>& parameters = ServiceParameters();
    for (std::size_t i = 0; i < parameters.size() && i < value.m_Service.size(); ++i)
        if (parameters[i].m_Parameter == parameter)
            value.m_Service[i] = setting;
}

} // namespace ConfigurationEdit
