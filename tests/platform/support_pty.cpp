#include "support_pty.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

PtyPair::PtyPair()
{
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
        ADD_FAILURE() << "no pseudo-terminal: " << std::strerror(errno);
        return;
    }
    slavePath_ = ptsname(master_);
    keepSlave_ = ::open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios tio{};
    tcgetattr(keepSlave_, &tio);
    cfmakeraw(&tio);
    tcsetattr(keepSlave_, TCSANOW, &tio);
}

PtyPair::~PtyPair()
{
    if (keepSlave_ >= 0)
        ::close(keepSlave_);
    if (master_ >= 0)
        ::close(master_);
}

void PtyPair::HangUp()
{
    if (keepSlave_ >= 0)
        ::close(keepSlave_);
    if (master_ >= 0)
        ::close(master_);
    keepSlave_ = master_ = -1;
}

void PtyPair::WriteFromFarEnd(const std::vector<std::uint8_t>& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        ASSERT_GT(n, 0) << std::strerror(errno);
        done += static_cast<std::size_t>(n);
    }
}

std::vector<std::uint8_t> PtyPair::ReadAtFarEnd(int settleMs)
{
    std::vector<std::uint8_t> bytes;
    for (;;) {
        pollfd entry{master_, POLLIN, 0};
        if (poll(&entry, 1, settleMs) <= 0 || !(entry.revents & POLLIN))
            return bytes;
        std::uint8_t chunk[256];
        const ssize_t n = ::read(master_, chunk, sizeof chunk);
        if (n <= 0)
            return bytes;
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
}
