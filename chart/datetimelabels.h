#pragma once
// Texts of date and time scale labels: the format strings by calendar level and label format,
// and the elapsed-time label.

#include "chart/dtlabel.h"

#include <QString>

namespace chart {

// Calendar levels of a date-time scale, finest first.
enum class DateTimeLevel { Hundredths, Seconds, Minutes, Hours, Days, Months, Years };

inline constexpr bool IsTimeOfDayLevel(DateTimeLevel l) { return l <= DateTimeLevel::Hours; }

// Format string of a time-of-day label (hundredths … hours) by the label's TimeFormat.
QString TimeLabelFormat(DateTimeLevel level, const TDTLabel& format);

// Format string of the date line written beside time labels.
QString DateLineFormat(const TDTLabel& format);

// Format string of a days-level label; without a year the separator before it stays.
QString DayLabelFormat(const TDTLabel& format);

// Format string of a months-level label; without a year the separator beside it stays.
QString MonthLabelFormat(const TDTLabel& format);

// Text of a years-level label: none, two digits, or the year without leading zeros.
QString YearLabelText(int year, TYearLength length);

// An elapsed time in seconds: a sign character (space or "-"), hours of at least two digits
// (never wrapped at 24), minutes and seconds; with `milliseconds` a "." and three more digits.
QString ElapsedTimeLabel(double seconds, bool milliseconds);

} // namespace chart
