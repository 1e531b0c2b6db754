#include "comm/Portsettings.h"

#include "comm/Portdiscovery.h"

#include <QByteArray>

#include <algorithm>

QString PortDevice(int port)
{
    const QString device = qEnvironmentVariable(QByteArray("KW3_COM" + QByteArray::number(port)).constData());
    if (!device.isEmpty())
        return device;
    return QStringLiteral("/dev/ttyS") + QString::number(port - 1);
}

QString S_LinkSettings::Device() const
{
    return ByDevice() ? m_Choice.m_Device : PortDevice(m_Choice.m_ComNumber);
}

QString S_LinkSettings::PortName() const
{
    return ByDevice() ? ShortDeviceName(m_Choice.m_Device) : QStringLiteral("COM") + QString::number(m_Choice.m_ComNumber);
}

QString S_LinkSettings::PortTitle() const
{
    if (!ByDevice())
        return QStringLiteral("COM ") + QString::number(m_Choice.m_ComNumber);
    if (m_Choice.m_DeviceName.isEmpty())
        return m_Choice.m_Device;
    return m_Choice.m_DeviceName + QStringLiteral(" (") + ShortDeviceName(m_Choice.m_Device) + QLatin1Char(')');
}

bool IsUsableDevicePath(const QString& device)
{
    constexpr int LongestPath = 4095;
    if (!device.startsWith(QLatin1Char('/')) || device.size() > LongestPath)
        return false;
    return std::none_of(device.begin(), device.end(), [](QChar c) { return c.category() == QChar::Other_Control; });
}
