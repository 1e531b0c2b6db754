#include "comm/Rs232handler.h"

#include "comm/Protocol.h"
#include "language/Messages.h"

#include <QByteArray>

#include <algorithm>
#include <vector>

namespace {

constexpr S_LineSettings ControllerLine{Protocol::BaudRate, 8, Parity::None, 1};
// How often the pause after the handshake looks at a stop request.
constexpr int PauseSliceMs = 20;

// Diagnostic line icons.
constexpr int Information = 1;
constexpr int Error = 3;

} // namespace

QString PortDevice(std::int16_t port)
{
    const QString device = qEnvironmentVariable(QByteArray("KW3_COM" + QByteArray::number(port)).constData());
    if (!device.isEmpty())
        return device;
    return QStringLiteral("/dev/ttyS") + QString::number(port - 1);
}

C_KW3Communication::C_KW3Communication(C_TransferListener* listener, const S_LinkSettings& link)
    : C_KW3Communication(listener, link.Device(), link.m_ReceiveTimeout, link.m_SendTimeout)
{
}

C_KW3Communication::C_KW3Communication(C_TransferListener* listener, std::int16_t port,
                                       std::int16_t receiveTimeout, std::int16_t sendTimeout)
    : C_KW3Communication(listener, PortDevice(port), receiveTimeout, sendTimeout)
{
}

C_KW3Communication::C_KW3Communication(C_TransferListener* listener, const QString& device,
                                       std::int16_t receiveTimeout, std::int16_t sendTimeout)
    : m_Listener(listener)
    , m_ReceiveTimeout(receiveTimeout)
{
    if (m_Listener != nullptr)
        m_Port.SetStopCheck([this] { return m_Listener->CancelRequested(); });
    if (!m_Port.Open(device)) {
        // The transfer still runs and fails at its first write; this line says why.
        Report(Msg::CannotOpenPort, Information, QLatin1Char(' ') + device + QStringLiteral(": ") + m_Port.ErrorText());
        return;
    }
    const S_PortTimeouts timeouts{receiveTimeout, receiveTimeout, receiveTimeout, sendTimeout, sendTimeout};
    if (!m_Port.SetTimeouts(timeouts))
        return;
    m_Port.SetLineSettings(ControllerLine);
}

void C_KW3Communication::Report(std::int16_t id, int icon, const QString& detail)
{
    if (m_Listener != nullptr)
        m_Listener->Reported(id, icon, detail);
}

void C_KW3Communication::Phase(LinkPhase phase, int attempt)
{
    if (m_Listener != nullptr)
        m_Listener->PhaseChanged(phase, attempt);
}

bool C_KW3Communication::StopRequested()
{
    m_Cancelled = m_Cancelled || (m_Listener != nullptr && m_Listener->CancelRequested());
    return m_Cancelled;
}

bool C_KW3Communication::Fail(std::int16_t id)
{
    // A stop asked for is no fault of the line: whoever asked says so.
    if (!m_Port.Stopped() && !StopRequested())
        Report(id, Error);
    m_Cancelled = m_Cancelled || m_Port.Stopped();
    return false;
}

bool C_KW3Communication::Handshake(std::uint8_t letter)
{
    Phase(LinkPhase::Calling, 0);
    // Late bytes of an earlier transfer must not answer this one. A port that
    // cannot be drained fails at the first letter below and says so there.
    if (m_Port.IsOpen()) {
        switch (m_Port.Drain(m_ReceiveTimeout, Protocol::HandshakeTries * 2 * m_ReceiveTimeout)) {
        case C_SerialPort::DrainResult::Quiet: break;
        case C_SerialPort::DrainResult::NeverQuiet: return Fail(Msg::LineNeverQuiet);
        case C_SerialPort::DrainResult::Failed: return Fail(Msg::PortError);
        }
    }
    int tries = 0;
    for (;;) {
        if (StopRequested())
            return false;
        Phase(LinkPhase::Calling, tries + 1);
        std::uint8_t byte = letter;
        std::size_t moved = 0;
        if (!m_Port.Write(&byte, 1, moved))
            return Fail(Msg::PortError);
        // A read that times out leaves the letter in the buffer: no answer.
        if (!m_Port.Read(&byte, 1, moved))
            return Fail(Msg::PortError);
        // Counted before the answer is looked at: the ready byte counts only as
        // the answer to one of the first 19 letters.
        ++tries;
        if (tries == Protocol::HandshakeTries) {
            Report(Msg::NoAnswer, Error);
            return false;
        }
        if (byte == Protocol::ReadyByte)
            return true;
    }
}

bool C_KW3Communication::Pause()
{
    Phase(LinkPhase::Pause);
    const std::int64_t end = CounterValue() + std::int64_t(Protocol::PauseAfterHandshakeMs) * CounterFrequency() / 1000;
    const std::int64_t slice = std::int64_t(PauseSliceMs) * CounterFrequency() / 1000;
    while (CounterValue() < end) {
        if (StopRequested())
            return false;
        SleepUntilCounter(std::min(end, CounterValue() + slice));
    }
    return true;
}

bool C_KW3Communication::SendImage(const std::uint8_t* image, std::uint16_t length)
{
    m_Cancelled = false;
    m_BytesSent = 0;
    Report(Msg::DownloadCalling, Information);
    if (!Handshake(Protocol::DownloadLetter) || !Pause())
        return false;
    Report(Msg::DownloadReady, Information);
    Phase(LinkPhase::Sending);

    const std::int64_t frequency = CounterFrequency();
    const std::int32_t interval = std::int32_t((Protocol::DownloadByteIntervalMs * frequency) / 1000);
    std::int64_t reference = CounterValue();
    for (std::size_t index = 0; index < length; ++index) {
        if (StopRequested())
            return false;
        if (m_ByteWrite)
            m_ByteWrite(reference);
        std::size_t written = 0;
        // A byte that did not go out would shift the rest of the controller's image.
        if (!m_Port.Write(image + index, 1, written) || written != 1)
            return Fail(Msg::SendError);
        m_BytesSent = index + 1;
        if (m_Listener != nullptr)
            m_Listener->Progressed(m_BytesSent, length);
        // The controller needs the full gap after every byte, and the write itself counts against it.
        PaceUntilCounter(reference + interval);
        reference = CounterValue();
    }
    return true;
}

bool C_KW3Communication::ReadPart(std::uint8_t* buffer, std::size_t count, std::size_t before, std::size_t total)
{
    if (StopRequested())
        return false;
    std::size_t received = 0;
    const auto observer = [this, before, total](std::size_t arrived) {
        if (m_Listener != nullptr)
            m_Listener->Progressed(before + arrived, total);
    };
    if (!m_Port.Read(buffer, count, received, observer))
        return Fail(Msg::ReceiveError);
    if (received < count) {
        Report(Msg::TooFewBytes, Error);
        return false;
    }
    return true;
}

bool C_KW3Communication::ReceiveImage(std::uint8_t* buffer, std::uint16_t length)
{
    m_Cancelled = false;
    Report(Msg::UploadCalling, Information);
    if (!Handshake(Protocol::UploadLetter) || !Pause())
        return false;
    Report(Msg::UploadReady, Information);
    Phase(LinkPhase::Receiving);

    // Received apart, so that a failed upload leaves the caller's image as it was.
    std::vector<std::uint8_t> received(length);
    const std::size_t firstHalf = length / 2;
    if (!ReadPart(received.data(), firstHalf, 0, length) ||
        !ReadPart(received.data() + firstHalf, length - firstHalf, firstHalf, length))
        return false;
    std::copy(received.begin(), received.end(), buffer);
    return true;
}
