#include "platform/SerialPort.h"

#include "platform/LineQuirks.h"
#include "platform/PortNames.h"
#include "platform/PortTable.h"
#include "platform/TermiosTranslation.h"
#include "platform/TickCount.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr std::uint32_t DefaultBaudRate = 9600;
constexpr std::uint8_t DefaultByteSize = 8;
constexpr std::uint16_t DefaultXonLimit = 2048;
constexpr std::uint16_t DefaultXoffLimit = 512;
constexpr std::uint64_t MicrosecondsPerMillisecond = 1000;
constexpr std::uint32_t KnownPurgeFlags = PurgeTxAbort | PurgeRxAbort | PurgeTxClear | PurgeRxClear;
// Input queue of a port whose queue sizes were never set.
constexpr std::size_t DefaultInputQueueBytes = 4096;
// Bytes moved from the terminal into the input queue per read call.
constexpr std::size_t InputChunkBytes = 1024;
// The cflag bits a driver must have taken for the settings to count as applied.
constexpr tcflag_t CheckedControlBits = CSIZE | PARENB | PARODD | CSTOPB;

LineMonitor& Monitor()
{
    static LineMonitor monitor;
    return monitor;
}

void Report(PortHandle handle, LineDirection direction, const std::uint8_t* bytes, std::size_t count)
{
    if (count > 0 && Monitor())
        Monitor()(handle, direction, std::span<const std::uint8_t>(bytes, count));
}

template <class T>
Outcome<T> Fail(const char* call, int error, T value = T{})
{
    return Outcome<T>{value, SerialResult::Failure(call, error)};
}

template <class T>
Outcome<T> Succeed(T value)
{
    return Outcome<T>{value, SerialResult::Success()};
}

SerialResult NotOpen(const char* call)
{
    return SerialResult::Failure(call, EBADF);
}

Dcb DefaultDcb()
{
    Dcb dcb;
    dcb.BaudRate = DefaultBaudRate;
    dcb.SetFlag(DcbBinary, true);
    dcb.SetDtrControl(DtrControlEnable);
    dcb.SetRtsControl(RtsControlEnable);
    dcb.XonLim = DefaultXonLimit;
    dcb.XoffLim = DefaultXoffLimit;
    dcb.ByteSize = DefaultByteSize;
    dcb.Parity = ParityNone;
    dcb.StopBits = StopBitsOne;
    dcb.XonChar = DefaultXonChar;
    dcb.XoffChar = DefaultXoffChar;
    return dcb;
}

int GetAttributes(int fd, termios& tio)
{
    while (tcgetattr(fd, &tio) != 0)
        if (errno != EINTR)
            return errno;
    return 0;
}

int SetAttributes(int fd, const termios& tio)
{
    while (tcsetattr(fd, TCSANOW, &tio) != 0)
        if (errno != EINTR)
            return errno;
    return 0;
}

int Flush(int fd, int queue)
{
    while (tcflush(fd, queue) != 0)
        if (errno != EINTR)
            return errno;
    return 0;
}

// Waits until `events` are ready on `fd` or `microseconds` have passed. Returns the ready events
// (0 on time-out) or -errno.
int WaitReady(int fd, short events, std::uint64_t microseconds)
{
    pollfd entry{fd, events, 0};
    const timespec limit{static_cast<time_t>(microseconds / 1000000),
                         static_cast<long>((microseconds % 1000000) * 1000)};
    const int ready = ppoll(&entry, 1, &limit, nullptr);
    if (ready < 0)
        return errno == EINTR ? 0 : -errno;
    return ready == 0 ? 0 : entry.revents;
}

std::uint64_t Milliseconds(std::uint64_t ms) { return ms * MicrosecondsPerMillisecond; }

// Linux holds at most 4095 bytes in a terminal's input queue and keeps the far end waiting
// beyond that, so a block larger than that would never be waiting in full. The port keeps a
// queue of its own, as large as the queue sizes ask, and reads the terminal into it. Does not
// wait. 0, or the errno of a failed read (the bytes queued before it stay).
int FillInputQueue(OpenPort& port)
{
    const std::size_t capacity = port.queueSizes.In != 0 ? port.queueSizes.In : DefaultInputQueueBytes;
    std::uint8_t chunk[InputChunkBytes];
    while (port.inputQueue.size() < capacity) {
        const std::size_t wanted = std::min(sizeof chunk, capacity - port.inputQueue.size());
        const ssize_t n = ::read(port.fd, chunk, wanted);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno == EAGAIN || errno == EWOULDBLOCK ? 0 : errno;
        port.inputQueue.insert(port.inputQueue.end(), chunk, chunk + n);
        if (static_cast<std::size_t>(n) < wanted)
            return 0; // the terminal had no more just now
    }
    return 0;
}

std::size_t TakeFromInputQueue(OpenPort& port, std::uint8_t* out, std::size_t count)
{
    const std::size_t n = std::min(count, port.inputQueue.size());
    std::copy_n(port.inputQueue.begin(), n, out);
    port.inputQueue.erase(port.inputQueue.begin(), port.inputQueue.begin() + static_cast<std::ptrdiff_t>(n));
    return n;
}

// How a read with `timeouts` of `count` bytes waits.
struct ReadPlan {
    std::uint64_t totalUs = 0;          // longest wait in all
    bool intervalLimit = false;         // end when intervalUs pass after a byte
    std::uint64_t intervalUs = 0;
    bool returnWithFirstBytes = false;  // end as soon as anything has arrived
};

ReadPlan PlanRead(const CommTimeouts& t, std::size_t count)
{
    ReadPlan plan;
    if (t.ReadIntervalTimeout == TimeoutMaximum && t.ReadTotalTimeoutMultiplier == 0 && t.ReadTotalTimeoutConstant == 0)
        return plan; // only what has arrived
    if (t.ReadIntervalTimeout == TimeoutMaximum && t.ReadTotalTimeoutMultiplier == TimeoutMaximum
        && t.ReadTotalTimeoutConstant != 0 && t.ReadTotalTimeoutConstant != TimeoutMaximum) {
        plan.totalUs = Milliseconds(t.ReadTotalTimeoutConstant);
        plan.returnWithFirstBytes = true;
        return plan;
    }
    const std::uint64_t multiplier = t.ReadTotalTimeoutMultiplier == TimeoutMaximum ? 0 : t.ReadTotalTimeoutMultiplier;
    std::uint64_t totalMs = multiplier * count + t.ReadTotalTimeoutConstant;
    // 0 would mean "until every byte is there"; a read here always ends.
    plan.totalUs = Milliseconds(std::max<std::uint64_t>(totalMs, 1));
    if (t.ReadIntervalTimeout == TimeoutMaximum) {
        plan.returnWithFirstBytes = true;
    } else if (t.ReadIntervalTimeout != 0) {
        plan.intervalLimit = true;
        plan.intervalUs = Milliseconds(t.ReadIntervalTimeout);
    }
    return plan;
}

} // namespace

Outcome<PortHandle> OpenPortExclusive(std::string_view name)
{
    const std::string path = DevicePathForPortName(name);
    if (path.empty())
        return Fail<PortHandle>("open", ENOENT, InvalidPortHandle);

    auto port = std::make_shared<OpenPort>(); // closes the descriptor again on any early return
    port->path = path;
    do
        port->fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    while (port->fd < 0 && errno == EINTR);
    if (port->fd < 0)
        return Fail<PortHandle>("open", errno, InvalidPortHandle);
    if (!isatty(port->fd))
        return Fail<PortHandle>("isatty", ENOTTY, InvalidPortHandle);

    // TIOCEXCL does not bind a privileged process, the advisory lock binds everybody who asks.
    while (flock(port->fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR)
            continue;
        return Fail<PortHandle>("flock", errno == EWOULDBLOCK ? EBUSY : errno, InvalidPortHandle);
    }
    // A holder that claimed the port with TIOCEXCL alone still lets root in; it is in use all
    // the same, and its claim is not ours to release.
    if (quirks::HeldExclusively(port->fd))
        return Fail<PortHandle>("ioctl TIOCGEXCL", EBUSY, InvalidPortHandle);
    if (ioctl(port->fd, TIOCEXCL) != 0)
        return Fail<PortHandle>("ioctl TIOCEXCL", errno, InvalidPortHandle);
    port->exclusive = true;

    termios tio{};
    if (const int error = GetAttributes(port->fd, tio))
        return Fail<PortHandle>("tcgetattr", error, InvalidPortHandle);
    MakeRawLine(tio);
    if (const int error = SetAttributes(port->fd, tio))
        return Fail<PortHandle>("tcsetattr", error, InvalidPortHandle);
    // A port starts with empty queues, as a real one that nobody listened to.
    if (const int error = Flush(port->fd, TCIOFLUSH))
        return Fail<PortHandle>("tcflush", error, InvalidPortHandle);

    port->virtualFraming = quirks::HasVirtualFraming(port->fd);
    port->lineSettings = TranslateTermiosToDcb(tio, quirks::ReadSpeed(port->fd, tio), DefaultDcb());
    quirks::TakeLineErrors(port->fd, port->errorCounters); // counting starts now
    return Succeed(PortTable::Instance().Add(std::move(port)));
}

SerialResult ClosePort(PortHandle handle)
{
    return PortTable::Instance().Remove(handle) ? SerialResult::Success() : NotOpen("close");
}

bool IsOpenPort(PortHandle handle)
{
    return PortTable::Instance().Find(handle) != nullptr;
}

Outcome<Dcb> GetLineSettings(PortHandle handle)
{
    auto port = PortTable::Instance().Find(handle);
    if (!port)
        return {Dcb{}, NotOpen("tcgetattr")};
    termios tio{};
    if (const int error = GetAttributes(port->fd, tio))
        return Fail<Dcb>("tcgetattr", error);
    Dcb dcb = TranslateTermiosToDcb(tio, quirks::ReadSpeed(port->fd, tio), port->lineSettings);
    if (port->virtualFraming) {
        dcb.ByteSize = port->lineSettings.ByteSize;
        dcb.Parity = port->lineSettings.Parity;
        dcb.StopBits = port->lineSettings.StopBits;
    }
    return Succeed(dcb);
}

SerialResult SetLineSettings(PortHandle handle, const Dcb& dcb)
{
    auto port = PortTable::Instance().Find(handle);
    if (!port)
        return NotOpen("tcsetattr");
    termios before{};
    if (const int error = GetAttributes(port->fd, before))
        return SerialResult::Failure("tcgetattr", error);
    termios wanted = before;
    bool customSpeed = false;
    if (const int error = TranslateDcbToTermios(dcb, wanted, customSpeed))
        return SerialResult::Failure("line settings", error);

    auto undo = [&](const char* call, int error) {
        SetAttributes(port->fd, before);
        return SerialResult::Failure(call, error);
    };
    if (const int error = SetAttributes(port->fd, wanted))
        return undo("tcsetattr", error);
    if (customSpeed)
        if (const int error = quirks::SetCustomSpeed(port->fd, dcb.BaudRate))
            return undo("custom speed", error);
    // tcsetattr succeeds when any part was taken; make sure the frame format was.
    termios applied{};
    if (const int error = GetAttributes(port->fd, applied))
        return undo("tcgetattr", error);
    if (!port->virtualFraming && (applied.c_cflag & CheckedControlBits) != (wanted.c_cflag & CheckedControlBits))
        return undo("tcsetattr", EINVAL);

    const bool dtrRaised = dcb.DtrControl() != DtrControlDisable;
    if (const int error = quirks::SetModemLine(port->fd, TIOCM_DTR, dtrRaised))
        return undo("ioctl TIOCM DTR", error);
    if (dcb.RtsControl() != RtsControlHandshake) {
        const bool rtsRaised = dcb.RtsControl() != RtsControlDisable;
        if (const int error = quirks::SetModemLine(port->fd, TIOCM_RTS, rtsRaised))
            return undo("ioctl TIOCM RTS", error);
    }

    port->lineSettings = dcb;
    port->lineSettings.DCBlength = DcbLengthBytes;
    port->lineSettings.SetFlag(DcbBinary, true);
    return SerialResult::Success();
}

SerialResult SetQueueSizes(PortHandle handle, std::uint32_t inBytes, std::uint32_t outBytes)
{
    auto port = PortTable::Instance().Find(handle);
    if (!port)
        return NotOpen("queue sizes");
    if (inBytes == 0 || outBytes == 0)
        return SerialResult::Failure("queue sizes", EINVAL);
    port->queueSizes = {inBytes, outBytes};
    return SerialResult::Success();
}

Outcome<QueueSizes> GetQueueSizes(PortHandle handle)
{
    auto port = PortTable::Instance().Find(handle);
    if (!port)
        return {QueueSizes{}, NotOpen("queue sizes")};
    return Succeed(port->queueSizes);
}

SerialResult SetTimeouts(PortHandle handle, const CommTimeouts& timeouts)
{
    auto port = PortTable::Instance().Find(handle);
    if (!port)
        return NotOpen("timeouts");
    port->timeouts = timeouts;
    return SerialResult::Success();
}

Outcome<CommTimeouts> GetTimeouts(PortHandle handle)
{
    auto port = PortTable::Instance().Find(handle);
    if (!port)
        return {CommTimeouts{}, NotOpen("timeouts")};
    return Succeed(port->timeouts);
}

SerialResult PurgePort(PortHandle handle, std::uint32_t purgeFlags)
{
    auto port = PortTable::Instance().Find(handle);
    if (!port)
        return NotOpen("tcflush");
    if (purgeFlags & ~KnownPurgeFlags)
        return SerialResult::Failure("purge", EINVAL);
    const bool input = purgeFlags & PurgeRxClear;
    const bool output = purgeFlags & PurgeTxClear;
    if (input || output)
        if (const int error = Flush(port->fd, input && output ? TCIOFLUSH : input ? TCIFLUSH : TCOFLUSH))
            return SerialResult::Failure("tcflush", error);
    if (input)
        port->inputQueue.clear();
    return SerialResult::Success();
}

Outcome<PortStatus> ClearErrorsAndCountWaiting(PortHandle handle)
{
    auto port = PortTable::Instance().Find(handle);
    if (!port)
        return {PortStatus{}, NotOpen("ioctl FIONREAD")};
    // A failed read shows at the next ReadWithinTimeouts; the count stays meaningful.
    FillInputQueue(*port);
    int waitingIn = 0;
    int waitingOut = 0;
    if (ioctl(port->fd, FIONREAD, &waitingIn) != 0)
        return Fail<PortStatus>("ioctl FIONREAD", errno);
    if (ioctl(port->fd, TIOCOUTQ, &waitingOut) != 0)
        waitingOut = 0; // not every driver counts its output
    PortStatus status;
    status.Errors = quirks::TakeLineErrors(port->fd, port->errorCounters);
    status.InQueue = static_cast<std::uint32_t>(port->inputQueue.size() + static_cast<std::size_t>(std::max(waitingIn, 0)));
    status.OutQueue = static_cast<std::uint32_t>(std::max(waitingOut, 0));
    return Succeed(status);
}

Outcome<std::size_t> ReadWithinTimeouts(PortHandle handle, std::span<std::uint8_t> buffer)
{
    auto port = PortTable::Instance().Find(handle);
    if (!port)
        return {0, NotOpen("read")};
    if (buffer.empty())
        return Succeed<std::size_t>(0);

    const ReadPlan plan = PlanRead(port->timeouts, buffer.size());
    const std::uint64_t start = MonotonicMicroseconds();
    std::uint64_t lastByte = 0;
    std::size_t got = 0;
    bool hungUp = false;
    for (;;) {
        const int readError = FillInputQueue(*port);
        const std::size_t n = TakeFromInputQueue(*port, buffer.data() + got, buffer.size() - got);
        if (n > 0) {
            Report(handle, LineDirection::Received, buffer.data() + got, n);
            got += n;
            if (got == buffer.size() || plan.returnWithFirstBytes)
                return Succeed(got);
            lastByte = MonotonicMicroseconds();
        } else if (readError != 0) {
            return Fail<std::size_t>("read", readError, got);
        } else if (hungUp) {
            // The other end is gone: nothing will come, and waiting would spin on the hang-up.
            return Fail<std::size_t>("read", EIO, got);
        }

        const std::uint64_t now = MonotonicMicroseconds();
        std::uint64_t deadline = start + plan.totalUs;
        if (got > 0 && plan.intervalLimit)
            deadline = std::min(deadline, lastByte + plan.intervalUs);
        if (now >= deadline)
            return Succeed(got);
        const int ready = WaitReady(port->fd, POLLIN, deadline - now);
        if (ready < 0)
            return Fail<std::size_t>("poll", -ready, got);
        if (ready & POLLNVAL)
            return Fail<std::size_t>("poll", EBADF, got);
        // A hung-up terminal polls readable forever and reads nothing.
        hungUp = (ready & (POLLHUP | POLLERR)) != 0;
    }
}

Outcome<std::size_t> ReadByteWithinTimeouts(PortHandle handle, std::uint8_t& byte)
{
    return ReadWithinTimeouts(handle, std::span<std::uint8_t>(&byte, 1));
}

Outcome<std::size_t> WriteWithinTimeouts(PortHandle handle, std::span<const std::uint8_t> bytes)
{
    auto port = PortTable::Instance().Find(handle);
    if (!port)
        return {0, NotOpen("write")};
    const CommTimeouts& t = port->timeouts;
    std::uint64_t limitMs = static_cast<std::uint64_t>(t.WriteTotalTimeoutMultiplier) * bytes.size() + t.WriteTotalTimeoutConstant;
    if (limitMs == 0)
        limitMs = WriteGuardMilliseconds;
    const std::uint64_t deadline = MonotonicMicroseconds() + Milliseconds(limitMs);

    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::write(port->fd, bytes.data() + sent, bytes.size() - sent);
        if (n > 0) {
            Report(handle, LineDirection::Sent, bytes.data() + sent, static_cast<std::size_t>(n));
            sent += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
            return Fail<std::size_t>("write", errno, sent);
        const std::uint64_t now = MonotonicMicroseconds();
        if (now >= deadline)
            return Fail<std::size_t>("write", ETIMEDOUT, sent);
        const int ready = WaitReady(port->fd, POLLOUT, deadline - now);
        if (ready < 0)
            return Fail<std::size_t>("poll", -ready, sent);
        if (ready & (POLLNVAL | POLLHUP | POLLERR))
            return Fail<std::size_t>("write", ready & POLLNVAL ? EBADF : EIO, sent);
    }
    return Succeed(sent);
}

Outcome<std::size_t> WriteByteWithinTimeouts(PortHandle handle, std::uint8_t byte)
{
    return WriteWithinTimeouts(handle, std::span<const std::uint8_t>(&byte, 1));
}

SerialResult FillDefaultPortConfig(std::string_view name, CommConfig& config)
{
    if (config.Size < CommConfigBytes)
        return SerialResult::Failure("default configuration", EINVAL);
    const std::string path = DevicePathForPortName(name);
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0)
        return SerialResult::Failure("stat", path.empty() ? ENOENT : errno);
    if (!S_ISCHR(info.st_mode))
        return SerialResult::Failure("stat", ENOTTY);
    config = CommConfig{};
    config.Size = CommConfigBytes;
    config.Version = CommConfigVersion;
    config.dcb = DefaultDcb();
    config.ProviderSubType = ProviderSubTypeRs232;
    return SerialResult::Success();
}

void SetLineMonitor(LineMonitor monitor)
{
    Monitor() = std::move(monitor);
}

} // namespace platform
