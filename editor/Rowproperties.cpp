#include "editor/Rowproperties.h"

#include "editor/Cellcolours.h"
#include "editor/Cellimages.h"
#include "editor/Configurationpanes.h"
#include "editor/Editnumber.h"
#include "editor/Edittime.h"
#include "editor/Selectmotor.h"
#include "language/Language.h"
#include "language/Messages.h"
#include "model/Labels.h"
#include "print/Celltext.h"

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

// A picture that failed to load paints nothing rather than a black cell.
QBrush ImageBrush(const QImage& image)
{
    return image.isNull() ? QBrush(Qt::NoBrush) : QBrush(image);
}

} // namespace

// ---- C_RowProperty

C_RowProperty::C_RowProperty(C_ConfigurationPanes& owner, const C_StepRow& row)
    : m_Owner(owner)
    , m_Row(row)
{
}

C_RowProperty::~C_RowProperty() = default;

C_RowProperty::Cell C_RowProperty::CellOf(const QTableWidget& grid, int column, const std::int32_t* value) const
{
    if (column == 0)
        return Cell::Caption;
    if (column == grid.columnCount() - 1)
        return Cell::Legend;
    if (IsUnused(value))
        return Cell::Disabled;
    return Cell::Value;
}

QString C_RowProperty::ValueText(const std::int32_t* value) const
{
    if (IsUnused(value))
        return Text(Msg::NotUsed);
    return m_Row.m_Unit.isEmpty() ? QString::number(*value) : QString::number(*value) + QLatin1Char(' ') + m_Row.m_Unit;
}

void C_RowProperty::DrawCaption(QPainter& canvas, const QRect& rect) const
{
    DrawTextTopLeft(canvas, rect, QStringLiteral("   ") + m_Row.m_Caption);
}

void C_RowProperty::DrawDisabled(QPainter& canvas, const QTableWidget& grid, const QRect& rect, bool highlighted)
{
    const S_CellColours colours = CellColoursOf(grid.palette());
    DrawFramed(canvas, grid, rect, highlighted ? colours.m_Cursor : colours.m_Cell);
}

void C_RowProperty::DrawFramed(QPainter& canvas, const QTableWidget& grid, const QRect& rect, const QBrush& fill)
{
    canvas.save();
    canvas.setPen(QPen(CellColoursOf(grid.palette()).m_Line, 1));
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

// ---- C_RowBoolean

C_RowBoolean::C_RowBoolean(C_ConfigurationPanes& owner, const QString& caption, std::int32_t disabledValue)
    : C_RowProperty(owner, C_StepRow(RowClass::Boolean, caption, disabledValue))
{
}

C_RowBoolean::C_RowBoolean(C_ConfigurationPanes& owner, const C_StepRow& row)
    : C_RowProperty(owner, row)
{
}

void C_RowBoolean::Edit(std::int32_t* value)
{
    *value = *value == 0 ? 1 : 0;
}

void C_RowBoolean::DrawCell(QPainter& canvas, const QTableWidget& grid, int column, int, const QRect& rect,
                            const std::int32_t* value, bool)
{
    const C_CellImages& images = C_CellImages::For(grid.palette());
    switch (CellOf(grid, column, value)) {
    case Cell::Caption: DrawCaption(canvas, rect); break;
    case Cell::Legend: FillWithImage(canvas, rect, images.m_LastColumn); break;
    case Cell::Disabled: DrawFramed(canvas, grid, rect, ImageBrush(images.m_LedOff)); break;
    case Cell::Value: FillWithImage(canvas, rect, images.m_LedOn); break;
    }
}

QString C_RowBoolean::ValueText(const std::int32_t* value) const
{
    return Text(IsUnused(value) ? Msg::Off : Msg::On);
}

// ---- C_RowOut

C_RowOut::C_RowOut(C_ConfigurationPanes& owner, const QString& caption, std::int32_t disabledValue)
    : C_RowBoolean(owner, C_StepRow(RowClass::Out, caption, disabledValue))
{
}

void C_RowOut::DrawCell(QPainter& canvas, const QTableWidget& grid, int column, int, const QRect& rect,
                        const std::int32_t* value, bool highlighted)
{
    const C_CellImages& images = C_CellImages::For(grid.palette());
    switch (CellOf(grid, column, value)) {
    case Cell::Caption: DrawCaption(canvas, rect); break;
    case Cell::Legend: FillWithImage(canvas, rect, images.m_LastColumn); break;
    case Cell::Disabled: DrawDisabled(canvas, grid, rect, highlighted); break;
    case Cell::Value: FillWithImage(canvas, rect, images.m_SwitchOn); break;
    }
}

// ---- C_RowNumber

C_RowNumber::C_RowNumber(C_ConfigurationPanes& owner, const QString& caption, std::int32_t disabledValue,
                         const QString& unit, std::int32_t min, std::int32_t max)
    : C_RowProperty(owner, C_StepRow(RowClass::Number, caption, disabledValue, unit, min, max))
{
}

void C_RowNumber::Edit(std::int32_t* value)
{
    // Taken into use even when the dialog is then cancelled.
    m_Row.SetEnabled(value, true);
    TFormEditNumber dialog(&m_Owner, value, m_Row.m_Unit, m_Row.m_MaxValue, m_Row.m_MinValue, m_Row.m_Caption,
                           Text(Msg::EditPrefix) + QLatin1Char(' ') + m_Row.m_Caption);
    dialog.exec();
}

void C_RowNumber::DrawCell(QPainter& canvas, const QTableWidget& grid, int column, int, const QRect& rect,
                           const std::int32_t* value, bool highlighted)
{
    switch (CellOf(grid, column, value)) {
    case Cell::Caption: DrawCaption(canvas, rect); break;
    case Cell::Legend: DrawTextTopLeft(canvas, rect, QLatin1Char('[') + m_Row.m_Unit + QLatin1Char(']')); break;
    case Cell::Disabled: DrawDisabled(canvas, grid, rect, highlighted); break;
    case Cell::Value: DrawTextCentred(canvas, rect, QString::number(*value)); break;
    }
}

// ---- C_RowTime

C_RowTime::C_RowTime(C_ConfigurationPanes& owner, const QString& caption, std::int32_t disabledValue)
    : C_RowProperty(owner, C_StepRow(RowClass::Time, caption, disabledValue))
{
}

void C_RowTime::Edit(std::int32_t* value)
{
    m_Row.SetEnabled(value, true);
    // The field is a count of seconds; the dialog takes it as unsigned.
    TFormEditTime dialog(&m_Owner, reinterpret_cast<std::uint32_t*>(value),
                         Text(Msg::EditPrefix) + QLatin1Char(' ') + m_Row.m_Caption);
    dialog.exec();
}

void C_RowTime::DrawCell(QPainter& canvas, const QTableWidget& grid, int column, int, const QRect& rect,
                         const std::int32_t* value, bool highlighted)
{
    switch (CellOf(grid, column, value)) {
    case Cell::Caption: DrawCaption(canvas, rect); break;
    case Cell::Legend: DrawTextTopLeft(canvas, rect, Text(Msg::TimeUnit)); break;
    case Cell::Disabled: DrawDisabled(canvas, grid, rect, highlighted); break;
    case Cell::Value: DrawTextCentred(canvas, rect, FormatStepTime(std::uint32_t(*value))); break;
    }
}

QString C_RowTime::ValueText(const std::int32_t* value) const
{
    return IsUnused(value) ? Text(Msg::NotUsed) : FormatStepTime(std::uint32_t(*value));
}

// ---- C_RowMotor

C_RowMotor::C_RowMotor(C_ConfigurationPanes& owner, const QString& caption, std::int32_t disabledValue)
    : C_RowProperty(owner, C_StepRow(RowClass::Motor, caption, disabledValue))
{
}

void C_RowMotor::Edit(std::int32_t* value)
{
    m_Row.SetEnabled(value, true);
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
    case Cell::Value:
        DrawTextTopLeft(canvas, rect, Text(Msg::MotorRow) + QLatin1Char(' ') + QString::number(*value));
        break;
    }
}

QString C_RowMotor::ValueText(const std::int32_t* value) const
{
    return IsUnused(value) ? Text(Msg::NotUsed) : Text(Msg::MotorRow) + QLatin1Char(' ') + QString::number(*value);
}

// ---- C_RowSeparator

C_RowSeparator::C_RowSeparator(C_ConfigurationPanes& owner, const QString& caption, std::int32_t disabledValue)
    : C_RowProperty(owner, C_StepRow(RowClass::Separator, caption, disabledValue))
{
}

void C_RowSeparator::Edit(std::int32_t*)
{
}

void C_RowSeparator::DrawCell(QPainter& canvas, const QTableWidget& grid, int column, int, const QRect& rect,
                              const std::int32_t*, bool)
{
    const C_CellImages& images = C_CellImages::For(grid.palette());
    if (column == 0) {
        canvas.save();
        QFont bold = canvas.font();
        bold.setBold(true);
        canvas.setFont(bold);
        DrawTextTopLeft(canvas, rect, QLatin1Char(' ') + m_Row.m_Caption);
        canvas.restore();
    } else if (column == grid.columnCount() - 1) {
        FillWithImage(canvas, rect, images.m_LastColumn);
    } else {
        FillWithImage(canvas, rect, images.m_RowSeparator);
    }
}

QString C_RowSeparator::ValueText(const std::int32_t*) const
{
    return QString();
}

std::unique_ptr<C_RowProperty> MakeRowProperty(const C_StepRow& row, C_ConfigurationPanes& owner)
{
    switch (row.m_Class) {
    case RowClass::Separator: return std::make_unique<C_RowSeparator>(owner, row.m_Caption, row.m_DisabledValue);
    case RowClass::Out: return std::make_unique<C_RowOut>(owner, row.m_Caption, row.m_DisabledValue);
    case RowClass::Boolean: return std::make_unique<C_RowBoolean>(owner, row.m_Caption, row.m_DisabledValue);
    case RowClass::Number:
        return std::make_unique<C_RowNumber>(owner, row.m_Caption, row.m_DisabledValue, row.m_Unit, row.m_MinValue,
                                             row.m_MaxValue);
    case RowClass::Time: return std::make_unique<C_RowTime>(owner, row.m_Caption, row.m_DisabledValue);
    case RowClass::Motor: return std::make_unique<C_RowMotor>(owner, row.m_Caption, row.m_DisabledValue);
    }
    return nullptr;
}
