#include "sim/Faults.h"

#include <array>
#include <utility>

namespace sim {

namespace {

constexpr std::array<std::pair<Fault, const char*>, 6> Names{{
    {Fault::Silence, "silence"},
    {Fault::NoHighByte, "no-high-byte"},
    {Fault::RefuseWrites, "refuse-writes"},
    {Fault::NoAck, "no-ack"},
    {Fault::Late, "late"},
    {Fault::Stray, "stray"},
}};

} // namespace

std::optional<Fault> FaultSet::Parse(std::string_view name)
{
    for (const auto& [fault, text] : Names)
        if (name == text)
            return fault;
    return std::nullopt;
}

const char* FaultSet::Name(Fault f)
{
    for (const auto& [fault, text] : Names)
        if (fault == f)
            return text;
    return "?";
}

std::string FaultSet::Describe() const
{
    std::string text;
    for (const auto& [fault, name] : Names) {
        if (!Has(fault))
            continue;
        if (!text.empty())
            text += ',';
        text += name;
    }
    return text.empty() ? "none" : text;
}

} // namespace sim
