#pragma once

#include "editor/Dialoglook.h"

class C_Context;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QSlider;

// The port setup dialog: which serial port the transfers use and how long they
// wait when sending and receiving. Only OK stores the choice in the settings.
class TCOMSetupForm : public TEditorDialog
{
    Q_OBJECT

public:
    static constexpr int MinimumTimeout = 100;
    static constexpr int MaximumTimeout = 1000;
    static constexpr int Ports = 4;

    TCOMSetupForm(C_Context& context, QWidget* owner);

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

    C_Context& m_Context;
};
