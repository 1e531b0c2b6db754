#pragma once

#include "model/Steprecord.h"

#include <QString>

#include <cstdint>

// What one step field (one row of the steps grid) is: its kind, its caption in the
// current language, the value of a field that is not used and, for numbers, the
// unit and range. How it is edited and drawn belongs to the window, how it is
// printed to the print jobs.
class C_StepRow
{
public:
    C_StepRow(RowClass kind, const QString& caption, std::int32_t disabledValue, const QString& unit = QString(),
              std::int32_t min = 0, std::int32_t max = 0);
    // A row of a format's table, its caption from the language file.
    explicit C_StepRow(const S_StepRow& row);

    // The caption where the row is listed with its unit (printed cycles).
    QString GetCaption() const;
    // Switching a field on takes it into use (with its first value), off marks it not used.
    void SetEnabled(std::int32_t* value, bool enable) const;

    RowClass m_Class;
    QString m_Caption;
    // The value of a field that is off or not used.
    std::int32_t m_DisabledValue;
    QString m_Unit;
    // Also the value a number takes when it is taken into use.
    std::int32_t m_MinValue;
    std::int32_t m_MaxValue;
};
