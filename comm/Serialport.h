#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <functional>

// How long reads and writes on a serial port may wait, in milliseconds. A read
// waits at most m_ReadInterval between two bytes (counted from the first byte)
// and at most m_ReadMultiplier per byte asked for plus m_ReadConstant in all; a
// write at most m_WriteMultiplier per byte plus m_WriteConstant.
struct S_PortTimeouts
{
    int m_ReadInterval;
    int m_ReadMultiplier;
    int m_ReadConstant;
    int m_WriteMultiplier;
    int m_WriteConstant;
};

enum class Parity { None, Odd, Even };

struct S_LineSettings
{
    int m_BaudRate;
    int m_DataBits;
    Parity m_Parity;
    int m_StopBits;
};

// A serial device held for one transfer, opened for reading and writing by this
// program alone. Transfers are synchronous and bounded by the time-outs; a read or
// write that runs into its time-out succeeds with fewer bytes.
class C_SerialPort
{
public:
    C_SerialPort() = default;
    ~C_SerialPort();
    C_SerialPort(const C_SerialPort&) = delete;
    C_SerialPort& operator=(const C_SerialPort&) = delete;

    // False when the device cannot be opened; ErrorText() then tells why.
    bool Open(const QString& device);
    bool IsOpen() const { return m_Handle >= 0; }
    // The system's reason for the last failed operation, and its error number.
    const QString& ErrorText() const { return m_ErrorText; }
    int ErrorNumber() const { return m_ErrorNumber; }

    bool SetTimeouts(const S_PortTimeouts& timeouts);
    // Changes speed and character frame only; flow control and the special
    // characters stay as the port had them. Data passes unchanged both ways.
    bool SetLineSettings(const S_LineSettings& settings);

    bool Write(const std::uint8_t* data, std::size_t count, std::size_t& written);
    // received is told to the observer as bytes arrive. With firstByteMs, a read
    // that receives nothing for that long ends there rather than at its total time-out.
    bool Read(std::uint8_t* data, std::size_t count, std::size_t& received,
              const std::function<void(std::size_t)>& observer = {}, int firstByteMs = -1);
    enum class DrainResult { Quiet, NeverQuiet, Failed };
    // Reads and drops what arrives until the line has been quiet for quietMs, for
    // at most limitMs.
    DrainResult Drain(int quietMs, int limitMs);

    // Asked while a read or write waits: once it says stop, the operation fails at
    // once and Stopped() tells it was asked to.
    void SetStopCheck(std::function<bool()> check) { m_StopCheck = std::move(check); }
    bool Stopped() const { return m_Stopped; }

    void Close();

private:
    bool Fail();
    bool Fail(int error);
    // Waits until the port is ready for the events or the deadline: the events
    // seen, 0 at the deadline, -1 on failure or a stop.
    int Wait(short events, std::int64_t deadline);

    int m_Handle = -1;
    S_PortTimeouts m_Timeouts{0, 0, 0, 0, 0};
    QString m_ErrorText;
    int m_ErrorNumber = 0;
    std::function<bool()> m_StopCheck;
    bool m_Stopped = false;
};

// The other end of a line the program makes itself: a pseudo-terminal whose
// device path a serial port can open, standing in for a controller.
class C_PseudoTerminal
{
public:
    enum class ReadResult { Byte, Timeout, Failed };

    C_PseudoTerminal() = default;
    ~C_PseudoTerminal();
    C_PseudoTerminal(const C_PseudoTerminal&) = delete;
    C_PseudoTerminal& operator=(const C_PseudoTerminal&) = delete;

    // False when no pseudo-terminal can be made; ErrorText() then tells why.
    bool Open();
    // The device the other side opens.
    const QString& DevicePath() const { return m_DevicePath; }
    const QString& ErrorText() const { return m_ErrorText; }

    // Waits at most timeoutMs for one byte.
    ReadResult ReadByte(int timeoutMs, std::uint8_t& byte);
    bool WriteByte(std::uint8_t byte);
    // Waits at most timeoutMs until the other side has read every byte written;
    // false when bytes are still waiting then.
    bool WaitUntilTaken(int timeoutMs);
    // Hangs up: the other side's writes fail from now on.
    void Close();

private:
    int m_Master = -1;
    // Held open so the line stays up between the other side's transfers.
    int m_Slave = -1;
    QString m_DevicePath;
    QString m_ErrorText;
};

// Pauses the calling thread.
void SleepMilliseconds(int milliseconds);

// A monotonic high-resolution counter and its ticks per second.
std::int64_t CounterFrequency();
std::int64_t CounterValue();
// Pauses the calling thread until the counter reaches the value.
void SleepUntilCounter(std::int64_t value);
// Returns as soon as the counter reaches the value, never before: sleeps until
// shortly before it and polls only the last fraction, so a paced transfer meets
// each moment closely without keeping a core busy.
void PaceUntilCounter(std::int64_t value);
