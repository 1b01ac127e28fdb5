#pragma once
// Whether the device behind an open port is still there.

#include "platform/SerialResult.h"
#include "platform/SerialTypes.h"

namespace platform {

// Looks at an open port without reading from it. Does not wait. Fails with EIO when the line has
// hung up (a pty whose other end closed, an adapter that was pulled), with ENODEV when the path
// it was opened by no longer leads to its device (node or link removed, or now another device),
// with EBADF for a handle that is not open.
SerialResult CheckPortPresent(PortHandle port);

} // namespace platform
