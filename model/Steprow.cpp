#include "model/Steprow.h"

#include "language/Language.h"
#include "language/Messages.h"

C_StepRow::C_StepRow(RowClass kind, const QString& caption, std::int32_t disabledValue, const QString& unit,
                     std::int32_t min, std::int32_t max)
    : m_Class(kind)
    , m_Caption(caption)
    , m_DisabledValue(disabledValue)
    , m_Unit(unit)
    , m_MinValue(min)
    , m_MaxValue(max)
{
}

C_StepRow::C_StepRow(const S_StepRow& row)
    : C_StepRow(row.m_Class, Text(row.m_Caption), row.m_DisabledValue,
                row.m_Unit != nullptr ? QString::fromUtf8(row.m_Unit) : QString(), row.m_Min, row.m_Max)
{
}

QString C_StepRow::GetCaption() const
{
    switch (m_Class) {
    case RowClass::Number: return m_Caption + QStringLiteral(" [") + m_Unit + QLatin1Char(']');
    case RowClass::Time: return m_Caption + Text(Msg::TimeUnitSpaced);
    default: return m_Caption;
    }
}

void C_StepRow::SetEnabled(std::int32_t* value, bool enable) const
{
    // The value a field takes when it is taken into use: the lowest number, no time, the first motor mode.
    std::int32_t first = 0;
    switch (m_Class) {
    case RowClass::Separator:
    case RowClass::Boolean: return;
    case RowClass::Out: *value = enable ? 1 : 0; return;
    case RowClass::Number: first = m_MinValue; break;
    case RowClass::Time: first = 0; break;
    case RowClass::Motor: first = 1; break;
    }
    if (!enable)
        *value = m_DisabledValue;
    else if (*value == m_DisabledValue)
        *value = first;
}
