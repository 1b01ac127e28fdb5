#pragma once
// The command line of duoclave-sim.

#include "help/HelpPage.h"
#include "sim/Faults.h"
#include "sim/Protocol.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace sim {

struct Options {
    std::string linkPath;                 // --link: symbolic link to the pty
    std::string byIdDir;                  // --by-id: folder for a /dev/serial/by-id style link
    std::string statePath;                // --state: E2PROM kept in this file
    std::string tracePath;                // --trace: every byte with its time
    std::string controlPath;              // --control: FIFO of run-time commands
    std::vector<std::pair<std::uint8_t, std::uint16_t>> presets; // --reg N=V
    std::string sync = "drift";           // --sync
    std::uint32_t seed = 1;               // --seed
    ProtocolTiming timing;                // --reply-delay, --late-delay, --request-timeout
    std::uint32_t baud = 9600;            // --baud
    bool byteTime = true;                 // --no-byte-time turns it off
    FaultSet faults;                      // --fault
    std::uint32_t strayIntervalMs = 20;   // --stray-interval
    bool help = false;
    bool manual = false;                  // --help-man: the manual page, which the build writes
    bool version = false;
};

// Parses argv[1..]; on a bad command line returns false with a message in `error`.
bool ParseOptions(int argc, const char* const* argv, Options& options, std::string& error);

// The options, exit codes and files of the simulator, from which the texts below come.
const help::Page& HelpPage();

// The text of --help, the manual page of --help-man and the line of --version.
std::string HelpText();
std::string ManualText();
std::string VersionText();

// Parses "N=V" (N 0..127, V 0..65535, decimal or 0x hexadecimal).
bool ParseRegisterAssignment(const std::string& text, std::uint8_t& reg, std::uint16_t& value);

// A non-negative decimal number of at most 32 bits.
bool ParseUnsigned(const std::string& text, std::uint32_t& value);

} // namespace sim
