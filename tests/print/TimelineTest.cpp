// The timeline's geometry, seen through a paint device that records what is drawn.
#include "print/Timeline.h"
#include "language/Language.h"
#include "language/Messages.h"
#include "model/Labels.h"
#include "model/Nodedata.h"
#include "model/Steprow.h"
#include "support/Formatfixture.h"

#include <QPaintEngine>
#include <QTextItem>

#include <gtest/gtest.h>

namespace {

// Records the filled rectangles with their brush and the texts drawn.
class C_RecordingEngine : public QPaintEngine
{
public:
    struct S_Fill
    {
        QRectF m_Rect;
        Qt::BrushStyle m_Style;
    };

    // Every feature: the painter then hands pattern brushes over as they are.
    C_RecordingEngine()
        : QPaintEngine(AllFeatures)
    {
    }

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState& changed) override
    {
        if (changed.state() & DirtyBrush)
            m_Brush = changed.brush();
        if (changed.state() & DirtyTransform)
            m_Transform = changed.transform();
    }
    void drawRects(const QRectF* rects, int count) override
    {
        for (int i = 0; i < count; ++i)
            m_Fills.push_back({m_Transform.mapRect(rects[i]), m_Brush.style()});
    }
    void drawLines(const QLineF* lines, int count) override
    {
        for (int i = 0; i < count; ++i)
            m_Lines.push_back(m_Transform.map(lines[i]));
    }
    void drawTextItem(const QPointF&, const QTextItem& item) override { m_Texts << item.text(); }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    Type type() const override { return User; }

    bool Filled(const QRectF& rect, Qt::BrushStyle style) const
    {
        for (const S_Fill& fill : m_Fills)
            if (fill.m_Style == style && std::abs(fill.m_Rect.left() - rect.left()) < 0.01 &&
                std::abs(fill.m_Rect.width() - rect.width()) < 0.01)
                return true;
        return false;
    }

    // Lines drawn diagonally within the rectangle.
    int Hatching(const QRectF& rect) const
    {
        return int(std::count_if(m_Lines.begin(), m_Lines.end(), [&rect](const QLineF& line) {
            return line.dx() != 0 && line.dy() != 0 && rect.adjusted(-0.01, -0.01, 0.01, 0.01).contains(line.p1()) &&
                   rect.adjusted(-0.01, -0.01, 0.01, 0.01).contains(line.p2());
        }));
    }

    std::vector<S_Fill> m_Fills;
    std::vector<QLineF> m_Lines;
    QStringList m_Texts;

private:
    QBrush m_Brush;
    QTransform m_Transform;
};

class C_RecordingDevice : public QPaintDevice
{
public:
    QPaintEngine* paintEngine() const override { return &m_Engine; }
    C_RecordingEngine& Engine() const { return m_Engine; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth: return 2000;
        case PdmHeight: return 2000;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY: return 96;
        case PdmDepth: return 32;
        default: return 1;
        }
    }

private:
    mutable C_RecordingEngine m_Engine;
};

class TimelineTest : public FormatFixture
{
protected:
    // Wash 1: 1:00 on output 1; a level without a limit; 0:00; a level with a 2:00 limit on output 1.
    // Rinse 2: 3:00. Program 1 runs Wash 1, a cycle that is not there, and Rinse 2.
    TimelineTest()
    {
        ImageBuilder image(StandardLayout, 16);
        image.Step(0, 2, 1, 1, {{3, 0x01}, {10, 1}, {11, 0}})
            .Step(1, 2, 1, 2, {{15, 20}})
            .Step(2, 2, 1, 3, {{10, 0}, {11, 0}})
            .Step(3, 2, 1, 4, {{3, 0x01}, {15, 30}, {12, 2}, {13, 0}})
            .Step(4, 3, 2, 1, {{10, 3}, {11, 0}})
            .Program(0, 1, {{2, 1}, {4, 7}, {3, 2}});
        Load(image);
        m_Configuration = m_Value;
    }

    S_TimelineSource Source(S_TimelineSubject subject) const
    {
        return {m_Configuration, m_Format->Rows(), m_Format->RowLayout(), subject};
    }

    static QString CycleLabel(int category, int number)
    {
        return CycleCategoryName(NodeKind::CategoryBits(category)) + QLatin1Char(' ') + QString::number(number);
    }

    C_Configuration m_Configuration;
};

} // namespace

TEST_F(TimelineTest, StepsTakeTheirTimeRangesAndOpenEndsWithAMinimumWidth)
{
    const C_TimelineLayout layout(Source({S_TimelineSubject::Kind::Cycle, 0}), 1000);
    const std::vector<S_TimelineStep>& steps = layout.Steps();
    ASSERT_EQ(steps.size(), 4u);
    EXPECT_EQ(layout.Title(), CycleLabel(2, 1) + QStringLiteral(": 1:00-"));

    const double scale = steps[0].m_Solid.width() / 60;
    EXPECT_GT(scale, 0);
    EXPECT_EQ(steps[0].m_Hatched.width() + steps[0].m_Open.width(), 0);
    EXPECT_EQ(steps[1].m_Solid.width(), 0);
    EXPECT_EQ(steps[1].m_Open.width(), C_TimelineLayout::OpenEndWidth);
    EXPECT_GE(steps[2].m_Column.width(), C_TimelineLayout::MinimumStepWidth);
    EXPECT_NEAR(steps[3].m_Hatched.width(), 120 * scale, 0.01);
    // Side by side, filling the plot to its right margin.
    for (size_t i = 1; i < steps.size(); ++i)
        EXPECT_DOUBLE_EQ(steps[i].m_Solid.left(), steps[i - 1].m_Open.right());
    EXPECT_NEAR(steps.back().m_Open.right(), layout.Width() - C_TimelineLayout::Margin, 0.01);
    EXPECT_EQ(layout.StepAt(steps[2].m_Column.center()), 2);
    EXPECT_EQ(layout.StepAt({1, 1}), -1);

    // A lane for output 1 and one for the level, none for what no step uses.
    ASSERT_EQ(layout.Lanes().size(), 2u);
    EXPECT_EQ(layout.Lanes()[0].m_Label, m_Format->Rows()[1].m_Caption);
    EXPECT_EQ(layout.Lanes()[0].m_Marks.size(), 2u);
    EXPECT_EQ(layout.Lanes()[1].m_Kind, S_TimelineLane::Kind::Value);
    EXPECT_EQ(layout.Lanes()[1].m_Marks[1].m_Text, QStringLiteral("30 cm"));
    EXPECT_LT(layout.Lanes()[1].m_Marks[1].m_Rect.top(), layout.Lanes()[1].m_Marks[0].m_Rect.top());

    C_RecordingDevice device;
    {
        QPainter painter(&device);
        layout.Paint(painter, 2);
    }
    const C_RecordingEngine& drawn = device.Engine();
    EXPECT_TRUE(drawn.Filled(steps[0].m_Solid, Qt::SolidPattern));
    EXPECT_TRUE(drawn.Filled(steps[3].m_Hatched, Qt::SolidPattern));
    EXPECT_GE(drawn.Hatching(steps[3].m_Hatched), int(steps[3].m_Hatched.width() / 6));
    EXPECT_EQ(drawn.Hatching(steps[0].m_Solid), 0);
    EXPECT_TRUE(drawn.Filled(steps[1].m_Open, Qt::SolidPattern));
    EXPECT_TRUE(drawn.m_Texts.contains(layout.Title()));
    EXPECT_TRUE(drawn.m_Texts.contains(QStringLiteral("30 cm")));
    EXPECT_TRUE(layout.Describe(3).startsWith(CycleLabel(2, 1) + QStringLiteral(", ") + Text(Msg::Step) +
                                              QStringLiteral(" 4: 0:00-2:00\n")));
}

TEST_F(TimelineTest, AProgramShowsABandPerCycleAndNoTimeForAMissingOne)
{
    const C_TimelineLayout layout(Source({S_TimelineSubject::Kind::Program, 0}), 1200);
    EXPECT_EQ(layout.Title(), Text(Msg::Program) + QStringLiteral(" 1: 4:00-"));
    const std::vector<S_TimelineBand>& bands = layout.Bands();
    ASSERT_EQ(bands.size(), 3u);
    EXPECT_EQ(bands[0].m_Label, CycleLabel(2, 1));
    EXPECT_EQ(bands[1].m_Cycle, nullptr);
    EXPECT_EQ(bands[1].m_Rect.width(), 0);
    EXPECT_EQ(bands[2].m_Label, CycleLabel(3, 2));
    EXPECT_DOUBLE_EQ(bands[0].m_Rect.right(), layout.Steps()[3].m_Open.right());
    EXPECT_DOUBLE_EQ(bands[2].m_Rect.left(), bands[0].m_Rect.right());
    EXPECT_DOUBLE_EQ(bands[2].m_Rect.right(), layout.Steps()[4].m_Open.right());
    // The step of Rinse 2 is three minutes, three times the first step's one.
    EXPECT_NEAR(layout.Steps()[4].m_Solid.width(), 3 * layout.Steps()[0].m_Solid.width(), 0.01);
}
