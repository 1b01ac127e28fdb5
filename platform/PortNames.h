#pragma once
// From the port names the program uses ("Com1", the driver-style "\\.\COM1") to device paths.

#include <string>
#include <string_view>

namespace platform {

// "ComN", "COMN" and "\\.\COMN" (N from 1) name serial port N: the path set by SetComPortPath,
// else the environment variable DUOCLAVE_COMN, else /dev/ttyS(N-1). Any other name is a path
// and comes back unchanged.
std::string DevicePathForPortName(std::string_view name);

// Points port N elsewhere (the program's --com1/--com2 options); an empty path removes the
// override. Ports below 1 are ignored.
void SetComPortPath(int portNumber, std::string path);

// The port number that `name` stands for, or 0 when it names no numbered port.
int ComPortNumber(std::string_view name);

// The path set by SetComPortPath for port N; empty when none is set.
std::string ComPortOverride(int portNumber);

// The device of port N when nothing else is said: /dev/ttyS(N-1).
std::string DefaultComPortPath(int portNumber);

} // namespace platform
