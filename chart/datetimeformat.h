#pragma once
// Day counts as dates and times of day, and the chart's own date-time formatter.
// A day count is a Double: day 0 is 30 December 1899 at midnight, the fraction is the time of day.

#include <QLocale>
#include <QString>
#include <cstdint>

namespace chart {

inline constexpr double DayCountFirst = -693593.0;  // 1 January of year 1
inline constexpr double DayCountLast = 2958465.0;   // 31 December 9999
inline constexpr int MaxCalendarYear = 9999;
inline constexpr int64_t MillisecondsPerDay = 86400000;

// A calendar date with a time of day, as the formatter shows it.
struct DateTimeParts {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

// Day count of a date of the proleptic Gregorian calendar (1 January 1 gives -693593).
double DayCountOfDate(int year, int month, int day);

// The date and time of day of a day count counted straight along the time line (floor is the
// day). The time is rounded to the millisecond; values outside year 1 … 9999 are clamped to it.
DateTimeParts DecodeDayCount(double dayCount);

// The date and time in the formatter's convention for values before day 0: the integer part
// (toward zero) is the day and the fraction, counted forward from that day's midnight, is the
// time of day. Non-negative values decode as with DecodeDayCount.
DateTimeParts DecodeFormatterValue(double value);

// Applies a format string to a value in the formatter's convention. Specifiers: h, hh (12-hour
// clock when am/pm is present), nn, ss, z … zzz (milliseconds, at least that many digits), am/pm,
// dd, mm, mmm (short month name of `locale`), yy, yyyy; text in double or single quotes is
// copied literally, every other character as it stands.
QString FormatDateTime(const QString& format, double value, const QLocale& locale = QLocale());

// Formats a day count: values before day 0 are first rewritten into the formatter's convention,
// so that the text shows the day and time the value means on the time line.
QString FormatScaleDate(const QString& format, double dayCount, const QLocale& locale = QLocale());

// The formatter's value for a day count (the rewrite FormatScaleDate applies before formatting).
double ScaleDateToFormatterValue(double dayCount);

// A character as a quoted literal of a format string.
QString QuotedFormatLiteral(QChar c);

} // namespace chart
