#pragma once

#include "comm/Protocol.h"
#include "comm/Serialport.h"

#include <QString>
#include <QStringList>

#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

// How the simulated controller behaves.
struct S_SimulatorOptions
{
    std::uint16_t m_FormatCode = 0;
    // The image it receives on 'B' and sends on 'A'; its size is the format's.
    std::vector<std::uint8_t> m_Image;
    // Where an image received on 'B' is saved as a configuration file; empty for nowhere.
    QString m_SavePath;
    // The first handshake letters answered with 0x00 instead of the ready byte.
    int m_Ignore = 0;
    // Image bytes after which a transfer stops; -1 for never.
    int m_StopAfter = -1;
    // The image offset whose byte is stored inverted from every download; -1 for none.
    int m_Corrupt = -1;
    bool m_Once = false;
    bool m_Report = false;
};

// What the controller saw of one transfer.
struct S_TransferReport
{
    std::uint8_t m_Letter = 0;
    int m_HandshakeBytes = 0;
    std::size_t m_ImageSize = 0;
    // Counter values: just before the ready byte was written, and when each image byte
    // was received ('B') or written ('A').
    std::int64_t m_AnswerTime = 0;
    std::vector<std::int64_t> m_ByteTimes;
};

// The report line of a transfer, times in milliseconds.
QString FormatTransferReport(const S_TransferReport& report);

// A KW3 controller at the far end of a pseudo-terminal, keeping to what the
// protocol fixes about it and no more: on 'B' it answers the ready byte and
// takes an image of its size; on 'A' it answers the ready byte and sends its
// image no faster than the 4800-baud line carries it.
class C_ControllerSimulator
{
public:
    explicit C_ControllerSimulator(S_SimulatorOptions options);

    bool Open() { return m_Line.Open(); }
    const QString& DevicePath() const { return m_Line.DevicePath(); }
    const QString& ErrorText() const { return m_Line.ErrorText(); }

    // Serves transfers until stop is set, the line is hung up, or, with m_Once,
    // the first transfer is complete. Every transfer is reported as it ends.
    void Run(const std::atomic<bool>& stop, const std::function<void(const S_TransferReport&)>& reported);

    // The last image received completely.
    const std::vector<std::uint8_t>& ReceivedImage() const { return m_Received; }

private:
    // Silenced: the image was cut short and the controller says nothing more.
    enum class Outcome { Complete, Abandoned, Silenced, Stopped, LineGone };

    Outcome Receive(const std::atomic<bool>& stop, S_TransferReport& report);
    Outcome Send(const std::atomic<bool>& stop, S_TransferReport& report);
    void StaySilent(const std::atomic<bool>& stop);
    void SaveReceived() const;

    S_SimulatorOptions m_Options;
    C_PseudoTerminal m_Line;
    std::vector<std::uint8_t> m_Received;
    int m_IgnoreLeft;
};

// Reads the options of `simulate`; false with a message for bad usage or an unreadable image.
bool ParseSimulatorOptions(const QStringList& args, S_SimulatorOptions& options, QString& error);

// `kw3tool simulate [options]`: prints the device path of the PC side as the
// first line, then serves transfers. 0 when done, 2 for bad usage or no line.
int RunSimulate(const QStringList& args);
