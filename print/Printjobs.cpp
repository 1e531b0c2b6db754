#include "print/Printjobs.h"

#include "language/Language.h"
#include "language/Messages.h"
#include "model/Configuration.h"
#include "model/Labels.h"
#include "model/Motortable.h"
#include "model/Serviceblock.h"
#include "model/Steprow.h"
#include "print/Celltext.h"
#include "print/Layoutadapter.h"
#include "print/Layoutcycles.h"
#include "print/Layoutmotor.h"
#include "print/Layoutprograms.h"
#include "print/Printcells.h"
#include "print/Timeline.h"
#include "resources/Pictures.h"

#include <QFontMetrics>
#include <QLocale>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>

namespace {

const QString ApplicationName = QStringLiteral("KW3 Win 2");
constexpr int ProgramsPerPage = TProgramsLayoutForm::Columns;
constexpr int StepsPerPage = 25;
const QColor CellFrameGray(128, 128, 128);

// Text with the top-left corner of its box at the point, in the pen's colour.
void TextAt(QPainter& canvas, const QPoint& topLeft, const QString& text)
{
    canvas.drawText(topLeft.x(), topLeft.y() + QFontMetrics(canvas.font()).ascent(), text);
}

// A font size in points on the canvas's device, set in device pixels: the cell
// helpers measure text without the device, which would take points at screen size.
void SetPointSize(QPainter& canvas, int points)
{
    QFont font = canvas.font();
    const int dpi = canvas.device() != nullptr ? canvas.device()->logicalDpiY() : 72;
    font.setPixelSize(std::max(1, (points * dpi + 36) / 72));
    canvas.setFont(font);
}

QString MotorValue(int value)
{
    return value == MotorTable::Unset ? Text(Msg::NoValue) : QString::number(value);
}

// ---- Service and motor page

void PrintServicePage(QPainter& canvas, const S_PrintSource& source, const QDateTime& printTime,
                      std::int32_t& pageCounter)
{
    using F = TMotorLayoutForm;
    const C_Configuration& value = source.m_Value;
    C_LayoutAdapter adapter(F::Form, canvas);
    canvas.setPen(QPen(Qt::black, 2));

    adapter.DrawTextAs(F::m_ApplicationNameLabel, ApplicationName);

    // A long path is shortened in its middle rather than run off the paper.
    QFont font = canvas.font();
    adapter.ApplyFont(F::m_FilenameLabel, font);
    const int pathRoom = adapter.Target().width() - adapter.ControlRect(F::m_FilenameLabel).left();
    adapter.DrawTextAs(F::m_FilenameLabel, QFontMetrics(font).elidedText(source.m_Caption, Qt::ElideMiddle, pathRoom));

    // One reading of the clock gives both. The time follows a date that runs past its label.
    const QString date = Text(Msg::PrintedOn) + QLatin1Char(' ') + PrintDate(printTime);
    adapter.DrawTextAs(F::m_PrintDateLabel, date);
    const QFontMetrics dateMetrics(canvas.font());
    const QRect dateRect = adapter.ControlRect(F::m_PrintDateLabel);
    const QRect timeRect = adapter.ControlRect(F::m_PrintTimeLabel);
    const int dateEnd = dateRect.left() + dateMetrics.horizontalAdvance(date + QLatin1Char(' '));
    if (dateEnd <= timeRect.left())
        adapter.DrawText(F::m_PrintTimeLabel, PrintTime(printTime));
    else
        TextAt(canvas, {dateEnd, timeRect.top()}, PrintTime(printTime));

    adapter.DrawTextAs(F::m_ServiceCaptionLabel, Text(Msg::ServiceData));
    const QString gap = QStringLiteral("  ");
    adapter.DrawTextAs(F::m_NumberOfOutputsLabel, Text(Msg::NumberOfOutputs) + gap + QString::number(value.m_Outputs));
    // The printed parameters take the form's lines in the order of the panel.
    std::size_t printed = 0;
    for (const S_ServiceParameter* row : ServiceParametersOnPanel())
        if (row->m_Printed && printed < std::size(F::m_ServiceLineLabels))
            adapter.DrawTextAs(*F::m_ServiceLineLabels[printed++],
                               Text(row->m_Label) + gap +
                                   ServiceValueText(row->m_Parameter, value.Service(row->m_Parameter)));

    adapter.DrawTextAs(F::m_MotorCaptionLabel, Text(Msg::MotorModesHeading));
    for (int mode = 1; mode <= F::MotorModes; ++mode) {
        QString line = Text(Msg::MotorRow) + QLatin1Char(' ') + QString::number(mode) + QStringLiteral(": ");
        for (int time = 1; time <= MotorTable::TimesPerMode; ++time) {
            if (time > 1)
                line += QStringLiteral(", ");
            line += Text(std::int16_t(Msg::MotorColumn + time)) + QLatin1Char(' ') +
                    MotorValue(value.m_Motors[size_t(mode - 1)][size_t(time - 1)]);
        }
        adapter.DrawTextAs(F::m_MotorModeLabels[mode - 1], line);
    }

    adapter.DrawTextAs(F::m_PageNumberLabel, QString::number(pageCounter));
    ++pageCounter;

    canvas.drawPixmap(adapter.ControlRect(F::m_OrvexImage), LoadPicture(QStringLiteral("ORVEX")));
}

bool PrintServiceJob(C_PrintTarget& target, const S_PrintSource& source, const QDateTime& printTime,
                     std::int32_t& pageCounter)
{
    PrintServicePage(target.Canvas(), source, printTime, pageCounter);
    return true;
}

// ---- Programs pages

void PrintProgram(C_LayoutAdapter& adapter, QPainter& canvas, int column, const C_Configuration::S_Program& program)
{
    using F = TProgramsLayoutForm;
    QFont font = canvas.font();
    adapter.ApplyFont(F::m_FontLabel, font);
    canvas.setFont(font);
    const QRect columnRect = adapter.ControlRect(F::m_ColumnBevels[column]);
    const QRect indentRect = adapter.ControlRect(F::m_IndentBevels[column]);
    const int pitch = indentRect.height();
    TextAt(canvas, columnRect.topLeft(), ProgramLabel(program.m_Number));
    // The connector starts below the program's text rather than through its first letter.
    const int textBottom = columnRect.top() + QFontMetrics(font).height();
    for (int j = 1; j <= int(program.m_References.size()); ++j) {
        const C_Configuration::S_Reference& reference = program.m_References[size_t(j - 1)];
        const int y = columnRect.top() + j * pitch;
        canvas.drawLine(indentRect.left(), y + pitch / 2, columnRect.left(), y + pitch / 2);
        canvas.drawLine(columnRect.left(), y + pitch / 2, columnRect.left(), std::max(y - pitch / 2, textBottom));
        TextAt(canvas, {indentRect.left(), y}, CycleName(reference.m_Kind, reference.m_Number));
    }
}

bool PrintProgramsJob(C_PrintTarget& target, const S_PrintSource& source, std::int32_t& pageCounter)
{
    using F = TProgramsLayoutForm;
    const std::vector<C_Configuration::S_Program>& programs = source.m_Value.m_Programs;

    QPainter& canvas = target.Canvas();
    C_LayoutAdapter adapter(F::Form, canvas);
    // A page is started only while a program remains; without programs the page
    // still says that there are none.
    size_t next = 0;
    do {
        if (next > 0 && !target.NewPage())
            return false;
        canvas.setPen(QPen(Qt::black, 2));
        adapter.DrawTextAs(F::m_PageCaptionLabel, Text(Msg::ProgramsHeading));
        adapter.DrawTextAs(F::m_ApplicationNameLabel, ApplicationName);
        for (int column = 0; column < ProgramsPerPage && next < programs.size(); ++column, ++next)
            PrintProgram(adapter, canvas, column, programs[next]);
        adapter.DrawTextAs(F::m_PageNumberLabel, QString::number(pageCounter));
        ++pageCounter;
    } while (next < programs.size());
    return true;
}

// ---- Cycles pages

// The frame of a landscape page as the cycles pages have it: border, the program's name, the caption.
void DrawLandscapeFrame(C_LayoutAdapter& adapter, QPainter& canvas, const QString& caption)
{
    canvas.setBrush(Qt::white);
    canvas.setPen(QPen(Qt::black, 2));
    adapter.DrawFrame(TCyclesLayoutForm::m_PageBorderBevel);
    adapter.DrawTextAs(TCyclesLayoutForm::m_ApplicationNameLabel, ApplicationName);
    adapter.DrawTextAs(TCyclesLayoutForm::m_PageCaptionLabel, caption);
}

// Null cycle: the page of a configuration without cycles.
void PrintCyclePage(QPainter& canvas, const S_PrintSource& source, const C_Configuration::S_Cycle* cycle, int offset,
                    std::int32_t& pageCounter)
{
    using F = TCyclesLayoutForm;
    const int steps = cycle != nullptr ? int(cycle->m_Steps->size()) : 0;
    const int stepsOnPage = std::clamp(steps - offset, 0, StepsPerPage);

    C_LayoutAdapter adapter(F::Form, canvas);
    DrawLandscapeFrame(adapter, canvas, Text(Msg::CyclesHeading));
    adapter.DrawTextAs(F::m_CycleNameLabel,
                       cycle != nullptr ? CycleLabel(cycle->m_Kind, cycle->m_Number, steps) : QString());
    // Last, so that the grid's texts start from its font.
    adapter.DrawTextAs(F::m_PageNumberLabel, Text(Msg::Page) + QLatin1Char(' ') + QString::number(pageCounter));
    ++pageCounter;

    const QRect names = adapter.ControlRect(F::m_RowNameBevel);
    const QRect cells = adapter.ControlRect(F::m_CellContentBevel);
    const int rowHeight = names.height();
    const auto rowTop = [&](int r) { return names.top() + r * rowHeight; };
    const int rows = int(source.m_Rows.size());

    canvas.setPen(QPen(CellFrameGray, 2));
    SetPointSize(canvas, 8);
    for (int r = 1; r <= rows; ++r) {
        canvas.setBrush(Qt::white);
        const QRect rowRect(names.left(), rowTop(r), names.width(), rowHeight);
        canvas.drawRect(rowRect);
        const QPen frame = canvas.pen();
        canvas.setPen(Qt::black);
        DrawTextLeft(canvas, rowRect.adjusted(5, 0, 0, 0), source.m_Rows[size_t(r - 1)].GetCaption());
        canvas.setPen(frame);
    }

    SetPointSize(canvas, 6);
    for (int j = 0; j < stepsOnPage; ++j) {
        const C_Configuration::StepValues& step = (*cycle->m_Steps)[size_t(offset + j)];
        const int left = cells.left() + j * cells.width();
        for (int r = 0; r <= rows; ++r) {
            const QRect cell(left, rowTop(r), cells.width(), rowHeight);
            canvas.drawRect(cell);
            if (r == 0) {
                const QPen frame = canvas.pen();
                canvas.setPen(Qt::black);
                DrawTextCentred(canvas, cell, QString::number(offset + j + 1));
                canvas.setPen(frame);
            } else {
                PrintStepCell(canvas, cell, source.m_Rows[size_t(r - 1)], step[size_t(r - 1)]);
            }
        }
    }
}

bool PrintCyclesJob(C_PrintTarget& target, const S_PrintSource& source, std::int32_t& pageCounter)
{
    bool firstPage = true;
    const auto nextPage = [&] {
        const bool broken = firstPage || target.NewPage();
        firstPage = false;
        return broken;
    };
    for (const C_Configuration::S_Cycle& cycle : source.m_Value.m_Cycles) {
        const int steps = int(cycle.m_Steps->size());
        // A cycle without steps still gets its page.
        for (int offset = 0; offset == 0 || offset < steps; offset += StepsPerPage) {
            if (!nextPage())
                return false;
            PrintCyclePage(target.Canvas(), source, &cycle, offset, pageCounter);
        }
    }
    // Without cycles the page still says that there are none.
    if (firstPage)
        PrintCyclePage(target.Canvas(), source, nullptr, 0, pageCounter);
    return true;
}

// ---- Timelines pages

// A program's timeline on a landscape page framed as the cycles pages are; null
// program: the page of a configuration without programs.
void PrintTimelinePage(QPainter& canvas, const S_PrintSource& source, const C_Configuration& configuration, int program,
                       std::int32_t& pageCounter)
{
    using F = TCyclesLayoutForm;
    C_LayoutAdapter adapter(F::Form, canvas);
    DrawLandscapeFrame(adapter, canvas, Text(Msg::PrintTimelines));
    adapter.DrawTextAs(F::m_PageNumberLabel, Text(Msg::Page) + QLatin1Char(' ') + QString::number(pageCounter));
    ++pageCounter;
    if (program < 0)
        return;

    const QRect names = adapter.ControlRect(F::m_RowNameBevel);
    const QRect border = adapter.ControlRect(F::m_PageBorderBevel);
    const QRect area(names.left(), names.top(), border.right() - names.left() - (names.left() - border.left()),
                     border.bottom() - names.top() - (names.left() - border.left()));
    // Laid out at a screen's width and scaled onto the page, so that it reads as on the screen.
    const C_TimelineLayout layout(
        {configuration, source.m_Rows, source.m_RowLayout, {S_TimelineSubject::Kind::Program, program}}, 1100);
    const double scale = std::min(area.width() / layout.Width(), area.height() / layout.Height());
    canvas.save();
    canvas.translate(area.topLeft());
    canvas.scale(scale, scale);
    layout.Paint(canvas);
    canvas.restore();
}

bool PrintTimelinesJob(C_PrintTarget& target, const S_PrintSource& source, std::int32_t& pageCounter)
{
    const C_Configuration& configuration = source.m_Value;
    const int programs = int(configuration.m_Programs.size());
    for (int program = 0; program < std::max(programs, 1); ++program) {
        if (program > 0 && !target.NewPage())
            return false;
        PrintTimelinePage(target.Canvas(), source, configuration, program < programs ? program : -1, pageCounter);
    }
    return true;
}

} // namespace

// ---- Targets

C_PrintTarget::~C_PrintTarget() = default;

C_PagedTarget::C_PagedTarget(QPagedPaintDevice& device, Documents documents,
                             std::function<void(const QString&)> setTitle)
    : m_Device(device)
    , m_Documents(documents)
    , m_SetTitle(std::move(setTitle))
{
}

C_PagedTarget::~C_PagedTarget()
{
    if (m_Canvas.isActive())
        m_Canvas.end();
}

bool C_PagedTarget::BeginDocument(const QString& title, QPageLayout::Orientation orientation)
{
    m_Orientation = orientation;
    const bool continued = m_Documents == Documents::OneForAll && m_Canvas.isActive();
    if (!continued && m_SetTitle)
        m_SetTitle(title);
    // A printer refuses to turn its paper in the middle of a preview, even to where it is.
    if (const auto sheet = m_Sheets.value_or(orientation); m_Device.pageLayout().orientation() != sheet)
        m_Device.setPageOrientation(sheet);
    if (continued ? !m_Device.newPage() : !m_Canvas.begin(&m_Device))
        return false;
    StartPage();
    return true;
}

bool C_PagedTarget::NewPage()
{
    if (!m_Device.newPage())
        return false;
    StartPage();
    return true;
}

bool C_PagedTarget::EndDocument()
{
    return m_Documents == Documents::OneForAll || m_Canvas.end();
}

bool C_PagedTarget::Finish()
{
    return m_Documents == Documents::OnePerJob || !m_Canvas.isActive() || m_Canvas.end();
}

void C_PagedTarget::StartPage()
{
    // The painter keeps the size of the page it began on; the page may have turned since.
    const int width = m_Device.width();
    const int height = m_Device.height();
    m_Canvas.resetTransform();
    if (m_Sheets && *m_Sheets != m_Orientation) {
        // A quarter turn counter-clockwise, as printers turn landscape pages: the
        // page's top runs up the sheet's left edge.
        m_Canvas.translate(0, height);
        m_Canvas.rotate(-90);
        m_Canvas.setViewport(0, 0, height, width);
        m_Canvas.setWindow(0, 0, height, width);
    } else {
        m_Canvas.setViewport(0, 0, width, height);
        m_Canvas.setWindow(0, 0, width, height);
    }
}

// ---- Jobs

QString RunPrintJobs(C_PrintTarget& target, const S_PrintSource& source, const S_PrintParts& parts,
                     const QDateTime& printTime, std::int32_t& pageCounter)
{
    struct S_Job
    {
        bool m_Chosen;
        std::int16_t m_Title;
        QPageLayout::Orientation m_Orientation;
        std::function<bool()> m_Pages;
    };
    const S_Job jobs[] = {
        {parts.m_ServiceAndMotor, 33, QPageLayout::Portrait,
         [&] { return PrintServiceJob(target, source, printTime, pageCounter); }},
        {parts.m_Programs, 34, QPageLayout::Portrait, [&] { return PrintProgramsJob(target, source, pageCounter); }},
        {parts.m_Cycles, 35, QPageLayout::Landscape, [&] { return PrintCyclesJob(target, source, pageCounter); }},
        {parts.m_Timelines, Msg::PrintTimelines, QPageLayout::Landscape,
         [&] { return PrintTimelinesJob(target, source, pageCounter); }},
    };
    QString last;
    for (const S_Job& job : jobs) {
        if (!job.m_Chosen)
            continue;
        last = Text(job.m_Title);
        if (!target.BeginDocument(last, job.m_Orientation) || !job.m_Pages() || !target.EndDocument())
            return last;
    }
    return target.Finish() ? QString() : last;
}

bool PrintToPdfFile(const QString& path, const S_PrintSource& source, const S_PrintParts& parts,
                    const QDateTime& printTime, QString& error)
{
    if (!parts.Any()) {
        error = QStringLiteral("no part to print");
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    QString refused;
    {
        QPdfWriter writer(&file);
        writer.setCreator(ApplicationName);
        writer.setTitle(source.m_Caption);
        // A laser printer's resolution, and the margins its paper path needs.
        writer.setResolution(600);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                                         QPageLayout::Millimeter));
        C_PagedTarget target(writer, C_PagedTarget::Documents::OneForAll);
        std::int32_t pageCounter = 1;
        refused = RunPrintJobs(target, source, parts, printTime, pageCounter);
    }
    // Flushed before the commit, which would otherwise put a file short of its
    // last buffered bytes (a full disk) in place of the old one.
    if (!refused.isEmpty() || !file.flush() || !file.commit()) {
        error = refused.isEmpty() ? file.errorString() : refused;
        file.cancelWriting();
        return false;
    }
    return true;
}

QString PrintDate(const QDateTime& time)
{
    return QLocale::c().toString(time, QStringLiteral("d.MM.yyyy"));
}

QString PrintTime(const QDateTime& time)
{
    return QLocale::c().toString(time, QStringLiteral("h:mm:ss"));
}
