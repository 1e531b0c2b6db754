#pragma once

#include "print/Printjobs.h"

#include <QColor>
#include <QFont>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QRect>
#include <QString>

#include <memory>
#include <vector>

// What a page received, in the canvas's coordinates.
struct S_RecordedPage
{
    struct S_Text
    {
        QString m_Text;
        QPointF m_Baseline;
        QFont m_Font;
        QColor m_Colour;
    };
    struct S_Rect
    {
        QRectF m_Rect;
        QColor m_Pen;
        QColor m_Brush;
    };

    QString m_Document;
    QPageLayout::Orientation m_Orientation = QPageLayout::Portrait;
    std::vector<S_Text> m_Texts;
    std::vector<S_Rect> m_Rects;
    std::vector<QLineF> m_Lines;
    std::vector<QRectF> m_Pictures;

    // The texts in the order drawn.
    QStringList Texts() const;
    bool Has(const QString& text) const { return Texts().contains(text); }
    const S_Text* Find(const QString& text) const;
};

// A paint device that keeps what is painted on it, page by page.
class C_RecordingDevice : public QPaintDevice
{
public:
    // An A4 sheet at 300 dots per inch in the orientation, or the given size.
    explicit C_RecordingDevice(QSize size, int dpi = 300);
    ~C_RecordingDevice() override;

    void SetPage(S_RecordedPage* page);
    QPaintEngine* paintEngine() const override;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSize m_Size;
    int m_Dpi;
    std::unique_ptr<QPaintEngine> m_Engine;
};

// A printer that takes each job as a document of A4 pages at 300 dpi and keeps
// every page; it can refuse a step, counted from 1 over all begins, breaks and ends.
class C_RecordingTarget : public C_PrintTarget
{
public:
    bool BeginDocument(const QString& title, QPageLayout::Orientation orientation) override;
    bool NewPage() override;
    bool EndDocument() override;
    QPainter& Canvas() override { return m_Canvas; }

    std::vector<std::unique_ptr<S_RecordedPage>> m_Pages;
    QStringList m_Documents;
    int m_RefuseStep = 0;

private:
    bool Refused() { return ++m_Steps == m_RefuseStep; }
    S_RecordedPage& AddPage();

    std::unique_ptr<C_RecordingDevice> m_Device;
    QPainter m_Canvas;
    QString m_Title;
    QPageLayout::Orientation m_Orientation = QPageLayout::Portrait;
    int m_Steps = 0;
};

constexpr QSize A4At300(2480, 3508);
