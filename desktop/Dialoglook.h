#pragma once

#include <QDialog>
#include <QPixmap>

#include <cstdint>

class C_UpDown;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

// The look every editor dialog shares: the picture "DIALOG_BACKGROUND" (a dark
// shade of it in a dark palette) behind the controls from the top-left corner, a fixed client size, and every showing
// centred over the owner window.
class TEditorDialog : public QDialog
{
    Q_OBJECT

public:
    TEditorDialog(QWidget* owner, const QSize& clientSize);

protected:
    // The OK button (default) and the Cancel button (Escape), with their glyphs.
    QPushButton* NewOkButton(const QRect& geometry);
    QPushButton* NewCancelButton(const QRect& geometry, const QString& text);

    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    bool m_Arranged = false;
    // The picture as drawn for a light palette, made dark for a dark one.
    QPixmap Background() const;

    QPixmap m_Background;
};

// Readies a dialog laid out by coordinates for the keyboard and a screen reader:
// Tab goes through its controls row by row, each row left to right, and a box,
// list or track bar without a name takes the text of the label left of it in its
// row, or else of the one just above it.
void ArrangeForKeyboard(QWidget& dialog);

// A raised panel in a lowered frame, holding one group of controls.
QWidget* NewDialogPanel(QWidget* parent, const QRect& geometry);

// A label of the given alignment, centred vertically in its rectangle.
QLabel* NewDialogLabel(QWidget* parent, const QString& text, const QRect& geometry,
                       Qt::Alignment alignment = Qt::AlignLeft);

// An edit box showing "0".
QLineEdit* NewDialogEdit(QWidget* parent, const QRect& geometry);

// A horizontal track bar with tick marks above it, tickInterval units apart.
QSlider* NewTrackBar(QWidget* parent, const QRect& geometry, int tickInterval);

// An edit box with its up-down just right of it; the up-down shows its position there.
C_UpDown* NewAttachedUpDown(QWidget* parent, QLineEdit* edit);

// Sets the up-down's maximum, minimum and position as 16-bit numbers, then the
// track bar's at full width, and from then on moves each with the other: a moved
// track bar sets the up-down (and so its box), a clicked up-down moves the track bar.
void CoupleTrackBar(QSlider* trackBar, C_UpDown* upDown, std::int32_t min, std::int32_t max, std::int32_t value);

// Typed text that moves the up-down, within its range, once editing the box ends;
// for boxes whose value is read from the up-down alone.
void FollowTypedText(QLineEdit* edit, C_UpDown* upDown);

// What the user typed, or the up-down's position when the text is not a number.
std::int32_t TypedValue(const QLineEdit& edit, const C_UpDown& upDown);
