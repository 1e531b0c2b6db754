#pragma once

#include "desktop/Dialoglook.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QSlider;

// What the port setup chooses, as the settings store keeps it.
struct S_PortSettings
{
    int m_ComNumber = 1;
    int m_SendTimeout = 500;
    int m_ReceiveTimeout = 500;
    bool m_BackupBeforeDownload = true;
    bool m_VerifyAfterDownload = true;
};

// The port setup dialog: which serial port the transfers use, how long they
// wait when sending and receiving, and the safety of a download. Only OK
// changes the settings it was given.
class TCOMSetupForm : public TEditorDialog
{
    Q_OBJECT

public:
    static constexpr int MinimumTimeout = 100;
    static constexpr int MaximumTimeout = 1000;
    static constexpr int Ports = 4;

    TCOMSetupForm(S_PortSettings& settings, QWidget* owner);

    void done(int result) override;

    QGroupBox* m_COMPortRadioGroup;
    QButtonGroup* m_COMPortButtons;
    QGroupBox* m_SendGroupBox;
    QSlider* m_SendTrackBar;
    QLineEdit* m_SendEdit;
    QGroupBox* m_ReceiveGroupBox;
    QSlider* m_ReceiveTrackBar;
    QLineEdit* m_ReceiveEdit;
    QGroupBox* m_SafetyGroupBox;
    QCheckBox* m_BackupCheckBox;
    QCheckBox* m_VerifyCheckBox;
    QPushButton* m_CancelButton;
    QPushButton* m_OKButton;

private:
    QGroupBox* NewTimeoutBox(const QString& title, const QRect& geometry, QSlider*& trackBar, QLineEdit*& edit,
                             int value);

    S_PortSettings& m_Settings;
};
