#include "fuzz/Fuzzproperties.h"
#include "model/Configurationpanes.h"
#include "model/Cyclecontent.h"
#include "model/Eepromformat.h"
#include "model/Motortable.h"
#include "model/Nodedata.h"
#include "model/Programarea.h"
#include "model/Utilities.h"

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

namespace {

constexpr std::uint16_t Codes[] = {FormatCode::Standard, FormatCode::Inverter, FormatCode::Varnholt};
constexpr int FormatCount = 3;
enum Part { Service, Motor, Programs, Steps, PartCount };

// Panes and a format for each format, built once and reused: widgets built per
// input would cost far more than the codec under test. Never destroyed, so that
// no widget outlives the application object.
struct S_Codec
{
    explicit S_Codec(std::uint16_t code)
        : m_Format(C_EEPROMFormat::Create(code, m_Panes, 16))
    {
    }

    C_ConfigurationPanes m_Panes;
    std::unique_ptr<C_EEPROMFormat> m_Format;
};

S_Codec& CodecOf(int format)
{
    static S_Codec* const codecs[] = {new S_Codec(Codes[0]), new S_Codec(Codes[1]), new S_Codec(Codes[2])};
    return *codecs[format];
}

void Clear(C_ConfigurationPanes& panes)
{
    panes.ClearConfiguration();
    panes.m_DiagnosticTree->clear();
}

// bytes copied to the start of a region of the given size; the rest not used.
std::vector<std::uint8_t> Region(const QByteArray& bytes, size_t size)
{
    std::vector<std::uint8_t> region(size, UnusedByte);
    std::copy_n(bytes.constData(), std::min(size, size_t(bytes.size())), region.begin());
    return region;
}

std::vector<int> ShownService(const S_FormatDescription& description, const C_ConfigurationPanes& panes)
{
    std::vector<int> shown;
    for (const S_ServiceField& field : description.m_Service)
        shown.push_back(ShownValue(field.m_Parameter, panes));
    return shown;
}

QString CheckService(S_Codec& codec, const QByteArray& bytes)
{
    const S_FormatDescription& description = codec.m_Format->FormatDescription();
    const C_ServiceBlock service(description.m_Service);
    int first = description.m_Layout.m_ImageSize;
    for (const S_ServiceField& field : description.m_Service)
        first = std::min(first, field.m_Offset);
    MemoryImage image(size_t(description.m_Layout.m_ImageSize), UnusedByte);
    std::copy_n(bytes.constData(), std::min(qsizetype(image.size()) - first, bytes.size()), image.begin() + first);

    service.ToWindow(image, codec.m_Panes);
    const std::vector<int> shown = ShownService(description, codec.m_Panes);
    MemoryImage once = image;
    service.FromWindow(once, codec.m_Panes);
    service.ToWindow(once, codec.m_Panes);
    const std::vector<int> again = ShownService(description, codec.m_Panes);
    for (size_t f = 0; f < shown.size(); ++f)
        if (again[f] != shown[f])
            return QStringLiteral("service field at %1 shows %2, after a build %3")
                .arg(description.m_Service[f].m_Offset)
                .arg(shown[f])
                .arg(again[f]);
    MemoryImage twice = once;
    service.FromWindow(twice, codec.m_Panes);
    return twice == once ? QString() : QStringLiteral("the service block builds differently the second time");
}

std::vector<int> MotorGrid(const C_ConfigurationPanes& panes)
{
    std::vector<int> cells;
    for (int row = 1; row <= C_ConfigurationPanes::MotorModes; ++row)
        for (int column = 1; column <= C_ConfigurationPanes::MotorTimes; ++column)
            cells.push_back(panes.MotorCell(row, column));
    return cells;
}

QString CheckMotor(S_Codec& codec, const QByteArray& bytes)
{
    C_ConfigurationPanes& panes = codec.m_Panes;
    // The table is built into the image it was shown from, as a save does.
    std::vector<std::uint8_t> once = Region(bytes, MotorTable::Entries * MotorTable::EntrySize);
    Clear(panes);
    MotorTable::ToGrid(once.data(), panes);
    const std::vector<int> grid = MotorGrid(panes);
    MotorTable::FromGrid(once.data(), panes);

    std::vector<std::uint8_t> twice = once;
    Clear(panes);
    MotorTable::ToGrid(twice.data(), panes);
    const std::vector<int> again = MotorGrid(panes);
    for (size_t c = 0; c < grid.size(); ++c)
        if (again[c] != grid[c])
            return QStringLiteral("motor mode %1 time %2 shows %3, after a build %4")
                .arg(c / C_ConfigurationPanes::MotorTimes + 1)
                .arg(c % C_ConfigurationPanes::MotorTimes + 1)
                .arg(grid[c])
                .arg(again[c]);
    MotorTable::FromGrid(twice.data(), panes);
    return twice == once ? QString() : QStringLiteral("the motor table builds differently the second time");
}

// The cycles the area's references name, so that they link; a reference whose
// category code is out of range links to none, as in a real image.
void AddReferencedCycles(const std::vector<std::uint8_t>& area, C_ConfigurationPanes& panes)
{
    for (int r = 0; r < ProgramArea::Records; ++r) {
        const std::uint8_t* record = area.data() + r * ProgramArea::RecordSize;
        if (record[0] == UnusedByte)
            continue;
        for (int p = 0; p < ProgramArea::References && record[2 + 2 * p] != UnusedByte; ++p) {
            const int code = record[2 + 2 * p];
            const int number = record[3 + 2 * p];
            if (code < 1 || code > NodeKind::CategoryCount)
                continue;
            QTreeWidgetItem* root = panes.m_CategoryNodes[size_t(code)];
            if (FindChildByNumber(root, number) != nullptr)
                continue;
            C_DataNode* cycle = AddNodeWithData(panes.m_CyclesTree, root, C_ConfigurationPanes::CycleImage,
                                                NodeKind::CycleWord | NodeKind::CategoryBits(code), number);
            for (int s = 0; s <= number % 3; ++s)
                NodeData(cycle)->m_Content->InsertStep(0);
        }
    }
}

QString CheckPrograms(S_Codec& codec, const QByteArray& bytes)
{
    C_ConfigurationPanes& panes = codec.m_Panes;
    const std::vector<std::uint8_t> area = Region(bytes, ProgramArea::Size);
    Clear(panes);
    AddReferencedCycles(area, panes);
    ProgramArea::ToTree(area.data(), panes);
    std::vector<std::uint8_t> once = area;
    if (!ProgramArea::FromTree(once.data(), panes))
        return {};
    panes.m_ProgramsTree->clear();
    ProgramArea::ToTree(once.data(), panes);
    std::vector<std::uint8_t> twice = once;
    if (!ProgramArea::FromTree(twice.data(), panes))
        return QStringLiteral("a built program area fails its checks when shown again");
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
    S_Codec& codec = CodecOf(format);
    switch (selector / FormatCount % PartCount) {
    case Service: return CheckService(codec, bytes);
    case Motor: return CheckMotor(codec, bytes);
    case Programs: return CheckPrograms(codec, bytes);
    default: return CheckSteps(codec.m_Format->FormatDescription(), selector / FormatCount / PartCount % 2 ? 24 : 16, bytes);
    }
}
