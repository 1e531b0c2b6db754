#include "desktop/Dialoglook.h"

#include "desktop/Contrast.h"
#include "desktop/Updown.h"
#include "resources/Pictures.h"

#include <QFrame>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSlider>

#include <algorithm>
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
