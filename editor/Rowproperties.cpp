#include "editor/Rowproperties.h"

#include "editor/Cellimages.h"
#include "editor/Configurationpanes.h"
#include "editor/Editnumber.h"
#include "editor/Edittime.h"
#include "editor/Selectmotor.h"
#include "editor/Utilities.h"
#include "language/Language.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QRect>
#include <QTableWidget>

namespace {

const QColor HighlightYellow(255, 255, 0);
const QColor FrameGray(128, 128, 128);
const QColor PrintedOnGreen(0, 128, 0);
const QColor SeparatorSilver(192, 192, 192);

// A picture that failed to load paints nothing rather than a black cell.
QBrush ImageBrush(const QImage& image)
{
    return image.isNull() ? QBrush(Qt::NoBrush) : QBrush(image);
}

QString OnText()
{
    return QStringLiteral("ON");
}

} // namespace

// ---- C_RowProperty

C_RowProperty::C_RowProperty(C_ConfigurationPanes& owner, const QString& caption, std::int32_t disabledValue)
    : m_Owner(owner)
    , m_Caption(caption)
    , m_DisabledValue(disabledValue)
{
}

C_RowProperty::~C_RowProperty() = default;

QString C_RowProperty::GetCaption() const
{
    return m_Caption;
}

void C_RowProperty::PrintCell(QPainter&, const QRect&, std::int32_t) const {}

C_RowProperty::Cell C_RowProperty::CellOf(const QTableWidget& grid, int column, const std::int32_t* value) const
{
    if (column == 0)
        return Cell::Caption;
    if (column == grid.columnCount() - 1)
        return Cell::Legend;
    if (value == nullptr || *value == m_DisabledValue)
        return Cell::Disabled;
    return Cell::Value;
}

void C_RowProperty::DrawCaption(QPainter& canvas, const QRect& rect) const
{
    DrawTextTopLeft(canvas, rect, QStringLiteral("   ") + m_Caption);
}

void C_RowProperty::DrawDisabled(QPainter& canvas, const QTableWidget& grid, const QRect& rect, bool highlighted)
{
    DrawFramed(canvas, rect, highlighted ? HighlightYellow : grid.palette().color(QPalette::Base));
}

void C_RowProperty::DrawFramed(QPainter& canvas, const QRect& rect, const QBrush& fill)
{
    canvas.save();
    canvas.setPen(QPen(FrameGray, 1));
    canvas.setBrush(fill);
    canvas.setBrushOrigin(rect.topLeft());
    canvas.drawRect(rect.adjusted(0, 0, -1, -1));
    canvas.restore();
}

void C_RowProperty::FillWithImage(QPainter& canvas, const QRect& rect, const QImage& image)
{
    canvas.save();
    canvas.setBrushOrigin(rect.topLeft());
    canvas.fillRect(rect, ImageBrush(image));
    canvas.restore();
}

void C_RowProperty::DrawTextTopLeft(QPainter& canvas, const QRect& rect, const QString& text)
{
    canvas.save();
    canvas.setClipRect(rect, Qt::IntersectClip);
    canvas.drawText(rect.left(), rect.top() + QFontMetrics(canvas.font()).ascent(), text);
    canvas.restore();
}

void C_RowProperty::PrintCentred(QPainter& canvas, const QRect& rect, const QString& text, const QColor& colour)
{
    canvas.save();
    canvas.setPen(colour);
    DrawTextCentred(canvas, rect, text);
    canvas.restore();
}

void C_RowProperty::TakeIntoUse(std::int32_t* value, std::int32_t firstValue) const
{
    if (*value == m_DisabledValue)
        *value = firstValue;
}

void C_RowProperty::SwitchUse(std::int32_t* value, bool enable, std::int32_t firstValue) const
{
    if (enable)
        TakeIntoUse(value, firstValue);
    else
        *value = m_DisabledValue;
}

// ---- C_RowBoolean

C_RowBoolean::C_RowBoolean(C_ConfigurationPanes& owner, const QString& caption, std::int32_t disabledValue)
    : C_RowProperty(owner, caption, disabledValue)
{
}

void C_RowBoolean::Edit(std::int32_t* value)
{
    *value = *value == 0 ? 1 : 0;
}

void C_RowBoolean::DrawCell(QPainter& canvas, const QTableWidget& grid, int column, int, const QRect& rect,
                            const std::int32_t* value, bool)
{
    const C_CellImages& images = C_CellImages::Shared();
    switch (CellOf(grid, column, value)) {
    case Cell::Caption: DrawCaption(canvas, rect); break;
    case Cell::Legend: FillWithImage(canvas, rect, images.m_LastColumn); break;
    case Cell::Disabled: DrawFramed(canvas, rect, ImageBrush(images.m_LedOff)); break;
    case Cell::Value: FillWithImage(canvas, rect, images.m_LedOn); break;
    }
}

void C_RowBoolean::SetEnabled(std::int32_t*, bool) {}

void C_RowBoolean::PrintCell(QPainter& canvas, const QRect& rect, std::int32_t value) const
{
    if (value != m_DisabledValue)
        PrintCentred(canvas, rect, OnText(), PrintedOnGreen);
}

// ---- C_RowOut

C_RowOut::C_RowOut(C_ConfigurationPanes& owner, const QString& caption, std::int32_t disabledValue)
    : C_RowBoolean(owner, caption, disabledValue)
{
}

void C_RowOut::DrawCell(QPainter& canvas, const QTableWidget& grid, int column, int, const QRect& rect,
                        const std::int32_t* value, bool highlighted)
{
    const C_CellImages& images = C_CellImages::Shared();
    switch (CellOf(grid, column, value)) {
    case Cell::Caption: DrawCaption(canvas, rect); break;
    case Cell::Legend: FillWithImage(canvas, rect, images.m_LastColumn); break;
    case Cell::Disabled: DrawDisabled(canvas, grid, rect, highlighted); break;
    case Cell::Value: FillWithImage(canvas, rect, images.m_SwitchOn); break;
    }
}

void C_RowOut::SetEnabled(std::int32_t* value, bool enable)
{
    *value = enable ? 1 : 0;
}

void C_RowOut::PrintCell(QPainter& canvas, const QRect& rect, std::int32_t value) const
{
    if (value == m_DisabledValue)
        DrawFramed(canvas, rect, Qt::white);
    else
        PrintCentred(canvas, rect, OnText(), PrintedOnGreen);
}

// ---- C_RowNumber

C_RowNumber::C_RowNumber(C_ConfigurationPanes& owner, const QString& caption, std::int32_t disabledValue,
                         const QString& unit, std::int32_t min, std::int32_t max)
    : C_RowProperty(owner, caption, disabledValue)
    , m_Unit(unit)
    , m_MinValue(min)
    , m_MaxValue(max)
{
}

QString C_RowNumber::GetCaption() const
{
    return m_Caption + QStringLiteral(" [") + m_Unit + QLatin1Char(']');
}

void C_RowNumber::Edit(std::int32_t* value)
{
    // Taken into use even when the dialog is then cancelled.
    TakeIntoUse(value, m_MinValue);
    TFormEditNumber dialog(&m_Owner, value, m_Unit, m_MaxValue, m_MinValue, m_Caption,
                           Text(170) + QLatin1Char(' ') + m_Caption);
    dialog.exec();
}

void C_RowNumber::DrawCell(QPainter& canvas, const QTableWidget& grid, int column, int, const QRect& rect,
                           const std::int32_t* value, bool highlighted)
{
    switch (CellOf(grid, column, value)) {
    case Cell::Caption: DrawCaption(canvas, rect); break;
    case Cell::Legend: DrawTextTopLeft(canvas, rect, QLatin1Char('[') + m_Unit + QLatin1Char(']')); break;
    case Cell::Disabled: DrawDisabled(canvas, grid, rect, highlighted); break;
    case Cell::Value: DrawTextCentred(canvas, rect, QString::number(*value)); break;
    }
}

void C_RowNumber::SetEnabled(std::int32_t* value, bool enable)
{
    SwitchUse(value, enable, m_MinValue);
}

void C_RowNumber::PrintCell(QPainter& canvas, const QRect& rect, std::int32_t value) const
{
    if (value != m_DisabledValue)
        PrintCentred(canvas, rect, QString::number(value), Qt::black);
}

// ---- C_RowTime

C_RowTime::C_RowTime(C_ConfigurationPanes& owner, const QString& caption, std::int32_t disabledValue)
    : C_RowProperty(owner, caption, disabledValue)
{
}

QString C_RowTime::GetCaption() const
{
    return m_Caption + Text(172);
}

void C_RowTime::Edit(std::int32_t* value)
{
    TakeIntoUse(value, 0);
    // The field is a count of seconds; the dialog takes it as unsigned.
    TFormEditTime dialog(&m_Owner, reinterpret_cast<std::uint32_t*>(value), Text(170) + QLatin1Char(' ') + m_Caption);
    dialog.exec();
}

void C_RowTime::DrawCell(QPainter& canvas, const QTableWidget& grid, int column, int, const QRect& rect,
                         const std::int32_t* value, bool highlighted)
{
    switch (CellOf(grid, column, value)) {
    case Cell::Caption: DrawCaption(canvas, rect); break;
    case Cell::Legend: DrawTextTopLeft(canvas, rect, Text(171)); break;
    case Cell::Disabled: DrawDisabled(canvas, grid, rect, highlighted); break;
    case Cell::Value: DrawTextCentred(canvas, rect, FormatStepTime(std::uint32_t(*value))); break;
    }
}

void C_RowTime::SetEnabled(std::int32_t* value, bool enable)
{
    SwitchUse(value, enable, 0);
}

void C_RowTime::PrintCell(QPainter& canvas, const QRect& rect, std::int32_t value) const
{
    if (value != m_DisabledValue)
        PrintCentred(canvas, rect, FormatStepTime(std::uint32_t(value)), Qt::black);
}

// ---- C_RowMotor

C_RowMotor::C_RowMotor(C_ConfigurationPanes& owner, const QString& caption, std::int32_t disabledValue)
    : C_RowProperty(owner, caption, disabledValue)
{
}

QString C_RowMotor::ModeText(std::int32_t mode)
{
    return Text(141) + QLatin1Char(' ') + QString::number(mode);
}

void C_RowMotor::Edit(std::int32_t* value)
{
    TakeIntoUse(value, 1);
    TSelectMotorForm dialog(&m_Owner, value, m_Owner);
    dialog.exec();
}

void C_RowMotor::DrawCell(QPainter& canvas, const QTableWidget& grid, int column, int, const QRect& rect,
                          const std::int32_t* value, bool highlighted)
{
    switch (CellOf(grid, column, value)) {
    case Cell::Caption: DrawCaption(canvas, rect); break;
    case Cell::Legend: break;
    case Cell::Disabled: DrawDisabled(canvas, grid, rect, highlighted); break;
    case Cell::Value: DrawTextTopLeft(canvas, rect, ModeText(*value)); break;
    }
}

void C_RowMotor::SetEnabled(std::int32_t* value, bool enable)
{
    SwitchUse(value, enable, 1);
}

void C_RowMotor::PrintCell(QPainter& canvas, const QRect& rect, std::int32_t value) const
{
    if (value != m_DisabledValue)
        PrintCentred(canvas, rect, ModeText(value), Qt::black);
}

// ---- C_RowSeparator

C_RowSeparator::C_RowSeparator(C_ConfigurationPanes& owner, const QString& caption, std::int32_t disabledValue)
    : C_RowProperty(owner, caption, disabledValue)
{
}

void C_RowSeparator::Edit(std::int32_t*) {}

void C_RowSeparator::DrawCell(QPainter& canvas, const QTableWidget& grid, int column, int, const QRect& rect,
                              const std::int32_t*, bool)
{
    const C_CellImages& images = C_CellImages::Shared();
    if (column == 0) {
        canvas.save();
        QFont bold = canvas.font();
        bold.setBold(true);
        canvas.setFont(bold);
        DrawTextTopLeft(canvas, rect, QLatin1Char(' ') + m_Caption);
        canvas.restore();
    } else if (column == grid.columnCount() - 1) {
        FillWithImage(canvas, rect, images.m_LastColumn);
    } else {
        FillWithImage(canvas, rect, images.m_RowSeparator);
    }
}

void C_RowSeparator::SetEnabled(std::int32_t*, bool) {}

void C_RowSeparator::PrintCell(QPainter& canvas, const QRect& rect, std::int32_t) const
{
    // Filled without taking the canvas's brush, so the caller's brush stays as it was.
    canvas.fillRect(rect, SeparatorSilver);
}
