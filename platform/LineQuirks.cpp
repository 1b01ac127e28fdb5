#include "platform/LineQuirks.h"

#include "platform/SerialTypes.h"

#include <array>
#include <bit>
#include <cerrno>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <utility>

#if defined(__linux__)
#include <linux/serial.h>
#endif

namespace platform::quirks {

namespace {

constexpr std::array<std::pair<std::uint32_t, speed_t>, 31> StandardSpeeds{{
    {50, B50}, {75, B75}, {110, B110}, {134, B134}, {150, B150}, {200, B200}, {300, B300},
    {600, B600}, {1200, B1200}, {1800, B1800}, {2400, B2400}, {4800, B4800}, {9600, B9600},
    {19200, B19200}, {38400, B38400}, {57600, B57600}, {115200, B115200}, {230400, B230400},
#if defined(B460800)
    {460800, B460800}, {500000, B500000}, {576000, B576000}, {921600, B921600},
    {1000000, B1000000}, {1152000, B1152000}, {1500000, B1500000}, {2000000, B2000000},
    {2500000, B2500000}, {3000000, B3000000}, {3500000, B3500000}, {4000000, B4000000},
#else
    {0, B0}, {0, B0}, {0, B0}, {0, B0}, {0, B0}, {0, B0}, {0, B0}, {0, B0}, {0, B0}, {0, B0},
#endif
    {0, B0},
}};

bool IsNoSuchDeviceFeature(int error)
{
    // What a pseudo-terminal answers to modem-line and counter requests.
    return error == ENOTTY || error == EINVAL || error == ENOSYS || error == EIO
#if defined(ENOIOCTLCMD)
        || error == ENOIOCTLCMD
#endif
        ;
}

} // namespace

bool SetStandardSpeed(termios& tio, std::uint32_t rate)
{
    for (const auto& [bits, code] : StandardSpeeds) {
        if (bits != 0 && bits == rate) {
            cfsetispeed(&tio, code);
            cfsetospeed(&tio, code);
#if defined(__linux__) && defined(CIBAUD)
            // cfsetispeed only sets the output field (CBAUD); Linux reads the input speed from
            // CIBAUD, where an earlier custom rate (BOTHER) would otherwise stay in force.
            constexpr int InputSpeedShift = std::countr_zero(static_cast<unsigned>(CIBAUD));
            static_assert((static_cast<tcflag_t>(CBAUD) << InputSpeedShift) == CIBAUD);
            tio.c_cflag &= ~static_cast<tcflag_t>(CIBAUD);
            tio.c_cflag |= static_cast<tcflag_t>(code) << InputSpeedShift;
#endif
            return true;
        }
    }
    return false;
}

std::uint32_t ReadSpeed(int fd, const termios& tio)
{
    const speed_t code = cfgetospeed(&tio);
    for (const auto& [bits, known] : StandardSpeeds)
        if (bits != 0 && known == code)
            return bits;
    return ReadCustomSpeed(fd);
}

bool SetStickParity(termios& tio, bool mark)
{
#if defined(CMSPAR)
    tio.c_cflag |= PARENB | CMSPAR;
    // With CMSPAR, PARODD selects mark.
    if (mark)
        tio.c_cflag |= PARODD;
    else
        tio.c_cflag &= ~static_cast<tcflag_t>(PARODD);
    return true;
#else
    return false;
#endif
}

int StickParity(const termios& tio)
{
#if defined(CMSPAR)
    if ((tio.c_cflag & PARENB) && (tio.c_cflag & CMSPAR))
        return (tio.c_cflag & PARODD) ? 1 : 0;
#endif
    return -1;
}

bool HeldExclusively(int fd)
{
#if defined(TIOCGEXCL)
    int held = 0;
    while (ioctl(fd, TIOCGEXCL, &held) != 0)
        if (errno != EINTR)
            return false;
    return held != 0;
#else
    (void)fd;
    return false;
#endif
}

bool HasVirtualFraming(int fd)
{
#if defined(__linux__)
    // Unix98 pseudo-terminal slaves: majors 136 to 143.
    constexpr unsigned FirstPtySlaveMajor = 136;
    constexpr unsigned LastPtySlaveMajor = 143;
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISCHR(info.st_mode))
        return false;
    const unsigned deviceMajor = major(info.st_rdev);
    return deviceMajor >= FirstPtySlaveMajor && deviceMajor <= LastPtySlaveMajor;
#else
    (void)fd;
    return false;
#endif
}

int SetModemLine(int fd, int line, bool raised)
{
    int bits = line;
    for (;;) {
        if (ioctl(fd, raised ? TIOCMBIS : TIOCMBIC, &bits) == 0)
            return 0;
        if (errno == EINTR)
            continue;
        return IsNoSuchDeviceFeature(errno) ? 0 : errno;
    }
}

std::uint32_t TakeLineErrors(int fd, ErrorCounters& counters)
{
#if defined(TIOCGICOUNT)
    serial_icounter_struct now{};
    if (ioctl(fd, TIOCGICOUNT, &now) != 0)
        return 0;
    const ErrorCounters before = counters;
    counters.valid = true;
    counters.frame = static_cast<std::uint32_t>(now.frame);
    counters.overrun = static_cast<std::uint32_t>(now.overrun);
    counters.parity = static_cast<std::uint32_t>(now.parity);
    counters.brk = static_cast<std::uint32_t>(now.brk);
    counters.bufferOverrun = static_cast<std::uint32_t>(now.buf_overrun);
    if (!before.valid)
        return 0;
    std::uint32_t errors = 0;
    if (counters.frame != before.frame)
        errors |= CommErrorFrame;
    if (counters.overrun != before.overrun)
        errors |= CommErrorOverrun;
    if (counters.parity != before.parity)
        errors |= CommErrorRxParity;
    if (counters.brk != before.brk)
        errors |= CommErrorBreak;
    if (counters.bufferOverrun != before.bufferOverrun)
        errors |= CommErrorRxOver;
    return errors;
#else
    return 0;
#endif
}

} // namespace platform::quirks
