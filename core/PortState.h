#pragma once
// The serial port the application holds: one per process, kept at unit level beside the main
// window, used by every device exchange (Unit2). Everything starts zero, false or empty.

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
