#include "model/Eepromformat.h"

#include "language/Language.h"
#include "language/Messages.h"
#include "model/Cyclecontent.h"
#include "model/Eepromvarnholt.h"
#include "model/Formatinverter.h"
#include "model/Formatstandard.h"
#include "model/Imagecodec.h"
#include "model/Imagefields.h"
#include "model/Labels.h"
#include "model/Motortable.h"
#include "model/Programarea.h"
#include "model/Steprows.h"

#include <algorithm>

std::unique_ptr<C_EEPROMFormat> C_EEPROMFormat::Create(std::uint16_t formatCode, int outputs)
{
    switch (formatCode) {
    case FormatCode::Standard: return std::make_unique<C_FormatStandard>(outputs);
    case FormatCode::Inverter: return std::make_unique<C_FormatInverter>(outputs);
    case FormatCode::Varnholt: return std::make_unique<C_FormatVarnholt>(outputs);
    default: return nullptr;
    }
}

bool C_EEPROMFormat::IsFormatCode(std::uint16_t code)
{
    return DescriptionOf(code) != nullptr;
}

const S_FormatDescription* C_EEPROMFormat::DescriptionOf(std::uint16_t formatCode)
{
    switch (formatCode) {
    case FormatCode::Standard: return &C_FormatStandard::Description();
    case FormatCode::Inverter: return &C_FormatInverter::Description();
    case FormatCode::Varnholt: return &C_FormatVarnholt::Description();
    default: return nullptr;
    }
}

std::vector<S_StepRow> C_EEPROMFormat::RowLayoutOf(const S_FormatDescription& description, int outputs)
{
    std::vector<S_StepRow> rows;
    for (const S_StepRow& row : description.m_StepRows)
        if (!row.m_ExtraOutput || outputs == 24)
            rows.push_back(row);
    return rows;
}

MemoryImage C_EEPROMFormat::NewImage(const S_FormatDescription& description, int outputs)
{
    MemoryImage image(size_t(description.m_Layout.m_ImageSize), UnusedByte);
    C_ServiceBlock(description.m_Service).ApplyDefaults(image);
    FillBytes(image, description.m_NewImageBytes);
    image[size_t(description.m_Layout.m_OutputsByte)] = std::uint8_t(outputs);
    return image;
}

C_EEPROMFormat::C_EEPROMFormat(const S_FormatDescription& description, int outputs)
    : m_Image(NewImage(description, outputs))
    , m_Description(description)
{
    MakeRows(outputs);
}

C_EEPROMFormat::~C_EEPROMFormat() = default;

C_Configuration C_EEPROMFormat::Decode(C_DiagnosticSink& lines)
{
    MemoryImage image = m_Image;
    C_Configuration value = C_ImageCodec(m_Description).Decode(image, lines);
    Adopt(image, value);
    return value;
}

C_Configuration C_EEPROMFormat::ReadImage(const MemoryImage& image, C_DiagnosticSink& lines)
{
    m_Image = image;
    return Decode(lines);
}

void C_EEPROMFormat::Adopt(const MemoryImage& image, const C_Configuration& value)
{
    m_Image = image;
    MakeRows(value.m_Outputs);
    // The step budget as a load counts it: every step, the total stopping one short of the records.
    m_StepTotal = 0;
    for (int step = 0; step < value.StepCount(); ++step)
        ReserveSteps(1);
}

bool C_EEPROMFormat::Build(const C_Configuration& value, C_DiagnosticSink& lines)
{
    m_ImageBuilt = false;
    m_ImageBuilt = C_ImageCodec(m_Description).Encode(value, m_Image, lines);
    return m_ImageBuilt;
}

void C_EEPROMFormat::LoadImage(const QByteArray& bytes)
{
    std::copy_n(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                std::min(size_t(bytes.size()), m_Image.size()), m_Image.begin());
}

std::map<int, std::uint8_t> C_EEPROMFormat::KeptBytes(int steps) const
{
    return C_ImageFields(m_Description, GetOutputs(), steps).KeptBytes(m_Image);
}

bool C_EEPROMFormat::SaveFile(const C_Configuration& value, const QString& path, C_DiagnosticSink& lines)
{
    lines.Add(C_DiagnosticSink::Top, TextLine(Msg::Saving, path), C_DiagnosticSink::Heading);
    if (!Build(value, lines))
        return false;
    QString reason;
    if (!ReplaceFile(path, ConfigurationFileBytes(FormatCode(), m_Image), reason)) {
        lines.Add(C_DiagnosticSink::Top, Text(Msg::CannotWriteFile) + QStringLiteral(": ") + reason,
                  C_DiagnosticSink::Error);
        return false;
    }
    return true;
}

std::int32_t C_EEPROMFormat::FreeSteps() const
{
    const std::int32_t records = m_Description.m_Layout.m_StepRecords;
    return m_StepTotal >= records ? -1 : records - m_StepTotal;
}

std::int32_t C_EEPROMFormat::ReserveSteps(std::int32_t count)
{
    const std::int32_t records = m_Description.m_Layout.m_StepRecords;
    const std::int32_t total = count + m_StepTotal;
    if (total >= records)
        return -1;
    // Giving back more than was taken (the steps of an image read beyond the
    // budget) never makes more room than the image has.
    m_StepTotal = std::max(total, 0);
    return records - m_StepTotal;
}

int C_EEPROMFormat::GetOutputs() const
{
    const int outputs = m_Image[size_t(m_Description.m_Layout.m_OutputsByte)];
    return outputs == 24 ? 24 : 16;
}

void C_EEPROMFormat::MakeRows(int outputs)
{
    // A load makes the rows once more for the outputs the image names; rows
    // already made for as many outputs stay.
    if (!m_Rows.empty() && (outputs == 24) == m_ExtraOutputRows)
        return;
    m_ExtraOutputRows = outputs == 24;
    m_Rows.clear();
    m_RowLayout = RowLayoutOf(m_Description, outputs);
    for (int role = int(StepRole::Cooling); role <= int(StepRole::DrumSpeed); ++role)
        *RoleRow(StepRole(role)) = -1;
    for (const S_StepRow& row : m_RowLayout) {
        if (std::int32_t* member = RoleRow(row.m_Role))
            *member = std::int32_t(m_Rows.size());
        m_Rows.emplace_back(row);
    }
}

std::int32_t C_EEPROMFormat::RowOf(StepRole role) const
{
    const std::int32_t* row = const_cast<C_EEPROMFormat*>(this)->RoleRow(role);
    return row != nullptr ? *row : -1;
}

std::int32_t* C_EEPROMFormat::RoleRow(StepRole role)
{
    switch (role) {
    case StepRole::None: return nullptr;
    case StepRole::Cooling: return &m_CoolingRow;
    case StepRole::BalancedFeed: return &m_BalancedFeedRow;
    case StepRole::TemperatureFunction: return &m_TemperatureFunctionRow;
    case StepRole::Level: return &m_LevelRow;
    case StepRole::Temperature: return &m_TemperatureRow;
    case StepRole::Time: return &m_TimeRow;
    case StepRole::TimeLimit: return &m_TimeLimitRow;
    case StepRole::SecondLevel: return &m_SecondLevelRow;
    case StepRole::SecondTemperature: return &m_SecondTemperatureRow;
    case StepRole::MotorMode: return &m_MotorModeRow;
    case StepRole::DrumSpeed: return &m_DrumSpeedRow;
    }
    return nullptr;
}
