#include "comm/Comsetup.h"

#include "language/Language.h"
#include "language/Messages.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

TCOMSetupForm::TCOMSetupForm(S_PortSettings& settings, QWidget* owner)
    : TEditorDialog(owner, QSize(441, 353))
    , m_Settings(settings)
{
    setWindowTitle(QStringLiteral("COMSetupForm"));

    m_COMPortRadioGroup = new QGroupBox(Text(Msg::SerialPortGroup), this);
    m_COMPortRadioGroup->setGeometry(12, 12, 121, 194);
    m_COMPortButtons = new QButtonGroup(this);
    for (int index = 0; index < Ports; ++index) {
        auto* button = new QRadioButton(QStringLiteral("COM %1").arg(index + 1), m_COMPortRadioGroup);
        button->setGeometry(16, 30 + index * 40, 95, 24);
        m_COMPortButtons->addButton(button, index);
    }
    // A stored port outside the four leaves none selected.
    if (QAbstractButton* stored = m_COMPortButtons->button(m_Settings.m_ComNumber - 1))
        stored->setChecked(true);

    m_SendGroupBox = NewTimeoutBox(Text(Msg::SendTimeoutGroup), QRect(145, 12, 284, 93), m_SendTrackBar, m_SendEdit,
                                   m_Settings.m_SendTimeout);
    m_ReceiveGroupBox = NewTimeoutBox(Text(Msg::ReceiveTimeoutGroup), QRect(145, 113, 284, 93), m_ReceiveTrackBar,
                                      m_ReceiveEdit, m_Settings.m_ReceiveTimeout);

    m_SafetyGroupBox = new QGroupBox(Text(Msg::TransferSafety), this);
    m_SafetyGroupBox->setGeometry(12, 214, 417, 86);
    m_BackupCheckBox = new QCheckBox(Text(Msg::BackupStage), m_SafetyGroupBox);
    m_BackupCheckBox->setGeometry(16, 26, 390, 24);
    m_BackupCheckBox->setChecked(m_Settings.m_BackupBeforeDownload);
    m_VerifyCheckBox = new QCheckBox(Text(Msg::VerifyStage), m_SafetyGroupBox);
    m_VerifyCheckBox->setGeometry(16, 52, 390, 24);
    m_VerifyCheckBox->setChecked(m_Settings.m_VerifyAfterDownload);

    m_OKButton = NewOkButton(QRect(229, 310, 95, 30));
    connect(m_OKButton, &QPushButton::clicked, this, &QDialog::accept);
    m_CancelButton = NewCancelButton(QRect(334, 310, 95, 30), Text(Msg::Cancel));
}

QGroupBox* TCOMSetupForm::NewTimeoutBox(const QString& title, const QRect& geometry, QSlider*& trackBar,
                                        QLineEdit*& edit, int value)
{
    auto* box = new QGroupBox(title, this);
    box->setGeometry(geometry);
    trackBar = new QSlider(Qt::Horizontal, box);
    trackBar->setGeometry(10, 30, 190, 32);
    trackBar->setTickPosition(QSlider::TicksBelow);
    // A tick at every millisecond would merge into a solid band; one per 50 ms stays readable.
    trackBar->setTickInterval(50);
    trackBar->setSingleStep(1);
    edit = new QLineEdit(box);
    edit->setGeometry(210, 30, 62, 24);
    edit->setReadOnly(true);
    edit->setAlignment(Qt::AlignRight);
    auto* unit = new QLabel(QStringLiteral("[msec]"), box);
    unit->setGeometry(210, 56, 62, 20);
    connect(trackBar, &QSlider::valueChanged, edit, [edit](int position) { edit->setText(QString::number(position)); });
    trackBar->setRange(MinimumTimeout, MaximumTimeout);
    // The slider shows a stored value outside its range at the nearer end.
    trackBar->setValue(value);
    return box;
}

void TCOMSetupForm::done(int result)
{
    if (result == QDialog::Accepted) {
        m_Settings.m_SendTimeout = m_SendTrackBar->value();
        m_Settings.m_ReceiveTimeout = m_ReceiveTrackBar->value();
        m_Settings.m_BackupBeforeDownload = m_BackupCheckBox->isChecked();
        m_Settings.m_VerifyAfterDownload = m_VerifyCheckBox->isChecked();
        // With none selected the stored port, which the dialog cannot show, stays.
        if (m_COMPortButtons->checkedId() >= 0)
            m_Settings.m_ComNumber = m_COMPortButtons->checkedId() + 1;
    }
    TEditorDialog::done(result);
}
