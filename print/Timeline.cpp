#include "print/Timeline.h"

#include "language/Language.h"
#include "language/Messages.h"
#include "model/Labels.h"
#include "model/Nodedata.h"
#include "model/Steprow.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

#include <algorithm>
#include <array>

namespace {

constexpr double TitleHeight = 22;
constexpr double AxisHeight = 16;
constexpr double BandHeight = 20;
constexpr double StepHeight = 24;
constexpr double SwitchLaneHeight = 14;
constexpr double ValueLaneHeight = 34;
constexpr double LaneGap = 3;

size_t CategoryIndex(int category)
{
    return size_t(category >= 1 && category <= 5 ? category : 0);
}

QString ReferenceLabel(int category, int number)
{
    const C_NodeData reference(NodeKind::CycleReferenceWord | NodeKind::CategoryBits(category), number);
    return NodeLabel(reference);
}

// Diagonal lines across the rectangle, cut at its edges: drawn as lines, so that
// every picture format and viewer shows them alike.
void Hatch(QPainter& painter, const QRectF& rect, const QColor& colour)
{
    const double h = rect.height();
    if (rect.width() <= 0 || h <= 0)
        return;
    painter.setPen(QPen(colour, 1));
    for (double x = rect.left() - h; x < rect.right(); x += 6) {
        const double from = std::max(0.0, (rect.left() - x) / h);
        const double to = std::min(1.0, (rect.right() - x) / h);
        if (from < to)
            painter.drawLine(QPointF(x + from * h, rect.bottom() - from * h),
                             QPointF(x + to * h, rect.bottom() - to * h));
    }
}

QFont TimelineFont(bool bold = false)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    font.setBold(bold);
    return font;
}

} // namespace

C_TimelineLayout::C_TimelineLayout(const S_TimelineSource& source, double width)
    : m_Source(source)
    , m_Width(std::max(width, LabelWidth + 2 * Margin + 40))
{
    const C_Configuration& configuration = source.m_Configuration;
    const C_ProgramTiming timing(source.m_Layout);
    std::vector<const C_Configuration::S_Cycle*> cycles;
    S_Duration total;
    if (source.m_Subject.m_Kind == S_TimelineSubject::Kind::Program) {
        const C_Configuration::S_Program& program = configuration.m_Programs.at(size_t(source.m_Subject.m_Index));
        for (const S_ProgramCycle& part : C_ProgramTiming::CyclesOf(configuration, program)) {
            cycles.push_back(part.m_Cycle);
            m_Bands.push_back(
                {ReferenceLabel(part.m_Reference->Category(), part.m_Reference->m_Number), {}, part.m_Cycle});
        }
        total = timing.Program(configuration, program);
        m_Title = Text(Msg::Program) + QLatin1Char(' ') + QString::number(program.m_Number);
    } else {
        const C_Configuration::S_Cycle& cycle = configuration.m_Cycles.at(size_t(source.m_Subject.m_Index));
        cycles.push_back(&cycle);
        m_Bands.push_back({ReferenceLabel(cycle.Category(), cycle.m_Number), {}, &cycle});
        total = timing.Cycle(cycle);
        m_Title = m_Bands.front().m_Label;
    }
    m_Title += QStringLiteral(": ") + DurationText(total);
    PlaceSteps(timing, cycles);
    PlaceLanes();
}

void C_TimelineLayout::PlaceSteps(const C_ProgramTiming& timing,
                                  const std::vector<const C_Configuration::S_Cycle*>& cycles)
{
    for (size_t band = 0; band < cycles.size(); ++band) {
        const C_Configuration::S_Cycle* cycle = cycles[band];
        if (cycle == nullptr || !cycle->m_Steps)
            continue;
        const int index = int(cycle - m_Source.m_Configuration.m_Cycles.data());
        for (size_t step = 0; step < cycle->m_Steps->size(); ++step)
            m_Steps.push_back({index, int(step), timing.Step((*cycle->m_Steps)[step]), {}, {}, {}, {}, {}});
    }

    // Seconds share the width left by the open ends; a step too short to see
    // gets the minimum width, and the others share what remains.
    const auto span = [](const S_TimelineStep& step) {
        return double(step.m_Duration.m_Upper.value_or(step.m_Duration.m_Lower));
    };
    const auto open = [](const S_TimelineStep& step) { return step.m_Duration.m_Upper ? 0.0 : OpenEndWidth; };
    double plot = m_Width - LabelWidth - 2 * Margin;
    std::vector<bool> atMinimum(m_Steps.size(), false);
    double scale = 0;
    for (bool changed = true; changed;) {
        changed = false;
        double fixed = 0;
        double seconds = 0;
        for (size_t i = 0; i < m_Steps.size(); ++i) {
            if (atMinimum[i])
                fixed += MinimumStepWidth;
            else {
                fixed += open(m_Steps[i]);
                seconds += span(m_Steps[i]);
            }
        }
        scale = seconds > 0 ? std::max(0.0, plot - fixed) / seconds : 0;
        for (size_t i = 0; i < m_Steps.size(); ++i)
            if (!atMinimum[i] && span(m_Steps[i]) * scale + open(m_Steps[i]) < MinimumStepWidth)
                atMinimum[i] = changed = true;
    }

    const double top = Margin + TitleHeight + AxisHeight + BandHeight;
    m_StepRow = QRectF(Margin + LabelWidth, top, plot, StepHeight);
    double x = m_StepRow.left();
    S_Duration elapsed;
    size_t band = 0;
    const auto closeBands = [&](int untilCycle) {
        // Bands up to the one of the cycle (or all of them) end here.
        while (band < m_Bands.size()) {
            const C_Configuration::S_Cycle* cycle = m_Bands[band].m_Cycle;
            if (untilCycle >= 0 && cycle != nullptr && cycle == &m_Source.m_Configuration.m_Cycles[size_t(untilCycle)])
                break;
            m_Bands[band].m_Rect.setRight(x);
            m_Ticks.emplace_back(x, elapsed);
            ++band;
            if (band < m_Bands.size())
                m_Bands[band].m_Rect = QRectF(x, top - BandHeight, 0, BandHeight);
        }
    };
    if (!m_Bands.empty())
        m_Bands.front().m_Rect = QRectF(x, top - BandHeight, 0, BandHeight);
    int previousCycle = -1;
    for (size_t i = 0; i < m_Steps.size(); ++i) {
        S_TimelineStep& step = m_Steps[i];
        // The first step of a cycle starts its band; the same cycle twice in a row is two bands.
        if (step.m_Step == 0 && (previousCycle >= 0 || m_Bands[band].m_Cycle == nullptr ||
                                 m_Bands[band].m_Cycle != &m_Source.m_Configuration.m_Cycles[size_t(step.m_Cycle)])) {
            if (previousCycle >= 0) {
                m_Bands[band].m_Rect.setRight(x);
                m_Ticks.emplace_back(x, elapsed);
                ++band;
                m_Bands[band].m_Rect = QRectF(x, top - BandHeight, 0, BandHeight);
            }
            closeBands(step.m_Cycle);
        }
        previousCycle = step.m_Cycle;
        const double solid = double(step.m_Duration.m_Lower) * scale;
        const double hatched =
            step.m_Duration.m_Upper ? double(*step.m_Duration.m_Upper - step.m_Duration.m_Lower) * scale : 0;
        const double end = open(step);
        const double widen = atMinimum[i] ? std::max(0.0, MinimumStepWidth - solid - hatched - end) : 0;
        step.m_Solid = QRectF(x, top, solid + widen, StepHeight);
        step.m_Hatched = QRectF(step.m_Solid.right(), top, hatched, StepHeight);
        step.m_Open = QRectF(step.m_Hatched.right(), top, end, StepHeight);
        x = step.m_Open.right();
        step.m_Start = elapsed;
        elapsed += step.m_Duration;
    }
    if (!m_Bands.empty() && previousCycle >= 0) {
        m_Bands[band].m_Rect.setRight(x);
        m_Ticks.emplace_back(x, elapsed);
        ++band;
    }
    closeBands(-1);
    m_Width = std::max(m_Width, x + Margin);
}

void C_TimelineLayout::PlaceLanes()
{
    const std::vector<S_StepRow>& layout = m_Source.m_Layout;
    double y = m_StepRow.bottom() + 2 * LaneGap;
    for (size_t row = 0; row < layout.size(); ++row) {
        const S_StepRow& field = layout[row];
        S_TimelineLane::Kind kind;
        if (field.m_Class == RowClass::Out || field.m_Class == RowClass::Boolean)
            kind = S_TimelineLane::Kind::Switch;
        else if (field.m_Role == StepRole::Level || field.m_Role == StepRole::Temperature)
            kind = S_TimelineLane::Kind::Value;
        else if (field.m_Role == StepRole::MotorMode)
            kind = S_TimelineLane::Kind::Motor;
        else
            continue;
        std::int32_t highest = 1;
        for (const S_TimelineStep& step : m_Steps)
            if (Value(step, row) != field.m_DisabledValue)
                highest = std::max(highest, Value(step, row));
        const double height = kind == S_TimelineLane::Kind::Value ? ValueLaneHeight : SwitchLaneHeight;
        S_TimelineLane lane{kind, m_Source.m_Rows[row].m_Caption, QRectF(Margin, y, m_Width - 2 * Margin, height), {}};
        for (const S_TimelineStep& step : m_Steps) {
            const std::int32_t value = Value(step, row);
            if (value == field.m_DisabledValue)
                continue;
            const QRectF column(step.m_Solid.left(), y, step.m_Open.right() - step.m_Solid.left(), height);
            if (kind == S_TimelineLane::Kind::Value) {
                // A line at the target's height, its value above it.
                const double level = y + height - 2 - (height - 14) * double(value) / double(highest);
                lane.m_Marks.push_back({QRectF(column.left(), level, column.width(), 0), ValueText(row, value)});
            } else {
                lane.m_Marks.push_back({column.adjusted(0, 2, 0, -2),
                                        kind == S_TimelineLane::Kind::Motor ? ValueText(row, value) : QString()});
            }
        }
        if (lane.m_Marks.empty())
            continue;
        m_Lanes.push_back(std::move(lane));
        y += height + LaneGap;
    }
    for (S_TimelineStep& step : m_Steps)
        step.m_Column = QRectF(step.m_Solid.left(), m_StepRow.top(), step.m_Open.right() - step.m_Solid.left(),
                               y - m_StepRow.top());
    m_Height = y + Margin;
}

std::int32_t C_TimelineLayout::Value(const S_TimelineStep& step, size_t row) const
{
    return (*m_Source.m_Configuration.m_Cycles[size_t(step.m_Cycle)].m_Steps)[size_t(step.m_Step)][row];
}

QString C_TimelineLayout::ValueText(size_t row, std::int32_t value) const
{
    const C_StepRow& field = m_Source.m_Rows[row];
    switch (field.m_Class) {
    case RowClass::Time: return FormatStepTime(std::uint32_t(value));
    case RowClass::Number:
        return field.m_Unit.isEmpty() ? QString::number(value)
                                      : QString::number(value) + QLatin1Char(' ') + field.m_Unit;
    case RowClass::Motor: return QString::number(value);
    default: return QString();
    }
}

int C_TimelineLayout::StepAt(const QPointF& point) const
{
    for (size_t i = 0; i < m_Steps.size(); ++i)
        if (m_Steps[i].m_Column.contains(point))
            return int(i);
    return -1;
}

QString C_TimelineLayout::StepName(int index) const
{
    if (index < 0 || size_t(index) >= m_Steps.size())
        return QString();
    const S_TimelineStep& step = m_Steps[size_t(index)];
    const C_Configuration::S_Cycle& cycle = m_Source.m_Configuration.m_Cycles[size_t(step.m_Cycle)];
    return ReferenceLabel(cycle.Category(), cycle.m_Number) + QStringLiteral(", ") + Text(Msg::Step) +
           QLatin1Char(' ') + QString::number(step.m_Step + 1);
}

QStringList C_TimelineLayout::StepFields(int index) const
{
    QStringList fields;
    if (index < 0 || size_t(index) >= m_Steps.size())
        return fields;
    const S_TimelineStep& step = m_Steps[size_t(index)];
    for (size_t row = 0; row < m_Source.m_Layout.size(); ++row) {
        const std::int32_t value = Value(step, row);
        if (m_Source.m_Layout[row].m_Class == RowClass::Separator || value == m_Source.m_Layout[row].m_DisabledValue)
            continue;
        const QString text = ValueText(row, value);
        fields << (text.isEmpty() ? m_Source.m_Rows[row].m_Caption
                                  : m_Source.m_Rows[row].m_Caption + QStringLiteral(": ") + text);
    }
    return fields;
}

QString C_TimelineLayout::Describe(int index) const
{
    if (index < 0 || size_t(index) >= m_Steps.size())
        return QString();
    const QStringList lines{StepName(index) + QStringLiteral(": ") + DurationText(m_Steps[size_t(index)].m_Duration)};
    return (lines + StepFields(index)).join(QLatin1Char('\n'));
}

const S_TimelineColours& S_TimelineColours::Paper()
{
    static const S_TimelineColours paper = [] {
        S_TimelineColours colours;
        // The cycles trees' categories: prewash, wash, rinse, spin, other.
        constexpr std::array<QRgb, 6> categories = {0xff9e9e9e, 0xff7fb3d5, 0xff5d9bd0,
                                                    0xff76c7a0, 0xffe0a458, 0xffb39ddb};
        for (size_t i = 0; i < categories.size(); ++i) {
            colours.m_Steps[i] = QColor::fromRgb(categories[i]);
            colours.m_Bands[i] = colours.m_Steps[i].lighter(150);
        }
        colours.m_Page = Qt::white;
        colours.m_Text = Qt::black;
        colours.m_Axis = QColor(0x60, 0x60, 0x60);
        colours.m_Divider = Qt::white;
        colours.m_LaneLine = QColor(0xd8, 0xd8, 0xd8);
        colours.m_Selection = Qt::black;
        colours.m_Guide = QColor(0, 0, 0, 60);
        colours.m_Switch = QColor(0x3a, 0x6e, 0xa5);
        colours.m_Value = QColor(0xc0, 0x39, 0x2b);
        colours.m_MotorFill = QColor(0xe8, 0xe0, 0xf0);
        colours.m_MotorLine = QColor(0x6a, 0x4c, 0x93);
        return colours;
    }();
    return paper;
}

void C_TimelineLayout::Paint(QPainter& painter, int selected, const S_TimelineColours& colours) const
{
    painter.save();
    painter.fillRect(QRectF(0, 0, m_Width, m_Height), colours.m_Page);
    painter.setFont(TimelineFont(true));
    painter.setPen(colours.m_Text);
    painter.drawText(QRectF(Margin, Margin, m_Width - 2 * Margin, TitleHeight), Qt::AlignLeft | Qt::AlignVCenter,
                     m_Title);
    painter.setFont(TimelineFont());
    const QFontMetricsF metrics(painter.font());

    // The axis: the time elapsed at the start and at the end of every band.
    const double axisBottom = Margin + TitleHeight + AxisHeight;
    painter.setPen(colours.m_Axis);
    painter.drawLine(QPointF(m_StepRow.left(), axisBottom), QPointF(m_StepRow.right(), axisBottom));
    std::vector<std::pair<double, S_Duration>> ticks{{m_StepRow.left(), S_Duration{}}};
    ticks.insert(ticks.end(), m_Ticks.begin(), m_Ticks.end());
    // Centred on its tick but kept on the page; a label that would overlap the one
    // before it is left out (its tick stays), except the last: the total.
    std::vector<std::pair<QRectF, QString>> labels;
    for (size_t i = 0; i < ticks.size(); ++i) {
        const auto& [x, elapsed] = ticks[i];
        painter.drawLine(QPointF(x, axisBottom - 4), QPointF(x, axisBottom));
        const QString label = DurationText(elapsed);
        const double width = metrics.horizontalAdvance(label) + 2;
        const QRectF place(std::max(Margin, std::min(x - width / 2, m_Width - Margin - width)), axisBottom - AxisHeight,
                           width, AxisHeight - 4);
        const bool last = i + 1 == ticks.size();
        while (last && labels.size() > 1 && labels.back().first.right() + 4 > place.left())
            labels.pop_back();
        if (labels.empty() || labels.back().first.right() + 4 <= place.left())
            labels.emplace_back(place, label);
    }
    for (const auto& [place, label] : labels)
        painter.drawText(place, Qt::AlignCenter, label);

    for (const S_TimelineBand& band : m_Bands) {
        if (band.m_Rect.width() <= 0)
            continue;
        const int category = band.m_Cycle != nullptr ? band.m_Cycle->Category() : 0;
        painter.fillRect(band.m_Rect.adjusted(0, 1, 0, -1), colours.m_Bands[CategoryIndex(category)]);
        painter.setPen(colours.m_Text);
        painter.drawText(band.m_Rect.adjusted(3, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter,
                         metrics.elidedText(band.m_Label, Qt::ElideRight, std::max(0.0, band.m_Rect.width() - 5)));
    }

    painter.setPen(colours.m_Text);
    painter.drawText(QRectF(Margin, m_StepRow.top(), LabelWidth - 4, StepHeight), Qt::AlignLeft | Qt::AlignVCenter,
                     Text(Msg::Step));
    for (size_t i = 0; i < m_Steps.size(); ++i) {
        const S_TimelineStep& step = m_Steps[i];
        const QColor colour =
            colours.m_Steps[CategoryIndex(m_Source.m_Configuration.m_Cycles[size_t(step.m_Cycle)].Category())];
        painter.fillRect(step.m_Solid, colour);
        if (step.m_Hatched.width() > 0) {
            painter.fillRect(step.m_Hatched, colour.lighter(colours.m_Hatched));
            Hatch(painter, step.m_Hatched, colour.darker(115));
        }
        if (step.m_Open.width() > 0) {
            // An open end: the step may go on for ever.
            painter.fillRect(step.m_Open, colour.lighter(colours.m_Open));
            painter.setPen(QPen(colour.darker(150), 1, Qt::DashLine));
            painter.drawLine(step.m_Open.topLeft(), step.m_Open.topRight());
            painter.drawLine(step.m_Open.bottomLeft(), step.m_Open.bottomRight());
            painter.drawText(step.m_Open, Qt::AlignCenter, QStringLiteral("\u2026"));
        }
        painter.setPen(QPen(colours.m_Divider, 1));
        painter.drawLine(step.m_Solid.topLeft(), step.m_Solid.bottomLeft());
    }
    if (selected >= 0 && size_t(selected) < m_Steps.size()) {
        const S_TimelineStep& step = m_Steps[size_t(selected)];
        painter.setPen(QPen(colours.m_Selection, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(step.m_Solid.topLeft(), step.m_Open.bottomRight()).adjusted(1, 1, -1, -1));
        painter.setPen(QPen(colours.m_Guide, 1, Qt::DotLine));
        painter.drawLine(QPointF(step.m_Column.left() + 1, step.m_Column.top()),
                         QPointF(step.m_Column.left() + 1, step.m_Column.bottom()));
    }

    for (const S_TimelineLane& lane : m_Lanes) {
        painter.setPen(colours.m_Text);
        painter.drawText(QRectF(lane.m_Rect.left(), lane.m_Rect.top(), LabelWidth - 4, lane.m_Rect.height()),
                         Qt::AlignLeft | Qt::AlignVCenter,
                         metrics.elidedText(lane.m_Label, Qt::ElideRight, LabelWidth - 6));
        painter.setPen(colours.m_LaneLine);
        painter.drawLine(QPointF(m_StepRow.left(), lane.m_Rect.bottom()),
                         QPointF(m_StepRow.right(), lane.m_Rect.bottom()));
        for (const S_TimelineLane::S_Mark& mark : lane.m_Marks) {
            switch (lane.m_Kind) {
            case S_TimelineLane::Kind::Switch: painter.fillRect(mark.m_Rect, colours.m_Switch); break;
            case S_TimelineLane::Kind::Value:
                painter.setPen(QPen(colours.m_Value, 2));
                painter.drawLine(mark.m_Rect.topLeft(), mark.m_Rect.topRight());
                painter.setPen(colours.m_Text);
                if (metrics.horizontalAdvance(mark.m_Text) < mark.m_Rect.width())
                    painter.drawText(QRectF(mark.m_Rect.left(), mark.m_Rect.top() - 13, mark.m_Rect.width(), 12),
                                     Qt::AlignCenter, mark.m_Text);
                break;
            case S_TimelineLane::Kind::Motor:
                painter.fillRect(mark.m_Rect, colours.m_MotorFill);
                painter.setPen(colours.m_MotorLine);
                painter.drawRect(mark.m_Rect.adjusted(0, 0, -1, -1));
                if (metrics.horizontalAdvance(mark.m_Text) + 4 < mark.m_Rect.width())
                    painter.drawText(mark.m_Rect, Qt::AlignCenter, mark.m_Text);
                break;
            }
        }
    }
    painter.restore();
}

// ---- Files

namespace {

enum class FileType { Svg, Png, Pdf };

std::optional<FileType> FileTypeOf(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("svg"))
        return FileType::Svg;
    if (suffix == QLatin1String("png"))
        return FileType::Png;
    if (suffix == QLatin1String("pdf"))
        return FileType::Pdf;
    return std::nullopt;
}

constexpr int ScreenDotsPerMetre = 3780; // 96 dpi

} // namespace

bool IsTimelineFileName(const QString& path)
{
    return FileTypeOf(path).has_value();
}

namespace {

// The PDF with the creation date given, in UTC: the writer stamps the clock's time
// in the local zone, whose offset takes another length in each zone, so the byte
// offsets of the cross-reference table that follow it move along.
QByteArray RestampedPdf(QByteArray bytes, const QDateTime& stamp)
{
    const QByteArray key("/CreationDate (");
    const qsizetype at = bytes.indexOf(key);
    const qsizetype end = at < 0 ? -1 : bytes.indexOf(')', at);
    if (end < 0)
        return bytes;
    const QByteArray date = "D:" + stamp.toUTC().toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1() + 'Z';
    const qsizetype from = at + key.size();
    const qsizetype shift = date.size() - (end - from);
    bytes.replace(from, end - from, date);
    const auto moved = [&](qsizetype offset) { return offset > at ? offset + shift : offset; };
    // "xref", "0 N", then N entries of a ten-digit offset, a generation and a letter, twenty bytes each.
    const qsizetype table = bytes.lastIndexOf("\nxref\n");
    const qsizetype first = table < 0 ? -1 : bytes.indexOf('\n', table + 6) + 1;
    const int count = table < 0 ? 0 : bytes.mid(table + 6, first - table - 7).split(' ').value(1).trimmed().toInt();
    for (int i = 0; i < count && first + (i + 1) * 20 <= bytes.size(); ++i) {
        const qsizetype entry = first + i * 20;
        if (bytes.at(entry + 17) == 'n')
            bytes.replace(entry, 10,
                          QByteArray::number(moved(bytes.mid(entry, 10).toLongLong())).rightJustified(10, '0'));
    }
    const qsizetype start = bytes.lastIndexOf("startxref\n");
    if (start >= 0) {
        const qsizetype number = start + 10;
        const qsizetype numberEnd = bytes.indexOf('\n', number);
        const QByteArray text = bytes.mid(number, numberEnd - number);
        bytes.replace(number, text.trimmed().size(), QByteArray::number(table + 1));
    }
    return bytes;
}

} // namespace

bool ExportTimeline(const QString& path, const S_TimelineSource& source, int width, const QDateTime& stamp,
                    QString& error)
{
    const std::optional<FileType> type = FileTypeOf(path);
    if (!type) {
        error = QStringLiteral("a timeline is written as .svg, .png or .pdf");
        return false;
    }
    const C_TimelineLayout layout(source, width);
    const QSize size(int(std::ceil(layout.Width())), int(std::ceil(layout.Height())));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    bool painted = true;
    switch (*type) {
    case FileType::Svg: {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle(layout.Title());
        svg.setResolution(96);
        QPainter painter(&svg);
        layout.Paint(painter);
        painted = painter.end();
        break;
    }
    case FileType::Png: {
        QImage image(size, QImage::Format_RGB32);
        image.setDotsPerMeterX(ScreenDotsPerMetre);
        image.setDotsPerMeterY(ScreenDotsPerMetre);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            layout.Paint(painter);
        }
        QImageWriter writer(&file, "png");
        painted = writer.write(image);
        break;
    }
    case FileType::Pdf: {
        // Written to memory first: the writer stamps the clock's time, the file gets the one given.
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        {
            QPdfWriter pdf(&buffer);
            pdf.setCreator(QStringLiteral("Kw3Win"));
            pdf.setTitle(layout.Title());
            pdf.setResolution(96);
            pdf.setPageSize(QPageSize(QSizeF(size) * 72.0 / 96.0, QPageSize::Point, QString(), QPageSize::ExactMatch));
            pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
            QPainter painter(&pdf);
            layout.Paint(painter);
            painted = painter.end();
        }
        const QByteArray bytes = RestampedPdf(buffer.data(), stamp);
        painted = painted && file.write(bytes) == bytes.size();
        break;
    }
    }
    if (!painted || !file.flush() || !file.commit()) {
        error = painted ? file.errorString() : QStringLiteral("the picture could not be drawn");
        file.cancelWriting();
        return false;
    }
    return true;
}
