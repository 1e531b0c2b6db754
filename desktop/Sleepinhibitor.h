#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QDBusPendingCallWatcher;
class QDBusUnixFileDescriptor;

// Asks the session's login manager (logind, over the system bus) not to suspend
// the machine while it is held. Where there is no such manager nothing happens;
// the request never waits for an answer.
class C_SleepInhibitor : public QObject
{
    Q_OBJECT

public:
    explicit C_SleepInhibitor(QObject* parent = nullptr);
    ~C_SleepInhibitor() override;

    void Acquire(const QString& why);
    void Release();
    // The manager granted the request and it is held.
    bool IsHeld() const;

private:
    std::unique_ptr<QDBusUnixFileDescriptor> m_Lock;
    QDBusPendingCallWatcher* m_Pending = nullptr;
    bool m_Wanted = false;
};
