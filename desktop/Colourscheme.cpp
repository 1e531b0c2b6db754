#include "desktop/Colourscheme.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>

namespace {

const QString Service = QStringLiteral("org.freedesktop.portal.Desktop");
const QString Path = QStringLiteral("/org/freedesktop/portal/desktop");
const QString Interface = QStringLiteral("org.freedesktop.portal.Settings");
const QString Group = QStringLiteral("org.freedesktop.appearance");
const QString Key = QStringLiteral("color-scheme");

// The portal wraps the value in a variant, and some versions wrap it twice.
unsigned Unwrapped(QVariant value)
{
    while (value.canConvert<QDBusVariant>() && value.userType() == qMetaTypeId<QDBusVariant>())
        value = value.value<QDBusVariant>().variant();
    return value.toUInt();
}

} // namespace

C_DesktopScheme::C_DesktopScheme(QObject* parent)
    : QObject(parent)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    bus.connect(Service, Path, Interface, QStringLiteral("SettingChanged"), this,
                SLOT(SettingChanged(QString, QString, QDBusVariant)));
    QDBusMessage read = QDBusMessage::createMethodCall(Service, Path, Interface, QStringLiteral("Read"));
    read << Group << Key;
    auto* pending = new QDBusPendingCallWatcher(bus.asyncCall(read), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* watcher) {
        const QDBusPendingReply<QDBusVariant> reply = *watcher;
        watcher->deleteLater();
        if (reply.isValid())
            Take(OfPortalValue(Unwrapped(QVariant::fromValue(reply.value()))));
    });
}

C_DesktopScheme::Scheme C_DesktopScheme::OfPortalValue(unsigned value)
{
    switch (value) {
    case 1: return Scheme::Dark;
    case 2: return Scheme::Light;
    default: return Scheme::None;
    }
}

void C_DesktopScheme::SettingChanged(const QString& group, const QString& key, const QDBusVariant& value)
{
    if (group == Group && key == Key)
        Take(OfPortalValue(Unwrapped(value.variant())));
}

void C_DesktopScheme::Take(Scheme scheme)
{
    if (scheme == m_Scheme)
        return;
    m_Scheme = scheme;
    emit Changed();
}
