#pragma once

#include "comm/Portdiscovery.h"

#include <mutex>

// Ports the test decides: plugged and pulled while a window lists them.
class C_StandInPorts : public C_PortSource
{
public:
    void Set(std::vector<S_FoundPort> ports, std::vector<S_DeviceLink> byId = {}, std::vector<S_DeviceLink> byPath = {})
    {
        const std::lock_guard lock(m_Mutex);
        m_Ports = std::move(ports);
        m_Links[0] = std::move(byId);
        m_Links[1] = std::move(byPath);
    }
    std::vector<S_FoundPort> FoundPorts() const override { return Locked(m_Ports); }
    std::vector<S_DeviceLink> ById() const override { return Locked(m_Links[0]); }
    std::vector<S_DeviceLink> ByPath() const override { return Locked(m_Links[1]); }
    QString ResolvedDevice(const QString& path) const override
    {
        const std::lock_guard lock(m_Mutex);
        for (const auto& links : m_Links)
            for (const S_DeviceLink& link : links)
                if (link.m_Link == path)
                    return link.m_Target;
        return path;
    }

private:
    template <typename T> T Locked(const T& value) const
    {
        const std::lock_guard lock(m_Mutex);
        return value;
    }

    mutable std::mutex m_Mutex;
    std::vector<S_FoundPort> m_Ports;
    std::vector<S_DeviceLink> m_Links[2];
};

// Adapters as the system would list them.
inline S_FoundPort Ftdi(const QString& device, const QString& serial = QStringLiteral("A50285BI"))
{
    return {device, QStringLiteral("FT232R USB UART"), QStringLiteral("FTDI"), serial, QStringLiteral("0403:6001")};
}
inline S_FoundPort Prolific(const QString& device)
{
    return {device, QStringLiteral("USB-Serial Controller"), QStringLiteral("Prolific Technology Inc."), {}, QStringLiteral("067b:2303")};
}
inline const QString FtdiById = QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");
