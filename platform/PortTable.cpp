#include "platform/PortTable.h"

#include <sys/ioctl.h>
#include <unistd.h>

namespace platform {

OpenPort::~OpenPort()
{
    if (fd < 0)
        return;
    // Give up exclusive use first: another holder of the device (the simulator keeps its side
    // open) would otherwise keep the device locked against the next open.
    if (exclusive)
        ioctl(fd, TIOCNXCL);
    // The advisory lock goes with the descriptor. close() is not retried on EINTR: the
    // descriptor is gone either way on Linux.
    ::close(fd);
}

PortTable& PortTable::Instance()
{
    static PortTable table;
    return table;
}

PortHandle PortTable::Add(std::shared_ptr<OpenPort> port)
{
    std::lock_guard lock(mutex_);
    const PortHandle handle = nextHandle_++;
    ports_.emplace(handle, std::move(port));
    return handle;
}

std::shared_ptr<OpenPort> PortTable::Find(PortHandle handle) const
{
    std::lock_guard lock(mutex_);
    auto it = ports_.find(handle);
    return it == ports_.end() ? nullptr : it->second;
}

std::shared_ptr<OpenPort> PortTable::Remove(PortHandle handle)
{
    std::lock_guard lock(mutex_);
    auto it = ports_.find(handle);
    if (it == ports_.end())
        return nullptr;
    auto port = std::move(it->second);
    ports_.erase(it);
    return port;
}

} // namespace platform
