#pragma once

#include "comm/Portdiscovery.h"
#include "comm/Portsettings.h"
#include "desktop/Dialoglook.h"

#include <optional>
#include <vector>

class C_PortWatcher;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSlider;

// The port setup dialog: which serial port the transfers use (a COM port, an
// adapter of the list of ports found, or a device named by its path), how long
// they wait when sending and receiving, and the safety of a download. Only OK
// changes the settings it was given.
class TCOMSetupForm : public TEditorDialog
{
    Q_OBJECT

public:
    static constexpr int MinimumTimeout = 100;
    static constexpr int MaximumTimeout = 1000;
    static constexpr int Ports = 4;
    // The button id of Other device in m_COMPortButtons, after the four COM ports.
    static constexpr int OtherDeviceId = Ports;

    TCOMSetupForm(S_PortSettings& settings, const C_PortSource& ports, QWidget* owner);
    ~TCOMSetupForm() override;

    void done(int result) override;

    // The entry of the list at the row, or null for a row that is none.
    const S_PortEntry* EntryAt(int row) const;

    QGroupBox* m_COMPortRadioGroup;
    QButtonGroup* m_COMPortButtons;
    QLabel* m_PortsLabel;
    QListWidget* m_PortsList;
    QRadioButton* m_OtherDeviceButton;
    QLineEdit* m_OtherDeviceEdit;
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
    QGroupBox* NewTimeoutBox(const QString& title, QSlider*& trackBar, QLineEdit*& edit, int value);
    QGroupBox* NewPortBox();
    void ShowStoredChoice();
    // Lists the ports found, keeping the entry chosen, also when it was pulled out.
    void ShowPorts(const std::vector<S_PortEntry>& found);
    // A list entry chosen leaves no button checked, and a button checked no entry chosen.
    void ChooseButton(int id);
    void ChooseEntry();
    void UncheckButtons();
    // What the dialog chooses now; false when Other device has no usable path.
    bool ChosenPort(S_PortChoice& choice) const;

    C_PortWatcher* m_PortWatcher;
    S_PortSettings& m_Settings;
    const C_PortSource& m_Source;
    // The entries shown, in list order; the chosen one stays even when not found.
    std::vector<S_PortEntry> m_Entries;
    std::optional<S_PortEntry> m_Chosen;
};
