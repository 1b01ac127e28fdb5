#pragma once
// Ticks of an elapsed-time scale: values are seconds, labelled as hours:minutes:seconds.

#include "chart/datetimetick.h"

#include <optional>

namespace chart {

// One row of the elapsed-time step table: the step in seconds and its short-tick intervals.
struct ElapsedTimeStep {
    double seconds;
    int intervals;
};

// Index (0-based) of the largest table step not above `rawSeconds`, or none when the step
// would be below 1 ms or reach a whole day; then the scale falls back to numeric ticks.
std::optional<int> ElapsedTimeStepIndex(double rawSeconds);
ElapsedTimeStep ElapsedTimeStepAt(int index);

// The ticks of the range low … high (either direction), short ticks first when `shortTicks`
// is on, then the labelled ticks; none when the range is declined (see ElapsedTimeStepIndex).
// Labelled ticks of a horizontal scale with short ticks are not recorded a second time.
std::optional<std::vector<DateTimeTick>> ElapsedTimeTicks(double low, double high, int minTicks,
                                                          bool shortTicks, bool vertical);

} // namespace chart
