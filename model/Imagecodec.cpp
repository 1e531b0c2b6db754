#include "model/Imagecodec.h"

#include "language/Language.h"
#include "language/Messages.h"
#include "model/Cyclecontent.h"
#include "model/Eepromformat.h"
#include "model/Labels.h"
#include "model/Motortable.h"
#include "model/Nodedata.h"
#include "model/Programarea.h"
#include "model/Steprecord.h"

#include <algorithm>
#include <map>

namespace {

// Cycle numbers and step numbers are one byte each in a record, and a step number of 255 means not used.
constexpr int MaximumCycleNumber = 255;
constexpr int MaximumCycleSteps = 254;

} // namespace

C_ImageCodec::C_ImageCodec(const S_FormatDescription& description)
    : m_Description(description)
{
}

int C_ImageCodec::OutputsOf(const MemoryImage& image) const
{
    return image[size_t(m_Description.m_Layout.m_OutputsByte)] == 24 ? 24 : 16;
}

std::int32_t C_ImageCodec::FreeSteps(int steps) const
{
    const std::int32_t records = m_Description.m_Layout.m_StepRecords;
    return records - std::min(steps, records - 1);
}

C_Configuration C_ImageCodec::Decode(MemoryImage& image, C_DiagnosticSink& lines) const
{
    C_Configuration value;
    value.m_FormatCode = m_Description.m_Layout.m_FormatCode;
    value.m_Outputs = OutputsOf(image);
    value.m_Service = ServiceValuesOf(m_Description.m_Service, image);
    value.m_Motors = MotorTable::Read(image.data() + m_Description.m_Layout.m_MotorTable, lines);
    value.m_Cycles = DecodeCycles(image, lines);
    value.m_Programs = ProgramArea::Read(image.data() + m_Description.m_Layout.m_ProgramArea, value.m_Cycles, lines);
    value.m_FreeSteps = FreeSteps(value.StepCount());
    value.m_Image = std::make_shared<const MemoryImage>(image);
    return value;
}

std::vector<C_Configuration::S_Cycle> C_ImageCodec::DecodeCycles(const MemoryImage& image,
                                                                 C_DiagnosticSink& lines) const
{
    // By category, then in the order their first steps stand in the records.
    std::vector<std::vector<std::pair<int, std::shared_ptr<C_Configuration::Steps>>>> categories(
        size_t(NodeKind::CategoryCount + 1));
    const std::vector<S_StepRow> rows = C_EEPROMFormat::RowLayoutOf(m_Description, OutputsOf(image));
    const C_StepRecordCodec codec(rows, m_Description.m_UnusedSpeedHigh);
    const S_ImageLayout& layout = m_Description.m_Layout;
    for (int i = 0; i < layout.m_StepRecords; ++i) {
        const std::uint8_t* record = image.data() + i * layout.m_RecordSize;
        const int code = record[StepRecord::Category];
        if (code == UnusedByte || code < 1 || code > NodeKind::CategoryCount)
            continue;
        if (m_Description.m_StepNumber255Unused && record[StepRecord::StepNumber] == UnusedByte)
            continue;
        auto& cycles = categories[size_t(code)];
        const auto cycle = std::find_if(cycles.begin(), cycles.end(),
                                        [&](const auto& entry) { return entry.first == record[StepRecord::Cycle]; });
        // A step is placed only right after the steps its cycle already has.
        const std::size_t steps = cycle != cycles.end() ? cycle->second->size() : 0;
        if (record[StepRecord::StepNumber] != steps + 1)
            continue;
        C_Configuration::Steps* target = nullptr;
        if (cycle == cycles.end()) {
            cycles.push_back({record[StepRecord::Cycle], std::make_shared<C_Configuration::Steps>()});
            target = cycles.back().second.get();
            if (m_Description.m_CreatedCycleLine != 0)
                lines.Add(C_DiagnosticSink::Top, Text(m_Description.m_CreatedCycleLine), C_DiagnosticSink::Information);
        } else {
            target = cycle->second.get();
        }
        C_Step step;
        codec.Decode(record, step);
        target->push_back(step.m_Values);
    }
    std::vector<C_Configuration::S_Cycle> decoded;
    for (int code = 1; code <= NodeKind::CategoryCount; ++code)
        for (const auto& [number, steps] : categories[size_t(code)])
            decoded.push_back({NodeKind::CycleWord | NodeKind::CategoryBits(code), number, steps});
    return decoded;
}

bool C_ImageCodec::Encode(const C_Configuration& value, MemoryImage& image, C_DiagnosticSink& lines) const
{
    if (m_Description.m_ServiceHeading != 0)
        lines.Add(C_DiagnosticSink::Top, Text(m_Description.m_ServiceHeading), C_DiagnosticSink::Heading);
    C_ServiceBlock(m_Description.m_Service).FromValues(image, value.m_Service);
    MotorTable::Write(image.data() + m_Description.m_Layout.m_MotorTable, value.m_Motors, lines);
    if (!ProgramArea::Write(image.data() + m_Description.m_Layout.m_ProgramArea, value, lines) ||
        !EncodeCycles(value, image, lines))
        return false;
    FillBytes(image, m_Description.m_ClearedByBuild);
    return true;
}

bool C_ImageCodec::EncodeCycles(const C_Configuration& value, MemoryImage& image, C_DiagnosticSink& lines) const
{
    const int heading = lines.Add(C_DiagnosticSink::Top, Text(Msg::WritingCycles), C_DiagnosticSink::Heading);
    const std::vector<S_StepRow> rows = C_EEPROMFormat::RowLayoutOf(m_Description, value.m_Outputs);
    const C_StepRecordCodec codec(rows, m_Description.m_UnusedSpeedHigh);
    const S_ImageLayout& layout = m_Description.m_Layout;
    int i = 0;
    for (const C_Configuration::S_Cycle& cycle : value.m_Cycles) {
        const int steps = int(cycle.m_Steps->size());
        const QString caption = CycleLabel(cycle.m_Kind, cycle.m_Number, steps);
        const int line = lines.Add(heading, caption, C_DiagnosticSink::Information);
        if (steps == 0) {
            lines.Add(line, caption + Text(Msg::CycleWithoutSteps), C_DiagnosticSink::Error);
            return false;
        }
        if (steps > MaximumCycleSteps || cycle.m_Number < 0 || cycle.m_Number > MaximumCycleNumber) {
            lines.Add(line, caption + Text(Msg::CycleTooLong), C_DiagnosticSink::Error);
            return false;
        }
        lines.Add(line, QString::number(steps) + Text(Msg::StepsWord), C_DiagnosticSink::Information);
        for (int k = 0; k < steps; ++k) {
            std::uint8_t* record = image.data() + i * layout.m_RecordSize;
            record[StepRecord::Category] = std::uint8_t(cycle.Category());
            record[StepRecord::Cycle] = std::uint8_t(cycle.m_Number);
            record[StepRecord::StepNumber] = std::uint8_t(k + 1);
            C_Step step;
            step.m_Values = (*cycle.m_Steps)[size_t(k)];
            codec.Encode(step, record);
            if (const std::int16_t failure = FailedStepCheck(m_Description.m_StepChecks, record, value.m_Motors)) {
                lines.Add(line, TextLine(Msg::Step, QString::number(k + 1)) + Text(failure), C_DiagnosticSink::Error);
                return false;
            }
            // One record always stays free.
            if (++i == layout.m_StepRecords) {
                lines.Add(C_DiagnosticSink::Top, Text(Msg::StepMemoryFull), C_DiagnosticSink::Error);
                return false;
            }
        }
    }
    for (; i < layout.m_StepRecords; ++i)
        image[size_t(i * layout.m_RecordSize + StepRecord::Category)] = UnusedByte;
    return true;
}
