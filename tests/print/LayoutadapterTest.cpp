// The adapter's arithmetic, fonts and text placement.
#include "print/Layoutadapter.h"
#include "print/Fonts.h"
#include "print/Layoutcycles.h"
#include "print/Layoutmotor.h"
#include "print/Layoutprograms.h"
#include "support/Recorder.h"

#include <QFontInfo>
#include <QFontMetrics>

#include <gtest/gtest.h>

#include <array>

namespace {

// A design of its own: a label in a panel, and a label in a box in the panel.
const S_LayoutControl TestForm{"TestForm", nullptr, 0, 0, 100, 200, {}};
const S_LayoutControl TestPanel{"Panel", &TestForm, 10, 20, 50, 50, {}};
const S_LayoutControl LabelInPanel{"LabelInPanel", &TestPanel, 5, 6, 10, 4, {}};
const S_LayoutControl BoxInPanel{"Box", &TestPanel, 1, 2, 30, 30, {}};
const S_LayoutControl LabelInBox{"LabelInBox", &BoxInPanel, 3, 4, 7, 8, {}};

struct S_RectCase
{
    const S_LayoutControl& m_Form;
    const S_LayoutControl& m_Control;
    QSize m_Target;
    std::array<int, 4> m_LeftTopRightBottom;
};

std::array<int, 4> Edges(const QRect& rect)
{
    return {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}

class LayoutAdapterTest : public ::testing::Test
{
protected:
    LayoutAdapterTest() { InstallFontSubstitutes(); }
};

} // namespace

TEST_F(LayoutAdapterTest, ControlRectanglesScaleTheSumOfOffsets)
{
    const S_RectCase cases[] = {
        {TMotorLayoutForm::Form, TMotorLayoutForm::m_PageNumberLabel, {4800, 6800}, {4205, 6296, 4441, 6405}},
        {TMotorLayoutForm::Form, TMotorLayoutForm::m_ApplicationNameLabel, {4800, 6800}, {89, 197, 1065, 448}},
        // Each edge truncates on its own: 85 × 427 / 428 is 84.
        {TMotorLayoutForm::Form, TMotorLayoutForm::m_PrintTimeLabel, {427, 620}, {84, 73, 147, 83}},
        {TProgramsLayoutForm::Form, TProgramsLayoutForm::m_ColumnBevels[7], {4280, 6210}, {3050, 3150, 3800, 5680}},
        {TCyclesLayoutForm::Form, TCyclesLayoutForm::m_PageBorderBevel, {6020, 4470}, {0, 0, 5940, 4200}},
        {TestForm, LabelInPanel, {1000, 1000}, {150, 130, 250, 150}},
        {TestForm, LabelInBox, {1000, 1000}, {140, 130, 210, 170}},
    };
    for (const S_RectCase& c : cases) {
        C_RecordingDevice device(c.m_Target);
        QPainter canvas(&device);
        const C_LayoutAdapter adapter(c.m_Form, canvas);
        EXPECT_EQ(Edges(adapter.ControlRect(c.m_Control)), c.m_LeftTopRightBottom) << c.m_Control.m_Name;
    }
}

TEST_F(LayoutAdapterTest, TextsStandInTheirBoxesInTheDesignFonts)
{
    using F = TMotorLayoutForm;
    C_RecordingDevice device({4800, 6800});
    S_RecordedPage page;
    device.SetPage(&page);
    QPainter canvas(&device);
    C_LayoutAdapter adapter(F::Form, canvas);

    adapter.DrawTextAs(F::m_ApplicationNameLabel, QStringLiteral("KW3 Win 2"));
    adapter.DrawText(F::m_PrintTimeLabel, QStringLiteral("9:05:03"));
    adapter.DrawTextAs(F::m_PageNumberLabel, QStringLiteral("1"));
    canvas.setBrush(Qt::white);
    adapter.DrawFrame(F::m_PageBorderBevel);

    ASSERT_EQ(page.m_Texts.size(), 3u);
    // The character cell is as high as the box: MapY(41) - MapY(18) = 448 - 197.
    const QFont heading = page.m_Texts[0].m_Font;
    EXPECT_LE(QFontMetrics(heading).height(), 251);
    QFont larger = heading;
    larger.setPixelSize(heading.pixelSize() + 1);
    EXPECT_GT(QFontMetrics(larger).height(), 251);
    // Arial Black reads as a heavy face, not as body text.
    EXPECT_TRUE(heading.italic());
    EXPECT_GE(QFontInfo(heading).weight(), int(QFont::Bold));
    EXPECT_EQ(QFontInfo(heading).family(), QStringLiteral("Liberation Sans"));
    // The top-left corner of the text's box, not its baseline, is the label's.
    const auto topLeft = [](const S_RecordedPage::S_Text& text) {
        return QPoint(int(text.m_Baseline.x()), int(text.m_Baseline.y()) - QFontMetrics(text.m_Font).ascent());
    };
    EXPECT_EQ(topLeft(page.m_Texts[0]), QPoint(89, 197));

    // DrawText keeps the canvas's font.
    EXPECT_EQ(page.m_Texts[1].m_Font, heading);
    EXPECT_EQ(topLeft(page.m_Texts[1]), QPoint(adapter.MapX(85), adapter.MapY(74)));

    const QFont body = page.m_Texts[2].m_Font;
    EXPECT_FALSE(body.italic());
    EXPECT_LT(QFontInfo(body).weight(), int(QFont::Bold));
    EXPECT_EQ(topLeft(page.m_Texts[2]), QPoint(4205, 6296));
    EXPECT_EQ(page.m_Texts[2].m_Colour, QColor(Qt::black));

    ASSERT_EQ(page.m_Rects.size(), 1u);
    EXPECT_EQ(page.m_Rects[0].m_Rect, QRectF(adapter.ControlRect(F::m_PageBorderBevel)));
    EXPECT_EQ(page.m_Rects[0].m_Brush, QColor(Qt::white));
}
