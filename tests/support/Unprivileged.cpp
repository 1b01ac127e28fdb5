#include "Unprivileged.h"

#include <cerrno>
#include <cstring>
#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Root gives up supplementary groups first, then the group, then the user: in that order each
// step is still allowed.
bool DropRoot()
{
    if (geteuid() != 0)
        return true;
    const passwd* nobody = getpwnam("nobody");
    if (!nobody)
        return false;
    return setgroups(0, nullptr) == 0 && setgid(nobody->pw_gid) == 0 && setuid(nobody->pw_uid) == 0
        && setuid(0) != 0; // and can't take it back
}

} // namespace

std::string RunUnprivileged(const std::function<std::string()>& work)
{
    int channel[2];
    if (pipe(channel) != 0)
        return std::string("child: pipe: ") + std::strerror(errno);
    const pid_t pid = fork();
    if (pid < 0)
        return std::string("child: fork: ") + std::strerror(errno);
    if (pid == 0) {
        close(channel[0]);
        const std::string result = DropRoot() ? work() : std::string("child: cannot become nobody");
        [[maybe_unused]] const ssize_t written = write(channel[1], result.data(), result.size());
        _exit(0);
    }
    close(channel[1]);
    std::string result;
    char chunk[256];
    for (;;) {
        const ssize_t n = read(channel[0], chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        result.append(chunk, static_cast<std::size_t>(n));
    }
    close(channel[0]);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return result.empty() ? std::string("child: no report") : result;
}
