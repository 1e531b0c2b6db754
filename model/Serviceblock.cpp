#include "model/Serviceblock.h"

#include "editor/Configurationpanes.h"
#include "editor/Updown.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace {

enum class Storage { Byte, Little16, Big16 };

// The temperature unit is kept as a letter: c for the first entry, f for the second.
constexpr int Celsius = 0x63;
constexpr int Fahrenheit = 0x66;

struct S_Controls
{
    QLabel* m_Label = nullptr;
    QLineEdit* m_Box = nullptr;
    C_UpDown* m_UpDown = nullptr;
    QComboBox* m_ComboBox = nullptr;
    QCheckBox* m_CheckBox = nullptr;
};

S_Controls ControlsOf(ServiceParameter parameter, const C_ConfigurationPanes& w)
{
    switch (parameter) {
    case ServiceParameter::TotalWashes: return {w.m_TotalWashesLabel, w.m_TotalWashesEdit};
    case ServiceParameter::PartialWashes: return {w.m_PartialWashesLabel, w.m_PartialWashesEdit};
    case ServiceParameter::WorkingHours: return {w.m_WorkingHoursLabel, w.m_WorkingHoursEdit};
    case ServiceParameter::MaintenanceRequest:
        return {w.m_MaintenanceRequestLabel, w.m_MaintenanceRequestEdit, w.m_MaintenanceRequestUpDown};
    case ServiceParameter::Language: return {w.m_LanguageLabel, nullptr, nullptr, w.m_LanguageComboBox};
    case ServiceParameter::TemperatureUnit:
        return {w.m_TemperatureTypeLabel, nullptr, nullptr, w.m_TemperatureComboBox};
    case ServiceParameter::MaximumLevel:
        return {w.m_MaximumLevelLabel, w.m_MaximumLevelEdit, w.m_MaximumLevelUpDown};
    case ServiceParameter::MinimumLevel:
        return {w.m_MinimumLevelLabel, w.m_MinimumLevelEdit, w.m_MinimumLevelUpDown};
    case ServiceParameter::AdvanceEnable: return {nullptr, nullptr, nullptr, nullptr, w.m_AdvanceEnableCheckbox};
    case ServiceParameter::MachineEnable: return {nullptr, nullptr, nullptr, nullptr, w.m_MachineEnableCheckbox};
    case ServiceParameter::SlowingDownTime:
        return {w.m_SlowingDownTimeLabel, w.m_SlowingDownTimeEdit, w.m_SlowingDownTimeUpDown};
    case ServiceParameter::MaximumSpeed:
        return {w.m_MaximumSpeedLabel, w.m_MaximumSpeedEdit, w.m_MaximumSpeedUpDown};
    case ServiceParameter::SpinLevel: return {w.m_SpinLevelLabel, w.m_SpinLevelEdit, w.m_SpinLevelUpDown};
    case ServiceParameter::TemperatureHysteresis:
        return {w.m_TemperatureHysteresisLabel, w.m_TemperatureHysteresisEdit, w.m_TemperatureHysteresisUpDown};
    }
    return {};
}

Storage StorageOf(ServiceParameter parameter)
{
    switch (parameter) {
    case ServiceParameter::TotalWashes:
    case ServiceParameter::PartialWashes:
    case ServiceParameter::WorkingHours:
    case ServiceParameter::MaintenanceRequest: return Storage::Little16;
    case ServiceParameter::MaximumSpeed: return Storage::Big16;
    default: return Storage::Byte;
    }
}

int Read(Storage storage, const std::uint8_t* bytes)
{
    switch (storage) {
    case Storage::Little16: return ReadLittle16(bytes);
    case Storage::Big16: return ReadBig16(bytes);
    case Storage::Byte: break;
    }
    return bytes[0];
}

void Write(Storage storage, std::uint8_t* bytes, int value)
{
    switch (storage) {
    case Storage::Little16: WriteLittle16(bytes, value); return;
    case Storage::Big16: WriteBig16(bytes, value); return;
    case Storage::Byte: bytes[0] = std::uint8_t(value); return;
    }
}

void Show(ServiceParameter parameter, const S_Controls& controls, int value)
{
    switch (DisplayOf(parameter)) {
    case ServiceDisplay::Text: controls.m_Box->setText(QString::number(value)); return;
    case ServiceDisplay::Position: controls.m_UpDown->SetPosition(value); return;
    case ServiceDisplay::ItemIndex:
        // A value with no entry leaves no entry chosen, and is stored back as it was.
        controls.m_ComboBox->setCurrentIndex(parameter == ServiceParameter::TemperatureUnit ? (value == Celsius ? 0 : 1)
                                                                                            : value);
        return;
    case ServiceDisplay::Flag: controls.m_CheckBox->setChecked(value != 0); return;
    }
}

// The value the image receives from the panel.
int Taken(ServiceParameter parameter, const S_Controls& controls)
{
    switch (DisplayOf(parameter)) {
    case ServiceDisplay::Text: return controls.m_Box->text().toInt();
    case ServiceDisplay::Position: return controls.m_UpDown->Position();
    case ServiceDisplay::ItemIndex:
        if (parameter == ServiceParameter::TemperatureUnit)
            return controls.m_ComboBox->currentIndex() == 0 ? Celsius : Fahrenheit;
        return controls.m_ComboBox->currentIndex();
    case ServiceDisplay::Flag: return controls.m_CheckBox->isChecked() ? 1 : 0;
    }
    return 0;
}

} // namespace

ServiceDisplay DisplayOf(ServiceParameter parameter)
{
    switch (parameter) {
    case ServiceParameter::TotalWashes:
    case ServiceParameter::PartialWashes:
    case ServiceParameter::WorkingHours: return ServiceDisplay::Text;
    case ServiceParameter::Language:
    case ServiceParameter::TemperatureUnit: return ServiceDisplay::ItemIndex;
    case ServiceParameter::AdvanceEnable:
    case ServiceParameter::MachineEnable: return ServiceDisplay::Flag;
    default: return ServiceDisplay::Position;
    }
}

int ShownValue(ServiceParameter parameter, const C_ConfigurationPanes& window)
{
    const S_Controls controls = ControlsOf(parameter, window);
    if (DisplayOf(parameter) == ServiceDisplay::ItemIndex)
        return controls.m_ComboBox->currentIndex();
    return Taken(parameter, controls);
}

void C_ServiceBlock::ApplyDefaults(MemoryImage& image) const
{
    for (const S_ServiceField& field : m_Fields)
        if (field.m_Default != S_ServiceField::NoDefault)
            Write(StorageOf(field.m_Parameter), image.data() + field.m_Offset, field.m_Default);
}

void C_ServiceBlock::LockControls(C_ConfigurationPanes& window) const
{
    for (const S_ServiceField& field : m_Fields) {
        if (!field.m_Locked)
            continue;
        const S_Controls controls = ControlsOf(field.m_Parameter, window);
        for (QWidget* control : {static_cast<QWidget*>(controls.m_Label), static_cast<QWidget*>(controls.m_Box),
                                 static_cast<QWidget*>(controls.m_UpDown)})
            if (control != nullptr)
                control->setEnabled(false);
    }
}

void C_ServiceBlock::ToWindow(const MemoryImage& image, C_ConfigurationPanes& window) const
{
    for (const S_ServiceField& field : m_Fields)
        Show(field.m_Parameter, ControlsOf(field.m_Parameter, window),
             Read(StorageOf(field.m_Parameter), image.data() + field.m_Offset));
}

void C_ServiceBlock::FromWindow(MemoryImage& image, const C_ConfigurationPanes& window) const
{
    for (const S_ServiceField& field : m_Fields)
        if (field.m_Stored)
            Write(StorageOf(field.m_Parameter), image.data() + field.m_Offset,
                  Taken(field.m_Parameter, ControlsOf(field.m_Parameter, window)));
}
