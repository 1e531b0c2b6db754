#include "comm/Portdiscovery.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSerialPortInfo>

#include <algorithm>
#include <map>
#include <tuple>

namespace {

QString UsbId(const QSerialPortInfo& info)
{
    if (!info.hasVendorIdentifier() || !info.hasProductIdentifier())
        return QString();
    return QStringLiteral("%1:%2")
        .arg(info.vendorIdentifier(), 4, 16, QLatin1Char('0'))
        .arg(info.productIdentifier(), 4, 16, QLatin1Char('0'));
}

// /dev/ttyS0 to /dev/ttyS3 are the four COM ports of Com Setup.
int ComNumberOfDevice(const QString& device)
{
    static const QRegularExpression com(QStringLiteral("^/dev/ttyS([0-3])$"));
    const QRegularExpressionMatch match = com.match(device);
    return match.hasMatch() ? match.captured(1).toInt() + 1 : 0;
}

// Adapters without a serial number of one make look alike to udev: they share one
// by-id name, which leads to whichever was plugged last.
using Likeness = std::tuple<QString, QString, QString>;

Likeness LikenessOf(const S_FoundPort& port)
{
    return {port.m_UsbId, port.m_Description, port.m_Manufacturer};
}

QString LinkTo(const std::vector<S_DeviceLink>& links, const QString& device)
{
    // The first in name order, so that the same adapter gets the same name every time.
    QString found;
    for (const S_DeviceLink& link : links)
        if (link.m_Target == device && (found.isEmpty() || link.m_Link < found))
            found = link.m_Link;
    return found;
}

} // namespace

QString C_PortSource::ResolvedDevice(const QString& path) const
{
    const QString resolved = QFileInfo(path).canonicalFilePath();
    return resolved.isEmpty() ? path : resolved;
}

C_SystemPortSource::C_SystemPortSource(QString linkRoot)
    : m_LinkRoot(std::move(linkRoot))
{
}

std::vector<S_FoundPort> C_SystemPortSource::FoundPorts() const
{
    std::vector<S_FoundPort> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        ports.push_back({info.systemLocation(), info.description(), info.manufacturer(), info.serialNumber(), UsbId(info)});
    return ports;
}

std::vector<S_DeviceLink> C_SystemPortSource::Links(const QString& folder) const
{
    std::vector<S_DeviceLink> links;
    const QDir dir(m_LinkRoot + QLatin1Char('/') + folder);
    for (const QFileInfo& entry : dir.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot, QDir::Name)) {
        // A link whose device is gone leads nowhere and names nothing.
        const QString target = entry.canonicalFilePath();
        if (entry.isSymLink() && !target.isEmpty())
            links.push_back({entry.absoluteFilePath(), target});
    }
    return links;
}

std::vector<S_DeviceLink> C_SystemPortSource::ById() const
{
    return Links(QStringLiteral("by-id"));
}

std::vector<S_DeviceLink> C_SystemPortSource::ByPath() const
{
    return Links(QStringLiteral("by-path"));
}

QString S_PortEntry::AdapterName() const
{
    if (m_Port.m_Description.isEmpty())
        return QString();
    if (m_Port.m_Manufacturer.isEmpty() || m_Port.m_Description.contains(m_Port.m_Manufacturer))
        return m_Port.m_Description;
    return m_Port.m_Description + QStringLiteral(" (") + m_Port.m_Manufacturer + QLatin1Char(')');
}

QString S_PortEntry::DisplayName() const
{
    const QString device = ShortDeviceName(m_Port.m_Device);
    QString name = AdapterName();
    if (m_ComNumber > 0)
        name = QStringLiteral("COM ") + QString::number(m_ComNumber);
    return name.isEmpty() ? device : name + QStringLiteral(" \u2014 ") + device;
}

std::vector<S_PortEntry> ListPorts(const C_PortSource& source)
{
    std::vector<S_PortEntry> entries;
    for (S_FoundPort port : source.FoundPorts()) {
        port.m_Device = source.ResolvedDevice(port.m_Device);
        const bool listed = std::any_of(entries.begin(), entries.end(),
                                        [&](const S_PortEntry& e) { return e.m_Port.m_Device == port.m_Device; });
        if (!listed)
            entries.push_back({port, QString(), ComNumberOfDevice(port.m_Device)});
    }

    std::map<Likeness, int> withoutSerial;
    for (const S_PortEntry& entry : entries)
        if (entry.m_Port.m_SerialNumber.isEmpty() && !entry.m_Port.m_UsbId.isEmpty())
            ++withoutSerial[LikenessOf(entry.m_Port)];
    const std::vector<S_DeviceLink> byId = source.ById();
    const std::vector<S_DeviceLink> byPath = source.ByPath();
    for (S_PortEntry& entry : entries) {
        const auto alike = withoutSerial.find(LikenessOf(entry.m_Port));
        const bool sharedName = alike != withoutSerial.end() && alike->second > 1;
        if (!sharedName)
            entry.m_StableName = LinkTo(byId, entry.m_Port.m_Device);
        if (entry.m_StableName.isEmpty())
            entry.m_StableName = LinkTo(byPath, entry.m_Port.m_Device);
    }

    std::sort(entries.begin(), entries.end(), [](const S_PortEntry& a, const S_PortEntry& b) {
        const int aCom = a.m_ComNumber > 0 ? a.m_ComNumber : 5;
        const int bCom = b.m_ComNumber > 0 ? b.m_ComNumber : 5;
        if (aCom != bCom)
            return aCom < bCom;
        // ttyUSB2 before ttyUSB10.
        const QString aDevice = a.m_Port.m_Device, bDevice = b.m_Port.m_Device;
        if (aDevice.size() != bDevice.size())
            return aDevice.size() < bDevice.size();
        return aDevice < bDevice;
    });
    return entries;
}

const S_PortEntry* FindStoredPort(const std::vector<S_PortEntry>& entries, const QString& device,
                                  const C_PortSource& source)
{
    if (device.isEmpty())
        return nullptr;
    for (const S_PortEntry& entry : entries)
        if (entry.m_StableName == device)
            return &entry;
    // A stable name leads to the adapter's device wherever it is plugged in now.
    const QString resolved = source.ResolvedDevice(device);
    for (const S_PortEntry& entry : entries)
        if (entry.m_Port.m_Device == device || entry.m_Port.m_Device == resolved)
            return &entry;
    return nullptr;
}

QString ShortDeviceName(const QString& device)
{
    const QString resolved = QFileInfo(device).canonicalFilePath();
    const QString devices = QStringLiteral("/dev/");
    const QString path = resolved.isEmpty() ? device : resolved;
    // A link under /dev/serial/ that leads nowhere is best known by its own name.
    if (!path.startsWith(devices) || (resolved.isEmpty() && path.startsWith(QStringLiteral("/dev/serial/"))))
        return QFileInfo(device).fileName();
    return path.mid(devices.size()).remove(QLatin1Char('/'));
}
