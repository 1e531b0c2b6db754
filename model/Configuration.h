#pragma once

#include "model/Cyclecontent.h"
#include "model/Imagebytes.h"
#include "model/Serviceblock.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <vector>

// A configuration as a value: everything a Save writes or keeps. The window's
// panes show one; undo, dump, diff and the text form read and compare values
// instead of walking the panes each in its own way. Screen state (expanded
// nodes, the current cell) is the window's, not the configuration's.
class C_Configuration
{
public:
    using StepValues = std::array<std::int32_t, C_Step::ValueCount>;
    using Steps = std::vector<StepValues>;
    // The three times of a motor mode, 255 for a time not set.
    using MotorTimes = std::array<int, 3>;

    struct S_Reference
    {
        std::uint32_t m_Kind;
        std::int32_t m_Number;
        // The cycle it names exists.
        bool m_Linked;

        int Category() const;
        bool operator==(const S_Reference& other) const = default;
    };
    struct S_Program
    {
        std::int32_t m_Number;
        std::vector<S_Reference> m_References;

        bool operator==(const S_Program& other) const = default;
    };
    struct S_Cycle
    {
        std::uint32_t m_Kind;
        std::int32_t m_Number;
        // The steps without the closing entry; shared between values while unchanged.
        std::shared_ptr<const Steps> m_Steps;

        int Category() const;
        bool operator==(const S_Cycle& other) const;
    };

    // The steps of every cycle.
    int StepCount() const;
    // The place of the first program of the number, or of the first cycle of the
    // category and number; none when there is none.
    std::optional<std::size_t> FindProgram(int number) const;
    std::optional<std::size_t> FindCycle(int category, int number) const;
    // The service value in the terms of the panel: a flag as 0 or 1, a list entry by index.
    int Service(ServiceParameter parameter) const;
    // The memory the value holds; what is already in counted is not counted again.
    std::size_t Bytes(std::set<const void*>& counted) const;
    // Equal in everything the user edits: the image a Save keeps is not compared.
    bool operator==(const C_Configuration& other) const;

    std::uint16_t m_FormatCode = 0;
    int m_Outputs = 0;
    std::int32_t m_FreeSteps = 0;
    // In the order of ServiceParameters().
    std::vector<int> m_Service;
    // Motor modes 1 to 15.
    std::vector<MotorTimes> m_Motors;
    // In the programs tree's order.
    std::vector<S_Program> m_Programs;
    // By category, then in the order of each category's cycles.
    std::vector<S_Cycle> m_Cycles;
    // The image as the file or the controller delivered it or the last build
    // left it: the bytes no conversion writes come from it.
    std::shared_ptr<const MemoryImage> m_Image;
};
