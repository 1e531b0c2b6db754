#pragma once

#include "desktop/Dialoglook.h"

#include <cstdint>

class C_ConfigurationPanes;
class QButtonGroup;
class QGroupBox;
class QPushButton;

// Chooses one of the 15 motor modes, listed with their three times from the
// motor table of the configuration window. The caller's mode is written only on OK.
class TSelectMotorForm : public TEditorDialog
{
    Q_OBJECT

public:
    TSelectMotorForm(QWidget* owner, std::int32_t* value, const C_ConfigurationPanes& motorTable);

    // The text of one mode's entry: "Motor 3 : 12 - 5 - __".
    static QString ModeEntry(const C_ConfigurationPanes& motorTable, int mode);

    QGroupBox* m_MotorModeRadioGroup;
    // The entries' ids are their positions, 0 for mode 1.
    QButtonGroup* m_MotorModes;
    QPushButton* m_CancelButton;
    QPushButton* m_OKButton;

private:
    void ButtonOkClick();

    std::int32_t* m_Value;
};
