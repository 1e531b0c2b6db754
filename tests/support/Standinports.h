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
        m_ById = std::move(byId);
        m_ByPath = std::move(byPath);
    }
    std::vector<S_FoundPort> FoundPorts() const override
    {
        const std::lock_guard lock(m_Mutex);
        return m_Ports;
    }
    std::vector<S_DeviceLink> ById() const override
    {
        const std::lock_guard lock(m_Mutex);
        return m_ById;
    }
    std::vector<S_DeviceLink> ByPath() const override
    {
        const std::lock_guard lock(m_Mutex);
        return m_ByPath;
    }
    QString ResolvedDevice(const QString& path) const override
    {
        const std::lock_guard lock(m_Mutex);
        for (const auto* links : {&m_ById, &m_ByPath})
            for (const S_DeviceLink& link : *links)
                if (link.m_Link == path)
                    return link.m_Target;
        return path;
    }

private:
    mutable std::mutex m_Mutex;
    std::vector<S_FoundPort> m_Ports;
    std::vector<S_DeviceLink> m_ById;
    std::vector<S_DeviceLink> m_ByPath;
};

// Three adapters as the list would find them, with their udev links.
inline S_FoundPort Ftdi(const QString& device, const QString& serial = QStringLiteral("A50285BI"))
{
    return {device, QStringLiteral("FT232R USB UART"), QStringLiteral("FTDI"), serial, QStringLiteral("0403:6001")};
}
inline S_FoundPort Prolific(const QString& device)
{
    return {device, QStringLiteral("USB-Serial Controller"), QStringLiteral("Prolific Technology Inc."), QString(),
            QStringLiteral("067b:2303")};
}
inline S_FoundPort Ch340(const QString& device)
{
    return {device, QStringLiteral("USB Serial"), QStringLiteral("QinHeng Electronics"), QString(),
            QStringLiteral("1a86:7523")};
}
inline const QString FtdiById = QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");
