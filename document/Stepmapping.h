#pragma once

#include "document/Fragments.h"
#include "model/Configuration.h"
#include "model/Steprow.h"

#include <cstddef>
#include <map>
#include <memory>
#include <vector>

// The step rows of the value's format and output count.
std::vector<S_StepRow> RowsOf(const C_Configuration& value);

// Carries steps of one format and output count into another by the fields' keys,
// counting per field the steps whose value stays behind.
class C_StepMapping
{
public:
    C_StepMapping(const C_Configuration& from, const C_Configuration& to);

    C_Configuration::StepValues Map(const C_Configuration::StepValues& step);
    std::shared_ptr<const C_Configuration::Steps> Map(const C_Configuration::Steps& steps);
    // In the order of the source's rows.
    std::vector<S_PasteLoss> Losses() const;

private:
    void Lose(std::size_t row, S_PasteLoss::Why why, const S_TextRange& range);

    bool m_Same;
    std::vector<S_StepRow> m_From;
    std::vector<S_StepRow> m_To;
    // By row of m_From: its row in m_To, or -1.
    std::vector<int> m_Target;
    // By row of m_From: a row loses its value for one reason only.
    std::map<std::size_t, S_PasteLoss> m_Losses;
};
