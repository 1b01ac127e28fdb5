#pragma once
// Why a serial port could not be opened or stopped working, in the few kinds a user can act on.
// The one place where errno values of the serial line get their meaning.

#include "platform/SerialResult.h"

namespace platform {

enum class PortFailure {
    None,          // no failure
    NotFound,      // no device behind the path (absent, unplugged, no hardware)
    NoPermission,  // the user may not open it
    InUse,         // another program holds it
    NotSerial,     // the path is something else than a serial device
    DeviceGone,    // the device went away while open (hang-up, I/O error, node removed)
    Other,         // anything else: see the result's own message
};

// The kind of a failed OpenPortExclusive (None for success).
PortFailure ClassifyOpenFailure(const SerialResult& result);

// True when a failed read, write or check of an open port means that the device is gone for
// good: the handle will never work again and must be closed.
bool MeansDeviceGone(const SerialResult& result);

} // namespace platform
