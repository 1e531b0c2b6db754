#pragma once

#include <QString>

#include <cstdint>

class C_ConfigurationPanes;
class QBrush;
class QColor;
class QImage;
class QPainter;
class QRect;
class QTableWidget;

// How one step field (one row of the steps grid) looks in a cell, is edited,
// switched on and off and printed. Rows hold no step data: they read and write
// the step's value through the pointer they are given, and are shared by every
// step of a configuration window.
class C_RowProperty
{
public:
    C_RowProperty(C_ConfigurationPanes& owner, const QString& caption, std::int32_t disabledValue);
    virtual ~C_RowProperty();
    C_RowProperty(const C_RowProperty&) = delete;
    C_RowProperty& operator=(const C_RowProperty&) = delete;

    // The caption where the row is listed with its unit (printed cycles).
    virtual QString GetCaption() const;
    virtual void Edit(std::int32_t* value) = 0;
    // Column 0 is the caption column, the grid's last column the legend column,
    // every other column a step whose field is *value.
    virtual void DrawCell(QPainter& canvas, const QTableWidget& grid, int column, int row, const QRect& rect,
                          const std::int32_t* value, bool highlighted) = 0;
    virtual void SetEnabled(std::int32_t* value, bool enable) = 0;
    // Inside a rectangle the caller has framed already; nothing by default.
    virtual void PrintCell(QPainter& canvas, const QRect& rect, std::int32_t value) const;

    // The configuration window: owner of the dialogs, and its motor table.
    C_ConfigurationPanes& m_Owner;
    const QString m_Caption;
    // The value of a field that is off or not used.
    const std::int32_t m_DisabledValue;

protected:
    enum class Cell { Caption, Legend, Disabled, Value };
    Cell CellOf(const QTableWidget& grid, int column, const std::int32_t* value) const;

    // "   " and the caption at the cell's top-left.
    void DrawCaption(QPainter& canvas, const QRect& rect) const;
    // An empty cell of a field that is not used: yellow when highlighted, else the window colour.
    static void DrawDisabled(QPainter& canvas, const QTableWidget& grid, const QRect& rect, bool highlighted);
    // The rectangle filled with the brush and framed by a 1-pixel gray line.
    static void DrawFramed(QPainter& canvas, const QRect& rect, const QBrush& fill);
    // The image repeated over the cell from its top-left corner.
    static void FillWithImage(QPainter& canvas, const QRect& rect, const QImage& image);
    static void DrawTextTopLeft(QPainter& canvas, const QRect& rect, const QString& text);
    static void PrintCentred(QPainter& canvas, const QRect& rect, const QString& text, const QColor& colour);

    // A field that is not used takes firstValue; a used one keeps its value.
    void TakeIntoUse(std::int32_t* value, std::int32_t firstValue) const;
    // Enabling takes the field into use with firstValue; disabling marks it not used.
    void SwitchUse(std::int32_t* value, bool enable, std::int32_t firstValue) const;
};

// An on/off field, shown as a lamp.
class C_RowBoolean : public C_RowProperty
{
public:
    C_RowBoolean(C_ConfigurationPanes& owner, const QString& caption, std::int32_t disabledValue);

    void Edit(std::int32_t* value) override;
    void DrawCell(QPainter& canvas, const QTableWidget& grid, int column, int row, const QRect& rect,
                  const std::int32_t* value, bool highlighted) override;
    void SetEnabled(std::int32_t* value, bool enable) override;
    void PrintCell(QPainter& canvas, const QRect& rect, std::int32_t value) const override;
};

// An output of the machine, shown as a switch; enabling switches it on.
class C_RowOut : public C_RowBoolean
{
public:
    C_RowOut(C_ConfigurationPanes& owner, const QString& caption, std::int32_t disabledValue);

    void DrawCell(QPainter& canvas, const QTableWidget& grid, int column, int row, const QRect& rect,
                  const std::int32_t* value, bool highlighted) override;
    void SetEnabled(std::int32_t* value, bool enable) override;
    void PrintCell(QPainter& canvas, const QRect& rect, std::int32_t value) const override;
};

// A number with a unit, entered within a range.
class C_RowNumber : public C_RowProperty
{
public:
    C_RowNumber(C_ConfigurationPanes& owner, const QString& caption, std::int32_t disabledValue, const QString& unit,
                std::int32_t min, std::int32_t max);

    QString GetCaption() const override;
    void Edit(std::int32_t* value) override;
    void DrawCell(QPainter& canvas, const QTableWidget& grid, int column, int row, const QRect& rect,
                  const std::int32_t* value, bool highlighted) override;
    void SetEnabled(std::int32_t* value, bool enable) override;
    void PrintCell(QPainter& canvas, const QRect& rect, std::int32_t value) const override;

    const QString m_Unit;
    // Also the value a field takes when it is taken into use.
    const std::int32_t m_MinValue;
    const std::int32_t m_MaxValue;
};

// A duration in seconds, shown as minutes and seconds.
class C_RowTime : public C_RowProperty
{
public:
    C_RowTime(C_ConfigurationPanes& owner, const QString& caption, std::int32_t disabledValue);

    QString GetCaption() const override;
    void Edit(std::int32_t* value) override;
    void DrawCell(QPainter& canvas, const QTableWidget& grid, int column, int row, const QRect& rect,
                  const std::int32_t* value, bool highlighted) override;
    void SetEnabled(std::int32_t* value, bool enable) override;
    void PrintCell(QPainter& canvas, const QRect& rect, std::int32_t value) const override;
};

// A motor mode, chosen from the motor table of the configuration window.
class C_RowMotor : public C_RowProperty
{
public:
    C_RowMotor(C_ConfigurationPanes& owner, const QString& caption, std::int32_t disabledValue);

    void Edit(std::int32_t* value) override;
    void DrawCell(QPainter& canvas, const QTableWidget& grid, int column, int row, const QRect& rect,
                  const std::int32_t* value, bool highlighted) override;
    void SetEnabled(std::int32_t* value, bool enable) override;
    void PrintCell(QPainter& canvas, const QRect& rect, std::int32_t value) const override;

private:
    static QString ModeText(std::int32_t mode);
};

// A heading between groups of fields; it has no value.
class C_RowSeparator : public C_RowProperty
{
public:
    C_RowSeparator(C_ConfigurationPanes& owner, const QString& caption, std::int32_t disabledValue);

    void Edit(std::int32_t* value) override;
    void DrawCell(QPainter& canvas, const QTableWidget& grid, int column, int row, const QRect& rect,
                  const std::int32_t* value, bool highlighted) override;
    void SetEnabled(std::int32_t* value, bool enable) override;
    void PrintCell(QPainter& canvas, const QRect& rect, std::int32_t value) const override;
};
