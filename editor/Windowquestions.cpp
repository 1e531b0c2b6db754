#include "editor/Windowquestions.h"

#include "desktop/Messagebox.h"
#include "editor/Editbalanced.h"
#include "editor/Editcooling.h"
#include "editor/Editnumber.h"
#include "editor/Rowproperties.h"
#include "language/Language.h"

namespace {

// The time fields are seconds; the dialogs take them unsigned.
std::uint32_t* Seconds(std::int32_t& value)
{
    return reinterpret_cast<std::uint32_t*>(&value);
}

} // namespace

C_WindowQuestions::C_WindowQuestions(QWidget& owner, const std::vector<std::unique_ptr<C_RowProperty>>& rows)
    : m_Owner(owner)
    , m_Rows(rows)
{
}

bool C_WindowQuestions::Tell(std::int16_t text, std::int16_t caption, Notice notice, bool offerCancel)
{
    const C_MessageBox::Icon icon =
        notice == Notice::Warning ? C_MessageBox::Icon::Warning : C_MessageBox::Icon::Information;
    return C_MessageBox::Show(Text(text), Text(caption), icon,
                              offerCancel ? C_MessageBox::Buttons::OkCancel : C_MessageBox::Buttons::Ok,
                              &m_Owner) != C_MessageBox::Answer::Cancel;
}

void C_WindowQuestions::EditField(std::int32_t row, std::int32_t* value)
{
    if (row >= 0 && std::size_t(row) < m_Rows.size())
        m_Rows[std::size_t(row)]->Edit(value);
}

bool C_WindowQuestions::EditCooling(bool showTimeLimit, std::int32_t& timeLimit, std::int32_t& temperature,
                                    std::int32_t& level, std::int32_t& secondLevel)
{
    TEditCoolingForm dialog(&m_Owner, showTimeLimit, Seconds(timeLimit), &temperature, &level, &secondLevel);
    return dialog.exec() == QDialog::Accepted;
}

bool C_WindowQuestions::EditBalancedFeed(bool showTimeLimit, std::int32_t& timeLimit, std::int32_t& secondTemperature,
                                         std::int32_t& level)
{
    TEditBalancedFeedForm dialog(&m_Owner, showTimeLimit, Seconds(timeLimit), &secondTemperature, &level);
    return dialog.exec() == QDialog::Accepted;
}

bool C_WindowQuestions::EditNumber(std::int32_t& value, const QString& unit, std::int32_t min, std::int32_t max,
                                   std::int16_t prompt, std::int16_t title)
{
    TFormEditNumber dialog(&m_Owner, &value, unit, max, min, Text(prompt), Text(title));
    return dialog.exec() == QDialog::Accepted;
}
