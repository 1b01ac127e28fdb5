// termios2 and TCGETS2 come from the kernel's headers, which clash with <termios.h>.
#include "support_linespeed.h"

#include <asm/ioctls.h>
#include <asm/termbits.h>
#include <sys/ioctl.h>

LineSpeeds ReadLineSpeeds(int fd)
{
    struct termios2 tio {};
    if (ioctl(fd, TCGETS2, &tio) != 0)
        return {};
    return {tio.c_ispeed, tio.c_ospeed};
}
