#include "model/Cyclecontent.h"

#include <algorithm>

C_CycleContent::C_CycleContent()
{
    m_Steps.push_back(std::make_unique<C_Step>());
}

C_Step* C_CycleContent::InsertStep(std::int16_t position)
{
    const int last = int(m_Steps.size()) - 1;
    const int at = std::clamp(int(position), 0, last);
    return m_Steps.insert(m_Steps.begin() + at, std::make_unique<C_Step>())->get();
}

void C_CycleContent::RemoveStep(int position)
{
    // The closing entry is never removed.
    if (position >= 0 && position < int(m_Steps.size()) - 1)
        m_Steps.erase(m_Steps.begin() + position);
}

C_Step* C_CycleContent::GetStep(int position) const
{
    if (position < 0 || position >= int(m_Steps.size()))
        return nullptr;
    return m_Steps[size_t(position)].get();
}
