#include "platform/PortPresence.h"

#include "platform/PortTable.h"

#include <cerrno>
#include <poll.h>
#include <sys/stat.h>

namespace platform {

SerialResult CheckPortPresent(PortHandle handle)
{
    auto port = PortTable::Instance().Find(handle);
    if (!port)
        return SerialResult::Failure("poll", EBADF);

    pollfd entry{port->fd, POLLIN, 0};
    int ready;
    do
        ready = ::poll(&entry, 1, 0);
    while (ready < 0 && errno == EINTR);
    if (ready < 0)
        return SerialResult::Failure("poll", errno);
    if (entry.revents & POLLNVAL)
        return SerialResult::Failure("poll", EBADF);
    if (entry.revents & (POLLHUP | POLLERR))
        return SerialResult::Failure("poll", EIO);

    // An unplugged adapter's node goes away; a replugged one may come back under the same name
    // as another device, which this descriptor will never reach.
    struct stat opened {};
    struct stat named {};
    if (::fstat(port->fd, &opened) != 0)
        return SerialResult::Failure("fstat", errno);
    if (::stat(port->path.c_str(), &named) != 0)
        return SerialResult::Failure("stat", errno == ENOENT || errno == ENOTDIR ? ENODEV : errno);
    if (named.st_rdev != opened.st_rdev)
        return SerialResult::Failure("stat", ENODEV);
    return SerialResult::Success();
}

} // namespace platform
