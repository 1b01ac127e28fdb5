#include "sim/Device.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <locale>
#include <sstream>

namespace sim {

Device::Device(const Options& options, const Registers::E2promValues* e2prom)
    : seed_(options.seed), registers_(*SyncSource::Parse(options.sync, options.seed)), protocol_(registers_)
{
    if (e2prom)
        registers_.LoadE2prom(*e2prom);
    for (const auto& [reg, value] : options.presets)
        registers_.Preset(reg, value);
    protocol_.Timing() = options.timing;
    protocol_.Faults() = options.faults;
}

bool Device::Command(const std::string& line, std::string& error)
{
    std::istringstream words(line);
    std::string verb, first, second, rest;
    words >> verb >> first >> second;
    if (words >> rest) {
        error = "too many words: " + line;
        return false;
    }
    auto fail = [&](const std::string& why) {
        error = why + ": " + line;
        return false;
    };
    if (verb.empty())
        return true;
    if (verb == "fault") {
        const bool on = first == "on";
        if (!on && first != "off")
            return fail("expected fault on NAME or fault off NAME");
        if (!on && second == "all") {
            protocol_.Faults().Clear();
            return true;
        }
        auto fault = FaultSet::Parse(second);
        if (!fault)
            return fail("unknown fault");
        protocol_.Faults().Set(*fault, on);
        return true;
    }
    if (verb == "set") {
        std::uint8_t reg = 0;
        std::uint16_t value = 0;
        if (!second.empty() && ParseRegisterAssignment(first + "=" + second, reg, value)) {
            registers_.Preset(reg, value);
            if (reg < E2promCount && registers_.onE2promChanged)
                registers_.onE2promChanged();
            return true;
        }
        return fail("expected set N V");
    }
    if (verb == "reply-delay" || verb == "late-delay") {
        std::uint32_t ms = 0;
        if (!second.empty() || !ParseUnsigned(first, ms))
            return fail("expected a number of milliseconds");
        (verb == "reply-delay" ? protocol_.Timing().replyDelayMs : protocol_.Timing().lateDelayMs) = ms;
        return true;
    }
    if (verb == "sync") {
        auto source = SyncSource::Parse(first, seed_);
        if (!source || !second.empty())
            return fail("expected sync drift, constant:V or ramp:START:STEP");
        registers_.Sync() = *source;
        return true;
    }
    if (verb == "unplug" || verb == "replug") {
        if (!first.empty())
            return fail("expected unplug or replug alone");
        plugged_ = verb == "replug";
        return true;
    }
    if (verb == "dump") {
        if (first.empty() || !second.empty())
            return fail("expected dump FILE");
        return Dump(first, error);
    }
    return fail("unknown command");
}

bool Device::Dump(const std::string& path, std::string& error)
{
    // Written beside the target and renamed, so that a reader never sees half a dump.
    const std::string temporary = path + ".new";
    {
        std::ofstream out(temporary, std::ios::trunc);
        out.imbue(std::locale::classic()); // plain digits, whatever locale the process runs in
        for (unsigned r = 0; r < E2promCount; ++r)
            out << "e2prom " << r << ' ' << registers_.E2prom()[r] << '\n';
        for (unsigned r = 0; r < E2promCount; ++r)
            out << "working " << r << ' ' << registers_.Working()[r] << '\n';
        for (unsigned r = E2promCount; r < RegisterCount; ++r)
            if (r != SyncRegister && r != TeleWideReadRegister) // computed on every read
                out << "register " << r << ' ' << registers_.Stored(static_cast<std::uint8_t>(r)) << '\n';
        out << "copies " << registers_.CopyCount() << '\n';
        out << "faults " << protocol_.Faults().Describe() << '\n';
        out.flush();
        if (!out) {
            error = temporary + ": " + std::strerror(errno);
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

} // namespace sim
