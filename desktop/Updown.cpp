#include "desktop/Updown.h"

#include <QEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

C_UpDown::C_UpDown(QWidget* parent)
    : QWidget(parent)
    , m_UpButton(new QToolButton(this))
    , m_DownButton(new QToolButton(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (QToolButton* button : {m_UpButton, m_DownButton}) {
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
        button->setFixedWidth(17);
        layout->addWidget(button);
    }
    m_UpButton->setArrowType(Qt::UpArrow);
    m_DownButton->setArrowType(Qt::DownArrow);
    connect(m_UpButton, &QToolButton::clicked, this, &C_UpDown::StepUp);
    connect(m_DownButton, &QToolButton::clicked, this, &C_UpDown::StepDown);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
}

QSize C_UpDown::sizeHint() const
{
    return {17, 22};
}

void C_UpDown::SetAssociate(QLineEdit* associate)
{
    m_Associate = associate;
    ShowPosition();
}

void C_UpDown::SetMin(int min)
{
    SetRange(min, m_Max);
}

void C_UpDown::SetMax(int max)
{
    SetRange(m_Min, max);
}

void C_UpDown::SetRange(int min, int max)
{
    m_Min = min;
    m_Max = max;
    SetPosition(m_Position);
}

void C_UpDown::SetPosition(int position)
{
    // While a range is being set its ends may briefly cross; the lower end wins.
    m_Position = m_Min <= m_Max ? std::clamp(position, m_Min, m_Max) : m_Min;
    ShowPosition();
}

void C_UpDown::StepUp()
{
    ClickTo(m_Position + 1);
}

void C_UpDown::StepDown()
{
    ClickTo(m_Position - 1);
}

void C_UpDown::ClickTo(int position)
{
    const int before = m_Position;
    if (!isEnabled())
        return;
    SetPosition(position);
    // A click at the end of the range changes nothing and says nothing.
    if (m_Position != before)
        emit Clicked(m_Position);
}

void C_UpDown::ShowPosition()
{
    if (m_Associate != nullptr)
        m_Associate->setText(QString::number(m_Position));
}

void C_UpDown::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange) {
        m_UpButton->setEnabled(isEnabled());
        m_DownButton->setEnabled(isEnabled());
    }
    QWidget::changeEvent(event);
}
