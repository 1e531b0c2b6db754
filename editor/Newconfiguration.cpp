#include "editor/Newconfiguration.h"

#include "language/Language.h"
#include "language/Messages.h"
#include "model/Eepromformat.h"
#include "settings/Context.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

#include <array>

namespace {

// The type entries in order, and the formats they create.
constexpr std::array<std::uint16_t, 3> TypeFormats = {FormatCode::Standard, FormatCode::Inverter, FormatCode::Varnholt};
constexpr std::array<int, 2> OutputCounts = {16, 24};

constexpr int EntryHeight = 26;
constexpr int EntriesTop = 26;
constexpr int GroupTop = 10;
constexpr int GroupHeight = EntriesTop + int(TypeFormats.size()) * EntryHeight + 8;
constexpr int ButtonTop = GroupTop + GroupHeight + 12;

// Fills a radio group with its entries and checks the one at the position; a
// position outside the entries checks the first, so that OK always has a choice.
void AddEntries(QGroupBox* group, QButtonGroup* buttons, const QStringList& texts, int position)
{
    for (int index = 0; index < texts.size(); ++index) {
        auto* entry = new QRadioButton(texts.at(index), group);
        entry->setGeometry(14, EntriesTop + index * EntryHeight, group->width() - 22, 22);
        buttons->addButton(entry, index);
    }
    buttons->button(position >= 0 && position < texts.size() ? position : 0)->setChecked(true);
}

} // namespace

TNewConfigurationForm::TNewConfigurationForm(QWidget* owner, std::unique_ptr<C_EEPROMFormat>& format,
                                             C_Context& context)
    : TEditorDialog(owner, {330, ButtonTop + 32 + 12})
    , m_ChooseTypeRadioGroup(new QGroupBox(Text(Msg::MachineType), this))
    , m_ChooseTypeButtons(new QButtonGroup(this))
    , m_ChooseOutputsRadioGroup(new QGroupBox(Text(Msg::OutputsGroup), this))
    , m_ChooseOutputsButtons(new QButtonGroup(this))
    , m_OKButton(NewOkButton({330 - 12 - 100, ButtonTop, 100, 32}))
    , m_Format(format)
    , m_Context(context)
{
    // Only OK is offered; the title bar has no close button where the platform allows.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint);
    setWindowTitle(Text(Msg::NewConfigurationTitle));

    m_ChooseTypeRadioGroup->setGeometry(12, GroupTop, 180, GroupHeight);
    m_ChooseTypeRadioGroup->setAutoFillBackground(true);
    AddEntries(m_ChooseTypeRadioGroup, m_ChooseTypeButtons,
               {Text(Msg::StandardMachine), Text(Msg::InverterMachine), Text(Msg::VarnholtMachine)},
               context.TargetType());

    m_ChooseOutputsRadioGroup->setGeometry(204, GroupTop, 330 - 12 - 204, GroupHeight);
    m_ChooseOutputsRadioGroup->setAutoFillBackground(true);
    AddEntries(m_ChooseOutputsRadioGroup, m_ChooseOutputsButtons, {QStringLiteral("16"), QStringLiteral("24")},
               context.NumberOfOutputs());

    m_OKButton->setText(QStringLiteral("Ok"));
    connect(m_OKButton, &QPushButton::clicked, this, &TNewConfigurationForm::OkClick);
}

void TNewConfigurationForm::OkClick()
{
    const int type = m_ChooseTypeButtons->checkedId();
    const int outputs = m_ChooseOutputsButtons->checkedId();
    m_Format = C_EEPROMFormat::Create(TypeFormats.at(size_t(type)), OutputCounts.at(size_t(outputs)));
    m_Context.SetTargetType(type);
    m_Context.SetNumberOfOutputs(outputs);
    accept();
}
