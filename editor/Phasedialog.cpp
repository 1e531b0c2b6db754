#include "editor/Phasedialog.h"

#include "desktop/Messagebox.h"
#include "desktop/Updown.h"
#include "language/Language.h"
#include "language/Messages.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include <algorithm>
#include <iterator>

namespace {

constexpr int LinePitch = 48;
constexpr int PanelWidth = 313;
constexpr int EditWidth = 40;
constexpr int EditHeight = 21;
constexpr int LabelHeight = 16;
constexpr int ButtonWidth = 100;
constexpr int ButtonHeight = 35;

int LabelTop(int index)
{
    return 8 + index * LinePitch;
}

int EditTop(int index)
{
    return LabelTop(index) + LabelHeight;
}

// The value lines and the timeout line.
int PanelHeight(int valueLines)
{
    return (valueLines + 1) * LinePitch + 9;
}

QRect ButtonRect(int left, int valueLines)
{
    return {left, 8 + PanelHeight(valueLines) + 21, ButtonWidth, ButtonHeight};
}

QSize ClientSize(int width, int valueLines)
{
    return {width, ButtonRect(0, valueLines).bottom() + 1 + 13};
}

} // namespace

TPhaseDialog::TPhaseDialog(QWidget* owner, int clientWidth, const QString& title, int valueLines, bool showTimeout,
                           std::uint32_t* timeout)
    : TEditorDialog(owner, ClientSize(clientWidth, valueLines))
    , Panel1(NewDialogPanel(this, {8, 8, PanelWidth, PanelHeight(valueLines)}))
    , m_TimeoutLabel(NewDialogLabel(Panel1, Text(Msg::TimeLimitWithUnit), {16, LabelTop(valueLines), 280, LabelHeight}))
    , m_MinutesEdit(NewDialogEdit(Panel1, {16, EditTop(valueLines), EditWidth, EditHeight}))
    , m_MinutesUpDown(NewAttachedUpDown(Panel1, m_MinutesEdit))
    , m_TimeoutColon(
          NewDialogLabel(Panel1, QStringLiteral(":"), {73, EditTop(valueLines), 7, EditHeight}, Qt::AlignHCenter))
    , m_SecondsEdit(NewDialogEdit(Panel1, {80, EditTop(valueLines), EditWidth, EditHeight}))
    , m_SecondsUpDown(NewAttachedUpDown(Panel1, m_SecondsEdit))
    , m_CancelButton(NewCancelButton(ButtonRect(8, valueLines), Text(Msg::Cancel)))
    , m_OKButton(NewOkButton(ButtonRect(8 + PanelWidth - ButtonWidth, valueLines)))
    , m_ShowTimeout(showTimeout)
    , m_Timeout(timeout)
{
    setWindowTitle(title);
    m_MinutesUpDown->SetRange(0, 99);
    m_MinutesUpDown->SetPosition(int(std::min<std::uint32_t>(*timeout / 60, 99)));
    m_SecondsUpDown->SetRange(0, 59);
    m_SecondsUpDown->SetPosition(int(*timeout % 60));
    FollowTypedText(m_MinutesEdit, m_MinutesUpDown);
    FollowTypedText(m_SecondsEdit, m_SecondsUpDown);
    m_MinutesEdit->setAccessibleName(m_TimeoutLabel->text() + QStringLiteral(", ") + Text(Msg::MinutesBox));
    m_SecondsEdit->setAccessibleName(m_TimeoutLabel->text() + QStringLiteral(", ") + Text(Msg::SecondsBox));

    m_TimeoutLabel->setEnabled(showTimeout);
    m_TimeoutColon->setVisible(showTimeout);
    m_MinutesEdit->setVisible(showTimeout);
    m_SecondsEdit->setVisible(showTimeout);
    m_MinutesUpDown->setEnabled(showTimeout);
    m_SecondsUpDown->setEnabled(showTimeout);
    connect(m_OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

C_TrackLine TPhaseDialog::NewTrackLine(int index, const QString& text, std::int32_t min, std::int32_t max,
                                       std::int32_t value)
{
    C_TrackLine line{};
    line.m_Label = NewDialogLabel(Panel1, text, {16, LabelTop(index), 280, LabelHeight});
    line.m_Edit = NewDialogEdit(Panel1, {16, EditTop(index), EditWidth, EditHeight});
    line.m_UpDown = NewAttachedUpDown(Panel1, line.m_Edit);
    line.m_TrackBar = NewTrackBar(Panel1, {80, EditTop(index) - 2, 225, 28}, 10);
    line.m_Min = min;
    line.m_Max = max;
    CoupleTrackBar(line.m_TrackBar, line.m_UpDown, min, max, value);

    // Lines are made after the timeout line but come before it in the tab order.
    if (m_LastTrackBar != nullptr)
        setTabOrder(m_LastTrackBar, line.m_Edit);
    else
        line.m_Edit->setFocus();
    QWidget* const chain[] = {line.m_Edit, line.m_TrackBar, m_MinutesEdit, m_SecondsEdit, m_OKButton, m_CancelButton};
    for (size_t i = 1; i < std::size(chain); ++i)
        setTabOrder(chain[i - 1], chain[i]);
    m_LastTrackBar = line.m_TrackBar;
    return line;
}

void TPhaseDialog::done(int result)
{
    if (result != Accepted || CloseQuery())
        TEditorDialog::done(result);
}

bool TPhaseDialog::ReadInRange(const C_TrackLine& line, std::int32_t& value)
{
    // The step keeps each of these values in one byte, so an entry outside the
    // line's range would be stored as some other value.
    const std::int32_t typed = TypedValue(*line.m_Edit, *line.m_UpDown);
    if (typed < line.m_Min || typed > line.m_Max) {
        C_MessageBox::Show(Text(Msg::ValueOutOfRange), Text(Msg::ValueOutOfRangeTitle), C_MessageBox::Icon::Warning,
                           C_MessageBox::Buttons::Ok, this);
        line.m_Edit->setFocus();
        line.m_Edit->selectAll();
        return false;
    }
    value = typed;
    return true;
}

void TPhaseDialog::WriteTimeout()
{
    if (m_ShowTimeout)
        *m_Timeout = std::uint32_t(m_MinutesUpDown->Position() * 60 + m_SecondsUpDown->Position());
}
