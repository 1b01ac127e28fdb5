#pragma once
// The serial devices present, as a user picks among them: the stable names under
// /dev/serial/by-id/ first, then /dev/ttyUSB*, /dev/ttyACM* and the /dev/ttyS* that have a UART
// behind them; USB vendor, product and serial number read from sysfs.
//
// Read from /dev and /sys directly. The environment variable DUOCLAVE_DEVICE_ROOT puts both
// under another folder (ROOT/dev, ROOT/sys), so that tests can lay out devices of their own.

#include "platform/SerialResult.h"

#include <string>
#include <vector>

namespace platform {

struct SerialDevice {
    std::string path;       // what to open: "/dev/serial/by-id/usb-FTDI_...-port0", "/dev/ttyUSB0"
    std::string node;       // the device node it leads to ("/dev/ttyUSB0"); the path itself for a node
    std::string vendorId;   // USB ids, four hex digits ("0403"); empty when not on USB
    std::string productId;
    std::string vendor;     // USB strings as the device gives them; empty when it gives none
    std::string product;
    std::string serial;
};

// Every by-id entry (by name), then the ttyUSB, ttyACM and ttyS nodes (by number). A by-id entry
// and the node it leads to are both listed. Fails ("opendir" and errno) only when the device
// folder itself can't be read.
Outcome<std::vector<SerialDevice>> ListSerialDevices();

// The /dev/serial/by-id/ name that leads to the same device as `path` (a node such as
// /dev/ttyUSB0), for finding the device again after it was unplugged: it may come back under
// another node. `path` itself when it is a by-id name; empty when the device has none.
std::string StableDeviceName(const std::string& path);

// One line about the device for a list: "FTDI FT232R USB UART, serial A50285BI (0403:6001) on
// /dev/ttyUSB0"; what is unknown is left out, down to just the node.
std::string DescribeSerialDevice(const SerialDevice& device);

} // namespace platform
