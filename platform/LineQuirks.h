#pragma once
// What POSIX systems do differently from one another, or differently from what the port handles
// promise, kept out of the rest of the serial code. Each function says which quirk it absorbs.

#include <cstdint>
#include <termios.h>

namespace platform::quirks {

// Puts `rate` bits per second into `tio` for both directions when termios has a constant for
// it; false for any other rate, which SetCustomSpeed sets after tcsetattr.
bool SetStandardSpeed(termios& tio, std::uint32_t rate);

// Sets a rate termios has no constant for (Linux: termios2 with BOTHER). 0 on success, else errno.
int SetCustomSpeed(int fd, std::uint32_t rate);

// The line's output speed in bits per second, custom rates included; 0 when unknown.
std::uint32_t ReadSpeed(int fd, const termios& tio);
// The custom rate set by SetCustomSpeed; 0 when there is none or the system can't tell.
std::uint32_t ReadCustomSpeed(int fd);

// Mark and space parity (Linux: CMSPAR). False where the system has no such parity.
bool SetStickParity(termios& tio, bool mark);
// 1 for mark, 0 for space, -1 when `tio` holds no stick parity.
int StickParity(const termios& tio);

// True when another open of the terminal has claimed it exclusively (TIOCEXCL), which does not
// keep out a privileged process; false when the system can't tell.
bool HeldExclusively(int fd);

// True for a pseudo-terminal: it carries whole bytes and keeps no byte size, parity or stop
// bits (Linux forces CS8 and clears PARENB), so the frame format asked for is kept above it.
bool HasVirtualFraming(int fd);

// Raises or lowers a modem line (TIOCM_DTR, TIOCM_RTS). 0 on success, else errno; a device with
// no modem lines (a pseudo-terminal) counts as success, so a line set up for a real port works on
// the simulator too.
int SetModemLine(int fd, int line, bool raised);

// Line errors counted by the driver since `counters` was last filled, as CommError* bits; the
// counters are updated. Drivers that keep no counters (pseudo-terminals) report none.
struct ErrorCounters {
    bool valid = false;
    std::uint64_t frame = 0, overrun = 0, parity = 0, brk = 0, bufferOverrun = 0;
};
std::uint32_t TakeLineErrors(int fd, ErrorCounters& counters);

} // namespace platform::quirks
