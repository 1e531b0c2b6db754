#include "app/Splash.h"

#include "platform/Version.h"
#include "resources/Pictures.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>

TSplashForm::TSplashForm(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_Background(new QLabel(this))
    , m_VersionLabel(new QLabel(QStringLiteral("Version: " KW3_SHOWN_VERSION), this))
    , m_CloseTimer(new QTimer(this))
{
    setFixedSize(402, 206);
    m_Background->setGeometry(rect());
    m_Background->setPixmap(QPixmap::fromImage(LoadJpegPicture(QStringLiteral("SPLASH"))));
    // The label draws no background of its own, so the picture shows around the text.
    m_VersionLabel->move(8, 183);
    m_VersionLabel->resize(m_VersionLabel->sizeHint());
    QPalette text = m_VersionLabel->palette();
    text.setColor(QPalette::WindowText, QColor(0x1f, 0x3a, 0x4d));
    m_VersionLabel->setPalette(text);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect placed = rect();
        placed.moveCenter(screen->availableGeometry().center());
        move(placed.topLeft());
    }

    // A coarse timer may fire a little early; the splash stays its full time.
    m_CloseTimer->setTimerType(Qt::PreciseTimer);
    m_CloseTimer->setInterval(CloseAfterMilliseconds);
    connect(m_CloseTimer, &QTimer::timeout, this, &TSplashForm::CloseSplash);
    m_CloseTimer->start();
}

void TSplashForm::CloseSplash()
{
    m_CloseTimer->stop();
    hide();
}
