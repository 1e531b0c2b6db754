#include "model/Configuration.h"

#include "model/Nodedata.h"
#include "model/Serviceblock.h"

int C_Configuration::S_Reference::Category() const
{
    return NodeKind::CategoryCode(m_Kind);
}

int C_Configuration::S_Cycle::Category() const
{
    return NodeKind::CategoryCode(m_Kind);
}

bool C_Configuration::S_Cycle::operator==(const S_Cycle& other) const
{
    return m_Kind == other.m_Kind && m_Number == other.m_Number &&
           (m_Steps == other.m_Steps || *m_Steps == *other.m_Steps);
}

bool C_Configuration::operator==(const C_Configuration& other) const
{
    return m_FormatCode == other.m_FormatCode && m_Outputs == other.m_Outputs && m_FreeSteps == other.m_FreeSteps &&
           m_Service == other.m_Service && m_Motors == other.m_Motors && m_Programs == other.m_Programs &&
           m_Cycles == other.m_Cycles;
}

int C_Configuration::StepCount() const
{
    std::size_t steps = 0;
    for (const S_Cycle& cycle : m_Cycles)
        steps += cycle.m_Steps->size();
    return int(steps);
}

std::optional<std::size_t> C_Configuration::FindProgram(int number) const
{
    for (std::size_t p = 0; p < m_Programs.size(); ++p)
        if (m_Programs[p].m_Number == number)
            return p;
    return std::nullopt;
}

std::optional<std::size_t> C_Configuration::FindCycle(int category, int number) const
{
    for (std::size_t c = 0; c < m_Cycles.size(); ++c)
        if (m_Cycles[c].Category() == category && m_Cycles[c].m_Number == number)
            return c;
    return std::nullopt;
}

int C_Configuration::Service(ServiceParameter parameter) const
{
    const std::vector<S_ServiceParameter>& parameters = ServiceParameters();
    for (size_t i = 0; i < parameters.size() && i < m_Service.size(); ++i)
        if (parameters[i].m_Parameter == parameter)
            return m_Service[i];
    return 0;
}

std::size_t C_Configuration::Bytes(std::set<const void*>& counted) const
{
    std::size_t bytes = sizeof(*this) + m_Service.size() * sizeof(int) + m_Motors.size() * sizeof(MotorTimes);
    for (const S_Program& program : m_Programs)
        bytes += sizeof(program) + program.m_References.size() * sizeof(S_Reference);
    for (const S_Cycle& cycle : m_Cycles) {
        bytes += sizeof(cycle);
        if (counted.insert(cycle.m_Steps.get()).second)
            bytes += sizeof(Steps) + cycle.m_Steps->size() * sizeof(StepValues);
    }
    if (m_Image != nullptr && counted.insert(m_Image.get()).second)
        bytes += sizeof(MemoryImage) + m_Image->size();
    return bytes;
}
