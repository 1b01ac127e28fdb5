#pragma once
// The simulated device as a whole: its registers, its protocol, and the run-time commands that
// change its behaviour. No I/O apart from the dump file.

#include "sim/Options.h"
#include "sim/Protocol.h"
#include "sim/Registers.h"

#include <string>

namespace sim {

class Device {
public:
    // Registers, sync source, timing and faults as the options say; the E2PROM starts from
    // `e2prom` when given (a kept file), and the --reg presets go over it.
    explicit Device(const Options& options, const Registers::E2promValues* e2prom = nullptr);
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    Registers& GetRegisters() { return registers_; }
    // Whether the device is attached to the line: "unplug" and "replug" set it, the line follows.
    bool Plugged() const { return plugged_; }
    Protocol& GetProtocol() { return protocol_; }

    // Applies one control command (see HelpText). False with a message for a bad command.
    bool Command(const std::string& line, std::string& error);

    // Writes the state to `path` as "e2prom N V", "working N V", "register N V", "copies N" and
    // "faults LIST" lines.
    bool Dump(const std::string& path, std::string& error);

private:
    std::uint32_t seed_;
    Registers registers_;
    Protocol protocol_;
    bool plugged_ = true;
};

} // namespace sim
