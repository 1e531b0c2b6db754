#include "editor/Edittime.h"

#include "desktop/Updown.h"
#include "language/Language.h"
#include "language/Messages.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

TFormEditTime::TFormEditTime(QWidget* owner, std::uint32_t* value, const QString& title)
    : TEditorDialog(owner, {249, 125})
    , Panel1(NewDialogPanel(this, {16, 16, 217, 60}))
    , m_LabelPrompt(NewDialogLabel(Panel1, Text(Msg::TimeInMinutesAndSeconds), {12, 5, 193, 17}, Qt::AlignHCenter))
    , m_EditMinute(NewDialogEdit(Panel1, {36, 28, 40, 21}))
    , m_UpDownMinutes(NewAttachedUpDown(Panel1, m_EditMinute))
    , m_LabelColon(NewDialogLabel(Panel1, QStringLiteral(":"), {93, 28, 27, 21}, Qt::AlignHCenter))
    , m_EditSeconds(NewDialogEdit(Panel1, {120, 28, 40, 21}))
    , m_UpDownSeconds(NewAttachedUpDown(Panel1, m_EditSeconds))
    , m_ButtonCancel(NewCancelButton({16, 83, 100, 35}, Text(Msg::Cancel)))
    , m_ButtonOK(NewOkButton({133, 83, 100, 35}))
    , m_Value(value)
{
    setWindowTitle(title);
    m_UpDownMinutes->SetRange(0, 255);
    m_UpDownMinutes->SetPosition(int(std::min<std::uint32_t>(*value / 60, 255)));
    m_UpDownSeconds->SetRange(0, 59);
    m_UpDownSeconds->SetPosition(int(*value % 60));
    FollowTypedText(m_EditMinute, m_UpDownMinutes);
    FollowTypedText(m_EditSeconds, m_UpDownSeconds);
    m_EditMinute->setAccessibleName(m_LabelPrompt->text() + QStringLiteral(", ") + Text(Msg::MinutesBox));
    m_EditSeconds->setAccessibleName(m_LabelPrompt->text() + QStringLiteral(", ") + Text(Msg::SecondsBox));
    connect(m_ButtonOK, &QPushButton::clicked, this, &TFormEditTime::ButtonOKClick);
}

void TFormEditTime::ButtonOKClick()
{
    *m_Value = std::uint32_t(m_UpDownMinutes->Position() * 60 + m_UpDownSeconds->Position());
    accept();
}
