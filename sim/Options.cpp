#include "sim/Options.h"

#include "sim/Registers.h"
#include "sim/SyncSource.h"

#include <charconv>
#include <limits>

namespace sim {

namespace {

bool ParseNumber(std::string text, std::uint64_t limit, std::uint64_t& value)
{
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text = text.substr(2);
    }
    if (text.empty())
        return false;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    return error == std::errc() && end == text.data() + text.size() && value <= limit;
}

} // namespace

bool ParseUnsigned(const std::string& text, std::uint32_t& value)
{
    std::uint64_t wide = 0;
    if (!ParseNumber(text, std::numeric_limits<std::uint32_t>::max(), wide))
        return false;
    value = static_cast<std::uint32_t>(wide);
    return true;
}

bool ParseRegisterAssignment(const std::string& text, std::uint8_t& reg, std::uint16_t& value)
{
    const auto equals = text.find('=');
    if (equals == std::string::npos)
        return false;
    std::uint64_t r = 0;
    std::uint64_t v = 0;
    if (!ParseNumber(text.substr(0, equals), RegisterCount - 1, r)
        || !ParseNumber(text.substr(equals + 1), std::numeric_limits<std::uint16_t>::max(), v))
        return false;
    reg = static_cast<std::uint8_t>(r);
    value = static_cast<std::uint16_t>(v);
    return true;
}

bool ParseOptions(int argc, const char* const* argv, Options& options, std::string& error)
{
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        auto argument = [&](std::string& into) {
            if (i + 1 >= argc) {
                error = option + " needs a value";
                return false;
            }
            into = argv[++i];
            return true;
        };
        auto number = [&](std::uint32_t& into) {
            std::string text;
            if (!argument(text))
                return false;
            if (!ParseUnsigned(text, into)) {
                error = option + ": not a number: " + text;
                return false;
            }
            return true;
        };
        std::string text;
        if (option == "--help" || option == "-h") {
            options.help = true;
        } else if (option == "--help-man") {
            options.manual = true;
        } else if (option == "--version" || option == "-v") {
            options.version = true;
        } else if (option == "--link") {
            if (!argument(options.linkPath))
                return false;
        } else if (option == "--by-id") {
            if (!argument(options.byIdDir))
                return false;
        } else if (option == "--state") {
            if (!argument(options.statePath))
                return false;
        } else if (option == "--trace") {
            if (!argument(options.tracePath))
                return false;
        } else if (option == "--control") {
            if (!argument(options.controlPath))
                return false;
        } else if (option == "--reg") {
            if (!argument(text))
                return false;
            std::uint8_t reg = 0;
            std::uint16_t value = 0;
            if (!ParseRegisterAssignment(text, reg, value)) {
                error = "--reg: expected N=V with N 0..127 and V 0..65535: " + text;
                return false;
            }
            options.presets.emplace_back(reg, value);
        } else if (option == "--sync") {
            if (!argument(options.sync))
                return false;
            if (!SyncSource::Parse(options.sync, 1)) {
                error = "--sync: expected drift, constant:V or ramp:START:STEP: " + options.sync;
                return false;
            }
        } else if (option == "--seed") {
            if (!number(options.seed))
                return false;
        } else if (option == "--reply-delay") {
            if (!number(options.timing.replyDelayMs))
                return false;
        } else if (option == "--late-delay") {
            if (!number(options.timing.lateDelayMs))
                return false;
        } else if (option == "--request-timeout") {
            if (!number(options.timing.requestTimeoutMs))
                return false;
        } else if (option == "--baud") {
            if (!number(options.baud))
                return false;
            if (options.baud == 0) {
                error = "--baud must be above 0";
                return false;
            }
        } else if (option == "--no-byte-time") {
            options.byteTime = false;
        } else if (option == "--stray-interval") {
            if (!number(options.strayIntervalMs))
                return false;
            if (options.strayIntervalMs == 0) {
                error = "--stray-interval must be above 0";
                return false;
            }
        } else if (option == "--fault") {
            if (!argument(text))
                return false;
            auto fault = FaultSet::Parse(text);
            if (!fault) {
                error = "--fault: unknown fault: " + text;
                return false;
            }
            options.faults.Set(*fault, true);
        } else {
            error = "unknown option: " + option;
            return false;
        }
    }
    return true;
}

const help::Page& HelpPage()
{
    static const help::Page page{
        .program = "duoclave-sim",
        .summary = "simulate the Duoclave controller on a pseudo-terminal",
        .usage = {"--link PATH [options]"},
        .description = {
            "Simulates the Duoclave controller on a pseudo-terminal. Prints the pty's path as the first "
            "line of its output, makes PATH a symbolic link to it and answers the device protocol until "
            "SIGINT or SIGTERM, then removes the link.",
            "The device: 128 16-bit registers. A byte N below 128 reads register N: the device answers "
            "the low byte, then answers the byte 101 with the high byte. A write is N+128, high byte, "
            "low byte and the XOR of the three; the device answers 1, or 0 (and stores nothing, and says "
            "so on stderr) when the check byte is wrong. Registers 0..20 are the E2PROM; writing 0 to "
            "register 101 copies them to the working registers. Register 98 takes the Tele/Wide "
            "command, register 102 reads back its low byte. Register 103 is the measured sync offset in "
            "microseconds (signed 16-bit).",
        },
        .sections = {
            {"Options",
             {
                 {"--link PATH", "make PATH a symbolic link to the pty (an existing link is replaced)"},
                 {"--by-id DIR", "also link the pty as a USB adapter's stable name in DIR, as udev does in "
                                 "/dev/serial/by-id: DIR/usb-Duoclave_Simulator_SIM<pid>-if00-port0"},
                 {"--state FILE", "keep the E2PROM (registers 0..20) in FILE: loaded at start when it "
                                  "exists, written after every change; lines \"REGISTER VALUE\""},
                 {"--reg N=V", "start value of register N (0..127), V decimal or 0x hexadecimal; "
                               "repeatable; for 103 it makes the sync offset constant"},
                 {"--sync MODE", "the sync offset: drift (default; slow drift plus noise), constant:V, "
                                 "or ramp:START:STEP (STEP added on every read)"},
                 {"--seed N", "seed of the noise and of stray bytes (default 1)"},
                 {"--reply-delay MS", "wait before every reply byte (default 0)"},
                 {"--baud N", "line speed whose byte time is emulated (default 9600)"},
                 {"--no-byte-time", "pass bytes at once instead of at line speed"},
                 {"--fault NAME", "start with a fault on (repeatable):",
                  {
                      {"silence", "reads everything, answers nothing"},
                      {"no-high-byte", "answers the low byte of a read, not the high byte"},
                      {"refuse-writes", "answers writes with 0 and keeps the old value"},
                      {"no-ack", "takes writes but does not answer them"},
                      {"late", "every reply comes after --late-delay"},
                      {"stray", "sends junk bytes continuously"},
                  }},
                 {"--late-delay MS", "reply delay of the late fault (default 250)"},
                 {"--stray-interval MS", "time between junk bytes of the stray fault (default 20)"},
                 {"--request-timeout MS", "a request left incomplete this long is forgotten (default 1000)"},
                 {"--trace FILE", "record every byte as \"MICROSECONDS in|out HEX\" (monotonic clock; "
                                  "\"in\" when read from the host, \"out\" when handed to the host)"},
                 {"--control PATH", "create a FIFO at PATH that takes one command per line at run time:",
                  {
                      {"fault on NAME", "turn the fault NAME on"},
                      {"fault off NAME", "turn it off"},
                      {"fault off all", "turn every fault off"},
                      {"set N V", "give register N the value V (as --reg)"},
                      {"reply-delay MS", "as --reply-delay"},
                      {"late-delay MS", "as --late-delay"},
                      {"sync MODE", "as --sync"},
                      {"dump FILE", "write \"e2prom N V\", \"working N V\", \"register N V\", "
                                    "\"copies N\" and \"faults ...\" lines to FILE"},
                      {"unplug", "close the pty and remove the links, as a pulled USB adapter vanishes; "
                                 "the registers are kept"},
                      {"replug", "a new pty, the links made again to it"},
                  },
                  "Commands take effect before any byte the host sends afterwards."},
                 {"-h, --help", "print this help and exit"},
                 {"-v, --version", "print the version and exit"},
             }},
            {"Exit status",
             {
                 {"0", "stopped by SIGINT or SIGTERM, or --help or --version answered"},
                 {"1", "the pty, the link, the state file, the FIFO or the trace file could not be set "
                       "up, or waiting for input failed; the reason goes to standard error"},
                 {"2", "a mistake on the command line; the reason goes to standard error"},
             }},
            {"Files",
             {
                 {"/dev/ptmx", "where the pseudo-terminal comes from; its other end is a /dev/pts/N"},
             }},
        },
        .seeAlso = {"duoclave(1)", "duoclave-cli(1)"},
    };
    return page;
}

std::string HelpText() { return help::HelpText(HelpPage(), "duoclave-sim"); }

std::string ManualText()
{
    return help::ManualPage(HelpPage(), help::ManualDate(), "Duoclave " DUOCLAVE_VERSION);
}

std::string VersionText() { return "duoclave-sim (Duoclave) " DUOCLAVE_VERSION "\n"; }

} // namespace sim
