#include "platform/PortFailure.h"

#include <cerrno>
#include <string_view>

namespace platform {

PortFailure ClassifyOpenFailure(const SerialResult& result)
{
    switch (result.error) {
    case 0:
        return PortFailure::None;
    case ENOENT:
    case ENOTDIR:
    case ENODEV:
    case ENXIO:
    // A serial node without hardware behind it (a ttyS slot with no UART) fails with EIO.
    case EIO:
        return PortFailure::NotFound;
    case EACCES:
    case EPERM:
        return PortFailure::NoPermission;
    // EBUSY comes from the advisory lock and from another holder's TIOCEXCL alike.
    case EBUSY:
        return PortFailure::InUse;
    case ENOTTY:
    case EISDIR:
        return PortFailure::NotSerial;
    // tcgetattr on a character device that is no terminal.
    case EINVAL:
        return std::string_view(result.call).starts_with("tc") ? PortFailure::NotSerial : PortFailure::Other;
    default:
        return PortFailure::Other;
    }
}

bool MeansDeviceGone(const SerialResult& result)
{
    // EIO: a hung-up line or an unplugged USB adapter; ENXIO, ENODEV: a node without its device.
    return result.error == EIO || result.error == ENXIO || result.error == ENODEV;
}

} // namespace platform
