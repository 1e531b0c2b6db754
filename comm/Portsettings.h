#pragma once

#include <QString>

#include <cstdint>

// The port a transfer uses, as Com Setup chooses it and the settings store keeps
// it: a Com number, or a device named directly. An empty m_Device means the Com
// number, as the settings of older versions have it.
struct S_PortChoice
{
    int m_ComNumber = 1;
    // The adapter's stable name under /dev/serial/, else its device path.
    QString m_Device;
    // How the adapter was listed when it was chosen, to name it when it is not plugged in.
    QString m_DeviceName;
    QString m_DeviceSerial;

    bool operator==(const S_PortChoice&) const = default;
};

// What the port setup chooses, as the settings store keeps it.
struct S_PortSettings
{
    S_PortChoice m_Port;
    int m_SendTimeout = 500;
    int m_ReceiveTimeout = 500;
    bool m_BackupBeforeDownload = true;
    bool m_VerifyAfterDownload = true;
};

// The device that serial port number n stands for: the device named by the
// environment variable KW3_COM<n> when it is set (a USB adapter, a stable name
// under /dev/serial/by-id/, a pseudo-terminal), else /dev/ttyS<n-1>.
QString PortDevice(int port);

// Where a transfer reaches the controller, and how long it waits.
struct S_LinkSettings
{
    S_PortChoice m_Choice;
    std::int16_t m_ReceiveTimeout = 500;
    std::int16_t m_SendTimeout = 500;
    // A stored device that is no device path, ignored for the Com number; empty for none.
    QString m_IgnoredDevice;

    // The device the link opens.
    QString Device() const;
    // How logs and backup files name the port: "COM1", "ttyUSB0".
    QString PortName() const;
    // How windows name it: "COM 1", "FT232R USB UART (ttyUSB0)".
    QString PortTitle() const;
    // The link opens a device chosen by name rather than a Com number.
    bool ByDevice() const { return !m_Choice.m_Device.isEmpty(); }
};

// A stored device the link can try to open: an absolute path of printable
// characters. Anything else in the settings file is ignored.
bool IsUsableDevicePath(const QString& device);
