#include "support_pty.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

TestPty::TestPty()
{
    Master = posix_openpt(O_RDWR | O_NOCTTY);
    if (Master < 0)
        return;
    if (grantpt(Master) != 0 || unlockpt(Master) != 0 || ptsname(Master) == nullptr) {
        close(Master);
        Master = -1;
        return;
    }
    Path = ptsname(Master);
}

TestPty::~TestPty()
{
    if (Master >= 0)
        close(Master);
}

bool TestPty::Send(const std::vector<uint8_t>& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(Master, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// On the master side the terminal-mode requests act on the terminal side.
bool TestPty::Settings(termios* out) const { return tcgetattr(Master, out) == 0; }
