#include "desktop/Sleepinhibitor.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusUnixFileDescriptor>

C_SleepInhibitor::C_SleepInhibitor(QObject* parent)
    : QObject(parent)
{
}

C_SleepInhibitor::~C_SleepInhibitor() = default;

void C_SleepInhibitor::Acquire(const QString& why)
{
    m_Wanted = true;
    if (m_Lock != nullptr || m_Pending != nullptr)
        return;
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("Inhibit"));
    call << QStringLiteral("sleep") << QStringLiteral("Kw3Win") << why << QStringLiteral("block");
    m_Pending = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    connect(m_Pending, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* watcher) {
        const QDBusPendingReply<QDBusUnixFileDescriptor> reply = *watcher;
        watcher->deleteLater();
        m_Pending = nullptr;
        // Released before the answer came: the descriptor is closed with the reply.
        if (m_Wanted && reply.isValid())
            m_Lock = std::make_unique<QDBusUnixFileDescriptor>(reply.value());
    });
}

void C_SleepInhibitor::Release()
{
    m_Wanted = false;
    // Closing the descriptor ends the inhibition.
    m_Lock.reset();
}

bool C_SleepInhibitor::IsHeld() const
{
    return m_Lock != nullptr && m_Lock->isValid();
}
