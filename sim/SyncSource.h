#pragma once
// The sync offset the device measures (register 103): signed 16-bit microseconds.

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <string_view>

namespace sim {

class SyncSource {
public:
    enum class Mode { Drift, Constant, Ramp };

    // Slow drift plus noise, seeded for repeatable runs.
    explicit SyncSource(std::uint32_t seed = 1);

    // "drift", "constant:V" or "ramp:START:STEP" (STEP added on every read); nullopt when the
    // text is none of these.
    static std::optional<SyncSource> Parse(std::string_view text, std::uint32_t seed);

    // The offset read at `seconds` after the start; a ramp advances by one step per call.
    std::int16_t Next(double seconds);

    Mode GetMode() const { return mode_; }
    std::string Describe() const;

private:
    Mode mode_ = Mode::Drift;
    std::int32_t value_ = 0;       // constant value, or the ramp's next value
    std::int32_t step_ = 0;
    std::mt19937 random_;
    std::normal_distribution<double> noise_;
};

} // namespace sim
