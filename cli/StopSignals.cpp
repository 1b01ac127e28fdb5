#include "cli/StopSignals.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace cli {

namespace {

// The handler may only write a byte; the waiting side polls the other end of the pipe, so a
// signal that comes during a tick is seen by the next wait, not lost.
int wakeRead = -1;
int wakeWrite = -1;

void OnStopSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(wakeWrite, &byte, 1);
    errno = saved;
}

void Install(int signal, void (*handler)(int), int flags, struct sigaction& previous)
{
    struct sigaction action {};
    action.sa_handler = handler;
    action.sa_flags = flags;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, &previous);
}

} // namespace

StopSignals::StopSignals()
{
    int fds[2];
    if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) == 0) {
        wakeRead = fds[0];
        wakeWrite = fds[1];
    }
    // SA_RESETHAND: the second Ctrl-C ends the program as the user expects.
    Install(SIGINT, OnStopSignal, SA_RESETHAND, previousInt_);
    Install(SIGTERM, OnStopSignal, SA_RESETHAND, previousTerm_);
    Install(SIGPIPE, SIG_IGN, 0, previousPipe_);
}

StopSignals::~StopSignals()
{
    sigaction(SIGINT, &previousInt_, nullptr);
    sigaction(SIGTERM, &previousTerm_, nullptr);
    sigaction(SIGPIPE, &previousPipe_, nullptr);
    close(wakeRead);
    close(wakeWrite);
    wakeRead = wakeWrite = -1;
}

bool StopSignals::WaitUntil(std::chrono::steady_clock::time_point deadline)
{
    using namespace std::chrono;
    for (;;) {
        const auto left = duration_cast<milliseconds>(deadline - steady_clock::now()).count();
        pollfd wake{wakeRead, POLLIN, 0};
        // Rounded up, so that the wait never ends before the deadline.
        const int result = poll(&wake, 1, left > 0 ? int(left) + 1 : 0);
        if (result > 0) return true;
        if (result < 0 && errno == EINTR) continue;
        if (steady_clock::now() >= deadline) return false;
    }
}

} // namespace cli
