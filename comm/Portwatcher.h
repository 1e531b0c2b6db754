#pragma once

#include "comm/Portdiscovery.h"

#include <QObject>

#include <vector>

class QThread;
class QTimer;

// Lists the ports of a source again and again on a thread of its own, so that an
// adapter plugged or pulled shows while a window stays open, and a slow listing
// never stalls that window. The source must outlive the watcher.
class C_PortWatcher : public QObject
{
    Q_OBJECT

public:
    static constexpr int EveryMs = 1000;

    C_PortWatcher(const C_PortSource& source, QObject* parent = nullptr, int everyMs = EveryMs);
    ~C_PortWatcher() override;

    // Lists the ports now, on the calling thread.
    const std::vector<S_PortEntry>& ListNow();
    const std::vector<S_PortEntry>& Ports() const { return m_Ports; }

signals:
    void PortsChanged(const std::vector<S_PortEntry>& ports);

private:
    void Listed(const std::vector<S_PortEntry>& ports);

    const C_PortSource& m_Source;
    std::vector<S_PortEntry> m_Ports;
    QThread* m_Thread;
    QTimer* m_Timer;
    bool m_Listing = false;
};
