#pragma once
// Between the device control block and termios: pure functions, no device involved.

#include "platform/SerialTypes.h"

#include <cstdint>
#include <termios.h>

namespace platform {

// Turns off all fancy termios tricks: a raw 8-bit channel with no echo, no CR/LF translation,
// no signal characters, no flow control, reads that never block in the driver.
void MakeRawLine(termios& tio);

// Writes the settings of `dcb` over the raw line `tio`. Returns 0, or EINVAL for a value the line
// can't take. `customSpeed` becomes true when the rate must be set with quirks::SetCustomSpeed.
int TranslateDcbToTermios(const Dcb& dcb, termios& tio, bool& customSpeed);

// The settings of `tio` at `rate` bits per second; what termios can't hold (DTR and RTS modes,
// XON/XOFF limits, error, end-of-file and event characters, the unsupported flags) comes from
// `kept`, the last settings applied.
Dcb TranslateTermiosToDcb(const termios& tio, std::uint32_t rate, const Dcb& kept);

} // namespace platform
