#include "print/Layoutadapter.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {

int CellHeight(const QFont& font, int pixelSize)
{
    QFont sized(font);
    sized.setPixelSize(pixelSize);
    return QFontMetrics(sized).height();
}

} // namespace

QFont DesignFace(const S_DesignFont& font)
{
    const QString name = QString::fromLatin1(font.m_Name != nullptr ? font.m_Name : "Arial");
    QFont face(name);
    // No free face is called Arial Black; the substitutes give their boldest weight.
    face.setWeight(name == QLatin1String("Arial Black") ? QFont::Black : QFont::Normal);
    face.setItalic(font.m_Italic);
    return face;
}

void FitCellHeight(QFont& font, int height)
{
    if (height < 2) {
        font.setPixelSize(1);
        return;
    }
    // Cell heights grow with the pixel size, about 1.15 times as fast: start near
    // the answer and step to the largest size whose cell still fits.
    int size = std::max(1, height * height / std::max(1, CellHeight(font, height)));
    while (size > 1 && CellHeight(font, size) > height)
        --size;
    while (CellHeight(font, size + 1) <= height)
        ++size;
    font.setPixelSize(size);
}

C_LayoutAdapter::C_LayoutAdapter(const S_LayoutControl& layoutForm, QPainter& canvas)
    : m_LayoutForm(layoutForm)
    , m_Canvas(canvas)
    , m_Target(canvas.window())
{
}

std::int32_t C_LayoutAdapter::MapX(std::int32_t x) const
{
    return x * std::int32_t(m_Target.width()) / std::int32_t(m_LayoutForm.m_Width);
}

std::int32_t C_LayoutAdapter::MapY(std::int32_t y) const
{
    return y * std::int32_t(m_Target.height()) / std::int32_t(m_LayoutForm.m_Height);
}

QPoint C_LayoutAdapter::DesignPosition(const S_LayoutControl& control) const
{
    QPoint position;
    for (const S_LayoutControl* c = &control; c != nullptr && c != &m_LayoutForm && c->m_Parent != nullptr;
         c = c->m_Parent)
        position += QPoint(c->m_Left, c->m_Top);
    return position;
}

QRect C_LayoutAdapter::ControlRect(const S_LayoutControl& control) const
{
    const QPoint p = DesignPosition(control);
    const int left = MapX(p.x());
    const int top = MapY(p.y());
    return {left, top, MapX(p.x() + control.m_Width) - left, MapY(p.y() + control.m_Height) - top};
}

void C_LayoutAdapter::DrawFrame(const S_LayoutControl& control)
{
    m_Canvas.drawRect(ControlRect(control));
}

void C_LayoutAdapter::DrawText(const S_LayoutControl& control, const QString& text)
{
    const QPoint p = DesignPosition(control);
    const QPen pen = m_Canvas.pen();
    m_Canvas.setPen(m_TextColour);
    m_Canvas.drawText(MapX(p.x()), MapY(p.y()) + QFontMetrics(m_Canvas.font()).ascent(), text);
    m_Canvas.setPen(pen);
}

void C_LayoutAdapter::DrawTextAs(const S_LayoutControl& control, const QString& text)
{
    QFont font = m_Canvas.font();
    ApplyFont(control, font);
    m_Canvas.setFont(font);
    DrawText(control, text);
}

void C_LayoutAdapter::ApplyFont(const S_LayoutControl& control, QFont& font)
{
    const QFont face = DesignFace(control.m_Font);
    font.setFamily(face.family());
    font.setWeight(face.weight());
    font.setItalic(face.italic());
    FitCellHeight(font, ControlRect(control).height());
    m_TextColour = QColor::fromRgb(control.m_Font.m_Colour);
}
