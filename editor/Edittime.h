#pragma once

#include "desktop/Dialoglook.h"

#include <cstdint>

class C_UpDown;
class QLabel;
class QLineEdit;
class QPushButton;

// Enters a duration as minutes (0 to 255) and seconds (0 to 59). The caller's
// count of seconds is written only on OK.
class TFormEditTime : public TEditorDialog
{
    Q_OBJECT

public:
    TFormEditTime(QWidget* owner, std::uint32_t* value, const QString& title);

    QWidget* Panel1;
    QLabel* m_LabelPrompt;
    QLineEdit* m_EditMinute;
    C_UpDown* m_UpDownMinutes;
    QLabel* m_LabelColon;
    QLineEdit* m_EditSeconds;
    C_UpDown* m_UpDownSeconds;
    QPushButton* m_ButtonCancel;
    QPushButton* m_ButtonOK;

private:
    void ButtonOKClick();

    std::uint32_t* m_Value;
};
