// Rates that termios has no constant for. Linux takes them through termios2 and BOTHER, whose
// header clashes with <termios.h>; hence this file of its own.

#include <cerrno>
#include <cstdint>

#if defined(__linux__)
#include <asm/ioctls.h>
#include <asm/termbits.h>
#include <sys/ioctl.h>
#endif

namespace platform::quirks {

int SetCustomSpeed(int fd, std::uint32_t rate)
{
#if defined(__linux__) && defined(BOTHER) && defined(TCGETS2)
    struct termios2 tio {};
    while (ioctl(fd, TCGETS2, &tio) != 0)
        if (errno != EINTR)
            return errno;
    tio.c_cflag &= ~CBAUD;
    tio.c_cflag |= BOTHER;
    tio.c_cflag &= ~(CBAUD << IBSHIFT);
    tio.c_cflag |= BOTHER << IBSHIFT;
    tio.c_ospeed = rate;
    tio.c_ispeed = rate;
    while (ioctl(fd, TCSETS2, &tio) != 0)
        if (errno != EINTR)
            return errno;
    return 0;
#else
    (void)fd;
    (void)rate;
    return EINVAL;
#endif
}

std::uint32_t ReadCustomSpeed(int fd)
{
#if defined(__linux__) && defined(BOTHER) && defined(TCGETS2)
    struct termios2 tio {};
    while (ioctl(fd, TCGETS2, &tio) != 0)
        if (errno != EINTR)
            return 0;
    if ((tio.c_cflag & CBAUD) != BOTHER)
        return 0;
    return tio.c_ospeed;
#else
    (void)fd;
    return 0;
#endif
}

} // namespace platform::quirks
