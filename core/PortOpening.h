#pragma once
// Which device a port name stands for, and the open of PortHandle (core/PortState.h) as the
// program does it: one place for the window and duoclave-cli.

#include "platform/SerialResult.h"

#include <string>
#include <string_view>

namespace core {

// The port opened when none is chosen: the first numbered port, the window's "COM 1".
inline constexpr std::string_view DefaultPortName = "Com1";

// The device path that port `name` opens. "ComN", "COMN" and "\\.\COMN" are the numbered ports,
// resolved as core/PortChoice.h says (--comN or a choice made in this run, DUOCLAVE_COMN, the
// remembered choice, /dev/ttyS(N-1)); an empty name is DefaultPortName; any other name is a path
// and comes back unchanged.
std::string PortDevicePath(std::string_view name);

// Fills PortConfig with the default configuration of PortDeviceName and opens it exclusively as
// PortHandle. On success sets PortIsOpen; on failure PortHandle is invalid and the result names
// the failed call and its errno (platform::ClassifyOpenFailure and core::PortStatusText say why
// in words).
platform::SerialResult OpenPortHandle();

// OpenPortHandle for the device at `path`.
platform::SerialResult OpenPortHandleAt(const std::string& path);

// The line settings of a port opened at start: queues of 20 bytes, then the port's current
// settings with 9600 baud, 8 data bits, no parity, one stop bit, no EOF character and the flag
// word's first flag alone (no parity check, no DTR/RTS control, no flow control). The window
// does not examine the result (the open alone decides its status); it is that of applying the
// line settings.
platform::SerialResult ApplyStartupLineSettings();

} // namespace core
