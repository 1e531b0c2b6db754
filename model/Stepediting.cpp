// The rules between the fields of a step, kept whenever a cell of the step grid is
// edited: one end condition at a time, one special function at a time, and the
// temperature never above the second temperature.
#include "model/Eepromformat.h"

#include "app/Messagebox.h"
#include "editor/Configurationpanes.h"
#include "editor/Editbalanced.h"
#include "editor/Editcooling.h"
#include "editor/Editnumber.h"
#include "editor/Rowproperties.h"
#include "language/Language.h"
#include "model/Cyclecontent.h"

#include <QFont>
#include <QPainter>
#include <QTableWidget>

namespace {

constexpr std::int32_t UnusedNumber = 255;
constexpr std::int32_t UnusedTime = 15555;
constexpr std::int32_t LowestTemperature = 2;
constexpr std::int32_t HighestFunctionTemperature = 93;

C_MessageBox::Answer Tell(std::int16_t text, std::int16_t caption, C_MessageBox::Icon icon, QWidget* owner,
                          C_MessageBox::Buttons buttons = C_MessageBox::Buttons::Ok)
{
    return C_MessageBox::Show(Text(text), Text(caption), icon, buttons, owner);
}

// The time fields are seconds; the dialogs take them unsigned.
std::uint32_t* Seconds(std::int32_t& value)
{
    return reinterpret_cast<std::uint32_t*>(&value);
}

void DrawBold(QPainter& canvas, const QRect& rect, const QString& text, bool centred)
{
    canvas.save();
    QFont bold = canvas.font();
    bold.setBold(true);
    canvas.setFont(bold);
    canvas.drawText(rect, (centred ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignTop) | Qt::TextSingleLine, text);
    canvas.restore();
}

} // namespace

void C_EEPROMFormat::EditStepField(C_CycleContent& content, int column, int row)
{
    const std::int32_t i = row - 1;
    C_Step* step = column >= 1 && column < content.StepCount() ? content.GetStep(column - 1) : nullptr;
    if (step == nullptr || i < 0 || i >= std::int32_t(m_Rows.size()))
        return;
    std::int32_t* v = step->m_Values.data();
    const bool levelFree = v[m_LevelRow] == UnusedNumber;
    const bool temperatureFree = v[m_TemperatureRow] == UnusedNumber;
    const bool timeFree = v[m_TimeRow] == UnusedTime;
    const auto endConditionTaken = [this] { Tell(20, 21, C_MessageBox::Icon::Information, &m_Window); };

    if (i == m_CoolingRow || i == m_BalancedFeedRow || i == m_TemperatureFunctionRow)
        EditSpecialFunction(*step, i);
    else if (i == m_SecondLevelRow)
        Tell(18, 19, C_MessageBox::Icon::Information, &m_Window);
    else if (i == m_SecondTemperatureRow)
        Tell(18, 17, C_MessageBox::Icon::Information, &m_Window);
    else if (i == m_LevelRow)
        temperatureFree && timeFree ? m_Rows[size_t(i)]->Edit(&v[i]) : endConditionTaken();
    else if (i == m_TimeRow)
        temperatureFree && levelFree ? m_Rows[size_t(i)]->Edit(&v[i]) : endConditionTaken();
    else if (i == m_TemperatureRow)
        timeFree && levelFree ? EditTemperature(*step) : endConditionTaken();
    else if (i != m_TimeLimitRow || m_Description.m_TimeLimitEditable)
        m_Rows[size_t(i)]->Edit(&v[i]);
}

void C_EEPROMFormat::EditTemperature(C_Step& step)
{
    std::int32_t& temperature = step.m_Values[size_t(m_TemperatureRow)];
    const std::int32_t second = step.m_Values[size_t(m_SecondTemperatureRow)];
    for (;;) {
        m_Rows[size_t(m_TemperatureRow)]->Edit(&temperature);
        if (second == UnusedNumber || second >= temperature)
            return;
        if (Tell(22, 21, C_MessageBox::Icon::Information, &m_Window, C_MessageBox::Buttons::OkCancel) ==
            C_MessageBox::Answer::Cancel) {
            temperature = UnusedNumber;
            return;
        }
    }
}

void C_EEPROMFormat::EditSpecialFunction(C_Step& step, std::int32_t row)
{
    for (const std::int32_t other : {m_CoolingRow, m_BalancedFeedRow, m_TemperatureFunctionRow})
        if (other != row && step.m_Values[size_t(other)] != 0) {
            Tell(14, 15, C_MessageBox::Icon::Warning, &m_Window);
            return;
        }

    // The dialogs work on a copy, so that Cancel leaves the step as it was.
    C_Step snapshot;
    snapshot.CopyValues(step);
    auto& s = snapshot.m_Values;
    const bool timeLimit = m_Description.m_TimeLimitEditable;
    const bool switchOn = step.m_Values[size_t(row)] == 0;
    if (row == m_CoolingRow) {
        if (switchOn) {
            s[size_t(m_SecondLevelRow)] = s[size_t(m_LevelRow)] = 0;
            s[size_t(m_TemperatureRow)] = LowestTemperature;
            s[size_t(m_TimeLimitRow)] = 0;
            TEditCoolingForm dialog(&m_Window, timeLimit, Seconds(s[size_t(m_TimeLimitRow)]),
                                    &s[size_t(m_TemperatureRow)], &s[size_t(m_LevelRow)], &s[size_t(m_SecondLevelRow)]);
            if (dialog.exec() != QDialog::Accepted)
                return;
        } else {
            s[size_t(m_SecondLevelRow)] = s[size_t(m_LevelRow)] = s[size_t(m_TemperatureRow)] = UnusedNumber;
            s[size_t(m_TimeLimitRow)] = UnusedTime;
        }
    } else if (row == m_BalancedFeedRow) {
        if (switchOn) {
            s[size_t(m_LevelRow)] = 0;
            s[size_t(m_SecondTemperatureRow)] = LowestTemperature;
            s[size_t(m_TimeLimitRow)] = 0;
            TEditBalancedFeedForm dialog(&m_Window, timeLimit, Seconds(s[size_t(m_TimeLimitRow)]),
                                         &s[size_t(m_SecondTemperatureRow)], &s[size_t(m_LevelRow)]);
            if (dialog.exec() != QDialog::Accepted)
                return;
        } else {
            s[size_t(m_LevelRow)] = s[size_t(m_SecondTemperatureRow)] = UnusedNumber;
            s[size_t(m_TimeLimitRow)] = UnusedTime;
        }
    } else if (switchOn) {
        s[size_t(m_SecondTemperatureRow)] = LowestTemperature;
        TFormEditNumber dialog(&m_Window, &s[size_t(m_SecondTemperatureRow)], QStringLiteral("\u00B0C"),
                               HighestFunctionTemperature, LowestTemperature, Text(17), Text(16));
        if (dialog.exec() != QDialog::Accepted)
            return;
    } else {
        s[size_t(m_SecondTemperatureRow)] = UnusedNumber;
    }

    step.m_Values[size_t(row)] = switchOn ? 1 : 0;
    for (const std::int32_t written : {m_LevelRow, m_TemperatureRow, m_TimeRow, m_SecondLevelRow,
                                       m_SecondTemperatureRow})
        step.m_Values[size_t(written)] = s[size_t(written)];
    if (timeLimit)
        step.m_Values[size_t(m_TimeLimitRow)] = s[size_t(m_TimeLimitRow)];
}

void C_EEPROMFormat::SetStepFieldEnabled(C_CycleContent& content, int column, int row, bool enable)
{
    const std::int32_t i = row - 1;
    // The closing entry is never filled, so there is nothing in it to switch.
    C_Step* step = column >= 1 && column < content.StepCount() ? content.GetStep(column - 1) : nullptr;
    if (step == nullptr || i < 0 || i >= std::int32_t(m_Rows.size()))
        return;
    if (i == m_TimeLimitRow && !m_Description.m_TimeLimitEditable)
        return;
    m_Rows[size_t(i)]->SetEnabled(&step->m_Values[size_t(i)], enable);
}

void C_EEPROMFormat::DrawStepCell(QPainter& canvas, const QTableWidget& grid, const C_CycleContent& content,
                                  const QString& cycleCaption, int column, int row, const QRect& rect) const
{
    const int last = grid.columnCount() - 1;
    if (row == 0) {
        if (column == 0) {
            canvas.save();
            canvas.setPen(Qt::white);
            DrawBold(canvas, rect, cycleCaption, true);
            canvas.restore();
        } else {
            DrawBold(canvas, rect, column == last ? Text(23) : QStringLiteral("  ") + QString::number(column), false);
        }
        return;
    }
    if (row > std::int32_t(m_Rows.size()))
        return;
    C_RowProperty& descriptor = *m_Rows[size_t(row - 1)];
    if (column == 0) {
        const std::int32_t none = 0;
        descriptor.DrawCell(canvas, grid, column, row, rect, &none, false);
        return;
    }
    const C_Step* step = content.GetStep(column - 1);
    const bool highlighted = column == grid.currentColumn() || row == grid.currentRow();
    descriptor.DrawCell(canvas, grid, column, row, rect, step != nullptr ? &step->m_Values[size_t(row - 1)] : nullptr,
                        highlighted);
}
