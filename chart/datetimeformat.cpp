#include "chart/datetimeformat.h"

#include <QDate>
#include <cmath>

namespace chart {

namespace {

const QDate DayZero(1899, 12, 30);

constexpr double TinyDayFraction = 1e-8; // |v| below this is day 0 exactly
constexpr int HoursPerHalfDay = 12;
constexpr int64_t MillisecondsPerSecond = 1000;
constexpr int64_t MillisecondsPerMinute = 60 * MillisecondsPerSecond;
constexpr int64_t MillisecondsPerHour = 60 * MillisecondsPerMinute;
constexpr QLatin1StringView AmPm("am/pm");

// Day index plus a non-negative fraction of a day, rounded to the millisecond.
DateTimeParts PartsOf(double day, double fraction)
{
    int64_t ms = std::llround(fraction * double(MillisecondsPerDay));
    if (ms >= MillisecondsPerDay) { // 23:59:59.9996 shows as the next midnight
        day += 1;
        ms -= MillisecondsPerDay;
    }
    if (day < DayCountFirst) {
        day = DayCountFirst;
        ms = 0;
    } else if (day > DayCountLast) { // the formatter never shows a year past 9999
        day = DayCountLast;
        ms = MillisecondsPerDay - 1;
    }
    DateTimeParts p;
    const QDate date = DayZero.addDays(int64_t(day));
    p.year = date.year();
    p.month = date.month();
    p.day = date.day();
    p.hour = int(ms / MillisecondsPerHour);
    p.minute = int(ms % MillisecondsPerHour / MillisecondsPerMinute);
    p.second = int(ms % MillisecondsPerMinute / MillisecondsPerSecond);
    p.millisecond = int(ms % MillisecondsPerSecond);
    return p;
}

QString Padded(int value, int digits) { return QStringLiteral("%1").arg(value, digits, 10, QLatin1Char('0')); }

bool StartsWithAt(const QString& s, qsizetype i, QLatin1StringView what)
{
    return QStringView(s).mid(i, what.size()).compare(what, Qt::CaseInsensitive) == 0;
}

qsizetype RunLength(const QString& s, qsizetype i, QChar c, qsizetype limit)
{
    qsizetype n = 0;
    while (i + n < s.size() && n < limit && s[i + n].toLower() == c)
        ++n;
    return n;
}

bool HasAmPm(const QString& format)
{
    QChar quote;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (StartsWithAt(format, i, AmPm)) {
            return true;
        }
    }
    return false;
}

} // namespace

double DayCountOfDate(int year, int month, int day)
{
    return double(DayZero.daysTo(QDate(year, month, day)));
}

DateTimeParts DecodeDayCount(double dayCount)
{
    const double day = std::floor(dayCount);
    return PartsOf(day, dayCount - day);
}

DateTimeParts DecodeFormatterValue(double value)
{
    const double day = std::trunc(value);
    return PartsOf(day, std::fabs(value - day));
}

QString FormatDateTime(const QString& format, double value, const QLocale& locale)
{
    const DateTimeParts p = DecodeFormatterValue(value);
    const bool twelveHour = HasAmPm(format);
    int hour = p.hour;
    if (twelveHour) {
        hour %= HoursPerHalfDay;
        if (hour == 0)
            hour = HoursPerHalfDay;
    }

    QString out;
    qsizetype i = 0;
    while (i < format.size()) {
        const QChar c = format[i];
        const QChar lower = c.toLower();
        if (c == u'"' || c == u'\'') {
            const qsizetype end = format.indexOf(c, i + 1);
            const qsizetype stop = end < 0 ? format.size() : end;
            out += format.mid(i + 1, stop - i - 1);
            i = end < 0 ? stop : end + 1;
        } else if (StartsWithAt(format, i, AmPm)) {
            const bool upper = c.isUpper();
            const QString text = p.hour < HoursPerHalfDay ? QStringLiteral("am") : QStringLiteral("pm");
            out += upper ? text.toUpper() : text;
            i += AmPm.size();
        } else if (lower == u'h') {
            const qsizetype n = RunLength(format, i, u'h', 2);
            out += n == 2 ? Padded(hour, 2) : QString::number(hour);
            i += n;
        } else if (lower == u'n' && RunLength(format, i, u'n', 2) == 2) {
            out += Padded(p.minute, 2);
            i += 2;
        } else if (lower == u's' && RunLength(format, i, u's', 2) == 2) {
            out += Padded(p.second, 2);
            i += 2;
        } else if (lower == u'z') {
            const qsizetype n = RunLength(format, i, u'z', 3);
            out += Padded(p.millisecond, int(n));
            i += n;
        } else if (lower == u'd' && RunLength(format, i, u'd', 2) == 2) {
            out += Padded(p.day, 2);
            i += 2;
        } else if (lower == u'm' && RunLength(format, i, u'm', 3) == 3) {
            out += locale.monthName(p.month, QLocale::ShortFormat);
            i += 3;
        } else if (lower == u'm' && RunLength(format, i, u'm', 2) == 2) {
            out += Padded(p.month, 2);
            i += 2;
        } else if (lower == u'y' && RunLength(format, i, u'y', 4) == 4) {
            out += Padded(p.year, 4);
            i += 4;
        } else if (lower == u'y' && RunLength(format, i, u'y', 2) == 2) {
            out += Padded(p.year % 100, 2);
            i += 2;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

double ScaleDateToFormatterValue(double dayCount)
{
    if (std::fabs(dayCount) < TinyDayFraction)
        return 0.0;
    if (dayCount >= 0.0)
        return dayCount;
    const double whole = std::trunc(dayCount);
    const double fraction = dayCount - whole; // zero or negative
    if (fraction <= -TinyDayFraction)
        return std::floor(dayCount) - fraction - 1.0; // = 2 × floor(v) − v
    // A hair below a whole day is that day's midnight, not the end of the day before it.
    return whole;
}

QString FormatScaleDate(const QString& format, double dayCount, const QLocale& locale)
{
    return FormatDateTime(format, ScaleDateToFormatterValue(dayCount), locale);
}

QString QuotedFormatLiteral(QChar c)
{
    // A separator that is itself a quote character is wrapped in the other kind.
    const QChar quote = c == u'"' ? QChar(u'\'') : QChar(u'"');
    return QString(quote) + c + quote;
}

} // namespace chart
