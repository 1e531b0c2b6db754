#pragma once

#include "model/Imagebytes.h"

#include <QString>

#include <cstdint>
#include <vector>

// The machine-wide values of the service panel.
enum class ServiceParameter {
    TotalWashes,
    PartialWashes,
    WorkingHours,
    MaintenanceRequest,
    Language,
    TemperatureUnit,
    MaximumLevel,
    MinimumLevel,
    AdvanceEnable,
    MachineEnable,
    SlowingDownTime,
    MaximumSpeed,
    SpinLevel,
    TemperatureHysteresis,
};

// How the panel shows a parameter: a number in a read-only box, an up-down's
// position, a combo box's item index or a check box's state.
enum class ServiceDisplay { Text, Position, ItemIndex, Flag };

// How an image keeps a parameter: one byte, or 16 bits low or high byte first.
enum class ServiceStorage { Byte, Little16, Big16 };

// Everything about a service parameter that is the same in every format.
struct S_ServiceParameter
{
    ServiceParameter m_Parameter;
    // The key of dump and of the text form.
    const char* m_Key;
    // The message id of the panel's label (a check box's text).
    std::int16_t m_Label;
    ServiceStorage m_Storage;
    ServiceDisplay m_Display;
    // The values the panel's control can show: an up-down's range, a list's entries
    // (-1 for none, where the list can show none), a box the storage's range.
    int m_Minimum;
    int m_Maximum;
    // What the panel shows before a configuration is shown: also the value of a
    // parameter the format lacks.
    int m_PanelDefault;
    // Its line on the panel, counted from the first line under the free steps and
    // the outputs: also the order Tab follows.
    int m_PanelLine;
    // A list's first entry as a message id, the others following it; 0 for no list.
    std::int16_t m_FirstEntry;
    // An up-down whose box can also be typed into.
    bool m_Typed;
    // On the printed service page, whose lines follow the panel's.
    bool m_Printed;
};

// The parameters in the order of dump and the text form; the panel shows them so
// too, but for the maintenance request, which it shows after the spin level.
const std::vector<S_ServiceParameter>& ServiceParameters();
const S_ServiceParameter& ServiceParameterOf(ServiceParameter parameter);
// The parameters in the order of the panel's lines.
std::vector<const S_ServiceParameter*> ServiceParametersOnPanel();
// A service value (in the terms of its display: a flag as 0 or 1, a list's entry
// by index) as the panel words it: the number, the list's entry, Yes or No.
QString ServiceValueText(ServiceParameter parameter, int value);

// Where one format keeps a parameter and how a new image sets it.
struct S_ServiceField
{
    static constexpr int NoDefault = -1;

    ServiceParameter m_Parameter;
    int m_Offset;
    // Written back from the panel by every build.
    bool m_Stored;
    // The value of a new image, as the image holds it; NoDefault keeps 255.
    int m_Default;
    // Shown, but the panel does not let the user change it.
    bool m_Locked = false;
};

// The value the image holds for the field, in the terms of the panel, and the
// image made to hold a value.
int StoredValue(const S_ServiceField& field, const MemoryImage& image);
void StoreValue(const S_ServiceField& field, MemoryImage& image, int value);
// What the panel shows of the field's stored value: an up-down keeps it within its
// range, a list shows no entry for a value it has none for, a check box is on or off.
int PanelValue(const S_ServiceField& field, const MemoryImage& image);
// The service values of a configuration read from the image, in the order of
// ServiceParameters(): what the panel shows, and what it does not store exactly.
std::vector<int> ServiceValuesOf(const std::vector<S_ServiceField>& fields, const MemoryImage& image);
// The format's field of the parameter, or null for a parameter the format lacks.
const S_ServiceField* FindServiceField(const std::vector<S_ServiceField>& fields, ServiceParameter parameter);
// How many bytes the parameter takes in an image.
int StorageSize(ServiceParameter parameter);

// A format's service block in the image: the defaults of a new image and the values a build stores.
class C_ServiceBlock
{
public:
    explicit C_ServiceBlock(const std::vector<S_ServiceField>& fields)
        : m_Fields(fields)
    {
    }

    void ApplyDefaults(MemoryImage& image) const;
    // Writes the stored fields from service values in the order of ServiceParameters().
    void FromValues(MemoryImage& image, const std::vector<int>& values) const;

private:
    const std::vector<S_ServiceField>& m_Fields;
};
