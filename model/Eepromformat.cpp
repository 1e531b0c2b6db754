#include "model/Eepromformat.h"

#include "language/Language.h"
#include "language/Messages.h"
#include "model/Configurationpanes.h"
#include "model/Cyclecontent.h"
#include "model/Eepromvarnholt.h"
#include "model/Formatinverter.h"
#include "model/Formatstandard.h"
#include "model/Imagefields.h"
#include "model/Motortable.h"
#include "model/Programarea.h"
#include "model/Steprows.h"
#include "model/Utilities.h"

#include <QLabel>
#include <QLineEdit>
#include <QTreeWidgetItemIterator>

#include <algorithm>

namespace {

// Cycle numbers and step numbers are one byte each in a record, and a step number of 255 means not used.
constexpr int MaximumCycleNumber = 255;
constexpr int MaximumCycleSteps = 254;

QString Line(std::int16_t id, const QString& text)
{
    return Text(id) + QLatin1Char(' ') + text;
}

void Fill(MemoryImage& image, const std::vector<S_ByteFill>& fills)
{
    for (const S_ByteFill& fill : fills)
        std::fill_n(image.begin() + fill.m_Offset, fill.m_Length, fill.m_Value);
}

} // namespace

std::unique_ptr<C_EEPROMFormat> C_EEPROMFormat::Create(std::uint16_t formatCode, C_ConfigurationPanes& window,
                                                       int outputs)
{
    switch (formatCode) {
    case FormatCode::Standard: return std::make_unique<C_FormatStandard>(window, outputs);
    case FormatCode::Inverter: return std::make_unique<C_FormatInverter>(window, outputs);
    case FormatCode::Varnholt: return std::make_unique<C_FormatVarnholt>(window, outputs);
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
    Fill(image, description.m_NewImageBytes);
    image[size_t(description.m_Layout.m_OutputsByte)] = std::uint8_t(outputs);
    return image;
}

C_EEPROMFormat::C_EEPROMFormat(C_ConfigurationPanes& window, const S_FormatDescription& description, int outputs)
    : m_Window(window)
    , m_Image(NewImage(description, outputs))
    , m_Description(description)
{
    C_ServiceBlock(description.m_Service).LockControls(window);
    MakeRows(outputs);
}

C_EEPROMFormat::~C_EEPROMFormat() = default;

void C_EEPROMFormat::ShowInPanes()
{
    ShowConfiguration();
    m_Window.m_StepCountEdit->setText(QString::number(ReserveSteps(0)));
    m_Window.m_NumberOfOutputsEdit->setText(QString::number(GetOutputs()));
}

void C_EEPROMFormat::ShowConfiguration()
{
    ServiceToWindow();
    MotorTable::ToGrid(m_Image.data() + m_Description.m_Layout.m_MotorTable, m_Window);
    CyclesFromImage();
    ProgramArea::ToTree(m_Image.data() + m_Description.m_Layout.m_ProgramArea, m_Window);
}

bool C_EEPROMFormat::BuildImage()
{
    m_ImageBuilt = false;
    ServiceFromWindow();
    MotorTable::FromGrid(m_Image.data() + m_Description.m_Layout.m_MotorTable, m_Window);
    if (!ProgramArea::FromTree(m_Image.data() + m_Description.m_Layout.m_ProgramArea, m_Window))
        return false;
    if (!CyclesToImage())
        return false;
    Fill(m_Image, m_Description.m_ClearedByBuild);
    m_ImageBuilt = true;
    return true;
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

bool C_EEPROMFormat::SaveFile(const QString& path)
{
    m_Window.AddDiagnostic(nullptr, Line(Msg::Saving, path), C_ConfigurationPanes::Heading);
    if (!BuildImage())
        return false;
    QString reason;
    if (!ReplaceFile(path, ConfigurationFileBytes(FormatCode(), m_Image), reason)) {
        m_Window.AddDiagnostic(nullptr, Text(Msg::CannotWriteFile) + QStringLiteral(": ") + reason,
                               C_ConfigurationPanes::Error);
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

QTreeWidgetItem* C_EEPROMFormat::CycleOfRecord(const std::uint8_t* record)
{
    const int code = record[StepRecord::Category];
    if (code < 1 || code > NodeKind::CategoryCount)
        return nullptr;
    if (m_Description.m_StepNumber255Unused && record[StepRecord::StepNumber] == UnusedByte)
        return nullptr;
    QTreeWidgetItem* root = m_Window.m_CategoryNodes[size_t(code)];
    QTreeWidgetItem* cycle = FindChildByNumber(root, record[StepRecord::Cycle]);
    // A step is placed only right after the steps its cycle already has.
    const int steps = cycle != nullptr ? NodeData(cycle)->m_Content->StepCount() - 1 : 0;
    if (record[StepRecord::StepNumber] != steps + 1)
        return nullptr;
    if (cycle == nullptr) {
        cycle = AddNodeWithData(m_Window.m_CyclesTree, root, C_ConfigurationPanes::CycleImage,
                                NodeKind::CycleWord | NodeKind::CategoryBits(code), record[StepRecord::Cycle]);
        if (m_Description.m_CreatedCycleLine != 0)
            m_Window.AddDiagnostic(nullptr, Text(m_Description.m_CreatedCycleLine),
                                   C_ConfigurationPanes::Information);
    }
    return cycle;
}

void C_EEPROMFormat::CyclesFromImage()
{
    MakeRows(m_Image[size_t(m_Description.m_Layout.m_OutputsByte)]);
    const C_StepRecordCodec codec(m_RowLayout, m_Description.m_UnusedSpeedHigh);
    const S_ImageLayout& layout = m_Description.m_Layout;
    for (int i = 0; i < layout.m_StepRecords; ++i) {
        const std::uint8_t* record = m_Image.data() + i * layout.m_RecordSize;
        if (record[StepRecord::Category] == UnusedByte)
            continue;
        QTreeWidgetItem* cycle = CycleOfRecord(record);
        if (cycle == nullptr)
            continue;
        C_NodeData& data = *NodeData(cycle);
        codec.Decode(record, *data.m_Content->InsertStep(std::int16_t(data.m_Content->StepCount() - 1)));
        ReserveSteps(1);
        cycle->setText(0, NodeLabel(data));
        cycle->parent()->setExpanded(true);
    }
}

bool C_EEPROMFormat::CyclesToImage()
{
    QTreeWidgetItem* heading = m_Window.AddDiagnostic(nullptr, Text(Msg::WritingCycles), C_ConfigurationPanes::Heading);
    const C_StepRecordCodec codec(m_RowLayout, m_Description.m_UnusedSpeedHigh);
    const S_ImageLayout& layout = m_Description.m_Layout;
    int i = 0;
    for (QTreeWidgetItemIterator it(m_Window.m_CyclesTree); *it != nullptr; ++it) {
        const C_NodeData* data = NodeData(*it);
        if (data == nullptr || (data->m_Kind & NodeKind::Group) || !data->m_Content)
            continue;
        const QString caption = (*it)->text(0);
        QTreeWidgetItem* line = m_Window.AddDiagnostic(heading, caption, C_ConfigurationPanes::Information);
        const int steps = data->m_Content->StepCount() - 1;
        if (steps == 0) {
            m_Window.AddDiagnostic(line, caption + Text(Msg::CycleWithoutSteps), C_ConfigurationPanes::Error);
            return false;
        }
        if (steps > MaximumCycleSteps || data->m_Number < 0 || data->m_Number > MaximumCycleNumber) {
            m_Window.AddDiagnostic(line, caption + Text(Msg::CycleTooLong), C_ConfigurationPanes::Error);
            return false;
        }
        m_Window.AddDiagnostic(line, QString::number(steps) + Text(Msg::StepsWord), C_ConfigurationPanes::Information);
        for (int k = 0; k < steps; ++k) {
            std::uint8_t* record = m_Image.data() + i * layout.m_RecordSize;
            record[StepRecord::Category] = std::uint8_t(NodeKind::CategoryCode(data->m_Kind));
            record[StepRecord::Cycle] = std::uint8_t(data->m_Number);
            record[StepRecord::StepNumber] = std::uint8_t(k + 1);
            codec.Encode(*data->m_Content->GetStep(k), record);
            if (const std::int16_t failure = FailedStepCheck(m_Description.m_StepChecks, record, m_Window)) {
                m_Window.AddDiagnostic(line, Line(Msg::Step, QString::number(k + 1)) + Text(failure),
                                       C_ConfigurationPanes::Error);
                return false;
            }
            // One record always stays free.
            if (++i == layout.m_StepRecords) {
                m_Window.AddDiagnostic(nullptr, Text(Msg::StepMemoryFull), C_ConfigurationPanes::Error);
                return false;
            }
        }
    }
    for (; i < layout.m_StepRecords; ++i)
        m_Image[size_t(i * layout.m_RecordSize + StepRecord::Category)] = UnusedByte;
    return true;
}

void C_EEPROMFormat::ServiceToWindow()
{
    C_ServiceBlock(m_Description.m_Service).ToWindow(m_Image, m_Window);
    m_Window.m_TypeImage->setPixmap(m_Window.m_TypeImageList.value(m_Description.m_TypePicture));
    // A hint is a short text for the tip and a long one for the status line.
    const QString& hint = Text(m_Description.m_TypeHint);
    m_Window.m_TypeImage->setToolTip(hint.section(QLatin1Char('|'), 0, 0));
    m_Window.m_TypeImage->setStatusTip(hint.section(QLatin1Char('|'), -1));
}

void C_EEPROMFormat::ServiceFromWindow()
{
    if (m_Description.m_ServiceHeading != 0)
        m_Window.AddDiagnostic(nullptr, Text(m_Description.m_ServiceHeading), C_ConfigurationPanes::Heading);
    C_ServiceBlock(m_Description.m_Service).FromWindow(m_Image, m_Window);
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
