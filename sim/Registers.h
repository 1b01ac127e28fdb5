#pragma once
// The device's register file: 128 16-bit registers, of which 0..20 are the E2PROM variables (with
// working copies the device runs on), 98/102 the Tele/Wide command, 101 the copy command and 103
// the measured sync offset.

#include "sim/SyncSource.h"

#include <array>
#include <cstdint>
#include <functional>

namespace sim {

inline constexpr unsigned RegisterCount = 128;
inline constexpr unsigned E2promCount = 21;                 // registers 0..20
inline constexpr std::uint8_t TeleWideWriteRegister = 98;
inline constexpr std::uint8_t CopyToWorkingRegister = 101;  // writing 0 copies the E2PROM to the working registers
inline constexpr std::uint8_t TeleWideReadRegister = 102;   // the low byte of the Tele/Wide command
inline constexpr std::uint8_t SyncRegister = 103;
inline constexpr std::uint16_t CopyCommand = 0;

class Registers {
public:
    using E2promValues = std::array<std::uint16_t, E2promCount>;

    // E2PROM and working copies start at DefaultE2prom(); the sync register follows `sync`.
    explicit Registers(SyncSource sync = SyncSource());

    // Plausible contents for a freshly programmed device.
    static E2promValues DefaultE2prom();

    // The value a read of `reg` (below RegisterCount) returns at `seconds` after the start.
    std::uint16_t Read(std::uint8_t reg, double seconds);
    // What a write of `value` to `reg` (below RegisterCount) does on the device.
    void Write(std::uint8_t reg, std::uint16_t value);
    // Sets a register as if it had been so all along: for E2PROM registers both the E2PROM and
    // the working copy (start-up values).
    void Preset(std::uint8_t reg, std::uint16_t value);

    const E2promValues& E2prom() const { return e2prom_; }
    const E2promValues& Working() const { return working_; }
    void LoadE2prom(const E2promValues& values);
    std::uint16_t Stored(std::uint8_t reg) const { return plain_[reg]; }
    SyncSource& Sync() { return sync_; }
    unsigned CopyCount() const { return copies_; }

    // Called after every change of the E2PROM (to keep its file).
    std::function<void()> onE2promChanged;

private:
    E2promValues e2prom_{};
    E2promValues working_{};
    std::array<std::uint16_t, RegisterCount> plain_{};
    SyncSource sync_;
    unsigned copies_ = 0;
};

} // namespace sim
