#pragma once

#include "desktop/Dialoglook.h"

#include <cstdint>

class C_UpDown;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

// Enters one integer within a range, with its unit, a track bar and an up-down.
// The caller's value is written only on OK, and only when the entry is in range.
class TFormEditNumber : public TEditorDialog
{
    Q_OBJECT

public:
    TFormEditNumber(QWidget* owner, std::int32_t* value, const QString& unit, std::int32_t max, std::int32_t min,
                    const QString& prompt, const QString& title);

    QWidget* Panel1;
    QLabel* m_LabelPrompt;
    QLineEdit* m_EditField;
    C_UpDown* m_UpDownValue;
    QLabel* m_LabelUnit;
    QSlider* m_TrackValue;
    QLabel* m_LabelMinValue;
    QLabel* m_LabelMaxValue;
    QPushButton* m_CancelButton;
    QPushButton* m_OKButton;

private:
    void m_OKButtonClick();

    std::int32_t* m_Value;
    const std::int32_t m_Min;
    const std::int32_t m_Max;
};
