#include "comm/Rs232handler.h"

#include "comm/Portdiagnosis.h"
#include "comm/Portdiscovery.h"
#include "comm/Protocol.h"
#include "language/Messages.h"

#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <vector>

namespace {

constexpr S_LineSettings ControllerLine{Protocol::BaudRate, 8, Parity::None, 1};
// How often the pause after the handshake looks at a stop request.
constexpr int PauseSliceMs = 20;
// Beyond the two receive time-outs a byte may take, what a controller may take to
// start sending its image after the pause.
constexpr int FirstByteSlackMs = 1000;

// Diagnostic line icons.
constexpr int Information = 1;
constexpr int Error = 3;

S_LinkSettings LinkOfPort(std::int16_t port, std::int16_t receiveTimeout, std::int16_t sendTimeout)
{
    S_LinkSettings link;
    link.m_Choice.m_ComNumber = port;
    link.m_ReceiveTimeout = receiveTimeout;
    link.m_SendTimeout = sendTimeout;
    return link;
}

S_LinkSettings LinkOfDevice(const QString& device, std::int16_t receiveTimeout, std::int16_t sendTimeout)
{
    S_LinkSettings link = LinkOfPort(1, receiveTimeout, sendTimeout);
    link.m_Choice.m_Device = device;
    return link;
}

// A line that can no longer be read or written because its device has gone.
bool DeviceGone(const QString& device, int error)
{
    return error == EIO || error == ENXIO || error == ENODEV || !QFileInfo::exists(device);
}

} // namespace

C_KW3Communication::C_KW3Communication(C_TransferListener* listener, std::int16_t port,
                                       std::int16_t receiveTimeout, std::int16_t sendTimeout)
    : C_KW3Communication(listener, LinkOfPort(port, receiveTimeout, sendTimeout))
{
}

C_KW3Communication::C_KW3Communication(C_TransferListener* listener, const QString& device,
                                       std::int16_t receiveTimeout, std::int16_t sendTimeout)
    : C_KW3Communication(listener, LinkOfDevice(device, receiveTimeout, sendTimeout))
{
}

C_KW3Communication::C_KW3Communication(C_TransferListener* listener, const S_LinkSettings& link)
    : m_Listener(listener)
    , m_Link(link)
    , m_ReceiveTimeout(link.m_ReceiveTimeout)
{
    if (m_Listener != nullptr)
        m_Port.SetStopCheck([this] { return StopWanted(); });
    if (!m_Port.Open(link.Device())) {
        m_OpenError = m_Port.ErrorNumber();
        return;
    }
    const S_PortTimeouts timeouts{link.m_ReceiveTimeout, link.m_ReceiveTimeout, link.m_ReceiveTimeout,
                                  link.m_SendTimeout, link.m_SendTimeout};
    if (!m_Port.SetTimeouts(timeouts))
        return;
    m_Port.SetLineSettings(ControllerLine);
}

bool C_KW3Communication::PortUnusable()
{
    if (m_Port.IsOpen())
        return false;
    const C_SystemPortSource ports;
    for (const S_PortProblemLine& line : DiagnoseUnusablePort(m_Link, m_OpenError, ports))
        Report(line.m_Id, line.m_Id == Msg::PortsThere || line.m_Id == Msg::NoPortsThere ? Information : Error,
               line.m_Detail);
    return true;
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

bool C_KW3Communication::StopWanted() const
{
    // Once image bytes of a download go out, only a stop the user confirmed ends it.
    if (m_Listener == nullptr)
        return false;
    return m_ImageBytesStarted ? m_Listener->CancelConfirmed() : m_Listener->CancelRequested();
}

bool C_KW3Communication::StopRequested()
{
    m_Cancelled = m_Cancelled || StopWanted();
    return m_Cancelled;
}

bool C_KW3Communication::Fail(std::int16_t id)
{
    // A stop asked for is no fault of the line: whoever asked says so.
    if (!m_Port.Stopped() && !StopRequested()) {
        Report(id, Error);
        if (DeviceGone(m_Link.Device(), m_Port.ErrorNumber()))
            Report(Msg::PortWentAway, Error, QLatin1Char(' ') + m_Link.PortName());
    }
    m_Cancelled = m_Cancelled || m_Port.Stopped();
    return false;
}

bool C_KW3Communication::Handshake(std::uint8_t letter)
{
    Phase(LinkPhase::Draining, 0);
    // Late bytes of an earlier transfer must not answer this one.
    switch (m_Port.Drain(m_ReceiveTimeout, Protocol::HandshakeTries * 2 * m_ReceiveTimeout)) {
    case C_SerialPort::DrainResult::Quiet: break;
    case C_SerialPort::DrainResult::NeverQuiet: return Fail(Msg::LineNeverQuiet);
    case C_SerialPort::DrainResult::Failed: return Fail(Msg::PortError);
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
    m_ImageBytesStarted = false;
    if (PortUnusable())
        return false;
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
        m_ImageBytesStarted = true;
        if (m_Listener != nullptr)
            m_Listener->Progressed(m_BytesSent, length);
        // The controller needs the full gap after every byte, and the write itself counts against it.
        PaceUntilCounter(reference + interval);
        reference = CounterValue();
    }
    return true;
}

bool C_KW3Communication::ReadPart(std::size_t count, int firstByteMs)
{
    if (StopRequested())
        return false;
    const std::size_t before = m_Received.size();
    const std::size_t total = m_Length;
    m_Received.resize(before + count);
    std::size_t received = 0;
    const auto observer = [this, before, total](std::size_t arrived) {
        // The wait for the first byte is over.
        if (before == 0 && arrived > 0 && !m_ReceivingShown) {
            m_ReceivingShown = true;
            Phase(LinkPhase::Receiving);
        }
        if (m_Listener != nullptr)
            m_Listener->Progressed(before + arrived, total);
    };
    const bool read = m_Port.Read(m_Received.data() + before, count, received, observer, firstByteMs);
    m_Received.resize(before + received);
    if (!read)
        return Fail(Msg::ReceiveError);
    if (m_Received.empty()) {
        Report(Msg::ControllerSendsNothing, Error);
        return false;
    }
    if (received < count) {
        Report(Msg::TooFewBytes, Error);
        return false;
    }
    return true;
}

bool C_KW3Communication::ReceiveImage(std::uint8_t* buffer, std::uint16_t length)
{
    m_Cancelled = false;
    m_Received.clear();
    m_Length = length;
    m_ReceivingShown = false;
    if (PortUnusable())
        return false;
    Report(Msg::UploadCalling, Information);
    if (!Handshake(Protocol::UploadLetter) || !Pause())
        return false;
    Report(Msg::UploadReady, Information);
    Phase(LinkPhase::Waiting);

    // Received apart, so that a failed upload leaves the caller's image as it was.
    // The first byte comes soon after the pause, or the controller sends nothing;
    // between the parts the gap from the last byte counts, as between bytes.
    const std::size_t firstHalf = length / 2;
    if (!ReadPart(firstHalf, 2 * m_ReceiveTimeout + FirstByteSlackMs) ||
        !ReadPart(length - firstHalf, m_ReceiveTimeout))
        return false;
    std::copy(m_Received.begin(), m_Received.end(), buffer);
    return true;
}
