#pragma once
// The serial port the program holds: one per process, used by every device exchange
// (core/DeviceLink.h). Everything starts zero, false or empty.

#include "platform/SerialTypes.h"

#include <string>

// The open port; the invalid-handle value after a failed open (and before the first).
extern platform::PortHandle PortHandle;
// Set by every successful open of PortHandle; nothing clears it.
extern bool PortIsOpen;
// "Com1" or "Com2".
extern std::string PortDeviceName;
// Line settings applied to PortHandle (its dcb).
extern platform::CommConfig PortConfig;
// Set by a device exchange whose read or write found the device gone (platform::MeansDeviceGone);
// the port's connection closes the dead handle at its next watch and clears it.
extern bool PortDeviceGone;
