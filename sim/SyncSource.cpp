#include "sim/SyncSource.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <numbers>

namespace sim {

namespace {

// A crystal's slow wander: two slow swings, a few microseconds of jitter on top.
constexpr double SlowAmplitudeUs = 120.0;
constexpr double SlowPeriodS = 900.0;
constexpr double FasterAmplitudeUs = 25.0;
constexpr double FasterPeriodS = 97.0;
constexpr double NoiseSigmaUs = 4.0;
constexpr double DriftOffsetUs = -40.0;

std::int16_t Saturate(double value)
{
    constexpr double low = std::numeric_limits<std::int16_t>::min();
    constexpr double high = std::numeric_limits<std::int16_t>::max();
    return static_cast<std::int16_t>(std::lround(std::clamp(value, low, high)));
}

std::optional<std::int32_t> ParseInt(std::string_view text)
{
    std::int32_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

} // namespace

SyncSource::SyncSource(std::uint32_t seed) : random_(seed), noise_(0.0, NoiseSigmaUs) {}

std::optional<SyncSource> SyncSource::Parse(std::string_view text, std::uint32_t seed)
{
    SyncSource source(seed);
    if (text == "drift")
        return source;
    constexpr std::string_view constant = "constant:";
    constexpr std::string_view ramp = "ramp:";
    if (text.starts_with(constant)) {
        auto value = ParseInt(text.substr(constant.size()));
        if (!value)
            return std::nullopt;
        source.mode_ = Mode::Constant;
        source.value_ = *value;
        return source;
    }
    if (text.starts_with(ramp)) {
        text.remove_prefix(ramp.size());
        const auto colon = text.find(':');
        if (colon == std::string_view::npos)
            return std::nullopt;
        auto start = ParseInt(text.substr(0, colon));
        auto step = ParseInt(text.substr(colon + 1));
        if (!start || !step)
            return std::nullopt;
        source.mode_ = Mode::Ramp;
        source.value_ = *start;
        source.step_ = *step;
        return source;
    }
    return std::nullopt;
}

std::int16_t SyncSource::Next(double seconds)
{
    switch (mode_) {
    case Mode::Constant:
        return Saturate(value_);
    case Mode::Ramp: {
        const std::int16_t now = Saturate(value_);
        value_ = static_cast<std::int32_t>(std::clamp<std::int64_t>(std::int64_t{value_} + step_,
            std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
        return now;
    }
    case Mode::Drift:
        break;
    }
    const double phase = 2.0 * std::numbers::pi * seconds;
    return Saturate(DriftOffsetUs + SlowAmplitudeUs * std::sin(phase / SlowPeriodS)
        + FasterAmplitudeUs * std::sin(phase / FasterPeriodS) + noise_(random_));
}

std::string SyncSource::Describe() const
{
    switch (mode_) {
    case Mode::Constant: return "constant:" + std::to_string(value_);
    case Mode::Ramp: return "ramp:" + std::to_string(value_) + ":" + std::to_string(step_);
    case Mode::Drift: break;
    }
    return "drift";
}

} // namespace sim
