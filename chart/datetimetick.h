#pragma once
// One tick of a date or time scale as computed, before it is mapped and drawn.

#include <QString>
#include <QStringList>
#include <vector>

namespace chart {

struct DateTimeTick {
    double value = 0;      // data value: seconds (elapsed time) or a day count (date-time)
    bool labelled = false; // a long tick with a label; otherwise a short tick
    bool recorded = true;  // enters the scale's tick positions
    QString label;         // may be empty on a labelled tick
    QString dateLine;      // date written beyond a time label; empty for none
};

// What a date or time scale draws: ticks in drawing order, or, when the range cannot be shown,
// a message in place of the ticks (one line on horizontal scales, several on vertical ones).
struct DateTimeTickPlan {
    std::vector<DateTimeTick> ticks;
    QStringList message;
};

} // namespace chart
