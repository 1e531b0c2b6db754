#pragma once

#include "desktop/Dialoglook.h"

#include <cstdint>

class QToolButton;

// Asks which format an old configuration file (.KW3) is in. Its modal result is
// the chosen format code; closed without a choice (Escape, the window manager)
// it is 0, no format. One instance is shared from start-up to exit.
class TEEPROMFormatDialog : public TEditorDialog
{
    Q_OBJECT

public:
    explicit TEEPROMFormatDialog(QWidget* owner);

    // Shows the dialog modally: the chosen format code, or 0 without a choice.
    std::uint16_t Choose();

    QToolButton* m_StandardButton;
    QToolButton* m_InverterButton;
    QToolButton* m_VarnholtButton;

private:
    QToolButton* NewFormatButton(std::int16_t textId, const char* picture, int top);
    void StandardSelected();
    void InverterSelected();
    void VarnholtSelected();
};
