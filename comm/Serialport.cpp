#include "comm/Serialport.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr std::int64_t NanosecondsPerSecond = 1000000000;
constexpr std::int64_t NanosecondsPerMillisecond = 1000000;
// How often a waiting read or write looks at its stop check.
constexpr std::int64_t StopCheckNanoseconds = 20 * NanosecondsPerMillisecond;

QString SystemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Waits until the descriptor is ready for the events or the counter reaches the
// deadline. Returns the events seen, 0 at the deadline, -1 on failure.
int WaitUntil(int handle, short events, std::int64_t deadline)
{
    for (;;) {
        const std::int64_t remaining = deadline - CounterValue();
        if (remaining <= 0)
            return 0;
        const timespec wait{time_t(remaining / NanosecondsPerSecond), long(remaining % NanosecondsPerSecond)};
        pollfd descriptor{handle, events, 0};
        const int ready = ::ppoll(&descriptor, 1, &wait, nullptr);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return ready;
        return descriptor.revents;
    }
}

// A ready descriptor that cannot move data any more: the line was hung up.
bool HungUp(int events, short wanted)
{
    return (events & wanted) == 0 && (events & (POLLERR | POLLHUP | POLLNVAL)) != 0;
}

std::int64_t Milliseconds(std::int64_t value)
{
    return value * NanosecondsPerMillisecond;
}

bool BaudConstant(int baudRate, speed_t& speed)
{
    static const std::pair<int, speed_t> rates[] = {
        {1200, B1200},   {2400, B2400},   {4800, B4800},   {9600, B9600},
        {19200, B19200}, {38400, B38400}, {57600, B57600}, {115200, B115200},
    };
    for (const auto& [rate, constant] : rates) {
        if (rate == baudRate) {
            speed = constant;
            return true;
        }
    }
    return false;
}

bool FrameBits(const S_LineSettings& settings, tcflag_t& bits)
{
    static const std::pair<int, tcflag_t> sizes[] = {{5, CS5}, {6, CS6}, {7, CS7}, {8, CS8}};
    const auto size = std::find_if(std::begin(sizes), std::end(sizes),
                                   [&](const auto& entry) { return entry.first == settings.m_DataBits; });
    if (size == std::end(sizes) || (settings.m_StopBits != 1 && settings.m_StopBits != 2))
        return false;
    bits = size->second;
    if (settings.m_StopBits == 2)
        bits |= CSTOPB;
    if (settings.m_Parity != Parity::None)
        bits |= PARENB;
    if (settings.m_Parity == Parity::Odd)
        bits |= PARODD;
    return true;
}

// Every byte passes unchanged: no line editing, echo, signal characters,
// translation of line ends, or software flow control (which would swallow the
// bytes 0x11 and 0x13 of an image).
void MakeTransparent(termios& line)
{
    line.c_iflag &= ~tcflag_t(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF | IXANY);
    line.c_oflag &= ~tcflag_t(OPOST);
    line.c_lflag &= ~tcflag_t(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
}

} // namespace

C_SerialPort::~C_SerialPort()
{
    Close();
}

bool C_SerialPort::Fail()
{
    return Fail(errno);
}

bool C_SerialPort::Fail(int error)
{
    m_ErrorNumber = error;
    m_ErrorText = SystemReason(error);
    return false;
}

int C_SerialPort::Wait(short events, std::int64_t deadline)
{
    if (!m_StopCheck)
        return WaitUntil(m_Handle, events, deadline);
    for (;;) {
        if (m_StopCheck()) {
            m_Stopped = true;
            errno = ECANCELED;
            return -1;
        }
        const std::int64_t slice = std::min(deadline, CounterValue() + StopCheckNanoseconds);
        const int ready = WaitUntil(m_Handle, events, slice);
        if (ready != 0 || slice == deadline)
            return ready;
    }
}

bool C_SerialPort::Open(const QString& device)
{
    Close();
    // Never blocks on a modem line and never becomes the program's terminal.
    m_Handle = ::open(QFile::encodeName(device).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_Handle < 0)
        return Fail();
    // A file or another device would take the image and answer nothing.
    int error = ::isatty(m_Handle) ? 0 : ENOTTY;
    // The port is this program's alone while it holds it.
    if (error == 0 && ::flock(m_Handle, LOCK_EX | LOCK_NB) != 0)
        error = errno == EWOULDBLOCK ? EBUSY : errno;
    if (error == 0 && ::ioctl(m_Handle, TIOCEXCL) != 0)
        error = errno;
    if (error != 0) {
        ::close(m_Handle);
        m_Handle = -1;
        return Fail(error);
    }
    // A port opened anew holds nothing from an earlier transfer.
    ::tcflush(m_Handle, TCIOFLUSH);
    return true;
}

void C_SerialPort::Close()
{
    if (m_Handle < 0)
        return;
    ::ioctl(m_Handle, TIOCNXCL);
    ::close(m_Handle);
    m_Handle = -1;
}

bool C_SerialPort::SetTimeouts(const S_PortTimeouts& timeouts)
{
    if (m_Handle < 0)
        return Fail(EBADF);
    // A time-out below zero means no waiting, never waiting forever.
    m_Timeouts = {std::max(timeouts.m_ReadInterval, 0), std::max(timeouts.m_ReadMultiplier, 0),
                  std::max(timeouts.m_ReadConstant, 0), std::max(timeouts.m_WriteMultiplier, 0),
                  std::max(timeouts.m_WriteConstant, 0)};
    return true;
}

bool C_SerialPort::SetLineSettings(const S_LineSettings& settings)
{
    termios line{};
    if (::tcgetattr(m_Handle, &line) != 0)
        return Fail();
    speed_t speed = 0;
    tcflag_t frame = 0;
    if (!BaudConstant(settings.m_BaudRate, speed) || !FrameBits(settings, frame)) {
        errno = EINVAL;
        return Fail();
    }
    MakeTransparent(line);
    line.c_cflag &= ~tcflag_t(CSIZE | CSTOPB | PARENB | PARODD);
    // Receive, and ignore the modem status lines as a plain three-wire line needs.
    line.c_cflag |= frame | CREAD | CLOCAL;
    if (::cfsetispeed(&line, speed) != 0 || ::cfsetospeed(&line, speed) != 0)
        return Fail();
    if (::tcsetattr(m_Handle, TCSANOW, &line) != 0)
        return Fail();
    return true;
}

bool C_SerialPort::Write(const std::uint8_t* data, std::size_t count, std::size_t& written)
{
    written = 0;
    if (m_Handle < 0)
        return Fail(EBADF);
    const std::int64_t deadline =
        CounterValue() + Milliseconds(std::int64_t(m_Timeouts.m_WriteMultiplier) * std::int64_t(count) +
                                      m_Timeouts.m_WriteConstant);
    while (written < count) {
        const ssize_t moved = ::write(m_Handle, data + written, count - written);
        if (moved > 0) {
            written += std::size_t(moved);
            continue;
        }
        if (moved < 0 && errno == EINTR)
            continue;
        if (moved < 0 && errno != EAGAIN)
            return Fail();
        const int events = Wait(POLLOUT, deadline);
        if (events < 0)
            return Fail();
        if (events == 0)
            return true;
        if (HungUp(events, POLLOUT)) {
            errno = EIO;
            return Fail();
        }
    }
    return true;
}

bool C_SerialPort::Read(std::uint8_t* data, std::size_t count, std::size_t& received,
                        const std::function<void(std::size_t)>& observer, int firstByteMs)
{
    received = 0;
    if (m_Handle < 0)
        return Fail(EBADF);
    const std::int64_t totalDeadline =
        CounterValue() + Milliseconds(std::int64_t(m_Timeouts.m_ReadMultiplier) * std::int64_t(count) +
                                      m_Timeouts.m_ReadConstant);
    std::int64_t intervalDeadline =
        firstByteMs >= 0 ? std::min(totalDeadline, CounterValue() + Milliseconds(firstByteMs)) : totalDeadline;
    while (received < count) {
        const ssize_t moved = ::read(m_Handle, data + received, count - received);
        if (moved > 0) {
            received += std::size_t(moved);
            if (observer)
                observer(received);
            // The gap between two bytes counts from the last byte that arrived.
            if (m_Timeouts.m_ReadInterval > 0)
                intervalDeadline = CounterValue() + Milliseconds(m_Timeouts.m_ReadInterval);
            continue;
        }
        if (moved == 0) {
            // End of file on a terminal: the other end hung up.
            errno = EIO;
            return Fail();
        }
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN)
            return Fail();
        const int events = Wait(POLLIN, std::min(totalDeadline, intervalDeadline));
        if (events < 0)
            return Fail();
        if (events == 0)
            return true;
        if (HungUp(events, POLLIN)) {
            errno = EIO;
            return Fail();
        }
    }
    return true;
}

C_SerialPort::DrainResult C_SerialPort::Drain(int quietMs, int limitMs)
{
    if (m_Handle < 0) {
        Fail(EBADF);
        return DrainResult::Failed;
    }
    const std::int64_t limit = CounterValue() + Milliseconds(limitMs);
    std::int64_t quietUntil = CounterValue() + Milliseconds(quietMs);
    std::uint8_t dropped[256];
    for (;;) {
        const ssize_t moved = ::read(m_Handle, dropped, sizeof dropped);
        if (moved > 0) {
            quietUntil = CounterValue() + Milliseconds(quietMs);
            continue;
        }
        if (moved == 0)
            errno = EIO;
        else if (errno == EINTR)
            continue;
        if (moved == 0 || errno != EAGAIN) {
            Fail();
            return DrainResult::Failed;
        }
        if (quietUntil > limit)
            return DrainResult::NeverQuiet;
        const int events = Wait(POLLIN, quietUntil);
        if (events == 0)
            return DrainResult::Quiet;
        if (events < 0 || HungUp(events, POLLIN)) {
            if (events > 0)
                errno = EIO;
            Fail();
            return DrainResult::Failed;
        }
    }
}

bool C_PseudoTerminal::WaitUntilTaken(int timeoutMs)
{
    // Written bytes reach the other side's queue a little later, so an empty queue
    // counts only once it has stayed empty for a while.
    constexpr int EmptyForMs = 250;
    constexpr int CheckEveryMs = 5;
    const std::int64_t deadline = CounterValue() + Milliseconds(timeoutMs);
    int emptyMs = 0;
    for (;;) {
        int waiting = 0;
        if (m_Slave < 0 || ::ioctl(m_Slave, FIONREAD, &waiting) != 0)
            return false;
        emptyMs = waiting == 0 ? emptyMs + CheckEveryMs : 0;
        if (emptyMs >= EmptyForMs)
            return true;
        if (CounterValue() >= deadline)
            return false;
        SleepMilliseconds(CheckEveryMs);
    }
}

C_PseudoTerminal::~C_PseudoTerminal()
{
    Close();
}

bool C_PseudoTerminal::Open()
{
    Close();
    m_Master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    char name[128] = {};
    if (m_Master < 0 || ::grantpt(m_Master) != 0 || ::unlockpt(m_Master) != 0 ||
        ::ptsname_r(m_Master, name, sizeof name) != 0) {
        m_ErrorText = SystemReason(errno);
        Close();
        return false;
    }
    m_Slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios line{};
    if (m_Slave < 0 || ::tcgetattr(m_Slave, &line) != 0) {
        m_ErrorText = SystemReason(errno);
        Close();
        return false;
    }
    // Transparent from the start, so nothing is echoed before the other side sets its line.
    ::cfmakeraw(&line);
    ::tcsetattr(m_Slave, TCSANOW, &line);
    ::fcntl(m_Master, F_SETFL, ::fcntl(m_Master, F_GETFL) | O_NONBLOCK);
    m_DevicePath = QFile::decodeName(name);
    return true;
}

C_PseudoTerminal::ReadResult C_PseudoTerminal::ReadByte(int timeoutMs, std::uint8_t& byte)
{
    if (m_Master < 0)
        return ReadResult::Failed;
    const std::int64_t deadline = CounterValue() + Milliseconds(timeoutMs);
    for (;;) {
        const ssize_t moved = ::read(m_Master, &byte, 1);
        if (moved == 1)
            return ReadResult::Byte;
        if (moved < 0 && errno == EINTR)
            continue;
        if (moved == 0 || errno != EAGAIN)
            return ReadResult::Failed;
        const int events = WaitUntil(m_Master, POLLIN, deadline);
        if (events == 0)
            return ReadResult::Timeout;
        if (events < 0 || HungUp(events, POLLIN))
            return ReadResult::Failed;
    }
}

bool C_PseudoTerminal::WriteByte(std::uint8_t byte)
{
    if (m_Master < 0)
        return false;
    // A line always takes the next byte; a second is ample for the other side to read.
    const std::int64_t deadline = CounterValue() + NanosecondsPerSecond;
    for (;;) {
        const ssize_t moved = ::write(m_Master, &byte, 1);
        if (moved == 1)
            return true;
        if (moved < 0 && errno == EINTR)
            continue;
        if (moved == 0 || errno != EAGAIN)
            return false;
        const int events = WaitUntil(m_Master, POLLOUT, deadline);
        if (events <= 0 || HungUp(events, POLLOUT))
            return false;
    }
}

void C_PseudoTerminal::Close()
{
    if (m_Slave >= 0)
        ::close(m_Slave);
    if (m_Master >= 0)
        ::close(m_Master);
    m_Slave = -1;
    m_Master = -1;
}

void SleepMilliseconds(int milliseconds)
{
    SleepUntilCounter(CounterValue() + Milliseconds(std::max(milliseconds, 0)));
}

std::int64_t CounterFrequency()
{
    return NanosecondsPerSecond;
}

std::int64_t CounterValue()
{
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return std::int64_t(now.tv_sec) * NanosecondsPerSecond + now.tv_nsec;
}

void PaceUntilCounter(std::int64_t value)
{
    // Long enough for a sleeping thread to be woken on a loaded machine, short
    // against the 3 ms between the bytes of a download.
    constexpr std::int64_t PolledNanoseconds = 250'000;
    if (value - CounterValue() > PolledNanoseconds)
        SleepUntilCounter(value - PolledNanoseconds);
    while (CounterValue() < value) {
    }
}

void SleepUntilCounter(std::int64_t value)
{
    const timespec until{time_t(value / NanosecondsPerSecond), long(value % NanosecondsPerSecond)};
    while (::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
    }
}
