#include "model/Serviceblock.h"

#include "language/Language.h"
#include "language/Messages.h"

#include <algorithm>

namespace {

using P = ServiceParameter;

// The temperature unit is kept as a letter: c for the first entry, f for the second.
constexpr int Celsius = 0x63;
constexpr int Fahrenheit = 0x66;

// One row per parameter, in the order of dump and the text form. Each: parameter, key,
// label, storage, display, range, panel default, panel line, a list's first entry or a
// typed box, and whether the service page prints it.
const std::vector<S_ServiceParameter>& Rows()
{
    using S = ServiceStorage;
    using D = ServiceDisplay;
    static const std::vector<S_ServiceParameter> rows = {
        {P::TotalWashes, "totalWashes", Msg::TotalWashes, S::Little16, D::Text, 0, 65535, 0, 0, 0, false, true},
        {P::PartialWashes, "partialWashes", Msg::PartialWashes, S::Little16, D::Text, 0, 65535, 0, 1, 0, false, true},
        {P::WorkingHours, "workingHours", Msg::WorkingHours, S::Little16, D::Text, 0, 65535, 0, 2, 0, false, true},
        {P::MaintenanceRequest, "maintenanceRequest", Msg::MaintenanceRequest, S::Little16, D::Position, 0, 9999, 1000,
         12, 0, false, false},
        {P::Language, "language", Msg::DisplayLanguage, S::Byte, D::ItemIndex, -1,
         Msg::LanguageSpanish - Msg::LanguageGerman, 0, 3, Msg::LanguageGerman, false, true},
        {P::TemperatureUnit, "temperatureUnit", Msg::TemperatureUnit, S::Byte, D::ItemIndex, 0,
         Msg::Fahrenheit - Msg::Celsius, 0, 4, Msg::Celsius, false, true},
        {P::MaximumLevel, "maximumLevel", Msg::MaximumLevel, S::Byte, D::Position, 0, 100, 100, 5, 0, false, true},
        {P::MinimumLevel, "minimumLevel", Msg::MinimumLevel, S::Byte, D::Position, 0, 100, 10, 6, 0, false, true},
        {P::AdvanceEnable, "advanceEnable", Msg::AdvanceEnable, S::Byte, D::Flag, 0, 1, 1, 7, 0, false, true},
        {P::MachineEnable, "machineEnable", Msg::MachineEnable, S::Byte, D::Flag, 0, 1, 1, 8, 0, false, true},
        {P::SlowingDownTime, "slowingDownTime", Msg::SlowingDownTime, S::Byte, D::Position, 1, 200, 40, 9, 0, false,
         true},
        {P::MaximumSpeed, "maximumSpeed", Msg::MaximumSpeed, S::Big16, D::Position, 0, 999, 999, 10, 0, false, true},
        {P::SpinLevel, "spinLevel", Msg::SpinLevel, S::Byte, D::Position, 2, 60, 2, 11, 0, false, true},
        {P::TemperatureHysteresis, "temperatureHysteresis", Msg::TemperatureHysteresis, S::Byte, D::Position, 1, 10, 3,
         13, 0, true, false},
    };
    return rows;
}

const S_ServiceParameter& RowOf(ServiceParameter parameter)
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
    return Rows();
}

const S_ServiceParameter& ServiceParameterOf(ServiceParameter parameter)
{
    return RowOf(parameter);
}

std::vector<const S_ServiceParameter*> ServiceParametersOnPanel()
{
    std::vector<const S_ServiceParameter*> lines;
    for (const S_ServiceParameter& row : Rows())
        lines.push_back(&row);
    std::sort(lines.begin(), lines.end(),
              [](const S_ServiceParameter* a, const S_ServiceParameter* b) { return a->m_PanelLine < b->m_PanelLine; });
    return lines;
}

QString ServiceValueText(ServiceParameter parameter, int value)
{
    switch (RowOf(parameter).m_Display) {
    case ServiceDisplay::ItemIndex: {
        // The entries of the panel's lists; no entry reads as nothing.
        const S_ServiceParameter& row = RowOf(parameter);
        if (value < 0 || value > row.m_Maximum)
            return QString();
        return Text(std::int16_t(row.m_FirstEntry + value));
    }
    case ServiceDisplay::Flag: return Text(value != 0 ? Msg::Yes : Msg::No);
    case ServiceDisplay::Text:
    case ServiceDisplay::Position: break;
    }
    return QString::number(value);
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
    const S_ServiceParameter& row = RowOf(field.m_Parameter);
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
    for (const S_ServiceParameter& row : Rows()) {
        const S_ServiceField* field = FindServiceField(fields, row.m_Parameter);
        values.push_back(field == nullptr  ? row.m_PanelDefault
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

void C_ServiceBlock::FromValues(MemoryImage& image, const std::vector<int>& values) const
{
    for (const S_ServiceField& field : m_Fields)
        if (field.m_Stored && std::size_t(field.m_Parameter) < values.size())
            StoreValue(field, image, values[std::size_t(field.m_Parameter)]);
}
