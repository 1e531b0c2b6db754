#pragma once

#include "model/Cyclecontent.h"

#include <array>
#include <cstdint>
#include <memory>
#include <set>
#include <vector>

class C_ConfigurationPanes;

// Everything a technician can edit in a configuration window, apart from the
// image: programs with their references, cycles with their steps, the motor
// table and the service panel's values. A snapshot restores the panes to it.
class C_ConfigurationSnapshot
{
public:
    // The panes' configuration now; the step lists of cycles that are unchanged
    // since the previous snapshot share its memory.
    static C_ConfigurationSnapshot Take(const C_ConfigurationPanes& panes, std::int32_t freeSteps,
                                        const C_ConfigurationSnapshot* previous);

    // The programs and cycles rebuilt (references linked again by category and
    // number), the motor table and service values set. The panes' signals are the
    // caller's to block.
    void Restore(C_ConfigurationPanes& panes) const;

    std::int32_t FreeSteps() const { return m_FreeSteps; }
    // The memory the snapshot holds; step lists already in counted are not counted again.
    size_t Bytes(std::set<const void*>& counted) const;
    bool operator==(const C_ConfigurationSnapshot& other) const;
    bool operator!=(const C_ConfigurationSnapshot& other) const { return !(*this == other); }

private:
    using Steps = std::vector<std::array<std::int32_t, C_Step::ValueCount>>;

    struct S_Reference
    {
        std::uint32_t m_Kind;
        std::int32_t m_Number;
        bool m_Linked;
        bool operator==(const S_Reference& other) const;
    };
    struct S_Program
    {
        std::int32_t m_Number;
        bool m_Expanded;
        std::vector<S_Reference> m_References;
        bool operator==(const S_Program& other) const;
    };
    struct S_Cycle
    {
        std::uint32_t m_Kind;
        std::int32_t m_Number;
        std::shared_ptr<const Steps> m_Steps;
        bool operator==(const S_Cycle& other) const;
    };

    std::vector<S_Program> m_Programs;
    std::vector<S_Cycle> m_Cycles;
    std::vector<int> m_MotorCells;
    // Up-down positions, combo box entries and check boxes of the service panel, in panel order.
    std::vector<int> m_Service;
    std::int32_t m_FreeSteps = 0;
};
