#include "core/PortState.h"

platform::PortHandle PortHandle = platform::InvalidPortHandle;
bool PortIsOpen = false;
std::string PortDeviceName;
platform::CommConfig PortConfig;
bool PortDeviceGone = false;
