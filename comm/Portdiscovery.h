#pragma once

#include <QString>

#include <vector>

// A serial port as the system lists it, before it is named for the user.
struct S_FoundPort
{
    QString m_Device;
    QString m_Description;
    QString m_Manufacturer;
    QString m_SerialNumber;
    // "vvvv:pppp" of a USB adapter, four lower-case hex digits each; empty otherwise.
    QString m_UsbId;

    bool operator==(const S_FoundPort&) const = default;
};

// A link under /dev/serial/ and the device it leads to.
struct S_DeviceLink
{
    QString m_Link;
    QString m_Target;
};

// Where the serial ports come from: the system, or in the tests a list of their
// own. Asked from a thread of its own while Com Setup is open.
class C_PortSource
{
public:
    virtual ~C_PortSource() = default;
    virtual std::vector<S_FoundPort> FoundPorts() const = 0;
    // The links of /dev/serial/by-id/ and of /dev/serial/by-path/, each with the
    // device it leads to as an absolute path without links.
    virtual std::vector<S_DeviceLink> ById() const = 0;
    virtual std::vector<S_DeviceLink> ByPath() const = 0;
    // The device a path leads to, links followed; the path itself when it leads nowhere.
    virtual QString ResolvedDevice(const QString& path) const;
};

// The ports of this machine, found by the toolkit's serial port listing and the
// links udev keeps under /dev/serial/.
class C_SystemPortSource : public C_PortSource
{
public:
    explicit C_SystemPortSource(QString linkRoot = QStringLiteral("/dev/serial"));
    std::vector<S_FoundPort> FoundPorts() const override;
    std::vector<S_DeviceLink> ById() const override;
    std::vector<S_DeviceLink> ByPath() const override;

private:
    std::vector<S_DeviceLink> Links(const QString& folder) const;

    QString m_LinkRoot;
};

// A port as Com Setup lists it.
struct S_PortEntry
{
    S_FoundPort m_Port;
    // The link that finds this adapter again in another USB socket: its by-id
    // link, or its by-path link when its by-id name is not its own; else empty.
    QString m_StableName;
    // 1 to 4 for /dev/ttyS0 to /dev/ttyS3, which Com Setup stores as Com numbers; else 0.
    int m_ComNumber = 0;

    // What the choice stores as "Device": the stable name, else the device path.
    const QString& StoredDevice() const { return m_StableName.isEmpty() ? m_Port.m_Device : m_StableName; }
    // A name a person recognises: "FT232R USB UART (FTDI) — ttyUSB0", "COM 1 — ttyS0".
    QString DisplayName() const;
    // The description and manufacturer alone, "FT232R USB UART (FTDI)"; empty without a description.
    QString AdapterName() const;

    bool operator==(const S_PortEntry&) const = default;
};

// The ports of the source, each device once (a device listed under two names
// counts once), the serial ports COM 1 to COM 4 first, then the others by device.
std::vector<S_PortEntry> ListPorts(const C_PortSource& source);

// The entry a stored device names, by stable name or by device, or null.
const S_PortEntry* FindStoredPort(const std::vector<S_PortEntry>& entries, const QString& device,
                                  const C_PortSource& source);

// How logs and backup files name a device: its path under /dev/ without the
// folders, links followed ("ttyUSB0", "pts3").
QString ShortDeviceName(const QString& device);
