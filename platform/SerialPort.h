#pragma once
// Serial communications on POSIX termios, with the semantics of the platform's port handles:
// exclusive open by name, raw 8-bit line, line settings from a Dcb, read time-outs that make a
// read return within about a millisecond, purge, error state and queue counts.
//
// Every operation returns its result and never throws. On InvalidPortHandle or a closed handle
// every operation fails at once with EBADF. Which calls may wait, and how long, is in their names
// and in the line above each.

#include "platform/SerialResult.h"
#include "platform/SerialTypes.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

namespace platform {

// Opens port `name` (see DevicePathForPortName) for reading and writing with no sharing: a port
// already open, in this process or another, is refused (EBUSY), and so is one that another
// program holds with TIOCEXCL alone, even for root. The line becomes raw 8-bit,
// both queues are emptied, the read time-outs are PromptReadTimeouts, the speed stays as it
// was. Does not wait.
Outcome<PortHandle> OpenPortExclusive(std::string_view name);

// Releases the port and its exclusive use. An invalid or already closed handle has no effect
// (result EBADF).
SerialResult ClosePort(PortHandle port);

// True while `port` is an open handle.
bool IsOpenPort(PortHandle port);

// The line settings in force. Does not wait.
Outcome<Dcb> GetLineSettings(PortHandle port);

// Applies speed, byte size, parity, stop bits, DTR and RTS control, RTS/CTS and XON/XOFF flow
// control with their characters. A value the line can't take (byte size outside 5..8, speed 0,
// 1.5 stop bits with more than 5 data bits, equal XON and XOFF characters with XON/XOFF on,
// unknown codes) fails with EINVAL and leaves the line as it was. Does not wait.
SerialResult SetLineSettings(PortHandle port, const Dcb& dcb);

// Records the queue sizes. `inBytes` is the size of the port's own input queue, which the
// terminal is read into: up to that many received bytes count as waiting and reach a read at
// once, beyond the terminal's own limit (4095 bytes on Linux); 4096 until set. Sizes of 0 fail
// with EINVAL. Does not wait.
SerialResult SetQueueSizes(PortHandle port, std::uint32_t inBytes, std::uint32_t outBytes);
Outcome<QueueSizes> GetQueueSizes(PortHandle port);

// Time-outs of later reads and writes (see ReadWithinTimeouts and WriteWithinTimeouts).
SerialResult SetTimeouts(PortHandle port, const CommTimeouts& timeouts);
Outcome<CommTimeouts> GetTimeouts(PortHandle port);

// Discards received (PurgeRxClear) and/or unsent (PurgeTxClear) bytes. Unknown flags fail
// with EINVAL. Does not wait.
SerialResult PurgePort(PortHandle port, std::uint32_t purgeFlags);

// Line errors since the last call (then cleared) and the bytes waiting in each direction.
// Does not wait.
Outcome<PortStatus> ClearErrorsAndCountWaiting(PortHandle port);

// Reads up to buffer.size() bytes, waiting as the time-outs say; the value is the number of
// bytes read, possibly 0. Time-outs in ms, n = buffer.size():
// - interval TimeoutMaximum, both totals 0: no wait, only what has arrived;
// - interval and multiplier TimeoutMaximum, constant C > 0: waits up to C for a first byte and
//   returns with it and whatever came along;
// - otherwise: waits up to multiplier * n + constant in all (0 counts as 1 ms, so that a read
//   never blocks for good), and returns early when `interval` ms pass after a byte without
//   another (interval 0: no such limit).
// With PromptReadTimeouts: about a millisecond, whatever has arrived.
Outcome<std::size_t> ReadWithinTimeouts(PortHandle port, std::span<std::uint8_t> buffer);
Outcome<std::size_t> ReadByteWithinTimeouts(PortHandle port, std::uint8_t& byte);

// Hands the bytes to the driver, waiting while its buffer is full for at most
// multiplier * n + constant ms (both 0: at most WriteGuardMilliseconds, so that a stalled peer
// can't hang the caller). The value is the number of bytes taken; a time-out is a failure
// (ETIMEDOUT) with the count so far. Does not wait for the bytes to leave the line.
inline constexpr std::uint32_t WriteGuardMilliseconds = 1000;
Outcome<std::size_t> WriteWithinTimeouts(PortHandle port, std::span<const std::uint8_t> bytes);
Outcome<std::size_t> WriteByteWithinTimeouts(PortHandle port, std::uint8_t byte);

// The default configuration of port `name`: 9600 baud, 8 data bits, no parity, one stop bit,
// DTR and RTS raised, no flow control. `config.Size` must be at least CommConfigBytes (else
// EINVAL, `config` untouched); a port whose device does not exist fails with ENOENT. Does not
// open the port.
SerialResult FillDefaultPortConfig(std::string_view name, CommConfig& config);

// Sees every byte that a read or write moved, after it moved (diagnostics and tests). Empty:
// none. Runs on the caller's thread, inside the read or write.
enum class LineDirection { Sent, Received };
using LineMonitor = std::function<void(PortHandle, LineDirection, std::span<const std::uint8_t>)>;
void SetLineMonitor(LineMonitor monitor);

} // namespace platform
