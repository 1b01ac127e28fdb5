#include "sim/Registers.h"

#include <string>

namespace sim {

namespace {

constexpr std::uint16_t LowByteMask = 0x00FF;
// 1 s power-off (30 per second), 100 ms and 200 ms power-on durations (2000 per ms).
constexpr Registers::E2promValues FactoryE2prom{
    0x0003, 0x002A, 0x007F,         // oscillator page, address, data
    0x0D40, 0x0003,                 // camcorder power-on duration, 200000 half-microseconds
    20,                             // camcorder power-on delay, 10 us
    0x86A0, 0x0001,                 // still camera power-on duration, 100000
    0xFFF6,                         // still camera power-on delay, -5 us
    0x1234, 0x2345, 0x3456, 0x4567, // camcorder commands
    0x5678, 0x6789, 0x789A, 0x89AB, // still camera commands
    120, 15,                        // proportional and integral factors
    30,                             // power-off time, 1 s
    3,                              // empty photo frames
};
constexpr std::uint16_t FactoryTeleWide = 0x0110;

} // namespace

Registers::Registers(SyncSource sync) : sync_(std::move(sync))
{
    e2prom_ = FactoryE2prom;
    working_ = FactoryE2prom;
    plain_[TeleWideWriteRegister] = FactoryTeleWide;
}

Registers::E2promValues Registers::DefaultE2prom()
{
    return FactoryE2prom;
}

std::uint16_t Registers::Read(std::uint8_t reg, double seconds)
{
    if (reg < E2promCount)
        return e2prom_[reg];
    switch (reg) {
    case TeleWideReadRegister:
        return plain_[TeleWideWriteRegister] & LowByteMask;
    case SyncRegister:
        return static_cast<std::uint16_t>(sync_.Next(seconds));
    default:
        return plain_[reg % RegisterCount];
    }
}

void Registers::Write(std::uint8_t reg, std::uint16_t value)
{
    if (reg < E2promCount) {
        e2prom_[reg] = value;
        if (onE2promChanged)
            onE2promChanged();
        return;
    }
    if (reg == CopyToWorkingRegister && value == CopyCommand) {
        working_ = e2prom_;
        ++copies_;
    }
    if (reg == SyncRegister || reg == TeleWideReadRegister)
        return; // measured or derived: a write changes nothing
    plain_[reg % RegisterCount] = value;
}

void Registers::Preset(std::uint8_t reg, std::uint16_t value)
{
    if (reg < E2promCount) {
        e2prom_[reg] = value;
        working_[reg] = value;
        return;
    }
    if (reg == SyncRegister) {
        // A fixed start value for the measured register means a constant measurement.
        const auto signedValue = static_cast<std::int16_t>(value);
        sync_ = *SyncSource::Parse("constant:" + std::to_string(signedValue), 1);
        return;
    }
    plain_[reg % RegisterCount] = value;
}

void Registers::LoadE2prom(const E2promValues& values)
{
    e2prom_ = values;
    working_ = values;
}

} // namespace sim
