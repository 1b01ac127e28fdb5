#include "chart/datetimeelapsed.h"

#include "chart/datetimelabels.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace chart {

namespace {

// Steps from 1 ms to 12 h; a raw step of a whole day or more is left to the numeric ticks.
constexpr std::array<ElapsedTimeStep, 27> StepTable = {{
    {0.001, 5}, {0.002, 4}, {0.005, 5}, {0.01, 5}, {0.02, 4}, {0.05, 5}, {0.1, 5},
    {0.2, 4}, {0.5, 5}, {1, 5}, {2, 4}, {5, 5}, {10, 5}, {20, 4},
    {30, 6}, {60, 6}, {120, 6}, {180, 6}, {300, 5}, {600, 5}, {1200, 6},
    {1800, 6}, {3600, 6}, {7200, 4}, {14400, 4}, {21600, 6}, {43200, 6},
}};
constexpr double StepTableBound = 86400; // one day: the table's upper bound
constexpr double BandFactor = 0.999999999;
constexpr double LabelTolerance = 0.01;

// The band end just beyond `v`, outward (down for the lower end, up for the upper end).
double WidenDown(double v) { return v >= 0 ? v * BandFactor : v / BandFactor; }
double WidenUp(double v) { return v > 0 ? v / BandFactor : v * BandFactor; }

double RoundHalfAway(double x) { return std::trunc(x + (x >= 0 ? 0.5 : -0.5)); }

} // namespace

std::optional<int> ElapsedTimeStepIndex(double rawSeconds)
{
    if (!(rawSeconds < StepTableBound))
        return std::nullopt;
    for (int i = int(StepTable.size()) - 1; i >= 0; --i)
        if (StepTable[size_t(i)].seconds <= rawSeconds)
            return i;
    return std::nullopt;
}

ElapsedTimeStep ElapsedTimeStepAt(int index) { return StepTable.at(size_t(index)); }

std::optional<std::vector<DateTimeTick>> ElapsedTimeTicks(double low, double high, int minTicks,
                                                          bool shortTicks, bool vertical)
{
    const std::optional<int> index = ElapsedTimeStepIndex(std::fabs(high - low) / std::max(1, minTicks));
    if (!index)
        return std::nullopt;
    const ElapsedTimeStep entry = StepTable[size_t(*index)];
    const bool milliseconds = entry.seconds < 1;
    const double dir = high > low ? 1.0 : -1.0;
    const double step = dir * entry.seconds;
    const double minor = step / entry.intervals;

    // The band is widened outward at both ends, whichever way the range runs, so that a tick
    // on either end survives rounding noise.
    const double bandLow = WidenDown(std::min(low, high));
    const double bandHigh = WidenUp(std::max(low, high));
    const auto inside = [&](double t) { return bandLow <= t && t <= bandHigh; };

    // The last whole step at or before the range's start, so no tick near the start is missed.
    double k = std::trunc(low / step / BandFactor);
    if (dir * (k * step) > dir * low)
        k -= 1;
    const double first = k * step;
    const double farEnd = dir > 0 ? bandHigh : bandLow;
    const auto count = int64_t(std::floor((farEnd - first) / minor)) + 1;

    std::vector<DateTimeTick> ticks;
    if (shortTicks) {
        for (int64_t o = 0; o <= count; ++o) {
            const double t = first + double(o) * minor;
            if (inside(t))
                ticks.push_back({t, false, true, QString(), QString()});
        }
    }
    for (int64_t o = 0; o <= count; ++o) {
        const double t = first + double(o) * minor;
        const double q = t / step;
        if (std::fabs(q - RoundHalfAway(q)) < LabelTolerance && inside(t))
            ticks.push_back({t, true, vertical || !shortTicks, ElapsedTimeLabel(t, milliseconds), QString()});
    }
    return ticks;
}

} // namespace chart
