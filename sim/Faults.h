#pragma once
// Misbehaviours the simulated device can show, switchable at run time.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sim {

enum class Fault : unsigned {
    Silence = 1u << 0,       // reads every byte, answers none
    NoHighByte = 1u << 1,    // answers the low byte of a read, never the high byte
    RefuseWrites = 1u << 2,  // answers a write with 0 and keeps the old value
    NoAck = 1u << 3,         // takes a write but does not answer it
    Late = 1u << 4,          // every reply comes after the late delay
    Stray = 1u << 5,         // sends junk bytes all the time
};

class FaultSet {
public:
    bool Has(Fault f) const { return (bits_ & static_cast<unsigned>(f)) != 0; }
    void Set(Fault f, bool on) { bits_ = on ? (bits_ | static_cast<unsigned>(f)) : (bits_ & ~static_cast<unsigned>(f)); }
    void Clear() { bits_ = 0; }
    bool Empty() const { return bits_ == 0; }
    std::string Describe() const;   // "silence,late" or "none"

    // "silence", "no-high-byte", "refuse-writes", "no-ack", "late", "stray".
    static std::optional<Fault> Parse(std::string_view name);
    static const char* Name(Fault f);

private:
    unsigned bits_ = 0;
};

} // namespace sim
