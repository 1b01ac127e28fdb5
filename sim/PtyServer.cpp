#include "sim/PtyServer.h"

#include "platform/TickCount.h"
#include "sim/E2promFile.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace sim {

namespace {

constexpr std::uint64_t MicrosecondsPerSecond = 1000000;
constexpr std::uint64_t MicrosecondsPerMillisecond = 1000;
constexpr std::uint64_t LineBitsPerByte = 10;   // start bit, 8 data bits, stop bit
constexpr std::size_t ReadChunk = 256;
constexpr std::int64_t NoEvent = -1;

volatile std::sig_atomic_t stopRequested = 0;

void RequestStop(int) { stopRequested = 1; }

std::string Errno(const std::string& what)
{
    return what + ": " + std::strerror(errno);
}

} // namespace

PtyServer::PtyServer(Options options) : options_(std::move(options)), junk_(options_.seed) {}

PtyServer::~PtyServer()
{
    if (madeLink_) {
        RemoveLink(options_.linkPath);
        RemoveLink(byIdPath_);
    }
    if (control_ >= 0)
        close(control_);
    if (controlKeepOpen_ >= 0)
        close(controlKeepOpen_);
    if (madeFifo_)
        unlink(options_.controlPath.c_str());
    if (trace_)
        std::fclose(trace_);
    if (holdSlave_ >= 0)
        close(holdSlave_);
    if (master_ >= 0)
        close(master_);
}

void PtyServer::RemoveLink(const std::string& path)
{
    if (path.empty())
        return;
    // Only our own link goes: somebody may have pointed the path elsewhere meanwhile.
    char target[4096];
    const ssize_t n = readlink(path.c_str(), target, sizeof target - 1);
    if (n >= 0 && std::string(target, static_cast<std::size_t>(n)) == ptyPath_)
        unlink(path.c_str());
}

bool PtyServer::MakeLink(const std::string& path, std::string& error)
{
    struct stat info {};
    if (lstat(path.c_str(), &info) == 0) {
        if (!S_ISLNK(info.st_mode)) {
            error = path + ": exists and is no symbolic link";
            return false;
        }
        unlink(path.c_str());
    }
    if (symlink(ptyPath_.c_str(), path.c_str()) != 0) {
        error = Errno(path);
        return false;
    }
    return true;
}

bool PtyServer::OpenPty(std::string& error)
{
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
        error = Errno("pseudo-terminal");
        return false;
    }
    ptyPath_ = ptsname(master_);
    holdSlave_ = open(ptyPath_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (holdSlave_ < 0) {
        error = Errno(ptyPath_);
        return false;
    }
    // The protocol is binary: no echo, no translation, no signal characters.
    termios tio{};
    if (tcgetattr(holdSlave_, &tio) != 0) {
        error = Errno("tcgetattr");
        return false;
    }
    cfmakeraw(&tio);
    cfsetispeed(&tio, B9600);
    cfsetospeed(&tio, B9600);
    if (tcsetattr(holdSlave_, TCSANOW, &tio) != 0) {
        error = Errno("tcsetattr");
        return false;
    }
    return true;
}

void PtyServer::Unplug()
{
    if (!plugged_)
        return;
    // The links go first, as udev removes them when the adapter vanishes.
    RemoveLink(options_.linkPath);
    RemoveLink(byIdPath_);
    // Closing the master hangs the host's side up; its node goes with it.
    if (holdSlave_ >= 0)
        close(holdSlave_);
    if (master_ >= 0)
        close(master_);
    holdSlave_ = master_ = -1;
    output_.clear();
    device_->GetProtocol().Abandon();
    plugged_ = false;
}

void PtyServer::Replug()
{
    if (plugged_)
        return;
    std::string error;
    if (!OpenPty(error)) {
        Warn("replug: " + error);
        return;
    }
    plugged_ = true;
    lastInputEndUs_ = lastOutputEndUs_ = 0;
    for (const std::string& path : {options_.linkPath, byIdPath_})
        if (!path.empty() && !MakeLink(path, error))
            Warn("replug: " + error);
}

std::uint64_t PtyServer::Now() const
{
    return platform::MonotonicMicroseconds();
}

void PtyServer::Warn(const std::string& message) const
{
    std::fprintf(stderr, "duoclave-sim: %s\n", message.c_str());
}

void PtyServer::CatchStopSignals()
{
    struct sigaction action {};
    action.sa_handler = RequestStop;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    // The stop signals only get through while Serve sleeps in ppoll, so none is lost in between;
    // one that comes before Serve waits for it.
    sigset_t blocked;
    sigemptyset(&blocked);
    sigaddset(&blocked, SIGINT);
    sigaddset(&blocked, SIGTERM);
    sigprocmask(SIG_BLOCK, &blocked, &waitingMask_);
    sigdelset(&waitingMask_, SIGINT);
    sigdelset(&waitingMask_, SIGTERM);
}

bool PtyServer::Open(std::string& error)
{
    // Before the link exists, so that whoever sees the link can stop us cleanly.
    CatchStopSignals();
    Registers::E2promValues e2prom = Registers::DefaultE2prom();
    if (!options_.statePath.empty() && !E2promFile(options_.statePath).Load(e2prom, error))
        return false;
    device_ = std::make_unique<Device>(options_, &e2prom);
    device_->GetProtocol().log = [this](const std::string& line) { Warn(line); };
    if (!options_.statePath.empty()) {
        device_->GetRegisters().onE2promChanged = [this] {
            std::string why;
            if (!E2promFile(options_.statePath).Save(device_->GetRegisters().E2prom(), why))
                Warn(why);
        };
    }

    if (!OpenPty(error))
        return false;

    if (!options_.byIdDir.empty())
        byIdPath_ = options_.byIdDir + "/usb-Duoclave_Simulator_SIM" + std::to_string(getpid()) + "-if00-port0";
    for (const std::string& path : {options_.linkPath, byIdPath_}) {
        if (path.empty())
            continue;
        if (!MakeLink(path, error))
            return false;
        madeLink_ = true;
    }

    if (!options_.controlPath.empty()) {
        struct stat info {};
        if (stat(options_.controlPath.c_str(), &info) == 0) {
            if (!S_ISFIFO(info.st_mode)) {
                error = options_.controlPath + ": exists and is no FIFO";
                return false;
            }
        } else if (mkfifo(options_.controlPath.c_str(), 0600) != 0) {
            error = Errno(options_.controlPath);
            return false;
        } else {
            madeFifo_ = true;
        }
        control_ = open(options_.controlPath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        controlKeepOpen_ = open(options_.controlPath.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (control_ < 0 || controlKeepOpen_ < 0) {
            error = Errno(options_.controlPath);
            return false;
        }
    }

    if (!options_.tracePath.empty()) {
        trace_ = std::fopen(options_.tracePath.c_str(), "w");
        if (!trace_) {
            error = Errno(options_.tracePath);
            return false;
        }
        std::setvbuf(trace_, nullptr, _IOLBF, 0);
    }

    byteTimeUs_ = options_.byteTime ? LineBitsPerByte * MicrosecondsPerSecond / options_.baud : 0;
    startUs_ = Now();
    return true;
}

void PtyServer::TraceByte(const char* direction, std::uint8_t byte, std::uint64_t atUs)
{
    if (trace_)
        std::fprintf(trace_, "%llu %s %02X\n", static_cast<unsigned long long>(atUs), direction, byte);
}

void PtyServer::ReadHost()
{
    if (master_ < 0)
        return;
    std::uint8_t chunk[ReadChunk];
    for (;;) {
        const ssize_t n = read(master_, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        const std::uint64_t now = Now();
        Protocol& protocol = device_->GetProtocol();
        for (ssize_t i = 0; i < n; ++i) {
            TraceByte("in", chunk[i], now);
            // A byte is complete at the device one byte time after the line was free for it. Its
            // replies can be worked out at once: they leave no earlier than the line allows.
            const std::uint64_t end = std::max(now, lastInputEndUs_) + byteTimeUs_;
            lastInputEndUs_ = end;
            for (const Reply& reply : protocol.Receive(chunk[i], end - startUs_))
                ScheduleOutput(reply.byte, reply.dueUs + startUs_, true);
        }
    }
}

void PtyServer::ReadControl()
{
    char chunk[ReadChunk];
    for (;;) {
        const ssize_t n = read(control_, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        controlBuffer_.append(chunk, static_cast<std::size_t>(n));
    }
    std::size_t newline;
    while ((newline = controlBuffer_.find('\n')) != std::string::npos) {
        const std::string line = controlBuffer_.substr(0, newline);
        controlBuffer_.erase(0, newline + 1);
        std::string error;
        if (!device_->Command(line, error))
            Warn("control: " + error);
        if (device_->Plugged() && !plugged_)
            Replug();
        else if (!device_->Plugged() && plugged_)
            Unplug();
    }
}

void PtyServer::ScheduleOutput(std::uint8_t byte, std::uint64_t readyUs, bool reply)
{
    const std::uint64_t end = std::max(readyUs, lastOutputEndUs_) + byteTimeUs_;
    lastOutputEndUs_ = end;
    output_.push_back({byte, end, reply});
}

void PtyServer::ApplyFaults(std::uint64_t now)
{
    Protocol& protocol = device_->GetProtocol();
    protocol.Expire(now - startUs_);
    if (protocol.Faults().Has(Fault::Silence))
        std::erase_if(output_, [](const Pending& p) { return p.reply; });
}

void PtyServer::ScheduleStray(std::uint64_t now)
{
    const bool on = device_->GetProtocol().Faults().Has(Fault::Stray);
    if (on && !strayRunning_)
        nextStrayUs_ = now;
    strayRunning_ = on;
    if (!on)
        return;
    while (nextStrayUs_ <= now) {
        ScheduleOutput(static_cast<std::uint8_t>(junk_()), nextStrayUs_, false);
        nextStrayUs_ += options_.strayIntervalMs * MicrosecondsPerMillisecond;
    }
}

void PtyServer::WriteDueOutput(std::uint64_t now)
{
    while (!output_.empty() && output_.front().dueUs <= now) {
        const Pending due = output_.front();
        const std::uint8_t byte = due.byte;
        output_.pop_front();
        if (due.reply)
            device_->GetProtocol().ReplySent(Now() - startUs_);
        // Traced before it leaves, so that a host which has seen the byte finds it in the trace.
        // A full queue means nobody is listening: the byte is lost, as on a line.
        TraceByte("out", byte, Now());
        while (master_ >= 0 && write(master_, &byte, 1) < 0 && errno == EINTR) {
        }
    }
}

std::int64_t PtyServer::NextEventUs(std::uint64_t now) const
{
    std::uint64_t next = UINT64_MAX;
    if (!output_.empty())
        next = std::min(next, output_.front().dueUs);
    if (auto expiry = device_->GetProtocol().ExpiryDue())
        next = std::min(next, *expiry + startUs_ + 1);
    if (strayRunning_)
        next = std::min(next, nextStrayUs_);
    if (next == UINT64_MAX)
        return NoEvent;
    return next > now ? static_cast<std::int64_t>(next - now) : 0;
}

int PtyServer::Serve()
{
    while (!stopRequested) {
        const std::uint64_t now = Now();
        // Commands first: one sent before a host byte applies to that byte.
        if (control_ >= 0)
            ReadControl();
        ReadHost();
        ApplyFaults(now);
        ScheduleStray(now);
        WriteDueOutput(Now());

        pollfd fds[2] = {{master_, POLLIN, 0}, {control_, POLLIN, 0}};
        const nfds_t count = control_ >= 0 ? 2 : 1;
        const std::int64_t waitUs = NextEventUs(Now());
        timespec limit{};
        if (waitUs >= 0) {
            limit.tv_sec = static_cast<time_t>(waitUs / MicrosecondsPerSecond);
            limit.tv_nsec = static_cast<long>((waitUs % MicrosecondsPerSecond) * 1000);
        }
        if (ppoll(fds, count, waitUs >= 0 ? &limit : nullptr, &waitingMask_) < 0 && errno != EINTR) {
            Warn(Errno("ppoll"));
            return 1;
        }
    }
    return 0;
}

} // namespace sim
