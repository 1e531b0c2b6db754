#pragma once

#include "model/Configuration.h"
#include "model/Programtime.h"

#include <QColor>
#include <QDateTime>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

class C_StepRow;
class QPainter;

// What a timeline shows: one program's cycles in order, or one cycle.
struct S_TimelineSubject
{
    enum class Kind { Program, Cycle };

    Kind m_Kind = Kind::Program;
    // Into the configuration's programs or cycles.
    int m_Index = 0;
};

// The configuration, its format's rows (captions, and where each lies in a step
// record, row for row) and the subject.
struct S_TimelineSource
{
    const C_Configuration& m_Configuration;
    const std::vector<C_StepRow>& m_Rows;
    const std::vector<S_StepRow>& m_Layout;
    S_TimelineSubject m_Subject;
};

// A step on the timeline: as long as its lower bound, hatched on to its upper
// bound, an open end where it has none; never narrower than MinimumStepWidth.
struct S_TimelineStep
{
    // Into the configuration's cycles, and the step of that cycle.
    int m_Cycle;
    int m_Step;
    S_Duration m_Duration;
    // The time elapsed before it.
    S_Duration m_Start;
    QRectF m_Solid;
    QRectF m_Hatched;
    QRectF m_Open;
    // Where the pointer finds it: the whole column under the step.
    QRectF m_Column;
};

// One cycle of the program, labelled as the programs tree labels its reference.
struct S_TimelineBand
{
    QString m_Label;
    QRectF m_Rect;
    // Null for a reference to no cycle, which takes no time.
    const C_Configuration::S_Cycle* m_Cycle;
};

// A lane under the steps: an output, a special function, a target or the motor
// mode; a mark where a step has it, with its value where it has one.
struct S_TimelineLane
{
    enum class Kind { Switch, Value, Motor };
    struct S_Mark
    {
        QRectF m_Rect;
        QString m_Text;
    };

    Kind m_Kind;
    QString m_Label;
    QRectF m_Rect;
    std::vector<S_Mark> m_Marks;
};

// What a timeline is painted in. Paper's are the colours of printing and every
// exported file; a window may paint in its palette's.
struct S_TimelineColours
{
    // Per cycle category: none, prewash, wash, rinse, spin, other.
    std::array<QColor, 6> m_Steps;
    std::array<QColor, 6> m_Bands;
    // How much lighter than its step (in per cent, as QColor::lighter) a step's
    // hatched part and its open end are filled.
    int m_Hatched = 160;
    int m_Open = 170;
    QColor m_Page;
    QColor m_Text;
    QColor m_Axis;
    // Between two steps, and under each lane.
    QColor m_Divider;
    QColor m_LaneLine;
    QColor m_Selection;
    QColor m_Guide;
    QColor m_Switch;
    QColor m_Value;
    QColor m_MotorFill;
    QColor m_MotorLine;

    static const S_TimelineColours& Paper();
};

// The geometry of a timeline at a width, and its painting. Lanes appear only for
// what some step of the subject uses.
class C_TimelineLayout
{
public:
    static constexpr double MinimumStepWidth = 6;
    static constexpr double OpenEndWidth = 18;
    static constexpr double LabelWidth = 150;
    static constexpr double Margin = 8;

    C_TimelineLayout(const S_TimelineSource& source, double width);

    double Width() const { return m_Width; }
    double Height() const { return m_Height; }
    // "Program 3: 12:30-15:00"
    const QString& Title() const { return m_Title; }
    const std::vector<S_TimelineBand>& Bands() const { return m_Bands; }
    const std::vector<S_TimelineStep>& Steps() const { return m_Steps; }
    const std::vector<S_TimelineLane>& Lanes() const { return m_Lanes; }

    // The step whose column holds the point, or -1.
    int StepAt(const QPointF& point) const;
    // What a hover shows of the step: its cycle and number, its time and every field it uses.
    QString Describe(int step) const;
    // "Wash 1, Step 3", and what the step does: "Output 1", "Level: 60"...
    QString StepName(int step) const;
    QStringList StepFields(int step) const;

    // Paints on the painter's device from (0, 0), Width() by Height(); selected
    // is a step drawn as the current one, -1 for none.
    void Paint(QPainter& painter, int selected = -1,
               const S_TimelineColours& colours = S_TimelineColours::Paper()) const;

private:
    void PlaceSteps(const C_ProgramTiming& timing, const std::vector<const C_Configuration::S_Cycle*>& cycles);
    void PlaceLanes();
    std::int32_t Value(const S_TimelineStep& step, size_t row) const;
    QString ValueText(size_t row, std::int32_t value) const;

    const S_TimelineSource m_Source;
    double m_Width;
    double m_Height = 0;
    QString m_Title;
    QRectF m_StepRow;
    std::vector<S_TimelineBand> m_Bands;
    std::vector<S_TimelineStep> m_Steps;
    std::vector<S_TimelineLane> m_Lanes;
    // Elapsed time at each band's end, as the axis writes it.
    std::vector<std::pair<double, S_Duration>> m_Ticks;
};

// A timeline as a file, its type by the extension (.svg, .png at 96 dpi, .pdf, in
// any case); the same input and stamp (a PDF's creation date) give the same bytes
// where the toolkit hashes the same (kw3tool fixes its seed). Written beside its
// place and renamed. False, with the reason, for another extension or a file not written.
bool ExportTimeline(const QString& path, const S_TimelineSource& source, int width, const QDateTime& stamp,
                    QString& error);
bool IsTimelineFileName(const QString& path);
