#pragma once

#include <QColor>
#include <QRect>
#include <QString>

#include <cstdint>

class QFont;
class QPainter;

// The font a design gives a component: face, height in design pixels, style.
struct S_DesignFont
{
    const char* m_Name = nullptr;
    int m_Height = 0;
    bool m_Italic = false;
    QRgb m_Colour = 0xFF000000;
};

// The two faces of the designs: body text in Arial, headings in Arial Black italic.
constexpr S_DesignFont ArialFont(int height)
{
    return {"Arial", height, false, 0xFF000000};
}
constexpr S_DesignFont HeadingFont(int height)
{
    return {"Arial Black", height, true, 0xFF000000};
}

// One component of a page design, or the design's form itself (no parent): its
// left and top in its parent, its size in design pixels, and the font of its text.
struct S_LayoutControl
{
    const char* m_Name;
    const S_LayoutControl* m_Parent;
    int m_Left;
    int m_Top;
    int m_Width;
    int m_Height;
    S_DesignFont m_Font;
};

// Maps a page design onto a canvas by plain proportional scaling: the whole form
// becomes the canvas's window, the printable page in device pixels.
class C_LayoutAdapter
{
public:
    C_LayoutAdapter(const S_LayoutControl& layoutForm, QPainter& canvas);

    std::int32_t MapX(std::int32_t x) const;
    std::int32_t MapY(std::int32_t y) const;
    // The component's page rectangle: right and bottom are its mapped far edges.
    QRect ControlRect(const S_LayoutControl& control) const;
    // The rectangle with the canvas's pen and brush.
    void DrawFrame(const S_LayoutControl& control);
    // The text's box with its top-left corner at the component's, in the canvas's font.
    void DrawText(const S_LayoutControl& control, const QString& text);
    // The canvas takes the component's font first, as high as its page rectangle.
    void DrawTextAs(const S_LayoutControl& control, const QString& text);
    // The font takes the component's face, colour and style, as high as its page rectangle.
    void ApplyFont(const S_LayoutControl& control, QFont& font);

    const QRect& Target() const { return m_Target; }

private:
    // The sum of the offsets up to the form, in design pixels.
    QPoint DesignPosition(const S_LayoutControl& control) const;

    const S_LayoutControl& m_LayoutForm;
    QPainter& m_Canvas;
    QRect m_Target;
    // The canvas's font colour: Qt draws text with the pen, which the lines keep.
    QColor m_TextColour = Qt::black;
};

// The design face on this machine: "Arial Black" is Arial in its heaviest weight.
QFont DesignFace(const S_DesignFont& font);

// Sizes the font so that its character cell (ascent plus descent) is as high as
// the height in pixels, or the closest below.
void FitCellHeight(QFont& font, int height);
