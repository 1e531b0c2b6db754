#include "editor/Cellcolours.h"

#include <QPalette>

#include <cmath>

namespace {

double Channel(double value)
{
    return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

double Luminance(const QColor& colour)
{
    return 0.2126 * Channel(colour.redF()) + 0.7152 * Channel(colour.greenF()) + 0.0722 * Channel(colour.blueF());
}

} // namespace

double ContrastRatio(const QColor& a, const QColor& b)
{
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

S_CellColours CellColoursOf(const QPalette& palette)
{
    S_CellColours colours;
    colours.m_Cell = palette.color(QPalette::Base);
    colours.m_Text = palette.color(QPalette::Text);
    colours.m_Face = palette.color(QPalette::Button);
    colours.m_FaceText = palette.color(QPalette::ButtonText);
    if (Luminance(colours.m_Cell) > Luminance(colours.m_Text)) {
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
