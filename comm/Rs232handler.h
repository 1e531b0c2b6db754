#pragma once

#include "comm/Serialport.h"

#include <QString>

#include <cstdint>
#include <functional>

class QTreeWidgetItem;

// The device that serial port number n stands for: the device named by the
// environment variable KW3_COM<n> when it is set (a USB adapter, a stable name
// under /dev/serial/by-id/, a pseudo-terminal), else /dev/ttyS<n-1>.
QString PortDevice(std::int16_t port);

// Moves a controller memory image over a serial line, for one transfer: created
// (which opens and sets up the port), one SendImage or ReceiveImage, destroyed
// (which closes the port). Progress and failures become lines under the parent
// entry; with no parent entry nothing is reported.
class C_KW3Communication
{
public:
    // Port "COM" + port, reached through PortDevice. Time-outs in milliseconds.
    C_KW3Communication(QTreeWidgetItem* parent, std::int16_t port, std::int16_t receiveTimeout,
                       std::int16_t sendTimeout);
    // A device named directly, bypassing the port numbers.
    C_KW3Communication(QTreeWidgetItem* parent, const QString& device, std::int16_t receiveTimeout,
                       std::int16_t sendTimeout);
    ~C_KW3Communication() = default;
    C_KW3Communication(const C_KW3Communication&) = delete;
    C_KW3Communication& operator=(const C_KW3Communication&) = delete;

    // Download: true when every byte was written.
    bool SendImage(const std::uint8_t* image, std::uint16_t length);
    // Upload: true when the whole image arrived. The buffer is written only then.
    bool ReceiveImage(std::uint8_t* buffer, std::uint16_t length);

    // Called just before each image byte is written, with the counter value that
    // starts its interval: how the sending end sees the pacing.
    void SetByteWriteObserver(std::function<void(std::int64_t)> observer) { m_ByteWrite = std::move(observer); }

private:
    void Report(std::int16_t id, int icon);
    bool Handshake(std::uint8_t letter);
    bool ReadPart(std::uint8_t* buffer, std::size_t count);

    QTreeWidgetItem* m_Parent;
    C_SerialPort m_Port;
    std::function<void(std::int64_t)> m_ByteWrite;
};
