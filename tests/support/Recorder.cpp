#include "support/Recorder.h"

#include <QTextItem>

namespace {

class C_RecordingEngine : public QPaintEngine
{
public:
    C_RecordingEngine()
        : QPaintEngine(QPaintEngine::AllFeatures)
    {
    }

    S_RecordedPage* m_Page = nullptr;

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }

    void updateState(const QPaintEngineState& changed) override
    {
        if (changed.state() & DirtyPen)
            m_Pen = changed.pen();
        if (changed.state() & DirtyBrush)
            m_Brush = changed.brush();
    }

    void drawRects(const QRectF* rects, int count) override
    {
        for (int i = 0; i < count && m_Page != nullptr; ++i)
            m_Page->m_Rects.push_back(
                {rects[i], PenColour(), m_Brush.style() == Qt::NoBrush ? QColor() : m_Brush.color()});
    }
    void drawRects(const QRect* rects, int count) override
    {
        for (int i = 0; i < count; ++i) {
            const QRectF rect(rects[i]);
            drawRects(&rect, 1);
        }
    }
    void drawLines(const QLineF* lines, int count) override
    {
        for (int i = 0; i < count && m_Page != nullptr; ++i)
            m_Page->m_Lines.push_back(lines[i]);
    }
    void drawLines(const QLine* lines, int count) override
    {
        for (int i = 0; i < count; ++i) {
            const QLineF line(lines[i]);
            drawLines(&line, 1);
        }
    }
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawPath(const QPainterPath&) override {}
    void drawPixmap(const QRectF& rect, const QPixmap&, const QRectF&) override
    {
        if (m_Page != nullptr)
            m_Page->m_Pictures.push_back(rect);
    }
    void drawImage(const QRectF& rect, const QImage&, const QRectF&, Qt::ImageConversionFlags) override
    {
        if (m_Page != nullptr)
            m_Page->m_Pictures.push_back(rect);
    }
    void drawTextItem(const QPointF& p, const QTextItem& item) override
    {
        if (m_Page != nullptr)
            m_Page->m_Texts.push_back({item.text(), p, item.font(), m_Pen.color()});
    }

private:
    QColor PenColour() const { return m_Pen.style() == Qt::NoPen ? QColor() : m_Pen.color(); }

    QPen m_Pen;
    QBrush m_Brush;
};

} // namespace

QStringList S_RecordedPage::Texts() const
{
    QStringList texts;
    for (const S_Text& text : m_Texts)
        texts << text.m_Text;
    return texts;
}

const S_RecordedPage::S_Text* S_RecordedPage::Find(const QString& text) const
{
    for (const S_Text& t : m_Texts)
        if (t.m_Text == text)
            return &t;
    return nullptr;
}

C_RecordingDevice::C_RecordingDevice(QSize size, int dpi)
    : m_Size(size)
    , m_Dpi(dpi)
    , m_Engine(std::make_unique<C_RecordingEngine>())
{
}

C_RecordingDevice::~C_RecordingDevice() = default;

void C_RecordingDevice::SetPage(S_RecordedPage* page)
{
    static_cast<C_RecordingEngine*>(m_Engine.get())->m_Page = page;
}

QPaintEngine* C_RecordingDevice::paintEngine() const
{
    return m_Engine.get();
}

int C_RecordingDevice::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth: return m_Size.width();
    case PdmHeight: return m_Size.height();
    case PdmWidthMM: return m_Size.width() * 254 / (10 * m_Dpi);
    case PdmHeightMM: return m_Size.height() * 254 / (10 * m_Dpi);
    case PdmNumColors: return 0x7fffffff;
    case PdmDepth: return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY: return m_Dpi;
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return int(QPaintDevice::devicePixelRatioFScale());
    }
    return QPaintDevice::metric(metric);
}

S_RecordedPage& C_RecordingTarget::AddPage()
{
    m_Pages.push_back(std::make_unique<S_RecordedPage>());
    S_RecordedPage& page = *m_Pages.back();
    page.m_Document = m_Title;
    page.m_Orientation = m_Orientation;
    m_Device->SetPage(&page);
    return page;
}

bool C_RecordingTarget::BeginDocument(const QString& title, QPageLayout::Orientation orientation)
{
    if (Refused() || m_Canvas.isActive())
        return false;
    m_Title = title;
    m_Orientation = orientation;
    m_Device =
        std::make_unique<C_RecordingDevice>(orientation == QPageLayout::Portrait ? A4At300 : A4At300.transposed());
    m_Documents << title;
    AddPage();
    return m_Canvas.begin(m_Device.get());
}

bool C_RecordingTarget::NewPage()
{
    if (Refused() || !m_Canvas.isActive())
        return false;
    AddPage();
    return true;
}

bool C_RecordingTarget::EndDocument()
{
    return !Refused() && m_Canvas.end();
}
