#include "editor/Formatselector.h"

#include "language/Language.h"
#include "language/Messages.h"
#include "model/Eepromformat.h"
#include "resources/Pictures.h"

#include <QToolButton>

namespace {

constexpr int Margin = 12;
constexpr int ButtonWidth = 221;
constexpr int ButtonHeight = 56;
constexpr int Gap = 8;
// Wider than the buttons so that the title bar shows the whole caption.
constexpr int ClientWidth = 300;
constexpr int ButtonLeft = (ClientWidth - ButtonWidth) / 2;

} // namespace

TEEPROMFormatDialog::TEEPROMFormatDialog(QWidget* owner)
    : TEditorDialog(owner, {ClientWidth, Margin + 3 * ButtonHeight + 2 * Gap + Margin})
    , m_StandardButton(NewFormatButton(26, "BUTTON_STANDARD", Margin))
    , m_InverterButton(NewFormatButton(25, "BUTTON_INVERTER", Margin + ButtonHeight + Gap))
    , m_VarnholtButton(NewFormatButton(27, "BUTTON_VARNHOLT", Margin + 2 * (ButtonHeight + Gap)))
{
    // One of the three must be chosen: no close button where the platform allows.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint);
    setWindowTitle(Text(Msg::OldFileFormatTitle));
    connect(m_StandardButton, &QToolButton::clicked, this, &TEEPROMFormatDialog::StandardSelected);
    connect(m_InverterButton, &QToolButton::clicked, this, &TEEPROMFormatDialog::InverterSelected);
    connect(m_VarnholtButton, &QToolButton::clicked, this, &TEEPROMFormatDialog::VarnholtSelected);
}

std::uint16_t TEEPROMFormatDialog::Choose()
{
    const int result = exec();
    return C_EEPROMFormat::IsFormatCode(std::uint16_t(result)) ? std::uint16_t(result) : 0;
}

QToolButton* TEEPROMFormatDialog::NewFormatButton(std::int16_t textId, const char* picture, int top)
{
    auto* button = new QToolButton(this);
    button->setGeometry(ButtonLeft, top, ButtonWidth, ButtonHeight);
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setIcon(QIcon(LoadPicture(QLatin1String(picture))));
    // The machine picture shrinks to leave room for the text line under it.
    button->setIconSize({40, 30});
    // A text "short|long" names the button with its short part and explains it with the long one.
    const QString& text = Text(textId);
    button->setText(text.section(QLatin1Char('|'), 0, 0));
    if (text.contains(QLatin1Char('|'))) {
        button->setToolTip(text.section(QLatin1Char('|'), -1));
        button->setStatusTip(text.section(QLatin1Char('|'), -1));
    }
    return button;
}

void TEEPROMFormatDialog::StandardSelected()
{
    done(FormatCode::Standard);
}

void TEEPROMFormatDialog::InverterSelected()
{
    done(FormatCode::Inverter);
}

void TEEPROMFormatDialog::VarnholtSelected()
{
    done(FormatCode::Varnholt);
}
