#pragma once

#include "model/Steprow.h"

#include <QString>

#include <cstdint>
#include <memory>

class C_ConfigurationPanes;
class QBrush;
class QImage;
class QPainter;
class QRect;
class QTableWidget;

// How one step field (one row of the steps grid) looks in a cell and is edited.
// Rows hold no step data: they read and write the step's value through the
// pointer they are given, and are shared by every step of a configuration window.
class C_RowProperty
{
public:
    C_RowProperty(C_ConfigurationPanes& owner, const C_StepRow& row);
    virtual ~C_RowProperty();
    C_RowProperty(const C_RowProperty&) = delete;
    C_RowProperty& operator=(const C_RowProperty&) = delete;

    virtual void Edit(std::int32_t* value) = 0;
    // Column 0 is the caption column, the grid's last column the legend column,
    // every other column a step whose field is *value.
    virtual void DrawCell(QPainter& canvas, const QTableWidget& grid, int column, int row, const QRect& rect,
                          const std::int32_t* value, bool highlighted) = 0;
    // The field's value as a screen reader says it: "60 °C", "on", "not used"; value
    // is null where the step has no such field.
    virtual QString ValueText(const std::int32_t* value) const;

    // The configuration window: owner of the dialogs, and its motor table.
    C_ConfigurationPanes& m_Owner;
    // What the row is.
    const C_StepRow m_Row;

protected:
    enum class Cell { Caption, Legend, Disabled, Value };
    bool IsUnused(const std::int32_t* value) const { return value == nullptr || *value == m_Row.m_DisabledValue; }
    Cell CellOf(const QTableWidget& grid, int column, const std::int32_t* value) const;

    // "   " and the caption at the cell's top-left.
    void DrawCaption(QPainter& canvas, const QRect& rect) const;
    // An empty cell of a field that is not used: the cursor's colour when highlighted, else the cell's.
    static void DrawDisabled(QPainter& canvas, const QTableWidget& grid, const QRect& rect, bool highlighted);
    // The rectangle filled with the brush and framed by a 1-pixel line of the grid's line colour.
    static void DrawFramed(QPainter& canvas, const QTableWidget& grid, const QRect& rect, const QBrush& fill);
    // The image repeated over the cell from its top-left corner.
    static void FillWithImage(QPainter& canvas, const QRect& rect, const QImage& image);
    static void DrawTextTopLeft(QPainter& canvas, const QRect& rect, const QString& text);
};

// An on/off field, shown as a lamp.
class C_RowBoolean : public C_RowProperty
{
public:
    C_RowBoolean(C_ConfigurationPanes& owner, const QString& caption, std::int32_t disabledValue);

    void Edit(std::int32_t* value) override;
    void DrawCell(QPainter& canvas, const QTableWidget& grid, int column, int row, const QRect& rect,
                  const std::int32_t* value, bool highlighted) override;
    QString ValueText(const std::int32_t* value) const override;

protected:
    // An output's row.
    C_RowBoolean(C_ConfigurationPanes& owner, const C_StepRow& row);
};

// An output of the machine, shown as a switch; enabling switches it on.
class C_RowOut : public C_RowBoolean
{
public:
    C_RowOut(C_ConfigurationPanes& owner, const QString& caption, std::int32_t disabledValue);

    void DrawCell(QPainter& canvas, const QTableWidget& grid, int column, int row, const QRect& rect,
                  const std::int32_t* value, bool highlighted) override;
};

// A number with a unit, entered within a range.
class C_RowNumber : public C_RowProperty
{
public:
    C_RowNumber(C_ConfigurationPanes& owner, const QString& caption, std::int32_t disabledValue, const QString& unit,
                std::int32_t min, std::int32_t max);

    void Edit(std::int32_t* value) override;
    void DrawCell(QPainter& canvas, const QTableWidget& grid, int column, int row, const QRect& rect,
                  const std::int32_t* value, bool highlighted) override;
};

// A duration in seconds, shown as minutes and seconds.
class C_RowTime : public C_RowProperty
{
public:
    C_RowTime(C_ConfigurationPanes& owner, const QString& caption, std::int32_t disabledValue);

    void Edit(std::int32_t* value) override;
    void DrawCell(QPainter& canvas, const QTableWidget& grid, int column, int row, const QRect& rect,
                  const std::int32_t* value, bool highlighted) override;
    QString ValueText(const std::int32_t* value) const override;
};

// A motor mode, chosen from the motor table of the configuration window.
class C_RowMotor : public C_RowProperty
{
public:
    C_RowMotor(C_ConfigurationPanes& owner, const QString& caption, std::int32_t disabledValue);

    void Edit(std::int32_t* value) override;
    void DrawCell(QPainter& canvas, const QTableWidget& grid, int column, int row, const QRect& rect,
                  const std::int32_t* value, bool highlighted) override;
    QString ValueText(const std::int32_t* value) const override;
};

// A heading between groups of fields; it has no value.
class C_RowSeparator : public C_RowProperty
{
public:
    C_RowSeparator(C_ConfigurationPanes& owner, const QString& caption, std::int32_t disabledValue);

    void Edit(std::int32_t* value) override;
    void DrawCell(QPainter& canvas, const QTableWidget& grid, int column, int row, const QRect& rect,
                  const std::int32_t* value, bool highlighted) override;
    QString ValueText(const std::int32_t* value) const override;
};

// The descriptor that edits and draws the row.
std::unique_ptr<C_RowProperty> MakeRowProperty(const C_StepRow& row, C_ConfigurationPanes& owner);
