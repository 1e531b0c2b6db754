#include "comm/Portwatcher.h"

#include <QThread>
#include <QTimer>

C_PortWatcher::C_PortWatcher(const C_PortSource& source, QObject* parent, int everyMs)
    : QObject(parent)
    , m_Source(source)
    , m_Thread(new QThread(this))
    , m_Timer(new QTimer(this))
{
    // A context object living on the thread: what is queued to it runs there.
    auto* lister = new QObject;
    lister->moveToThread(m_Thread);
    connect(m_Thread, &QThread::finished, lister, &QObject::deleteLater);
    m_Thread->start();

    m_Timer->setInterval(everyMs);
    connect(m_Timer, &QTimer::timeout, this, [this, lister] {
        // One listing at a time: a slow one is not piled up behind.
        if (m_Listing)
            return;
        m_Listing = true;
        QMetaObject::invokeMethod(lister, [this] {
            std::vector<S_PortEntry> ports = ListPorts(m_Source);
            QMetaObject::invokeMethod(this, [this, ports = std::move(ports)] { Listed(ports); }, Qt::QueuedConnection);
        });
    });
    m_Timer->start();
}

C_PortWatcher::~C_PortWatcher()
{
    m_Timer->stop();
    m_Thread->quit();
    m_Thread->wait();
}

const std::vector<S_PortEntry>& C_PortWatcher::ListNow()
{
    m_Ports = ListPorts(m_Source);
    return m_Ports;
}

void C_PortWatcher::Listed(const std::vector<S_PortEntry>& ports)
{
    m_Listing = false;
    if (ports == m_Ports)
        return;
    m_Ports = ports;
    emit PortsChanged(m_Ports);
}
