#include "desktop/Dialoglook.h"

#include "desktop/Contrast.h"
#include "desktop/Updown.h"
#include "resources/Pictures.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QFrame>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSlider>

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <map>
#include <utility>

namespace {

// The pale picture for a dark palette: its shading kept as a lighter shade of the
// window colour, never so light that the labels on it lose 4.5:1.
QImage OnDarkWindow(const QPixmap& picture, const QColor& window, const QColor& text)
{
    QImage image = picture.toImage().convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            const float shade = std::min(1.0f, window.lightnessF() + (1 - pixel.lightnessF()));
            const QColor dark = QColor::fromHslF(std::max(0.0f, pixel.hslHueF()), pixel.hslSaturationF(), shade);
            image.setPixelColor(x, y, Reaching(dark, window, text, 4.5));
        }
    image.setDevicePixelRatio(picture.devicePixelRatio());
    return image;
}

} // namespace

TEditorDialog::TEditorDialog(QWidget* owner, const QSize& clientSize)
    : QDialog(owner)
    , m_Background(LoadPicture(QStringLiteral("DIALOG_BACKGROUND")))
{
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(clientSize);
}

QPushButton* TEditorDialog::NewOkButton(const QRect& geometry)
{
    auto* button = new QPushButton(QIcon(LoadPicture(QStringLiteral("GLYPH_OK"))), QStringLiteral("OK"), this);
    button->setGeometry(geometry);
    button->setDefault(true);
    return button;
}

QPushButton* TEditorDialog::NewCancelButton(const QRect& geometry, const QString& text)
{
    auto* button = new QPushButton(QIcon(LoadPicture(QStringLiteral("GLYPH_CANCEL"))), text, this);
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, &QDialog::reject);
    return button;
}

QPixmap TEditorDialog::Background() const
{
    if (IsLightPalette(palette()))
        return m_Background;
    // One picture per dark palette seen, shared by every dialog; held as images,
    // which unlike pixmaps may outlive the application object.
    static std::map<std::pair<QRgb, QRgb>, QImage> dark;
    const QColor window = palette().color(QPalette::Window);
    const QColor text = palette().color(QPalette::WindowText);
    auto found = dark.find({window.rgb(), text.rgb()});
    if (found == dark.end())
        found = dark.emplace(std::make_pair(window.rgb(), text.rgb()), OnDarkWindow(m_Background, window, text)).first;
    return QPixmap::fromImage(found->second);
}

void TEditorDialog::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QPixmap background = Background();
    // A dialog larger than the picture gets it enlarged to cover it, from the top-left corner.
    const QSize picture = background.deviceIndependentSize().toSize();
    if (picture.width() >= width() && picture.height() >= height())
        painter.drawPixmap(0, 0, background);
    else
        painter.drawPixmap(QRect(QPoint(0, 0), picture.scaled(size(), Qt::KeepAspectRatioByExpanding)), background);
    QDialog::paintEvent(event);
}

void TEditorDialog::showEvent(QShowEvent* event)
{
    // Once: by now every control a dialog makes is in place.
    if (!m_Arranged) {
        m_Arranged = true;
        ArrangeForKeyboard(*this);
    }
    // The owner may be a child window inside the main frame, so centre over it
    // rather than over the frame as the toolkit would; at every showing, as a
    // dialog kept for the whole run (the format dialog) may have a moved owner.
    if (parentWidget() != nullptr) {
        const QWidget* owner = parentWidget();
        QRect frame = frameGeometry();
        frame.moveCenter(owner->mapToGlobal(owner->rect().center()));
        move(frame.topLeft());
    }
    QDialog::showEvent(event);
}

namespace {

QRect PlaceIn(const QWidget& dialog, const QWidget& widget)
{
    return QRect(widget.mapTo(&dialog, QPoint(0, 0)), widget.size());
}

// A box, list or track bar that a screen reader would read without a name: its
// own text is no name, and a combo box would be named by its current entry.
bool NeedsLabel(QWidget& control)
{
    if (qobject_cast<const QAbstractButton*>(&control) != nullptr || !control.accessibleName().isEmpty())
        return false;
    if (qobject_cast<const QComboBox*>(&control) != nullptr)
        return true;
    const QAccessibleInterface* said = QAccessible::queryAccessibleInterface(&control);
    return said == nullptr || said->text(QAccessible::Name).trimmed().isEmpty();
}

// A label that says something, not a colon between two boxes.
bool Names(const QLabel& label)
{
    const QString text = label.text();
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetterOrNumber(); });
}

// The label in the control's row nearest to its left, else the one nearest above
// it and over it; null when there is none.
QLabel* LabelOf(const QWidget& dialog, const QWidget& control, const QList<QLabel*>& labels)
{
    const QRect place = PlaceIn(dialog, control);
    QLabel* left = nullptr;
    QLabel* above = nullptr;
    int aboveDistance = 0;
    for (QLabel* label : labels) {
        if (!label->isVisibleTo(&dialog) || !Names(*label))
            continue;
        const QRect at = PlaceIn(dialog, *label);
        const bool sameRow = at.top() < place.bottom() && place.top() < at.bottom();
        const bool overIt = at.left() < place.right() && place.left() < at.right();
        // Above, the label nearest in height and in where it starts.
        const int distance = place.top() - at.bottom() + std::abs(at.left() - place.left());
        if (sameRow && at.right() <= place.left() + 2) {
            if (left == nullptr || at.right() > PlaceIn(dialog, *left).right())
                left = label;
        } else if (overIt && at.bottom() <= place.top() + 2 && place.top() - at.bottom() < 3 * place.height() &&
                   (above == nullptr || distance < aboveDistance)) {
            above = label;
            aboveDistance = distance;
        }
    }
    return left != nullptr ? left : above;
}

} // namespace

void ArrangeForKeyboard(QWidget& dialog)
{
    std::vector<QWidget*> controls;
    for (QWidget* widget : dialog.findChildren<QWidget*>())
        if ((widget->focusPolicy() & Qt::TabFocus) && widget->focusProxy() == nullptr && widget->isVisibleTo(&dialog))
            controls.push_back(widget);
    // Rows: a control whose middle lies within the row's first control is in that row.
    std::stable_sort(controls.begin(), controls.end(), [&dialog](const QWidget* a, const QWidget* b) {
        return PlaceIn(dialog, *a).center().y() < PlaceIn(dialog, *b).center().y();
    });
    std::vector<QWidget*> order;
    for (size_t first = 0; first < controls.size();) {
        const QRect head = PlaceIn(dialog, *controls[first]);
        size_t end = first + 1;
        while (end < controls.size() && PlaceIn(dialog, *controls[end]).center().y() <= head.bottom())
            ++end;
        std::stable_sort(controls.begin() + std::ptrdiff_t(first), controls.begin() + std::ptrdiff_t(end),
                         [&dialog](const QWidget* a, const QWidget* b) {
                             return PlaceIn(dialog, *a).left() < PlaceIn(dialog, *b).left();
                         });
        order.insert(order.end(), controls.begin() + std::ptrdiff_t(first), controls.begin() + std::ptrdiff_t(end));
        first = end;
    }
    if (order.empty())
        return;
    // The first control in reading order is also the first the dialog gives the
    // focus: it follows the dialog in the chain, which takes no order while the
    // dialog itself takes no focus.
    const Qt::FocusPolicy policy = dialog.focusPolicy();
    dialog.setFocusPolicy(Qt::TabFocus);
    QWidget::setTabOrder(&dialog, order.front());
    dialog.setFocusPolicy(policy);
    for (size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);

    const QList<QLabel*> labels = dialog.findChildren<QLabel*>();
    for (QWidget* control : order)
        if (NeedsLabel(*control))
            if (QLabel* label = LabelOf(dialog, *control, labels)) {
                control->setAccessibleName(label->text().remove(QLatin1Char('&')).trimmed());
                // A combo box is read with the label that is its buddy.
                if (label->buddy() == nullptr)
                    label->setBuddy(control);
            }
}

QWidget* NewDialogPanel(QWidget* parent, const QRect& geometry)
{
    auto* panel = new QFrame(parent);
    panel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    panel->setAutoFillBackground(true);
    panel->setGeometry(geometry);
    return panel;
}

QLabel* NewDialogLabel(QWidget* parent, const QString& text, const QRect& geometry, Qt::Alignment alignment)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(geometry);
    label->setAlignment(alignment | Qt::AlignVCenter);
    return label;
}

QLineEdit* NewDialogEdit(QWidget* parent, const QRect& geometry)
{
    auto* edit = new QLineEdit(QStringLiteral("0"), parent);
    edit->setGeometry(geometry);
    return edit;
}

QSlider* NewTrackBar(QWidget* parent, const QRect& geometry, int tickInterval)
{
    auto* trackBar = new QSlider(Qt::Horizontal, parent);
    trackBar->setTickPosition(QSlider::TicksAbove);
    trackBar->setTickInterval(tickInterval);
    trackBar->setGeometry(geometry);
    return trackBar;
}

C_UpDown* NewAttachedUpDown(QWidget* parent, QLineEdit* edit)
{
    auto* upDown = new C_UpDown(parent);
    upDown->setGeometry(edit->x() + edit->width(), edit->y(), upDown->sizeHint().width(), edit->height());
    upDown->SetAssociate(edit);
    return upDown;
}

void CoupleTrackBar(QSlider* trackBar, C_UpDown* upDown, std::int32_t min, std::int32_t max, std::int32_t value)
{
    upDown->SetMax(std::int16_t(max));
    upDown->SetMin(std::int16_t(min));
    upDown->SetPosition(std::int16_t(value));
    trackBar->setMaximum(max);
    trackBar->setMinimum(min);
    trackBar->setValue(value);
    QObject::connect(trackBar, &QSlider::valueChanged, upDown, &C_UpDown::SetPosition);
    QObject::connect(upDown, &C_UpDown::Clicked, trackBar, &QSlider::setValue);
}

void FollowTypedText(QLineEdit* edit, C_UpDown* upDown)
{
    edit->setValidator(new QIntValidator(0, 99999, edit));
    QObject::connect(edit, &QLineEdit::editingFinished, upDown,
                     [edit, upDown] { upDown->SetPosition(edit->text().toInt()); });
}

std::int32_t TypedValue(const QLineEdit& edit, const C_UpDown& upDown)
{
    bool isNumber = false;
    const std::int32_t typed = edit.text().trimmed().toInt(&isNumber);
    return isNumber ? typed : upDown.Position();
}
