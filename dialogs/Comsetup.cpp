#include "dialogs/Comsetup.h"

#include "comm/Portwatcher.h"
#include "desktop/Messagebox.h"
#include "language/Language.h"
#include "language/Messages.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

namespace {

constexpr int ListWidth = 330;
constexpr int ListRows = 5;
// The list row's data: the index of its entry, or none for the row that says nothing was found.
constexpr int EntryRole = Qt::UserRole;

QString EntryTip(const S_PortEntry& entry)
{
    QStringList lines{entry.m_Port.m_Device};
    if (!entry.m_Port.m_SerialNumber.isEmpty())
        lines << Text(Msg::SerialNumberWord) + QLatin1Char(' ') + entry.m_Port.m_SerialNumber;
    if (!entry.m_StableName.isEmpty())
        lines << Text(Msg::StableNameWord) + QLatin1Char(' ') + entry.m_StableName;
    if (!entry.m_Port.m_UsbId.isEmpty())
        lines << QStringLiteral("USB ") + entry.m_Port.m_UsbId;
    return lines.join(QLatin1Char('\n'));
}

// The stored adapter as the list shows it while it is not plugged in.
S_PortEntry StoredAdapter(const S_PortChoice& choice)
{
    S_PortEntry entry;
    entry.m_Port.m_Device = choice.m_Device;
    entry.m_Port.m_Description = choice.m_DeviceName;
    entry.m_Port.m_SerialNumber = choice.m_DeviceSerial;
    entry.m_StableName = choice.m_Device;
    return entry;
}

} // namespace

TCOMSetupForm::TCOMSetupForm(S_PortSettings& settings, const C_PortSource& ports, QWidget* owner)
    : TEditorDialog(owner, QSize(441, 353))
    , m_PortWatcher(new C_PortWatcher(ports, this))
    , m_Settings(settings)
    , m_Source(ports)
{
    setWindowTitle(QStringLiteral("COMSetupForm"));

    m_COMPortRadioGroup = NewPortBox();
    m_SendGroupBox = NewTimeoutBox(Text(Msg::SendTimeoutGroup), m_SendTrackBar, m_SendEdit, m_Settings.m_SendTimeout);
    m_ReceiveGroupBox =
        NewTimeoutBox(Text(Msg::ReceiveTimeoutGroup), m_ReceiveTrackBar, m_ReceiveEdit, m_Settings.m_ReceiveTimeout);

    m_SafetyGroupBox = new QGroupBox(Text(Msg::TransferSafety), this);
    m_BackupCheckBox = new QCheckBox(Text(Msg::BackupStage), m_SafetyGroupBox);
    m_BackupCheckBox->setChecked(m_Settings.m_BackupBeforeDownload);
    m_VerifyCheckBox = new QCheckBox(Text(Msg::VerifyStage), m_SafetyGroupBox);
    m_VerifyCheckBox->setChecked(m_Settings.m_VerifyAfterDownload);
    auto* safety = new QVBoxLayout(m_SafetyGroupBox);
    safety->addWidget(m_BackupCheckBox);
    safety->addWidget(m_VerifyCheckBox);

    m_OKButton = NewOkButton(QRect(0, 0, 95, 30));
    m_OKButton->setMinimumSize(95, 30);
    connect(m_OKButton, &QPushButton::clicked, this, &QDialog::accept);
    m_CancelButton = NewCancelButton(QRect(0, 0, 95, 30), Text(Msg::Cancel));
    m_CancelButton->setMinimumSize(95, 30);

    auto* timeouts = new QHBoxLayout;
    timeouts->addWidget(m_SendGroupBox);
    timeouts->addWidget(m_ReceiveGroupBox);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_OKButton);
    buttons->addWidget(m_CancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(m_COMPortRadioGroup);
    layout->addLayout(timeouts);
    layout->addWidget(m_SafetyGroupBox);
    layout->addLayout(buttons);
    // As large as its texts need in every language and at every scale.
    setFixedSize(layout->sizeHint().expandedTo(QSize(441, 0)));

    ShowStoredChoice();
    connect(m_PortWatcher, &C_PortWatcher::PortsChanged, this, &TCOMSetupForm::ShowPorts);
}

TCOMSetupForm::~TCOMSetupForm() = default;

QGroupBox* TCOMSetupForm::NewPortBox()
{
    auto* box = new QGroupBox(Text(Msg::SerialPortGroup), this);
    m_COMPortButtons = new QButtonGroup(this);
    auto* comPorts = new QVBoxLayout;
    for (int index = 0; index < Ports; ++index) {
        auto* button = new QRadioButton(QStringLiteral("COM %1").arg(index + 1), box);
        m_COMPortButtons->addButton(button, index);
        comPorts->addWidget(button);
    }
    comPorts->addStretch();

    m_PortsLabel = new QLabel(Text(Msg::PortsFound), box);
    m_PortsList = new QListWidget(box);
    m_PortsList->setSelectionMode(QAbstractItemView::SingleSelection);
    // A long name is shortened in its middle, so the device at its end stays in sight; the tip has it whole.
    m_PortsList->setTextElideMode(Qt::ElideMiddle);
    m_PortsList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_PortsList->setFixedWidth(ListWidth);
    m_PortsList->setFixedHeight(m_PortsList->fontMetrics().height() * ListRows + 2 * m_PortsList->frameWidth() + 8);
    m_PortsLabel->setBuddy(m_PortsList);
    connect(m_PortsList, &QListWidget::itemSelectionChanged, this, &TCOMSetupForm::ChooseEntry);

    m_OtherDeviceButton = new QRadioButton(Text(Msg::OtherDevice), box);
    m_COMPortButtons->addButton(m_OtherDeviceButton, OtherDeviceId);
    m_OtherDeviceEdit = new QLineEdit(box);
    m_OtherDeviceEdit->setPlaceholderText(QStringLiteral("/dev/pts/3"));
    connect(m_OtherDeviceEdit, &QLineEdit::textEdited, this, [this] {
        m_OtherDeviceButton->setChecked(true);
        ChooseButton(OtherDeviceId);
    });
    connect(m_COMPortButtons, &QButtonGroup::idClicked, this, &TCOMSetupForm::ChooseButton);

    auto* grid = new QGridLayout(box);
    grid->addLayout(comPorts, 1, 0);
    grid->addWidget(m_PortsLabel, 0, 1);
    grid->addWidget(m_PortsList, 1, 1);
    auto* other = new QHBoxLayout;
    other->addWidget(m_OtherDeviceButton);
    other->addWidget(m_OtherDeviceEdit, 1);
    grid->addLayout(other, 2, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    return box;
}

QGroupBox* TCOMSetupForm::NewTimeoutBox(const QString& title, QSlider*& trackBar, QLineEdit*& edit, int value)
{
    auto* box = new QGroupBox(title, this);
    trackBar = new QSlider(Qt::Horizontal, box);
    trackBar->setMinimumWidth(120);
    trackBar->setTickPosition(QSlider::TicksBelow);
    // A tick at every millisecond would merge into a solid band; one per 50 ms stays readable.
    trackBar->setTickInterval(50);
    trackBar->setSingleStep(1);
    edit = new QLineEdit(box);
    edit->setFixedWidth(62);
    edit->setReadOnly(true);
    edit->setAlignment(Qt::AlignRight);
    auto* unit = new QLabel(QStringLiteral("[msec]"), box);
    connect(trackBar, &QSlider::valueChanged, edit, [edit](int position) { edit->setText(QString::number(position)); });
    trackBar->setRange(MinimumTimeout, MaximumTimeout);
    // The slider shows a stored value outside its range at the nearer end.
    trackBar->setValue(value);
    auto* layout = new QGridLayout(box);
    layout->addWidget(trackBar, 0, 0, 2, 1);
    layout->addWidget(edit, 0, 1);
    layout->addWidget(unit, 1, 1);
    return box;
}

void TCOMSetupForm::ShowStoredChoice()
{
    const S_PortChoice& stored = m_Settings.m_Port;
    const std::vector<S_PortEntry>& found = m_PortWatcher->ListNow();
    if (stored.m_Device.isEmpty() || !IsUsableDevicePath(stored.m_Device)) {
        // A stored port outside the four leaves none selected.
        if (QAbstractButton* button = m_COMPortButtons->button(stored.m_ComNumber - 1))
            button->setChecked(true);
    } else if (const S_PortEntry* entry = FindStoredPort(found, stored.m_Device, m_Source)) {
        m_Chosen = *entry;
    } else if (!stored.m_DeviceName.isEmpty() || stored.m_Device.startsWith(QStringLiteral("/dev/serial/"))) {
        m_Chosen = StoredAdapter(stored);
    } else {
        m_OtherDeviceButton->setChecked(true);
        m_OtherDeviceEdit->setText(stored.m_Device);
    }
    ShowPorts(found);
}

void TCOMSetupForm::ShowPorts(const std::vector<S_PortEntry>& found)
{
    m_Entries = found;
    int chosenRow = -1;
    bool chosenPluggedIn = false;
    if (m_Chosen) {
        for (std::size_t index = 0; index < m_Entries.size(); ++index)
            if (m_Entries[index].StoredDevice() == m_Chosen->StoredDevice()) {
                chosenRow = int(index);
                chosenPluggedIn = true;
            }
        if (!chosenPluggedIn) {
            m_Entries.push_back(*m_Chosen);
            chosenRow = int(m_Entries.size()) - 1;
        }
    }

    const QSignalBlocker quiet(m_PortsList);
    m_PortsList->clear();
    for (std::size_t index = 0; index < m_Entries.size(); ++index) {
        const S_PortEntry& entry = m_Entries[index];
        const bool pulled = int(index) == chosenRow && !chosenPluggedIn;
        QString name = entry.DisplayName();
        if (pulled)
            name = (entry.AdapterName().isEmpty() ? entry.m_Port.m_Device : entry.AdapterName()) +
                   QStringLiteral(" \u2014 ") + Text(Msg::NotPluggedIn);
        auto* item = new QListWidgetItem(name, m_PortsList);
        item->setData(EntryRole, int(index));
        item->setToolTip(EntryTip(entry));
        if (pulled)
            item->setForeground(palette().brush(QPalette::Disabled, QPalette::Text));
    }
    if (m_Entries.empty()) {
        auto* item = new QListWidgetItem(Text(Msg::NoPortFound), m_PortsList);
        item->setFlags(Qt::NoItemFlags);
    }
    if (chosenRow >= 0)
        m_PortsList->setCurrentRow(chosenRow);
}

const S_PortEntry* TCOMSetupForm::EntryAt(int row) const
{
    const QListWidgetItem* item = m_PortsList->item(row);
    if (item == nullptr || !item->data(EntryRole).isValid())
        return nullptr;
    return &m_Entries[std::size_t(item->data(EntryRole).toInt())];
}

void TCOMSetupForm::UncheckButtons()
{
    // An exclusive group always keeps one button checked.
    m_COMPortButtons->setExclusive(false);
    if (QAbstractButton* checked = m_COMPortButtons->checkedButton())
        checked->setChecked(false);
    m_COMPortButtons->setExclusive(true);
}

void TCOMSetupForm::ChooseEntry()
{
    const QList<QListWidgetItem*> selected = m_PortsList->selectedItems();
    const S_PortEntry* entry = selected.isEmpty() ? nullptr : EntryAt(m_PortsList->row(selected.first()));
    if (entry == nullptr)
        return;
    m_Chosen = *entry;
    UncheckButtons();
}

void TCOMSetupForm::ChooseButton(int)
{
    m_Chosen.reset();
    const QSignalBlocker quiet(m_PortsList);
    m_PortsList->clearSelection();
    m_PortsList->setCurrentRow(-1);
}

bool TCOMSetupForm::ChosenPort(S_PortChoice& choice) const
{
    choice = m_Settings.m_Port;
    if (m_Chosen && m_Chosen->m_ComNumber > 0) {
        choice = S_PortChoice{m_Chosen->m_ComNumber, QString(), QString(), QString()};
    } else if (m_Chosen) {
        choice.m_Device = m_Chosen->StoredDevice();
        choice.m_DeviceName = m_Chosen->AdapterName();
        choice.m_DeviceSerial = m_Chosen->m_Port.m_SerialNumber;
    } else if (m_COMPortButtons->checkedId() == OtherDeviceId) {
        const QString path = m_OtherDeviceEdit->text().trimmed();
        if (!IsUsableDevicePath(path))
            return false;
        choice.m_Device = path;
        choice.m_DeviceName.clear();
        choice.m_DeviceSerial.clear();
    } else if (m_COMPortButtons->checkedId() >= 0) {
        choice = S_PortChoice{m_COMPortButtons->checkedId() + 1, QString(), QString(), QString()};
    }
    // With none chosen the stored port, which the dialog cannot show, stays.
    return true;
}

void TCOMSetupForm::done(int result)
{
    if (result == QDialog::Accepted) {
        S_PortChoice choice;
        if (!ChosenPort(choice)) {
            C_MessageBox::Show(Text(Msg::DevicePathNeeded), Text(Msg::SerialPortGroup), C_MessageBox::Icon::Warning,
                               C_MessageBox::Buttons::Ok, this);
            m_OtherDeviceEdit->setFocus();
            return;
        }
        m_Settings.m_Port = choice;
        m_Settings.m_SendTimeout = m_SendTrackBar->value();
        m_Settings.m_ReceiveTimeout = m_ReceiveTrackBar->value();
        m_Settings.m_BackupBeforeDownload = m_BackupCheckBox->isChecked();
        m_Settings.m_VerifyAfterDownload = m_VerifyCheckBox->isChecked();
    }
    TEditorDialog::done(result);
}
