#include "editor/Selectmotor.h"

#include "editor/Configurationpanes.h"
#include "language/Language.h"
#include "language/Messages.h"
#include "model/Motortable.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

namespace {

constexpr int EntryHeight = 21;
constexpr int ListTop = 24;
constexpr int GroupWidth = 240;
constexpr int GroupHeight = ListTop + MotorTable::Modes * EntryHeight + 6;
constexpr int ButtonTop = 8 + GroupHeight + 8;

QString MotorTimeText(int seconds)
{
    return seconds == MotorTable::Unset ? QStringLiteral("__") : QString::number(seconds);
}

} // namespace

TSelectMotorForm::TSelectMotorForm(QWidget* owner, std::int32_t* value, const C_ConfigurationPanes& motorTable)
    : TEditorDialog(owner, {8 + GroupWidth + 8, ButtonTop + 35 + 8})
    , m_MotorModeRadioGroup(new QGroupBox(Text(Msg::MotorModesHeading), this))
    , m_MotorModes(new QButtonGroup(this))
    , m_CancelButton(NewCancelButton({8, ButtonTop, 100, 35}, Text(Msg::Cancel)))
    , m_OKButton(NewOkButton({GroupWidth + 8 - 100, ButtonTop, 100, 35}))
    , m_Value(value)
{
    setWindowTitle(Text(Msg::SelectMotorTitle));
    m_MotorModeRadioGroup->setGeometry(8, 8, GroupWidth, GroupHeight);
    m_MotorModeRadioGroup->setAutoFillBackground(true);
    for (int mode = 1; mode <= MotorTable::Modes; ++mode) {
        auto* entry = new QRadioButton(ModeEntry(motorTable, mode), m_MotorModeRadioGroup);
        entry->setGeometry(16, ListTop + (mode - 1) * EntryHeight, GroupWidth - 24, EntryHeight);
        m_MotorModes->addButton(entry, mode - 1);
    }
    // A mode outside the table selects no entry.
    if (*value >= 1 && *value <= MotorTable::Modes)
        m_MotorModes->button(*value - 1)->setChecked(true);
    connect(m_OKButton, &QPushButton::clicked, this, &TSelectMotorForm::ButtonOkClick);
}

QString TSelectMotorForm::ModeEntry(const C_ConfigurationPanes& motorTable, int mode)
{
    QString entry = Text(Msg::MotorRow) + QLatin1Char(' ') + QString::number(mode) + QStringLiteral(" : ");
    for (int column = 1; column <= MotorTable::TimesPerMode; ++column) {
        if (column > 1)
            entry += QStringLiteral(" - ");
        entry += MotorTimeText(motorTable.MotorCell(mode, column));
    }
    return entry;
}

void TSelectMotorForm::ButtonOkClick()
{
    // With no entry chosen there is no mode to store.
    if (m_MotorModes->checkedId() >= 0)
        *m_Value = m_MotorModes->checkedId() + 1;
    accept();
}
