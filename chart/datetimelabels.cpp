#include "chart/datetimelabels.h"

#include "chart/datetimeformat.h"

#include <cmath>
#include <cstdint>

namespace chart {

namespace {

QString MonthSpecifier(const TDTLabel& f) { return f.MonthName() ? QStringLiteral("mmm") : QStringLiteral("mm"); }

QString YearSpecifier(TYearLength length)
{
    switch (length) {
    case ylYY: return QStringLiteral("yy");
    case ylYYYY: return QStringLiteral("yyyy");
    case ylNone: break;
    }
    return QString();
}

// Day, month and year in the label's order; an empty year keeps its separator.
QString DayMonthYear(const TDTLabel& f, const QString& year)
{
    const QString d = QuotedFormatLiteral(f.DateSeparator());
    const QString m = MonthSpecifier(f);
    switch (f.DateOrder()) {
    case doMMDDYY: return m + d + "dd" + d + year;
    case doYYMMDD: return year + d + m + d + "dd";
    case doDDMMYY: break;
    }
    return "dd" + d + m + d + year;
}

} // namespace

QString TimeLabelFormat(DateTimeLevel level, const TDTLabel& f)
{
    const QString s = QuotedFormatLiteral(f.TimeSeparator());
    const QString h = QStringLiteral("\"h\"");
    switch (f.TimeFormat()) {
    case tfHHhMM:
        switch (level) {
        case DateTimeLevel::Hours: return "h" + h;
        case DateTimeLevel::Minutes: return "h" + h + "nn";
        case DateTimeLevel::Seconds: return "h" + h + "nn" + s + "ss";
        default: return "h" + h + "nn" + s + "ss.zz";
        }
    case tfAMPM:
        switch (level) {
        case DateTimeLevel::Hours: return QStringLiteral("ham/pm");
        case DateTimeLevel::Minutes: return "h" + s + "nnam/pm";
        case DateTimeLevel::Seconds: return "h" + s + "nn\".\"ssam/pm";
        default: return "h" + s + "nn\".\"ss.zzam/pm";
        }
    case tfHHMMSS: break;
    }
    switch (level) {
    case DateTimeLevel::Hours:
    case DateTimeLevel::Minutes: return "hh" + s + "nn";
    case DateTimeLevel::Seconds: return "hh" + s + "nn" + s + "ss";
    default: return "hh" + s + "nn" + s + "ss.zz";
    }
}

QString DateLineFormat(const TDTLabel& f)
{
    if (f.YearLength() != ylNone)
        return DayMonthYear(f, YearSpecifier(f.YearLength()));
    const QString d = QuotedFormatLiteral(f.DateSeparator());
    const QString m = MonthSpecifier(f);
    // Without a year, year-first order falls back to month before day.
    return f.DateOrder() == doDDMMYY ? "dd" + d + m : m + d + "dd";
}

QString DayLabelFormat(const TDTLabel& f) { return DayMonthYear(f, YearSpecifier(f.YearLength())); }

QString MonthLabelFormat(const TDTLabel& f)
{
    const QString d = QuotedFormatLiteral(f.DateSeparator());
    const QString m = MonthSpecifier(f);
    const QString y = YearSpecifier(f.YearLength());
    return f.DateOrder() == doYYMMDD ? y + d + m : m + d + y;
}

QString YearLabelText(int year, TYearLength length)
{
    switch (length) {
    case ylYY: return QStringLiteral("%1").arg(year % 100, 2, 10, QLatin1Char('0'));
    case ylYYYY: return QString::number(year);
    case ylNone: break;
    }
    return QString();
}

QString ElapsedTimeLabel(double seconds, bool milliseconds)
{
    constexpr int64_t MsPerSecond = 1000;
    constexpr int64_t MsPerMinute = 60 * MsPerSecond;
    constexpr int64_t MsPerHour = 60 * MsPerMinute;
    // Whole milliseconds first, so that 1199.9999999 reads 00:20:00 and not 00:19:59.
    int64_t ms = std::llround(std::fabs(seconds) * double(MsPerSecond));
    if (!milliseconds)
        ms = (ms + MsPerSecond / 2) / MsPerSecond * MsPerSecond;
    const bool negative = seconds < 0 && ms != 0;
    QString text = negative ? QStringLiteral("-") : QStringLiteral(" ");
    text += QStringLiteral("%1:%2:%3")
                .arg(ms / MsPerHour, 2, 10, QLatin1Char('0'))
                .arg(ms % MsPerHour / MsPerMinute, 2, 10, QLatin1Char('0'))
                .arg(ms % MsPerMinute / MsPerSecond, 2, 10, QLatin1Char('0'));
    if (milliseconds)
        text += QStringLiteral(".%1").arg(ms % MsPerSecond, 3, 10, QLatin1Char('0'));
    return text;
}

} // namespace chart
