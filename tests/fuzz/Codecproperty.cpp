#include "fuzz/Fuzzproperties.h"
#include "model/Configuration.h"
#include "model/Cyclecontent.h"
#include "model/Diagnosticlist.h"
#include "model/Eepromformat.h"
#include "model/Motortable.h"
#include "model/Nodedata.h"
#include "model/Programarea.h"

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

namespace {

constexpr std::uint16_t Codes[] = {FormatCode::Standard, FormatCode::Inverter, FormatCode::Varnholt};
constexpr int FormatCount = 3;
enum Part { Service, Motor, Programs, Steps, PartCount };

// bytes copied to the start of a region of the given size; the rest not used.
std::vector<std::uint8_t> Region(const QByteArray& bytes, size_t size)
{
    std::vector<std::uint8_t> region(size, UnusedByte);
    std::copy_n(bytes.constData(), std::min(size, size_t(bytes.size())), region.begin());
    return region;
}

QString CheckService(const S_FormatDescription& description, const QByteArray& bytes)
{
    const C_ServiceBlock service(description.m_Service);
    int first = description.m_Layout.m_ImageSize;
    for (const S_ServiceField& field : description.m_Service)
        first = std::min(first, field.m_Offset);
    MemoryImage image(size_t(description.m_Layout.m_ImageSize), UnusedByte);
    std::copy_n(bytes.constData(), std::min(qsizetype(image.size()) - first, bytes.size()), image.begin() + first);

    const std::vector<int> shown = ServiceValuesOf(description.m_Service, image);
    MemoryImage once = image;
    service.FromValues(once, shown);
    const std::vector<int> again = ServiceValuesOf(description.m_Service, once);
    for (size_t f = 0; f < shown.size(); ++f)
        if (again[f] != shown[f])
            return QStringLiteral("service parameter %1 shows %2, after a build %3").arg(f).arg(shown[f]).arg(again[f]);
    MemoryImage twice = once;
    service.FromValues(twice, again);
    return twice == once ? QString() : QStringLiteral("the service block builds differently the second time");
}

QString CheckMotor(const QByteArray& bytes)
{
    // The table is built into the image it was read from, as a save does.
    C_DiagnosticList lines;
    std::vector<std::uint8_t> once = Region(bytes, MotorTable::Entries * MotorTable::EntrySize);
    const MotorTable::Times times = MotorTable::Read(once.data(), lines);
    MotorTable::Write(once.data(), times, lines);
    std::vector<std::uint8_t> twice = once;
    const MotorTable::Times again = MotorTable::Read(twice.data(), lines);
    for (size_t c = 0; c < times.size() * 3; ++c)
        if (again[c / 3][c % 3] != times[c / 3][c % 3])
            return QStringLiteral("motor mode %1 time %2 reads %3, after a build %4")
                .arg(c / 3 + 1)
                .arg(c % 3 + 1)
                .arg(times[c / 3][c % 3])
                .arg(again[c / 3][c % 3]);
    MotorTable::Write(twice.data(), again, lines);
    return twice == once ? QString() : QStringLiteral("the motor table builds differently the second time");
}

// The cycles the area's references name, so that they link; a reference whose
// category code is out of range links to none, as in a real image.
C_Configuration ReferencedCycles(const std::vector<std::uint8_t>& area)
{
    C_Configuration value;
    for (int r = 0; r < ProgramArea::Records; ++r) {
        const std::uint8_t* record = area.data() + r * ProgramArea::RecordSize;
        if (record[0] == UnusedByte)
            continue;
        for (int p = 0; p < ProgramArea::References && record[2 + 2 * p] != UnusedByte; ++p) {
            const int code = record[2 + 2 * p];
            const int number = record[3 + 2 * p];
            const bool known = std::any_of(value.m_Cycles.begin(), value.m_Cycles.end(), [&](const auto& cycle) {
                return cycle.Category() == code && cycle.m_Number == number;
            });
            if (code < 1 || code > NodeKind::CategoryCount || known)
                continue;
            auto steps = std::make_shared<C_Configuration::Steps>(std::size_t(number % 3 + 1));
            value.m_Cycles.push_back({NodeKind::CycleWord | NodeKind::CategoryBits(code), number, steps});
        }
    }
    return value;
}

QString CheckPrograms(const QByteArray& bytes)
{
    C_DiagnosticList lines;
    const std::vector<std::uint8_t> area = Region(bytes, ProgramArea::Size);
    C_Configuration value = ReferencedCycles(area);
    value.m_Programs = ProgramArea::Read(area.data(), value.m_Cycles, lines);
    std::vector<std::uint8_t> once = area;
    if (!ProgramArea::Write(once.data(), value, lines))
        return {};
    value.m_Programs = ProgramArea::Read(once.data(), value.m_Cycles, lines);
    std::vector<std::uint8_t> twice = once;
    if (!ProgramArea::Write(twice.data(), value, lines))
        return QStringLiteral("a built program area fails its checks when read again");
    return twice == once ? QString() : QStringLiteral("the program area builds differently the second time");
}

QString CheckSteps(const S_FormatDescription& description, int outputs, const QByteArray& bytes)
{
    std::vector<S_StepRow> rows;
    for (const S_StepRow& row : description.m_StepRows)
        if (!row.m_ExtraOutput || outputs == 24)
            rows.push_back(row);
    const C_StepRecordCodec codec(rows, description.m_UnusedSpeedHigh);
    const int size = description.m_Layout.m_RecordSize;
    for (qsizetype at = 0; at + size <= bytes.size(); at += size) {
        std::vector<std::uint8_t> once(bytes.constData() + at, bytes.constData() + at + size);
        C_Step step;
        codec.Decode(once.data(), step);
        codec.Encode(step, once.data());
        C_Step again;
        codec.Decode(once.data(), again);
        for (size_t r = 0; r < rows.size(); ++r)
            if (again.m_Values[r] != step.m_Values[r])
                return QStringLiteral("step row %1 (caption %2) reads %3, after a build %4")
                    .arg(r)
                    .arg(rows[r].m_Caption)
                    .arg(step.m_Values[r])
                    .arg(again.m_Values[r]);
        std::vector<std::uint8_t> twice = once;
        codec.Encode(again, twice.data());
        if (twice != once)
            return QStringLiteral("a step record builds differently the second time");
    }
    return {};
}

} // namespace

QString CheckCodecProperty(const QByteArray& input, const QString& /*folder*/)
{
    if (input.isEmpty())
        return {};
    const int selector = std::uint8_t(input[0]);
    const int format = selector % FormatCount;
    const QByteArray bytes = input.mid(1);
    const S_FormatDescription& description = *C_EEPROMFormat::DescriptionOf(Codes[format]);
    switch (selector / FormatCount % PartCount) {
    case Service: return CheckService(description, bytes);
    case Motor: return CheckMotor(bytes);
    case Programs: return CheckPrograms(bytes);
    default: return CheckSteps(description, selector / FormatCount / PartCount % 2 ? 24 : 16, bytes);
    }
}
