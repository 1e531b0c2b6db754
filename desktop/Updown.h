#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

// A pair of arrow buttons holding a position within a range, shown in an
// attached text box. Unlike a spin box it does not read what is typed into the
// box: the position changes only through the arrows or SetPosition, and the
// owner decides when typed text counts.
class C_UpDown : public QWidget
{
    Q_OBJECT

public:
    explicit C_UpDown(QWidget* parent = nullptr);

    // The box that shows the position; it is rewritten at every change of position.
    void SetAssociate(QLineEdit* associate);
    QLineEdit* Associate() const { return m_Associate; }

    void SetMin(int min);
    void SetMax(int max);
    void SetRange(int min, int max);
    int Min() const { return m_Min; }
    int Max() const { return m_Max; }

    // Kept within the range; no wrap-around at either end.
    void SetPosition(int position);
    int Position() const { return m_Position; }

    void StepUp();
    void StepDown();

    QSize sizeHint() const override;

signals:
    // Only for changes made with the arrows, and only when the position moved.
    void Clicked(int position);

protected:
    void changeEvent(QEvent* event) override;

private:
    void ShowPosition();
    void ClickTo(int position);

    QLineEdit* m_Associate = nullptr;
    QToolButton* m_UpButton;
    QToolButton* m_DownButton;
    int m_Min = 0;
    int m_Max = 100;
    int m_Position = 0;
};
