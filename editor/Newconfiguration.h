#pragma once

#include "desktop/Dialoglook.h"

#include <memory>

class C_Context;
class C_EEPROMFormat;
class QButtonGroup;
class QGroupBox;
class QPushButton;

// Asks for the machine type and the number of outputs of a new configuration.
// OK creates the format object for the configuration window into the caller's
// slot and remembers the choice in the settings for the next time; closed any
// other way (Escape, the window manager) it leaves the slot empty.
class TNewConfigurationForm : public TEditorDialog
{
    Q_OBJECT

public:
    TNewConfigurationForm(QWidget* owner, std::unique_ptr<C_EEPROMFormat>& format, C_Context& context);

    QGroupBox* m_ChooseTypeRadioGroup;
    // The entries' ids are their positions: 0 standard, 1 inverter, 2 Varnholt.
    QButtonGroup* m_ChooseTypeButtons;
    QGroupBox* m_ChooseOutputsRadioGroup;
    // 0 for 16 outputs, 1 for 24.
    QButtonGroup* m_ChooseOutputsButtons;
    QPushButton* m_OKButton;

private:
    void OkClick();

    std::unique_ptr<C_EEPROMFormat>& m_Format;
    C_Context& m_Context;
};
