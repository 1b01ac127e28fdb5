#include "chart/datetimeticks.h"

#include "chart/datetimeformat.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <span>

namespace chart {

namespace {

// Tolerance in days at both range ends (under a millisecond), so rounding noise in a range end
// neither drops nor adds a tick.
constexpr double EndTolerance = 1e-8;

// Finest step a horizontal scale can show (one second), and a vertical one (a hundredth).
constexpr double HorizontalFinestRaw = 1.1574e-5;
constexpr double VerticalFinestRaw = 1.0 / 8640000.0;

// Upper bounds of raw days per step for each level.
constexpr double HundredthsBound = 1.0 / 86400.0;
constexpr double VerticalSecondsBound = 1.0 / 1440.0;
constexpr double HorizontalSecondsBound = 6.9444e-4;
constexpr double MinutesBound = 0.041667;
constexpr double HoursBound = 1;
constexpr double DaysBound = 30;
constexpr double MonthsBound = 366;

constexpr double DaysPerMonth = 30.4375;
constexpr double DaysPerYear = 365.25;
constexpr int MonthsPerYear = 12;
constexpr double FirstDayAfterLastYear = DayCountLast + 1; // 1 January 10000

struct StepCandidate {
    int64_t labelled;
    int64_t minor;
};

constexpr std::array<StepCandidate, 6> HourSteps = {{{1, 1}, {2, 1}, {3, 1}, {6, 2}, {8, 2}, {12, 3}}};
constexpr std::array<StepCandidate, 6> MinuteSecondSteps = {{{1, 1}, {2, 1}, {5, 1}, {10, 2}, {20, 5}, {30, 10}}};
constexpr std::array<StepCandidate, 6> HundredthSteps = {{{1, 1}, {2, 1}, {5, 1}, {10, 5}, {20, 10}, {50, 10}}};
constexpr std::array<StepCandidate, 6> DaySteps = {{{1, 1}, {2, 1}, {3, 1}, {7, 1}, {14, 7}, {28, 7}}};
constexpr std::array<int, 5> MonthSteps = {1, 2, 3, 4, 6};

// Units per day of the time-of-day levels.
constexpr int64_t HoursPerDay = 24;
constexpr int64_t MinutesPerDay = 1440;
constexpr int64_t SecondsPerDay = 86400;
constexpr int64_t HundredthsPerDay = 8640000;

int64_t FloorMod(int64_t a, int64_t n)
{
    const int64_t r = a % n;
    return r < 0 ? r + n : r;
}

// The largest candidate whose labelled step is not above `units`, the first when none is.
StepCandidate PickStep(std::span<const StepCandidate> candidates, double units)
{
    StepCandidate pick = candidates.front();
    for (const StepCandidate& c : candidates)
        if (double(c.labelled) <= units)
            pick = c;
    return pick;
}

int YearOf(double dayCount) { return DecodeDayCount(std::floor(dayCount)).year; }

// Day of the month as the label shows it.
int DayOfMonthShown(double dayCount) { return DecodeFormatterValue(ScaleDateToFormatterValue(dayCount)).day; }

class PlanBuilder {
public:
    PlanBuilder(const DateTimeScaleRequest& r, const TDTLabel& f, const QLocale& locale)
        : r_(r), f_(f), locale_(locale)
    {
    }

    std::vector<DateTimeTick> TimeOfDay(DateTimeLevel level, double raw);
    std::vector<DateTimeTick> Days(double raw);
    std::vector<DateTimeTick> Months();
    std::vector<DateTimeTick> Years();

private:
    bool BeforeStart(double v) const { return v < r_.low - EndTolerance; }
    bool PastEnd(double v) const { return !(v - r_.high < EndTolerance) || v >= FirstDayAfterLastYear; }
    QString Format(const QString& format, double v) const { return FormatScaleDate(format, v, locale_); }
    QString DateLineAt(double v);

    const DateTimeScaleRequest& r_;
    const TDTLabel& f_;
    const QLocale& locale_;
    int lastDateDay_ = -1; // day of the month of the last date line, per drawing
    bool dateWritten_ = false;
};

QString PlanBuilder::DateLineAt(double v)
{
    bool write = false;
    switch (f_.DateForTime()) {
    case dtNone: break;
    case dtOnePerChart: write = !dateWritten_; break;
    case dtOnePerDay: write = DayOfMonthShown(v) != lastDateDay_; break;
    case dtAllTicks: write = true; break;
    }
    if (!write)
        return QString();
    dateWritten_ = true;
    lastDateDay_ = DayOfMonthShown(v);
    return Format(DateLineFormat(f_), v);
}

std::vector<DateTimeTick> PlanBuilder::TimeOfDay(DateTimeLevel level, double raw)
{
    int64_t unit = HoursPerDay;
    std::span<const StepCandidate> candidates = HourSteps;
    switch (level) {
    case DateTimeLevel::Hundredths: unit = HundredthsPerDay; candidates = HundredthSteps; break;
    case DateTimeLevel::Seconds: unit = SecondsPerDay; candidates = MinuteSecondSteps; break;
    case DateTimeLevel::Minutes: unit = MinutesPerDay; candidates = MinuteSecondSteps; break;
    default: break;
    }
    const StepCandidate step = PickStep(candidates, raw * double(unit));
    const QString labelFormat = TimeLabelFormat(level, f_);

    // Ticks are counted in whole units from day 0, so every value is units / unit exactly.
    const double day = std::floor(r_.low);
    const double fromMidnight = std::ceil((r_.low - day) * double(unit) - EndTolerance * double(unit));
    int64_t first = int64_t(day) * unit + int64_t(std::ceil(fromMidnight / double(step.labelled))) * step.labelled;
    if (r_.shortTicks)
        while (!BeforeStart(double(first - step.minor) / double(unit)))
            first -= step.minor;
    const int64_t increment = r_.shortTicks ? step.minor : step.labelled;

    std::vector<DateTimeTick> ticks;
    for (int64_t units = first;; units += increment) {
        const double v = double(units) / double(unit);
        if (PastEnd(v))
            break;
        if (BeforeStart(v))
            continue;
        DateTimeTick t{v, !r_.shortTicks || FloorMod(units, step.labelled) == 0, true, QString(), QString()};
        if (t.labelled) {
            t.label = Format(labelFormat, v);
            t.dateLine = DateLineAt(v);
        }
        ticks.push_back(t);
    }
    return ticks;
}

std::vector<DateTimeTick> PlanBuilder::Days(double raw)
{
    const StepCandidate step = PickStep(DaySteps, raw);
    const int64_t n = step.labelled;
    const double jan1 = DayCountOfDate(YearOf(r_.low), 1, 1);
    const double first = jan1 + double(n) * std::trunc((r_.low - jan1) / double(n));
    const int64_t residue = FloorMod(std::llround(first), n);
    const int64_t increment = r_.shortTicks ? step.minor : n;
    const QString labelFormat = DayLabelFormat(f_);

    std::vector<DateTimeTick> ticks;
    for (int64_t i = 0;; ++i) {
        const double v = first + double(i * increment);
        if (PastEnd(v))
            break;
        if (BeforeStart(v))
            continue;
        DateTimeTick t{v, !r_.shortTicks || FloorMod(std::llround(v), n) == residue, true, QString(), QString()};
        if (t.labelled)
            t.label = Format(labelFormat, v);
        ticks.push_back(t);
    }
    return ticks;
}

std::vector<DateTimeTick> PlanBuilder::Months()
{
    const double rawMonths = (r_.high - r_.low) / DaysPerMonth / r_.minTicks;
    int n = MonthSteps.front();
    for (int c : MonthSteps)
        if (c <= rawMonths)
            n = c;

    const DateTimeParts start = DecodeDayCount(std::floor(r_.low));
    int year = start.year;
    int month = start.month;
    const auto advance = [&](int by) {
        month += by;
        while (month > MonthsPerYear) {
            month -= MonthsPerYear;
            ++year;
        }
    };
    if (n > 1 && !r_.shortTicks) {
        advance(1);
        while (month % n != 1)
            advance(1);
    }
    const QString labelFormat = MonthLabelFormat(f_);

    std::vector<DateTimeTick> ticks;
    for (; year <= MaxCalendarYear; advance(r_.shortTicks ? 1 : n)) {
        const double v = DayCountOfDate(year, month, 1);
        if (PastEnd(v))
            break;
        if (BeforeStart(v))
            continue;
        DateTimeTick t{v, !(r_.shortTicks && n > 1 && month % n != 1), true, QString(), QString()};
        if (t.labelled)
            t.label = Format(labelFormat, v);
        ticks.push_back(t);
    }
    return ticks;
}

std::vector<DateTimeTick> PlanBuilder::Years()
{
    const double years = std::max(1.0, (r_.high - r_.low) / DaysPerYear / r_.minTicks);
    const double lg = std::log10(years);
    const double fraction = std::pow(10.0, lg - std::trunc(lg));
    const int mantissa = fraction < 2 ? 1 : (fraction < 5 ? 2 : 5);
    const int labelled = int(std::lround(std::trunc(std::pow(10.0, std::trunc(lg))) * mantissa));
    int minor = labelled;
    if (r_.shortTicks && labelled > 1)
        minor = int(std::nearbyint(double(labelled) / (mantissa == 5 ? 5.0 : 2.0)));

    const int startYear = YearOf(r_.low);
    int year = ((startYear - 1) / minor + 1) * minor;
    if (year == startYear && r_.low > DayCountOfDate(startYear, 1, 1) + EndTolerance)
        year += minor;

    std::vector<DateTimeTick> ticks;
    for (; year <= MaxCalendarYear; year += minor) {
        const double v = DayCountOfDate(year, 1, 1);
        if (PastEnd(v))
            break;
        DateTimeTick t{v, !(r_.shortTicks && year % labelled != 0), true, QString(), QString()};
        if (t.labelled)
            t.label = YearLabelText(year, f_.YearLength());
        ticks.push_back(t);
    }
    return ticks;
}

} // namespace

QStringList InvalidDateTimeLines(bool vertical)
{
    if (vertical)
        return {QStringLiteral("invalid"), QStringLiteral("DateTime"), QStringLiteral("scale")};
    return {QString::fromLatin1(InvalidDateTimeText)};
}

QStringList DateTimeBelowSecondLines(bool vertical)
{
    if (vertical)
        return {QStringLiteral("DateTime"), QStringLiteral("range is"), QStringLiteral("below 1"),
                QStringLiteral("second")};
    return {QString::fromLatin1(DateTimeBelowSecondText)};
}

std::optional<DateTimeLevel> ChooseDateTimeLevel(double raw, bool vertical)
{
    if (!(raw > (vertical ? VerticalFinestRaw : HorizontalFinestRaw)))
        return std::nullopt;
    if (vertical && raw <= HundredthsBound)
        return DateTimeLevel::Hundredths;
    if (raw <= (vertical ? VerticalSecondsBound : HorizontalSecondsBound))
        return DateTimeLevel::Seconds;
    if (raw <= MinutesBound)
        return DateTimeLevel::Minutes;
    if (raw <= HoursBound)
        return DateTimeLevel::Hours;
    if (raw <= DaysBound)
        return DateTimeLevel::Days;
    if (raw <= MonthsBound)
        return DateTimeLevel::Months;
    return DateTimeLevel::Years;
}

DateTimeTickPlan DateTimeTicks(const DateTimeScaleRequest& request, const TDTLabel& format,
                               const QLocale& locale)
{
    DateTimeTickPlan plan;
    DateTimeScaleRequest r = request;
    r.minTicks = std::max(1, r.minTicks);
    const bool valid = request.high >= request.low && request.low >= DateTimeRangeLowest
                       && request.high <= DateTimeRangeHighest;
    if (!valid) {
        plan.message = InvalidDateTimeLines(request.vertical);
        return plan;
    }
    const double raw = (r.high - r.low) / r.minTicks;
    const std::optional<DateTimeLevel> level = ChooseDateTimeLevel(raw, request.vertical);
    if (!level) {
        plan.message = DateTimeBelowSecondLines(request.vertical);
        return plan;
    }
    PlanBuilder builder(r, format, locale);
    switch (*level) {
    case DateTimeLevel::Days: plan.ticks = builder.Days(raw); break;
    case DateTimeLevel::Months: plan.ticks = builder.Months(); break;
    case DateTimeLevel::Years: plan.ticks = builder.Years(); break;
    default: plan.ticks = builder.TimeOfDay(*level, raw); break;
    }
    return plan;
}

} // namespace chart
