#include "editor/Editnumber.h"

#include "desktop/Messagebox.h"
#include "desktop/Updown.h"
#include "language/Language.h"
#include "language/Messages.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include <algorithm>
#include <limits>

namespace {

// One tick per unit, unless that many would merge into a solid band.
int TickInterval(std::int32_t min, std::int32_t max)
{
    return int(std::clamp<std::int64_t>((std::int64_t(max) - min) / 100, 1, std::numeric_limits<int>::max()));
}

} // namespace

TFormEditNumber::TFormEditNumber(QWidget* owner, std::int32_t* value, const QString& unit, std::int32_t max,
                                 std::int32_t min, const QString& prompt, const QString& title)
    : TEditorDialog(owner, {390, 164})
    , Panel1(NewDialogPanel(this, {8, 8, 369, 97}))
    , m_LabelPrompt(NewDialogLabel(Panel1, prompt, {8, 15, 146, 21}, Qt::AlignRight))
    , m_EditField(NewDialogEdit(Panel1, {160, 15, 51, 21}))
    , m_UpDownValue(NewAttachedUpDown(Panel1, m_EditField))
    , m_LabelUnit(NewDialogLabel(Panel1, unit, {236, 15, 125, 21}))
    , m_TrackValue(NewTrackBar(Panel1, {16, 41, 329, 32}, TickInterval(min, max)))
    , m_LabelMinValue(NewDialogLabel(Panel1, QString::number(min), {21, 73, 120, 17}))
    , m_LabelMaxValue(NewDialogLabel(Panel1, QString::number(max), {220, 73, 120, 17}, Qt::AlignRight))
    , m_CancelButton(NewCancelButton({8, 112, 100, 35}, Text(Msg::Cancel)))
    , m_OKButton(NewOkButton({277, 112, 100, 35}))
    , m_Value(value)
    , m_Min(min)
    , m_Max(max)
{
    setWindowTitle(title);
    CoupleTrackBar(m_TrackValue, m_UpDownValue, min, max, *value);
    m_EditField->setText(QString::number(*value));
    connect(m_OKButton, &QPushButton::clicked, this, &TFormEditNumber::m_OKButtonClick);
}

void TFormEditNumber::m_OKButtonClick()
{
    const std::int32_t entry = TypedValue(*m_EditField, *m_UpDownValue);
    // Unsigned, so that a negative entry is out of range whatever the minimum.
    const auto unsignedEntry = std::uint32_t(entry);
    if (unsignedEntry < std::uint32_t(m_Min) || unsignedEntry > std::uint32_t(m_Max))
        C_MessageBox::Show(Text(Msg::ValueOutOfRange), Text(Msg::ValueOutOfRangeTitle), C_MessageBox::Icon::Warning,
                           C_MessageBox::Buttons::Ok, this);
    else
        *m_Value = entry;
    accept();
}
