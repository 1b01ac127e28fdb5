#pragma once
// Ticks of a date-time scale: values are day counts, ticks fall on clock and calendar units
// (hundredths of a second up to years) and are labelled as times of day, dates, months or years.

#include "chart/dtlabel.h"
#include "chart/datetimelabels.h"
#include "chart/datetimetick.h"

#include <QLocale>
#include <optional>

namespace chart {

inline constexpr double DateTimeRangeLowest = -693593.0; // 1 January of year 1
inline constexpr double DateTimeRangeHighest = 3000000.0;

// The two texts written in place of ticks, one line for horizontal scales.
inline constexpr char InvalidDateTimeText[] = "invalid DateTime scale";
inline constexpr char DateTimeBelowSecondText[] = "DateTime range is below 1 second";

// The same texts split over lines for vertical scales.
QStringList InvalidDateTimeLines(bool vertical);
QStringList DateTimeBelowSecondLines(bool vertical);

// The level for `raw` days per step, or none when the range is too fine for the orientation
// (a horizontal scale stops at one second, a vertical one at a hundredth).
std::optional<DateTimeLevel> ChooseDateTimeLevel(double raw, bool vertical);

struct DateTimeScaleRequest {
    double low = 0;  // RangeLow, a day count
    double high = 1; // RangeHigh
    int minTicks = 3;
    bool shortTicks = true;
    bool vertical = false;
};

// The ticks of a date-time scale in drawing order, or the message written in their place.
// Never produces a date after 31 December 9999.
DateTimeTickPlan DateTimeTicks(const DateTimeScaleRequest& request, const TDTLabel& format,
                               const QLocale& locale = QLocale());

} // namespace chart
