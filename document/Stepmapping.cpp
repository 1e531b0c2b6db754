#include "document/Stepmapping.h"

#include "model/Eepromformat.h"

using Steps = C_Configuration::Steps;
using StepValues = C_Configuration::StepValues;

std::vector<S_StepRow> RowsOf(const C_Configuration& value)
{
    return C_EEPROMFormat::RowLayoutOf(*C_EEPROMFormat::DescriptionOf(value.m_FormatCode), value.m_Outputs);
}

C_StepMapping::C_StepMapping(const C_Configuration& from, const C_Configuration& to)
    : m_Same(from.m_FormatCode == to.m_FormatCode && from.m_Outputs == to.m_Outputs)
    , m_From(RowsOf(from))
    , m_To(RowsOf(to))
{
    for (const S_StepRow& row : m_From) {
        int found = -1;
        for (size_t t = 0; t < m_To.size() && *row.m_Key != '\0'; ++t)
            if (QLatin1String(m_To[t].m_Key) == QLatin1String(row.m_Key))
                found = int(t);
        m_Target.push_back(found);
    }
}

StepValues C_StepMapping::Map(const StepValues& step)
{
    if (m_Same)
        return step;
    StepValues mapped{};
    for (size_t t = 0; t < m_To.size(); ++t)
        mapped[t] = m_To[t].m_DisabledValue;
    for (size_t r = 0; r < m_From.size(); ++r) {
        const S_StepRow& row = m_From[r];
        if (*row.m_Key == '\0' || step[r] == row.m_DisabledValue)
            continue;
        if (m_Target[r] < 0) {
            Lose(r, S_PasteLoss::Why::NoField, {});
            continue;
        }
        const S_StepRow& target = m_To[size_t(m_Target[r])];
        const S_TextRange range = StepTextRange(target);
        if (range.m_Flag) {
            mapped[size_t(m_Target[r])] = target.m_Bit;
        } else if (step[r] < range.m_Minimum || step[r] > range.m_Maximum ||
                   (range.m_Unused && step[r] == *range.m_Unused)) {
            Lose(r, S_PasteLoss::Why::OutOfRange, range);
        } else {
            mapped[size_t(m_Target[r])] = step[r];
        }
    }
    return mapped;
}

std::shared_ptr<const Steps> C_StepMapping::Map(const Steps& steps)
{
    auto mapped = std::make_shared<Steps>();
    for (const StepValues& step : steps)
        mapped->push_back(Map(step));
    return mapped;
}

std::vector<S_PasteLoss> C_StepMapping::Losses() const
{
    std::vector<S_PasteLoss> losses;
    for (const auto& [row, loss] : m_Losses)
        losses.push_back(loss);
    return losses;
}

void C_StepMapping::Lose(size_t row, S_PasteLoss::Why why, const S_TextRange& range)
{
    const S_PasteLoss first{why, QLatin1String(m_From[row].m_Key), range.m_Minimum, range.m_Maximum, 0};
    ++m_Losses.try_emplace(row, first).first->second.m_Steps;
}
