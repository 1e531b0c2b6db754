#pragma once

#include "document/Configurationtext.h"
#include "model/Configuration.h"

#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <vector>

// Fragments cut from a configuration, named by their place in the value: a program
// with every cycle it runs (each once), a cycle, or a step.
S_Fragment ProgramFragment(const C_Configuration& value, std::size_t program);
S_Fragment CycleFragment(const C_Configuration& value, std::size_t cycle);
S_Fragment StepFragment(const C_Configuration& value, std::size_t cycle, std::size_t step);

// Where a fragment goes. Cycles go into the category given (0: each its own);
// loose steps are inserted before the step of the cycle (past the last: appended).
struct S_PastePlace
{
    int m_Category = 0;
    std::size_t m_Cycle = 0;
    std::size_t m_Step = 0;
    // A program's cycle the target already holds step for step is run from there
    // instead of being copied.
    bool m_ReuseIdentical = false;
};

// A field of the fragment's steps that does not carry over into the target, by
// its text-form key, and in how many steps.
struct S_PasteLoss
{
    enum class Why { NoField, OutOfRange, CycleMissing };

    Why m_Why = Why::NoField;
    QString m_Key;
    // The target's range of the field, for OutOfRange.
    std::int64_t m_Minimum = 0;
    std::int64_t m_Maximum = 0;
    int m_Steps = 0;

    // The line a user reads: what is left out, and where.
    QString Line() const;
};

// What a paste brings and what it leaves behind, worked out before anything changes.
struct S_Paste
{
    // NoRoom: a program's or cycle's steps do not fit the budget; NoStepRoom: loose steps do not;
    // NoPlace: the target has nowhere to hold it; NotCarried: its value would be lost (see the losses).
    enum class Refusal { None, NoRoom, NoStepRoom, NoProgramNumber, NoCycle, NoPlace, NotCarried };

    // The configuration with the fragment in it (the target itself when refused).
    C_Configuration m_After;
    std::vector<S_PasteLoss> m_Losses;
    // The fragment's cycles the target already holds step for step, in the same category.
    int m_Identical = 0;
    Refusal m_Refusal = Refusal::None;

    bool Refused() const { return m_Refusal != Refusal::None; }
    // The refusal's line, in the words of the window's own Paste.
    QString RefusalLine() const;
    QStringList LossLines() const;
};

// Programs keep their numbers where free, else take the first free one; so do
// cycles within their category. Step fields are matched by text-form key, so a
// fragment pastes into any format and output count; what the target cannot hold
// is left out and listed. A paste whose steps do not fit the budget is refused whole.
S_Paste PlanPaste(const C_Configuration& target, const S_Fragment& fragment, const S_PastePlace& place);
