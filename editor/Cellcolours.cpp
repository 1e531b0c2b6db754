#include "editor/Cellcolours.h"

#include "print/Timeline.h"

#include <QPalette>

S_CellColours CellColoursOf(const QPalette& palette)
{
    S_CellColours colours;
    colours.m_Cell = palette.color(QPalette::Base);
    colours.m_Text = palette.color(QPalette::Text);
    colours.m_Face = palette.color(QPalette::Button);
    colours.m_FaceText = palette.color(QPalette::ButtonText);
    if (IsLightPalette(palette)) {
        colours.m_Line = QColor(128, 128, 128);
        colours.m_Cursor = QColor(255, 255, 0);
        colours.m_CursorText = colours.m_Text;
        colours.m_Corner = QColor(43, 76, 126);
        colours.m_CornerText = Qt::white;
        return colours;
    }
    colours.m_Line = palette.color(QPalette::Mid);
    colours.m_Cursor = palette.color(QPalette::Highlight);
    colours.m_CursorText = palette.color(QPalette::HighlightedText);
    colours.m_Corner = palette.color(QPalette::Highlight);
    colours.m_CornerText = palette.color(QPalette::HighlightedText);
    return colours;
}

S_TimelineColours TimelineColoursOf(const QPalette& palette)
{
    constexpr double Text = 4.6;
    constexpr double NonText = 3.1;
    S_TimelineColours colours = S_TimelineColours::Paper();
    const bool light = IsLightPalette(palette);
    colours.m_Page = palette.color(QPalette::Base);
    colours.m_Text = palette.color(QPalette::Text);
    colours.m_Divider = colours.m_Page;
    if (!light) {
        colours.m_Axis = colours.m_Text;
        colours.m_LaneLine = palette.color(QPalette::Mid);
        colours.m_Selection = colours.m_Text;
        colours.m_Guide = colours.m_Text;
        colours.m_Guide.setAlpha(90);
        // Dimmer than the step, as paper's are paler.
        colours.m_Hatched = 55;
        colours.m_Open = 45;
        colours.m_MotorFill = Reaching(colours.m_MotorLine.darker(200), colours.m_Page, colours.m_Text, Text);
        colours.m_MotorLine = Reaching(QColor(0xe8, 0xe0, 0xf0), colours.m_Text, colours.m_MotorFill, Text);
    }
    for (size_t i = 0; i < colours.m_Steps.size(); ++i) {
        colours.m_Steps[i] = Reaching(colours.m_Steps[i], colours.m_Text, colours.m_Page, NonText);
        colours.m_Bands[i] =
            Reaching(light ? colours.m_Bands[i] : colours.m_Steps[i].darker(200), colours.m_Page, colours.m_Text, Text);
    }
    colours.m_Switch = Reaching(colours.m_Switch, colours.m_Text, colours.m_Page, NonText);
    colours.m_Value = Reaching(colours.m_Value, colours.m_Text, colours.m_Page, NonText);
    return colours;
}
