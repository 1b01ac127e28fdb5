#pragma once
// What duoclave-cli's exit status tells a script. The help text lists them from HelpText.cpp.

namespace cli {

enum ExitCode : int {
    ExitSuccess = 0,
    ExitBadInput = 1,     // unknown row, value not valid or out of range, confirmation missing, file not written
    ExitDevice = 2,       // the device did not answer or refused
    ExitPort = 3,         // the port cannot be opened
    ExitUsage = 64,       // the command line is wrong (sysexits' EX_USAGE)
};

} // namespace cli
