#include "model/Imagefields.h"

#include "model/Eepromformat.h"
#include "model/Motortable.h"
#include "model/Programarea.h"

#include <algorithm>

namespace {

// The name of the bytes every Save clears, which no field sets.
constexpr const char* Cleared = "";

// The image as a Save leaves the bytes it does not write: the motor table's
// spare entry taken in the way every build takes it.
MemoryImage AsSaveKeepsIt(MemoryImage image, const S_FormatDescription& description)
{
    MotorTable::SettleEntries(image.data() + description.m_Layout.m_MotorTable);
    return image;
}

} // namespace

C_ImageFields::C_ImageFields(const S_FormatDescription& description, int outputs, int steps)
    : m_Description(description)
    , m_Outputs(outputs)
    , m_Fields(std::size_t(description.m_Layout.m_ImageSize), nullptr)
{
    const S_ImageLayout& layout = description.m_Layout;
    for (const S_ServiceField& field : description.m_Service)
        Name(field.m_Offset, StorageSize(field.m_Parameter), ServiceParameterOf(field.m_Parameter).m_Key);
    // Modes 1 to 15; the sixteenth entry is the file's.
    Name(layout.m_MotorTable, (MotorTable::Entries - 1) * MotorTable::EntrySize, "motors");
    Name(layout.m_ProgramArea, ProgramArea::Size, "programs");
    const std::vector<S_StepRow> rows = C_EEPROMFormat::RowLayoutOf(description, outputs);
    const std::vector<int> written = C_StepRecordCodec(rows, description.m_UnusedSpeedHigh).WrittenBytes();
    const int used = std::clamp(steps, 0, layout.m_StepRecords);
    for (int record = 0; record < layout.m_StepRecords; ++record) {
        const int start = record * layout.m_RecordSize;
        // An unused record is marked in its category byte alone.
        Name(start + StepRecord::Category, 1, "cycles");
        if (record >= used)
            continue;
        Name(start + StepRecord::Cycle, 2, "cycles");
        for (const int byte : written)
            Name(start + byte, 1, "cycles");
    }
    for (const S_ByteFill& fill : description.m_ClearedByBuild)
        Name(fill.m_Offset, fill.m_Length, Cleared);
}

void C_ImageFields::Name(int offset, int length, const char* field)
{
    for (int i = std::max(offset, 0); i < offset + length && i < int(m_Fields.size()); ++i)
        m_Fields[std::size_t(i)] = field;
}

QString C_ImageFields::Refusal(int offset) const
{
    const char* field = m_Fields[std::size_t(offset)];
    if (field == nullptr)
        return QString();
    if (field == Cleared)
        return QStringLiteral("byte %1 is cleared by every save").arg(offset);
    return QStringLiteral("byte %1 is %2; set it there").arg(offset).arg(QLatin1String(field));
}

std::map<int, std::uint8_t> C_ImageFields::KeptBytes(const MemoryImage& image) const
{
    const MemoryImage kept = AsSaveKeepsIt(image, m_Description);
    const MemoryImage fresh = AsSaveKeepsIt(C_EEPROMFormat::NewImage(m_Description, m_Outputs), m_Description);
    std::map<int, std::uint8_t> bytes;
    for (std::size_t i = 0; i < kept.size() && i < fresh.size(); ++i)
        if (m_Fields[i] == nullptr && kept[i] != fresh[i])
            bytes[int(i)] = kept[i];
    return bytes;
}
