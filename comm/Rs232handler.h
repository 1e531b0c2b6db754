#pragma once

#include "comm/Portsettings.h"
#include "comm/Serialport.h"
#include "comm/Transferlistener.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

// Moves a controller memory image over a serial line, for one transfer: created
// (which opens and sets up the port), one SendImage or ReceiveImage, destroyed
// (which closes the port). Progress and failures go to the listener; without one
// nothing is reported and nothing can stop the transfer early.
class C_KW3Communication
{
public:
    C_KW3Communication(C_TransferListener* listener, const S_LinkSettings& link);
    // Port "COM" + port, reached through PortDevice. Time-outs in milliseconds.
    C_KW3Communication(C_TransferListener* listener, std::int16_t port, std::int16_t receiveTimeout,
                       std::int16_t sendTimeout);
    // A device named directly, bypassing the port numbers.
    C_KW3Communication(C_TransferListener* listener, const QString& device, std::int16_t receiveTimeout,
                       std::int16_t sendTimeout);
    ~C_KW3Communication() = default;
    C_KW3Communication(const C_KW3Communication&) = delete;
    C_KW3Communication& operator=(const C_KW3Communication&) = delete;

    // Download: true when every byte was written.
    bool SendImage(const std::uint8_t* image, std::uint16_t length);
    // Upload: true when the whole image arrived. The buffer is written only then.
    bool ReceiveImage(std::uint8_t* buffer, std::uint16_t length);

    // The last transfer ended because the listener asked it to stop.
    bool Cancelled() const { return m_Cancelled; }
    // Image bytes the last SendImage wrote.
    std::size_t BytesSent() const { return m_BytesSent; }
    // The bytes the last ReceiveImage received, also when it failed.
    const std::vector<std::uint8_t>& Received() const { return m_Received; }

    // Called just before each image byte is written, with the counter value that
    // starts its interval: how the sending end sees the pacing.
    void SetByteWriteObserver(std::function<void(std::int64_t)> observer) { m_ByteWrite = std::move(observer); }

private:
    void Report(std::int16_t id, int icon, const QString& detail = QString());
    // A port that could not be opened ends the transfer before its first byte,
    // with what the user can do about it.
    bool PortUnusable();
    void Phase(LinkPhase phase, int attempt = 0);
    bool StopWanted() const;
    bool StopRequested();
    // A failure of the port, or a stop asked for: reports id unless it was the stop.
    bool Fail(std::int16_t id);
    bool Handshake(std::uint8_t letter);
    bool Pause();
    // Reads count more bytes; the first must come within firstByteMs.
    bool ReadPart(std::size_t count, int firstByteMs);

    C_TransferListener* m_Listener;
    S_LinkSettings m_Link;
    C_SerialPort m_Port;
    int m_OpenError = 0;
    std::int16_t m_ReceiveTimeout;
    std::function<void(std::int64_t)> m_ByteWrite;
    bool m_Cancelled = false;
    std::size_t m_BytesSent = 0;
    bool m_ImageBytesStarted = false;
    std::vector<std::uint8_t> m_Received;
    std::size_t m_Length = 0;
    bool m_ReceivingShown = false;
};
