#include "comm/Rs232handler.h"

#include "editor/Configurationpanes.h"
#include "editor/Utilities.h"
#include "language/Language.h"

#include <QByteArray>

#include <algorithm>
#include <vector>

namespace {

constexpr std::uint8_t DownloadLetter = 'B';
constexpr std::uint8_t UploadLetter = 'A';
constexpr std::uint8_t ReadyByte = 0x40;
constexpr std::uint8_t HandshakeTries = 20;
constexpr int PauseAfterHandshake = 2000;
constexpr std::int64_t ByteIntervalMilliseconds = 3;

constexpr S_LineSettings ControllerLine{4800, 8, Parity::None, 1};

constexpr int Information = C_ConfigurationPanes::Information;
constexpr int Error = C_ConfigurationPanes::Error;

} // namespace

QString PortDevice(std::int16_t port)
{
    const QString device = qEnvironmentVariable(QByteArray("KW3_COM" + QByteArray::number(port)).constData());
    if (!device.isEmpty())
        return device;
    return QStringLiteral("/dev/ttyS") + QString::number(port - 1);
}

C_KW3Communication::C_KW3Communication(QTreeWidgetItem* parent, std::int16_t port, std::int16_t receiveTimeout,
                                       std::int16_t sendTimeout)
    : C_KW3Communication(parent, PortDevice(port), receiveTimeout, sendTimeout)
{
}

C_KW3Communication::C_KW3Communication(QTreeWidgetItem* parent, const QString& device,
                                       std::int16_t receiveTimeout, std::int16_t sendTimeout)
    : m_Parent(parent)
{
    if (!m_Port.Open(device)) {
        // The transfer still runs and fails at its first write; this line says why.
        AddTextNode(m_Parent, Text(93) + QLatin1Char(' ') + device + QStringLiteral(": ") + m_Port.ErrorText(),
                    Information);
        return;
    }
    const S_PortTimeouts timeouts{receiveTimeout, receiveTimeout, receiveTimeout, sendTimeout, sendTimeout};
    if (!m_Port.SetTimeouts(timeouts))
        return;
    m_Port.SetLineSettings(ControllerLine);
}

void C_KW3Communication::Report(std::int16_t id, int icon)
{
    AddTextNode(m_Parent, Text(id), icon);
}

bool C_KW3Communication::Handshake(std::uint8_t letter)
{
    std::uint8_t tries = 0;
    for (;;) {
        std::uint8_t byte = letter;
        std::size_t moved = 0;
        if (!m_Port.Write(&byte, 1, moved)) {
            Report(266, Error);
            return false;
        }
        // A read that times out leaves the letter in the buffer: no answer.
        if (!m_Port.Read(&byte, 1, moved)) {
            Report(266, Error);
            return false;
        }
        // Counted before the answer is looked at: the ready byte counts only as
        // the answer to one of the first 19 letters.
        ++tries;
        if (tries == HandshakeTries) {
            Report(267, Error);
            return false;
        }
        if (byte == ReadyByte)
            return true;
    }
}

bool C_KW3Communication::SendImage(const std::uint8_t* image, std::uint16_t length)
{
    Report(265, Information);
    if (!Handshake(DownloadLetter))
        return false;
    SleepMilliseconds(PauseAfterHandshake);
    Report(268, Information);

    const std::int64_t frequency = CounterFrequency();
    const std::int32_t interval = std::int32_t((ByteIntervalMilliseconds * frequency) / 1000);
    std::int64_t reference = CounterValue();
    for (std::size_t index = 0; index < length; ++index) {
        if (m_ByteWrite)
            m_ByteWrite(reference);
        std::size_t written = 0;
        // A byte that did not go out would shift the rest of the controller's image.
        if (!m_Port.Write(image + index, 1, written) || written != 1) {
            Report(269, Error);
            return false;
        }
        // The controller needs the full gap after every byte, and the write itself counts against it.
        PaceUntilCounter(reference + interval);
        reference = CounterValue();
    }
    return true;
}

bool C_KW3Communication::ReadPart(std::uint8_t* buffer, std::size_t count)
{
    std::size_t received = 0;
    if (!m_Port.Read(buffer, count, received)) {
        Report(272, Error);
        return false;
    }
    if (received < count) {
        Report(273, Error);
        return false;
    }
    return true;
}

bool C_KW3Communication::ReceiveImage(std::uint8_t* buffer, std::uint16_t length)
{
    Report(270, Information);
    if (!Handshake(UploadLetter))
        return false;
    SleepMilliseconds(PauseAfterHandshake);
    Report(271, Information);

    // Received apart, so that a failed upload leaves the caller's image as it was.
    std::vector<std::uint8_t> received(length);
    const std::size_t firstHalf = length / 2;
    if (!ReadPart(received.data(), firstHalf) || !ReadPart(received.data() + firstHalf, length - firstHalf))
        return false;
    std::copy(received.begin(), received.end(), buffer);
    return true;
}
