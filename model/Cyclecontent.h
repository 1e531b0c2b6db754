#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

// One column of the step grid: a value for each row of the format's row list.
class C_Step
{
public:
    static constexpr int ValueCount = 50;

    void CopyValues(const C_Step& source) { m_Values = source.m_Values; }

    std::array<std::int32_t, ValueCount> m_Values{};
};

// A cycle's steps, always followed by the closing entry: the place where a step
// is appended, which is never filled and never stored.
class C_CycleContent
{
public:
    C_CycleContent();

    // Inserts a new step before the entry at the position and returns it. The
    // closing entry stays last: a position past the steps appends after them.
    C_Step* InsertStep(std::int16_t position);
    // Removes the step at the position; any other position (the closing entry
    // included) changes nothing.
    void RemoveStep(int position);
    // Entries, closing entry included.
    std::uint16_t StepCount() const { return static_cast<std::uint16_t>(m_Steps.size()); }
    // The entry at the position, or null outside the list.
    C_Step* GetStep(int position) const;

    std::vector<std::unique_ptr<C_Step>> m_Steps;
};
