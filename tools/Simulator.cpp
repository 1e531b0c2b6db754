#include "tools/Simulator.h"

#include "document/Configurationfile.h"
#include "model/Eepromformat.h"
#include "tools/Toolconfiguration.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <utility>

namespace {

using Protocol::DownloadLetter;
using Protocol::ReadyByte;
using Protocol::UploadLetter;
constexpr std::uint8_t RefusalByte = 0x00;
// How often a wait looks at the stop request.
constexpr int StopCheckMs = 50;
// A download that falls silent this long is abandoned, so a PC that gave up does
// not leave the controller waiting for the rest forever.
constexpr int AbandonAfterMs = 5000;

double Milliseconds(std::int64_t ticks)
{
    return double(ticks) * 1000.0 / double(CounterFrequency());
}

QString Number(double milliseconds)
{
    return QString::number(milliseconds, 'f', 3);
}

bool ParseCount(const QString& text, int& value)
{
    bool ok = false;
    value = text.toInt(&ok);
    return ok && value >= 0;
}

// The image of a new configuration of the format, or the file's, read as Kw3Win reads it.
std::vector<std::uint8_t> ImageOfFormat(std::uint16_t formatCode, const QString& path)
{
    MemoryImage image = C_EEPROMFormat::NewImage(*C_EEPROMFormat::DescriptionOf(formatCode), 16);
    if (!path.isEmpty())
        C_ConfigurationFile(path).Load(image);
    return image;
}

} // namespace

QString FormatTransferReport(const S_TransferReport& report)
{
    const bool download = report.m_Letter == DownloadLetter;
    QString line = QString::fromLatin1(download ? "download" : "upload") + QStringLiteral(": ") +
                   QString::number(report.m_HandshakeBytes) + QStringLiteral(" handshake bytes, ") +
                   QString::number(report.m_ByteTimes.size()) + QStringLiteral(" of ") +
                   QString::number(report.m_ImageSize) + QStringLiteral(" image bytes");
    if (report.m_ByteTimes.empty())
        return line;
    line += QStringLiteral(", pause ") + Number(Milliseconds(report.m_ByteTimes.front() - report.m_AnswerTime)) +
            QStringLiteral(" ms");
    if (report.m_ByteTimes.size() > 1) {
        std::vector<std::int64_t> gaps;
        for (std::size_t index = 1; index < report.m_ByteTimes.size(); ++index)
            gaps.push_back(report.m_ByteTimes[index] - report.m_ByteTimes[index - 1]);
        std::sort(gaps.begin(), gaps.end());
        line += QStringLiteral(", gaps smallest ") + Number(Milliseconds(gaps.front())) + QStringLiteral(" median ") +
                Number(Milliseconds(gaps[gaps.size() / 2])) + QStringLiteral(" largest ") +
                Number(Milliseconds(gaps.back())) + QStringLiteral(" ms");
    }
    line += QStringLiteral(", first to last ") +
            Number(Milliseconds(report.m_ByteTimes.back() - report.m_ByteTimes.front())) + QStringLiteral(" ms");
    return line;
}

C_ControllerSimulator::C_ControllerSimulator(S_SimulatorOptions options)
    : m_Options(std::move(options))
    , m_IgnoreLeft(m_Options.m_Ignore)
{
}

void C_ControllerSimulator::Run(const std::atomic<bool>& stop,
                                const std::function<void(const S_TransferReport&)>& reported)
{
    int handshakeBytes = 0;
    while (!stop) {
        std::uint8_t byte = 0;
        const C_PseudoTerminal::ReadResult result = m_Line.ReadByte(StopCheckMs, byte);
        if (result == C_PseudoTerminal::ReadResult::Failed)
            return;
        if (result == C_PseudoTerminal::ReadResult::Timeout)
            continue;
        // Anything but a handshake letter goes unanswered.
        if (byte != DownloadLetter && byte != UploadLetter)
            continue;
        ++handshakeBytes;
        if (m_IgnoreLeft > 0) {
            --m_IgnoreLeft;
            if (!m_Line.WriteByte(RefusalByte))
                return;
            continue;
        }
        S_TransferReport report;
        report.m_Letter = byte;
        report.m_HandshakeBytes = handshakeBytes;
        report.m_ImageSize = m_Options.m_Image.size();
        // Taken before the answer goes out, so no pause is measured longer than it was.
        report.m_AnswerTime = CounterValue();
        if (!m_Line.WriteByte(ReadyByte))
            return;
        handshakeBytes = 0;
        const Outcome outcome = byte == DownloadLetter ? Receive(stop, report) : Send(stop, report);
        reported(report);
        // Like a controller's memory, the image received is the one sent on the next 'A'.
        if (outcome == Outcome::Complete && byte == DownloadLetter) {
            m_Options.m_Image = m_Received;
            SaveReceived();
        }
        // A controller that is done stays on the line: leaving now would drop the bytes the PC has not read yet.
        if (outcome == Outcome::Complete && byte == UploadLetter && m_Options.m_Once)
            m_Line.WaitUntilTaken(AbandonAfterMs);
        if (outcome == Outcome::Silenced)
            StaySilent(stop);
        if (outcome == Outcome::LineGone || outcome == Outcome::Silenced || outcome == Outcome::Stopped ||
            (outcome == Outcome::Complete && m_Options.m_Once))
            return;
    }
}

C_ControllerSimulator::Outcome C_ControllerSimulator::Receive(const std::atomic<bool>& stop, S_TransferReport& report)
{
    std::vector<std::uint8_t> image;
    image.reserve(m_Options.m_Image.size());
    int silentMs = 0;
    while (image.size() < m_Options.m_Image.size()) {
        if (m_Options.m_StopAfter >= 0 && image.size() == std::size_t(m_Options.m_StopAfter)) {
            m_Line.Close();
            return Outcome::LineGone;
        }
        std::uint8_t byte = 0;
        const C_PseudoTerminal::ReadResult result = m_Line.ReadByte(StopCheckMs, byte);
        if (result == C_PseudoTerminal::ReadResult::Failed)
            return Outcome::LineGone;
        // Bytes on the line are taken before a stop request is looked at.
        if (result == C_PseudoTerminal::ReadResult::Timeout) {
            if (stop)
                return Outcome::Stopped;
            silentMs += StopCheckMs;
            if (silentMs >= AbandonAfterMs)
                return Outcome::Abandoned;
            continue;
        }
        silentMs = 0;
        report.m_ByteTimes.push_back(CounterValue());
        // A memory cell that does not keep what it was given.
        if (int(image.size()) == m_Options.m_Corrupt)
            byte ^= 0xFF;
        image.push_back(byte);
    }
    m_Received = std::move(image);
    return Outcome::Complete;
}

C_ControllerSimulator::Outcome C_ControllerSimulator::Send(const std::atomic<bool>& stop, S_TransferReport& report)
{
    const std::int64_t byteTime = Protocol::LineBitsPerByte * CounterFrequency() / Protocol::BaudRate;
    for (std::size_t index = 0; index < m_Options.m_Image.size(); ++index) {
        if (m_Options.m_StopAfter >= 0 && index == std::size_t(m_Options.m_StopAfter))
            return Outcome::Silenced;
        if (stop)
            return Outcome::Stopped;
        // The line carries one byte per character time, however fast the sender is.
        SleepUntilCounter(report.m_AnswerTime + std::int64_t(index + 1) * byteTime);
        if (!m_Line.WriteByte(m_Options.m_Image[index]))
            return Outcome::LineGone;
        report.m_ByteTimes.push_back(CounterValue());
    }
    return Outcome::Complete;
}

void C_ControllerSimulator::StaySilent(const std::atomic<bool>& stop)
{
    std::uint8_t byte = 0;
    while (!stop && m_Line.ReadByte(StopCheckMs, byte) != C_PseudoTerminal::ReadResult::Failed) {
    }
}

void C_ControllerSimulator::SaveReceived() const
{
    if (m_Options.m_SavePath.isEmpty())
        return;
    QFile file(m_Options.m_SavePath);
    const QByteArray bytes = ConfigurationFileBytes(m_Options.m_FormatCode, m_Received);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::fprintf(stderr, "cannot save %s: %s\n", qPrintable(m_Options.m_SavePath), qPrintable(file.errorString()));
}

bool ParseSimulatorOptions(const QStringList& args, S_SimulatorOptions& options, QString& error)
{
    QString formatName = QStringLiteral("standard");
    QString imagePath;
    for (int index = 0; index < args.size(); ++index) {
        const QString& option = args[index];
        if (option == QStringLiteral("--once")) {
            options.m_Once = true;
            continue;
        }
        if (option == QStringLiteral("--report")) {
            options.m_Report = true;
            continue;
        }
        if (index + 1 >= args.size()) {
            error = option.startsWith(QStringLiteral("--")) ? option + QStringLiteral(" needs a value")
                                                            : QStringLiteral("unknown argument ") + option;
            return false;
        }
        const QString& value = args[++index];
        if (option == QStringLiteral("--format"))
            formatName = value;
        else if (option == QStringLiteral("--image"))
            imagePath = value;
        else if (option == QStringLiteral("--save"))
            options.m_SavePath = value;
        else if (option == QStringLiteral("--ignore") && ParseCount(value, options.m_Ignore))
            continue;
        else if (option == QStringLiteral("--stop-after") && ParseCount(value, options.m_StopAfter))
            continue;
        else if (option == QStringLiteral("--corrupt") && ParseCount(value, options.m_Corrupt))
            continue;
        else {
            error = (option == QStringLiteral("--ignore") || option == QStringLiteral("--stop-after") ||
                     option == QStringLiteral("--corrupt"))
                        ? option + QStringLiteral(" needs a count, not ") + value
                        : QStringLiteral("unknown argument ") + option;
            return false;
        }
    }
    const std::optional<std::uint16_t> formatCode = FormatCodeOfName(formatName);
    if (!formatCode) {
        error = QStringLiteral("unknown format ") + formatName + QStringLiteral(" (standard, inverter or varnholt)");
        return false;
    }
    if (!imagePath.isEmpty() && !QFileInfo(imagePath).isFile()) {
        error = QStringLiteral("cannot read ") + imagePath;
        return false;
    }
    options.m_FormatCode = *formatCode;
    options.m_Image = ImageOfFormat(*formatCode, imagePath);
    if (options.m_Corrupt >= int(options.m_Image.size())) {
        error = QStringLiteral("--corrupt %1 is past the %2 bytes of the image")
                    .arg(options.m_Corrupt)
                    .arg(options.m_Image.size());
        return false;
    }
    return true;
}

int RunSimulate(const QStringList& args)
{
    S_SimulatorOptions options;
    QString error;
    if (!ParseSimulatorOptions(args, options, error)) {
        std::fprintf(stderr, "kw3tool simulate: %s\n", qPrintable(error));
        return 2;
    }
    const bool report = options.m_Report;
    C_ControllerSimulator simulator(std::move(options));
    if (!simulator.Open()) {
        std::fprintf(stderr, "kw3tool simulate: no pseudo-terminal: %s\n", qPrintable(simulator.ErrorText()));
        return 2;
    }
    std::printf("%s\n", qPrintable(simulator.DevicePath()));
    std::fflush(stdout);
    const std::atomic<bool> never{false};
    simulator.Run(never, [report](const S_TransferReport& transfer) {
        if (report)
            std::fprintf(stderr, "%s\n", qPrintable(FormatTransferReport(transfer)));
    });
    return 0;
}
