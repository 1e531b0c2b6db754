#include "model/Serviceblock.h"

#include "desktop/Updown.h"
#include "language/Language.h"
#include "language/Messages.h"
#include "model/Configurationpanes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace {

using P = ServiceParameter;
using W = C_ConfigurationPanes;

// The temperature unit is kept as a letter: c for the first entry, f for the second.
constexpr int Celsius = 0x63;
constexpr int Fahrenheit = 0x66;

// A parameter's controls in the panel; only those of its display are set.
struct S_Controls
{
    QLabel* W::*m_Label = nullptr;
    QLineEdit* W::*m_Box = nullptr;
    C_UpDown* W::*m_UpDown = nullptr;
    QComboBox* W::*m_ComboBox = nullptr;
    QCheckBox* W::*m_CheckBox = nullptr;
};

struct S_Row
{
    S_ServiceParameter m_Parameter;
    S_Controls m_Controls;
};

// One row per parameter, in the panel's order.
const std::vector<S_Row>& Rows()
{
    using S = ServiceStorage;
    using D = ServiceDisplay;
    static const std::vector<S_Row> rows = {
        {{P::TotalWashes, "totalWashes", Msg::TotalWashes, S::Little16, D::Text, 0, 65535, 0},
         {.m_Label = &W::m_TotalWashesLabel, .m_Box = &W::m_TotalWashesEdit}},
        {{P::PartialWashes, "partialWashes", Msg::PartialWashes, S::Little16, D::Text, 0, 65535, 0},
         {.m_Label = &W::m_PartialWashesLabel, .m_Box = &W::m_PartialWashesEdit}},
        {{P::WorkingHours, "workingHours", Msg::WorkingHours, S::Little16, D::Text, 0, 65535, 0},
         {.m_Label = &W::m_WorkingHoursLabel, .m_Box = &W::m_WorkingHoursEdit}},
        {{P::MaintenanceRequest, "maintenanceRequest", Msg::MaintenanceRequest, S::Little16, D::Position, 0, 9999, 1000},
         {.m_Label = &W::m_MaintenanceRequestLabel,
          .m_Box = &W::m_MaintenanceRequestEdit,
          .m_UpDown = &W::m_MaintenanceRequestUpDown}},
        {{P::Language, "language", Msg::DisplayLanguage, S::Byte, D::ItemIndex, -1, Msg::LanguageSpanish - Msg::LanguageGerman, 0},
         {.m_Label = &W::m_LanguageLabel, .m_ComboBox = &W::m_LanguageComboBox}},
        {{P::TemperatureUnit, "temperatureUnit", Msg::TemperatureUnit, S::Byte, D::ItemIndex, 0, 1, 0},
         {.m_Label = &W::m_TemperatureTypeLabel, .m_ComboBox = &W::m_TemperatureComboBox}},
        {{P::MaximumLevel, "maximumLevel", Msg::MaximumLevel, S::Byte, D::Position, 0, 100, 100},
         {.m_Label = &W::m_MaximumLevelLabel, .m_Box = &W::m_MaximumLevelEdit, .m_UpDown = &W::m_MaximumLevelUpDown}},
        {{P::MinimumLevel, "minimumLevel", Msg::MinimumLevel, S::Byte, D::Position, 0, 100, 10},
         {.m_Label = &W::m_MinimumLevelLabel, .m_Box = &W::m_MinimumLevelEdit, .m_UpDown = &W::m_MinimumLevelUpDown}},
        {{P::AdvanceEnable, "advanceEnable", Msg::AdvanceEnable, S::Byte, D::Flag, 0, 1, 1},
         {.m_CheckBox = &W::m_AdvanceEnableCheckbox}},
        {{P::MachineEnable, "machineEnable", Msg::MachineEnable, S::Byte, D::Flag, 0, 1, 1},
         {.m_CheckBox = &W::m_MachineEnableCheckbox}},
        {{P::SlowingDownTime, "slowingDownTime", Msg::SlowingDownTime, S::Byte, D::Position, 1, 200, 40},
         {.m_Label = &W::m_SlowingDownTimeLabel,
          .m_Box = &W::m_SlowingDownTimeEdit,
          .m_UpDown = &W::m_SlowingDownTimeUpDown}},
        {{P::MaximumSpeed, "maximumSpeed", Msg::MaximumSpeed, S::Big16, D::Position, 0, 999, 999},
         {.m_Label = &W::m_MaximumSpeedLabel, .m_Box = &W::m_MaximumSpeedEdit, .m_UpDown = &W::m_MaximumSpeedUpDown}},
        {{P::SpinLevel, "spinLevel", Msg::SpinLevel, S::Byte, D::Position, 2, 60, 2},
         {.m_Label = &W::m_SpinLevelLabel, .m_Box = &W::m_SpinLevelEdit, .m_UpDown = &W::m_SpinLevelUpDown}},
        {{P::TemperatureHysteresis, "temperatureHysteresis", Msg::TemperatureHysteresis, S::Byte, D::Position, 1, 10, 3},
         {.m_Label = &W::m_TemperatureHysteresisLabel,
          .m_Box = &W::m_TemperatureHysteresisEdit,
          .m_UpDown = &W::m_TemperatureHysteresisUpDown}},
    };
    return rows;
}

const S_Row& RowOf(ServiceParameter parameter)
{
    return Rows()[std::size_t(parameter)];
}

int Read(ServiceStorage storage, const std::uint8_t* bytes)
{
    switch (storage) {
    case ServiceStorage::Little16: return ReadLittle16(bytes);
    case ServiceStorage::Big16: return ReadBig16(bytes);
    case ServiceStorage::Byte: break;
    }
    return bytes[0];
}

void Write(ServiceStorage storage, std::uint8_t* bytes, int value)
{
    switch (storage) {
    case ServiceStorage::Little16: WriteLittle16(bytes, value); return;
    case ServiceStorage::Big16: WriteBig16(bytes, value); return;
    case ServiceStorage::Byte: bytes[0] = std::uint8_t(value); return;
    }
}

// The temperature unit shows its stored letter as an entry; every other parameter its value.
int EntryOfStored(ServiceParameter parameter, int stored)
{
    return parameter == P::TemperatureUnit ? (stored == Celsius ? 0 : 1) : stored;
}

int StoredOfEntry(ServiceParameter parameter, int entry)
{
    return parameter == P::TemperatureUnit ? (entry == 0 ? Celsius : Fahrenheit) : entry;
}

} // namespace

const std::vector<S_ServiceParameter>& ServiceParameters()
{
    static const std::vector<S_ServiceParameter> parameters = [] {
        std::vector<S_ServiceParameter> all;
        for (const S_Row& row : Rows())
            all.push_back(row.m_Parameter);
        return all;
    }();
    return parameters;
}

const S_ServiceParameter& ServiceParameterOf(ServiceParameter parameter)
{
    return RowOf(parameter).m_Parameter;
}

int ShownValue(ServiceParameter parameter, const C_ConfigurationPanes& window)
{
    const S_Controls& c = RowOf(parameter).m_Controls;
    switch (RowOf(parameter).m_Parameter.m_Display) {
    case ServiceDisplay::Text: return (window.*c.m_Box)->text().toInt();
    case ServiceDisplay::Position: return (window.*c.m_UpDown)->Position();
    case ServiceDisplay::ItemIndex: return (window.*c.m_ComboBox)->currentIndex();
    case ServiceDisplay::Flag: return (window.*c.m_CheckBox)->isChecked() ? 1 : 0;
    }
    return 0;
}

QString ShownText(ServiceParameter parameter, const C_ConfigurationPanes& window)
{
    return ServiceValueText(parameter, ShownValue(parameter, window));
}

QString ServiceValueText(ServiceParameter parameter, int value)
{
    switch (RowOf(parameter).m_Parameter.m_Display) {
    case ServiceDisplay::ItemIndex: {
        // The entries of the panel's lists; no entry reads as nothing.
        const S_ServiceParameter& row = RowOf(parameter).m_Parameter;
        if (value < 0 || value > row.m_Maximum)
            return QString();
        const std::int16_t first = parameter == P::Language ? Msg::LanguageGerman : Msg::Celsius;
        return Text(std::int16_t(first + value));
    }
    case ServiceDisplay::Flag: return Text(value != 0 ? Msg::Yes : Msg::No);
    case ServiceDisplay::Text:
    case ServiceDisplay::Position: break;
    }
    return QString::number(value);
}

void ShowValue(ServiceParameter parameter, C_ConfigurationPanes& window, int value)
{
    const S_Controls& c = RowOf(parameter).m_Controls;
    switch (RowOf(parameter).m_Parameter.m_Display) {
    case ServiceDisplay::Text: (window.*c.m_Box)->setText(QString::number(value)); return;
    case ServiceDisplay::Position: (window.*c.m_UpDown)->SetPosition(value); return;
    // A value with no entry leaves no entry chosen, and is stored back as it was.
    case ServiceDisplay::ItemIndex: (window.*c.m_ComboBox)->setCurrentIndex(value); return;
    case ServiceDisplay::Flag: (window.*c.m_CheckBox)->setChecked(value != 0); return;
    }
}

int StoredValue(const S_ServiceField& field, const MemoryImage& image)
{
    return EntryOfStored(field.m_Parameter,
                         Read(ServiceParameterOf(field.m_Parameter).m_Storage, image.data() + field.m_Offset));
}

void StoreValue(const S_ServiceField& field, MemoryImage& image, int value)
{
    Write(ServiceParameterOf(field.m_Parameter).m_Storage, image.data() + field.m_Offset,
          StoredOfEntry(field.m_Parameter, value));
}

int PanelValue(const S_ServiceField& field, const MemoryImage& image)
{
    const S_ServiceParameter& row = RowOf(field.m_Parameter).m_Parameter;
    const int stored = StoredValue(field, image);
    switch (row.m_Display) {
    case ServiceDisplay::Position: return std::clamp(stored, row.m_Minimum, row.m_Maximum);
    case ServiceDisplay::ItemIndex: return stored >= 0 && stored <= row.m_Maximum ? stored : -1;
    case ServiceDisplay::Flag: return stored != 0 ? 1 : 0;
    case ServiceDisplay::Text: break;
    }
    return stored;
}

std::vector<int> ServiceValuesOf(const std::vector<S_ServiceField>& fields, const MemoryImage& image)
{
    std::vector<int> values;
    for (const S_Row& row : Rows()) {
        const S_ServiceField* field = FindServiceField(fields, row.m_Parameter.m_Parameter);
        values.push_back(field == nullptr    ? row.m_Parameter.m_PanelDefault
                         : field->m_Stored ? PanelValue(*field, image)
                                           : StoredValue(*field, image));
    }
    return values;
}

const S_ServiceField* FindServiceField(const std::vector<S_ServiceField>& fields, ServiceParameter parameter)
{
    for (const S_ServiceField& field : fields)
        if (field.m_Parameter == parameter)
            return &field;
    return nullptr;
}

int StorageSize(ServiceParameter parameter)
{
    return ServiceParameterOf(parameter).m_Storage == ServiceStorage::Byte ? 1 : 2;
}

void C_ServiceBlock::ApplyDefaults(MemoryImage& image) const
{
    for (const S_ServiceField& field : m_Fields)
        if (field.m_Default != S_ServiceField::NoDefault)
            Write(ServiceParameterOf(field.m_Parameter).m_Storage, image.data() + field.m_Offset, field.m_Default);
}

void C_ServiceBlock::LockControls(C_ConfigurationPanes& window) const
{
    for (const S_ServiceField& field : m_Fields) {
        if (!field.m_Locked)
            continue;
        const S_Controls& c = RowOf(field.m_Parameter).m_Controls;
        for (QWidget* control : {c.m_Label != nullptr ? static_cast<QWidget*>(window.*c.m_Label) : nullptr,
                                 c.m_Box != nullptr ? static_cast<QWidget*>(window.*c.m_Box) : nullptr,
                                 c.m_UpDown != nullptr ? static_cast<QWidget*>(window.*c.m_UpDown) : nullptr})
            if (control != nullptr)
                control->setEnabled(false);
    }
}


void C_ServiceBlock::FromValues(MemoryImage& image, const std::vector<int>& values) const
{
    for (const S_ServiceField& field : m_Fields)
        if (field.m_Stored && std::size_t(field.m_Parameter) < values.size())
            StoreValue(field, image, values[std::size_t(field.m_Parameter)]);
}
