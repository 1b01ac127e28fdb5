#pragma once
// The open ports of the process, by handle. A handle names one open of one device and is never
// given out again, so closing twice, or using a handle after close, reaches nothing.

#include "platform/LineQuirks.h"
#include "platform/SerialTypes.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

namespace platform {

// One open port. Owns the descriptor: releasing exclusive use and closing happen when the last
// holder lets go.
struct OpenPort {
    int fd = -1;
    bool exclusive = false;             // TIOCEXCL set by this open, to be released on close
    bool virtualFraming = false;        // see quirks::HasVirtualFraming
    std::string path;
    Dcb lineSettings;                   // the last settings applied, for what termios can't hold
    CommTimeouts timeouts = PromptReadTimeouts;
    QueueSizes queueSizes;
    // Bytes read from the terminal and not yet handed out, at most queueSizes.In (see
    // FillInputQueue in SerialPort.cpp).
    std::deque<std::uint8_t> inputQueue;
    quirks::ErrorCounters errorCounters;

    OpenPort() = default;
    OpenPort(const OpenPort&) = delete;
    OpenPort& operator=(const OpenPort&) = delete;
    ~OpenPort();
};

class PortTable {
public:
    static PortTable& Instance();

    PortHandle Add(std::shared_ptr<OpenPort> port);
    // Null for an invalid, unknown or closed handle.
    std::shared_ptr<OpenPort> Find(PortHandle handle) const;
    // The port taken out of the table; null when the handle named none.
    std::shared_ptr<OpenPort> Remove(PortHandle handle);

private:
    mutable std::mutex mutex_;
    std::unordered_map<PortHandle, std::shared_ptr<OpenPort>> ports_;
    PortHandle nextHandle_ = 1;
};

} // namespace platform
