#include "editor/Timelineview.h"

#include "desktop/Filechooser.h"
#include "desktop/Messagebox.h"
#include "editor/Cellcolours.h"
#include "editor/Mdichild.h"
#include "editor/Timelineaccess.h"
#include "language/Language.h"
#include "language/Messages.h"
#include "model/Eepromformat.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QToolTip>
#include <QVBoxLayout>

C_TimelineView::C_TimelineView(QWidget* parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    C_TimelineAccess::Install();
    setAccessibleName(CommandTitle(Msg::TimelineAction));
    setMinimumHeight(60);
}

C_TimelineView::~C_TimelineView() = default;

void C_TimelineView::Follow(TFormMDIChild* window)
{
    if (m_Window == window)
        return;
    if (m_Window)
        disconnect(m_Window, nullptr, this, nullptr);
    m_Window = window;
    m_Selected = -1;
    if (window != nullptr) {
        connect(window, &TFormMDIChild::ConfigurationChanged, this, &C_TimelineView::Rebuild);
        connect(window, &TFormMDIChild::InsightSelectionChanged, this, &C_TimelineView::Rebuild);
        // Forgotten without a look at the window: it is half destroyed by then.
        connect(window, &QObject::destroyed, this, [this] {
            m_Window.clear();
            Rebuild();
        });
    }
    Rebuild();
}

void C_TimelineView::Rebuild()
{
    const std::optional<S_TimelineSubject> subject =
        m_Window && m_Window->Format() != nullptr ? m_Window->InsightSubject() : std::nullopt;
    if (!subject) {
        m_Layout.reset();
        m_Selected = -1;
        setMinimumHeight(60);
        update();
        return;
    }
    m_Configuration = m_Window->Current();
    m_Rows = m_Window->Format()->Rows();
    m_RowLayout = m_Window->Format()->RowLayout();
    m_Layout =
        std::make_unique<C_TimelineLayout>(S_TimelineSource{m_Configuration, m_Rows, m_RowLayout, *subject}, width());
    setMinimumHeight(int(std::ceil(m_Layout->Height())));
    FollowSelection();
    update();
}

void C_TimelineView::FollowSelection()
{
    const std::pair<int, int> current = m_Window->CurrentStep();
    const std::vector<S_TimelineStep>& steps = m_Layout->Steps();
    const auto matches = [&](int index) {
        return index >= 0 && size_t(index) < steps.size() && steps[size_t(index)].m_Cycle == current.first &&
               steps[size_t(index)].m_Step == current.second;
    };
    // A cycle twice in a program: the occurrence chosen last stays chosen.
    if (matches(m_Selected))
        return;
    m_Selected = -1;
    for (size_t i = 0; i < steps.size() && m_Selected < 0; ++i)
        if (matches(int(i)))
            m_Selected = int(i);
}

void C_TimelineView::ChooseStep(int step)
{
    if (!m_Layout || step < 0 || size_t(step) >= m_Layout->Steps().size())
        return;
    m_Selected = step;
    const S_TimelineStep& chosen = m_Layout->Steps()[size_t(step)];
    // The window's answer rebuilds the layout; the choice survives it.
    m_Window->SelectStep(chosen.m_Cycle, chosen.m_Step);
    C_TimelineAccess::StepChosen(this, m_Selected);
    update();
}

bool C_TimelineView::Export()
{
    const std::optional<S_TimelineSubject> subject = m_Window ? m_Window->InsightSubject() : std::nullopt;
    if (!m_Layout || !subject)
        return false;
    const QString filters = Text(Msg::SvgFileFilter) + QLatin1Char('\n') + Text(Msg::PngFileFilter) +
                            QLatin1Char('\n') + Text(Msg::PdfFileFilter);
    const QString proposal = QFileInfo(m_Window->Path()).completeBaseName() + QStringLiteral(".svg");
    const QString path = C_FileChooser::Choose(this, {C_FileChooser::Purpose::Save, CommandTitle(Msg::TimelineExport),
                                                      filters, QStringLiteral("svg"), proposal});
    if (path.isEmpty())
        return false;
    QString reason;
    const S_TimelineSource source{m_Configuration, m_Rows, m_RowLayout, *subject};
    if (!ExportTimeline(path, source, std::max(width(), 800), QDateTime::currentDateTimeUtc(), reason)) {
        C_MessageBox::Show(Text(Msg::TimelineNotWritten) + QLatin1Char(' ') + path + QStringLiteral(": ") + reason,
                           CommandTitle(Msg::TimelineAction), C_MessageBox::Icon::Warning, C_MessageBox::Buttons::Ok,
                           this);
        return false;
    }
    return true;
}

QIcon C_TimelineView::Icon()
{
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.fillRect(1, 2, 9, 3, QColor(0x5d, 0x9b, 0xd0));
    painter.fillRect(10, 2, 5, 3, QColor(0x76, 0xc7, 0xa0));
    painter.fillRect(3, 7, 6, 3, QColor(0x3a, 0x6e, 0xa5));
    painter.fillRect(11, 7, 3, 3, QColor(0x3a, 0x6e, 0xa5));
    painter.fillRect(1, 12, 4, 2, QColor(0xc0, 0x39, 0x2b));
    painter.fillRect(7, 11, 7, 2, QColor(0xc0, 0x39, 0x2b));
    return QIcon(picture);
}

void C_TimelineView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!m_Layout) {
        painter.fillRect(rect(), palette().base());
        painter.setPen(palette().color(QPalette::PlaceholderText));
        painter.drawText(rect(), Qt::AlignCenter, Text(Msg::TimelineNothing));
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    m_Layout->Paint(painter, m_Selected, TimelineColoursOf(palette()));
    if (hasFocus()) {
        // The keyboard moves the selected step; say that it is here.
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(1, 1, -1, -1));
    }
}

void C_TimelineView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_Layout && int(m_Layout->Width()) != width())
        Rebuild();
}

bool C_TimelineView::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && m_Layout) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const int step = m_Layout->StepAt(help->pos());
        if (step >= 0)
            QToolTip::showText(help->globalPos(), m_Layout->Describe(step), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

void C_TimelineView::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    if (m_Layout && event->button() == Qt::LeftButton)
        ChooseStep(m_Layout->StepAt(event->position()));
}

void C_TimelineView::keyPressEvent(QKeyEvent* event)
{
    if (m_Layout && !m_Layout->Steps().empty() && (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right)) {
        const int last = int(m_Layout->Steps().size()) - 1;
        const int from = m_Selected < 0 ? (event->key() == Qt::Key_Left ? last + 1 : -1) : m_Selected;
        ChooseStep(std::clamp(from + (event->key() == Qt::Key_Left ? -1 : 1), 0, last));
        return;
    }
    QWidget::keyPressEvent(event);
}

C_TimelinePanel::C_TimelinePanel(QWidget* parent)
    : QWidget(parent)
    , m_Scroller(new QScrollArea(this))
    , m_View(new C_TimelineView)
{
    auto* exportButton = new QPushButton(Text(Msg::TimelineExport), this);
    exportButton->setAutoDefault(false);
    connect(exportButton, &QPushButton::clicked, m_View, &C_TimelineView::Export);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(exportButton);
    m_Scroller->setWidget(m_View);
    m_Scroller->setWidgetResizable(true);
    m_Scroller->setFrameShape(QFrame::NoFrame);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 4);
    layout->addLayout(buttons);
    layout->addWidget(m_Scroller);
}
