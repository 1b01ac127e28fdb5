#include "chart/datetimeelapsed.h"
#include "chart/datetimeformat.h"
#include "chart/datetimeticks.h"
#include "support_datetime.h"

#include <gtest/gtest.h>

using namespace chart;

namespace {

const QLocale English(QLocale::English, QLocale::UnitedStates);

constexpr double Hour = 1.0 / 24;
constexpr double Second = Hour / 3600;

QStringList Labels(const std::vector<DateTimeTick>& ticks)
{
    QStringList out;
    for (const DateTimeTick& t : ticks)
        if (t.labelled)
            out << t.label;
    return out;
}

int CountIf(const std::vector<DateTimeTick>& ticks, bool labelled)
{
    int n = 0;
    for (const DateTimeTick& t : ticks)
        n += t.labelled == labelled ? 1 : 0;
    return n;
}

int Recorded(const std::vector<DateTimeTick>& ticks)
{
    int n = 0;
    for (const DateTimeTick& t : ticks)
        n += t.recorded ? 1 : 0;
    return n;
}

// ---- Elapsed time ----------------------------------------------------------------------------

struct ElapsedRow {
    const char* name;
    double low, high;
    bool shortTicks;
    QStringList labels;
    int shortCount;
};

class ElapsedTicksTest : public ::testing::TestWithParam<ElapsedRow> {};

TEST_P(ElapsedTicksTest, LabelsAndShortTicks)
{
    const ElapsedRow& row = GetParam();
    const auto ticks = ElapsedTimeTicks(row.low, row.high, 3, row.shortTicks, false);
    ASSERT_TRUE(ticks.has_value());
    EXPECT_EQ(Labels(*ticks), row.labels);
    EXPECT_EQ(CountIf(*ticks, false), row.shortCount);
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, ElapsedTicksTest,
    ::testing::Values(
        // 3600 s over 3 ticks: 20-minute steps with 6 short intervals.
        ElapsedRow{"hour", 0, 3600, true, {" 00:00:00", " 00:20:00", " 00:40:00", " 01:00:00"}, 19},
        ElapsedRow{"hourNoShort", 0, 3600, false, {" 00:00:00", " 00:20:00", " 00:40:00", " 01:00:00"}, 0},
        ElapsedRow{"reversed", 3600, 0, true, {" 01:00:00", " 00:40:00", " 00:20:00", " 00:00:00"}, 19},
        ElapsedRow{"halfSeconds", 0, 2.5, false,
                   {" 00:00:00.000", " 00:00:00.500", " 00:00:01.000", " 00:00:01.500", " 00:00:02.000",
                    " 00:00:02.500"},
                   0},
        // The short ticks reach the start of a range that begins before a whole step.
        ElapsedRow{"negative", -95, 0, true, {"-00:01:30", "-00:01:00", "-00:00:30", " 00:00:00"}, 20},
        // A range that ends well past the last whole step still gets that step's label.
        ElapsedRow{"lastStep", 59.99, 244.99, true, {" 00:01:00", " 00:02:00", " 00:03:00", " 00:04:00"}, 19},
        // Hours never wrap at 24.
        ElapsedRow{"days", 0, 200000, false, {" 00:00:00", " 12:00:00", " 24:00:00", " 36:00:00", " 48:00:00"}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ElapsedTicks, DeclinesOutsideOneMillisecondToOneDayPerStep)
{
    EXPECT_FALSE(ElapsedTimeTicks(0, 1000000, 3, true, false).has_value());
    EXPECT_FALSE(ElapsedTimeTicks(0, 3 * 86400, 3, true, false).has_value());
    EXPECT_FALSE(ElapsedTimeTicks(0, 0.0029, 3, true, false).has_value());
    EXPECT_TRUE(ElapsedTimeTicks(0, 0.003, 3, true, false).has_value());
    EXPECT_TRUE(ElapsedTimeTicks(0, 3 * 86400 - 3, 3, true, false).has_value());
}

TEST(ElapsedTicks, StepTableChoosesTheLargestStepNotAboveRaw)
{
    struct Row {
        double raw;
        double step;
        int intervals;
    };
    for (const Row& r : {Row{1200, 1200, 6}, Row{1199, 600, 5}, Row{0.001, 0.001, 5}, Row{0.0049, 0.002, 4},
                         Row{86399, 43200, 6}, Row{7200, 7200, 4}, Row{250, 180, 6}}) {
        const auto index = ElapsedTimeStepIndex(r.raw);
        ASSERT_TRUE(index.has_value()) << r.raw;
        EXPECT_EQ(ElapsedTimeStepAt(*index).seconds, r.step) << r.raw;
        EXPECT_EQ(ElapsedTimeStepAt(*index).intervals, r.intervals) << r.raw;
    }
}

TEST(ElapsedTicks, RecordingFollowsTheNumericRule)
{
    // Horizontal with short ticks: the short ticks (which include the labelled positions) only.
    const auto horizontal = ElapsedTimeTicks(0, 3600, 3, true, false);
    EXPECT_EQ(Recorded(*horizontal), 19);
    // Vertical: the short ticks, then the labelled ticks again.
    const auto vertical = ElapsedTimeTicks(0, 3600, 3, true, true);
    EXPECT_EQ(Recorded(*vertical), 19 + 4);
    EXPECT_FALSE(vertical->at(18).labelled);
    EXPECT_TRUE(vertical->at(19).labelled);
    EXPECT_EQ(vertical->at(19).value, 0);
    // Without short ticks every labelled tick is recorded.
    EXPECT_EQ(Recorded(*ElapsedTimeTicks(0, 3600, 3, false, false)), 4);
}

// ---- Date and time -----------------------------------------------------------------------------

constexpr double Dec8th2026 = 46364;

// A label format as a scale sets it up.
struct OwnedFormat : TDTLabel {
    OwnedFormat() { SetOwnerDefaults(); }
};

DateTimeTickPlan Plan(double low, double high, bool vertical = false, bool shortTicks = true, int minTicks = 3,
                      const TDTLabel& format = OwnedFormat())
{
    return DateTimeTicks({low, high, minTicks, shortTicks, vertical}, format, English);
}

TEST(DateTimeTicks, InvalidRangesWriteTheInvalidText)
{
    const QStringList oneLine{"invalid DateTime scale"};
    const QStringList threeLines{"invalid", "DateTime", "scale"};
    EXPECT_EQ(Plan(Dec8th2026 + 1, Dec8th2026).message, oneLine);
    EXPECT_EQ(Plan(Dec8th2026 + 1, Dec8th2026, true).message, threeLines);
    EXPECT_EQ(Plan(-693594, 0).message, oneLine);
    EXPECT_EQ(Plan(0, 3000000.5).message, oneLine);
    EXPECT_TRUE(Plan(1, std::nan("")).ticks.empty());
    // The ends themselves are valid.
    EXPECT_TRUE(Plan(-693593, 3000000).message.isEmpty());
    EXPECT_FALSE(Plan(-693593, 3000000).ticks.empty());
}

TEST(DateTimeTicks, TwoSecondsAreTooFineHorizontallyButShowHundredthsVertically)
{
    const double low = Dec8th2026 + 14 * Hour + 5.0 / 24 / 60 + 30 * Second;
    const double high = low + 2 * Second;
    EXPECT_EQ(Plan(low, high).message, QStringList{"DateTime range is below 1 second"});
    EXPECT_TRUE(Plan(low, high).ticks.empty());

    const DateTimeTickPlan vertical = Plan(low, high, true);
    EXPECT_TRUE(vertical.message.isEmpty());
    EXPECT_EQ(Labels(vertical.ticks),
              (QStringList{"14:05:30.00", "14:05:30.500", "14:05:31.00", "14:05:31.500", "14:05:32.00"}));
    EXPECT_EQ(CountIf(vertical.ticks, false), 16); // short ticks every tenth of a second

    const QStringList fourLines{"DateTime", "range is", "below 1", "second"};
    EXPECT_EQ(Plan(low, low + 0.02 * Second, true).message, fourLines);
}

TEST(DateTimeTicks, LevelByRawStepAndOrientation)
{
    struct Row {
        double raw;
        bool vertical;
        std::optional<DateTimeLevel> level;
    };
    const Row rows[] = {
        {1.0 / 8640000, true, std::nullopt},
        {1.2 / 8640000, true, DateTimeLevel::Hundredths},
        {1.0 / 86400, true, DateTimeLevel::Hundredths},
        {1.0 / 86400, false, DateTimeLevel::Seconds},
        {1.1574e-5, false, std::nullopt},
        {1.0 / 1440, true, DateTimeLevel::Seconds},
        {1.0 / 1440, false, DateTimeLevel::Minutes},
        {0.041667, false, DateTimeLevel::Minutes},
        {0.05, false, DateTimeLevel::Hours},
        {1, true, DateTimeLevel::Hours},
        {1.5, false, DateTimeLevel::Days},
        {30, false, DateTimeLevel::Days},
        {31, false, DateTimeLevel::Months},
        {366, true, DateTimeLevel::Months},
        {367, false, DateTimeLevel::Years},
    };
    for (const Row& r : rows)
        EXPECT_EQ(ChooseDateTimeLevel(r.raw, r.vertical), r.level) << r.raw << (r.vertical ? " vertical" : "");
}

TEST(DateTimeTicks, MidnightToMidnightWithEightHourSteps)
{
    const DateTimeTickPlan plan = Plan(Dec8th2026, Dec8th2026 + 1);
    EXPECT_EQ(Labels(plan.ticks), (QStringList{"00:00", "08:00", "16:00", "00:00"}));
    ASSERT_EQ(plan.ticks.size(), 13u); // every 2 hours
    EXPECT_EQ(plan.ticks[1].value, Dec8th2026 + 2 * Hour);
    QStringList dates;
    for (const DateTimeTick& t : plan.ticks)
        dates << t.dateLine;
    EXPECT_EQ(dates.filter("-"), (QStringList{"08-Dec-2026", "09-Dec-2026"}));
    EXPECT_EQ(plan.ticks.front().dateLine, "08-Dec-2026");
    EXPECT_EQ(plan.ticks.back().dateLine, "09-Dec-2026");
}

TEST(DateTimeTicks, TimesOfDayBeforeDayZero)
{
    // 06:00 to 18:00 on 29 December 1899.
    const DateTimeTickPlan plan = Plan(-0.75, -0.25);
    EXPECT_EQ(Labels(plan.ticks), (QStringList{"06:00", "09:00", "12:00", "15:00", "18:00"}));
    EXPECT_EQ(plan.ticks.front().dateLine, "29-Dec-1899");
    EXPECT_EQ(plan.ticks.front().value, -0.75);
}

TEST(DateTimeTicks, DateForTimeChoosesWhichLabelsGetADate)
{
    struct Row {
        TDateForTime mode;
        int dateLines;
    };
    for (const Row& r : {Row{dtNone, 0}, Row{dtOnePerChart, 1}, Row{dtOnePerDay, 2}, Row{dtAllTicks, 4}}) {
        OwnedFormat f;
        f.SetDateForTime(r.mode);
        const DateTimeTickPlan plan = Plan(Dec8th2026, Dec8th2026 + 1, false, true, 3, f);
        int n = 0;
        for (const DateTimeTick& t : plan.ticks) {
            n += t.dateLine.isEmpty() ? 0 : 1;
            EXPECT_TRUE(t.dateLine.isEmpty() || t.labelled);
        }
        EXPECT_EQ(n, r.dateLines) << r.mode;
    }
}

TEST(DateTimeTicks, AmPmHours)
{
    OwnedFormat f;
    f.SetTimeFormat(tfAMPM);
    EXPECT_EQ(Labels(Plan(Dec8th2026, Dec8th2026 + 4 * Hour, false, true, 3, f).ticks),
              (QStringList{"12am", "1am", "2am", "3am", "4am"}));
    EXPECT_EQ(Labels(Plan(Dec8th2026 + 12 * Hour, Dec8th2026 + 16 * Hour, false, true, 3, f).ticks),
              (QStringList{"12pm", "1pm", "2pm", "3pm", "4pm"}));
}

TEST(DateTimeTicks, DaysWithoutYearEndWithTheSeparator)
{
    OwnedFormat f;
    f.SetYearLength(ylNone);
    f.SetDateOrder(doDDMMYY);
    const double dec1st = 46357;
    const DateTimeTickPlan plan = Plan(dec1st, dec1st + 14, false, true, 3, f);
    EXPECT_EQ(Labels(plan.ticks), (QStringList{"03-Dec-", "06-Dec-", "09-Dec-", "12-Dec-", "15-Dec-"}));
    EXPECT_EQ(plan.ticks.size(), 15u); // one tick a day
    EXPECT_EQ(plan.ticks.front().value, dec1st);

    const DateTimeTickPlan noShort = Plan(dec1st, dec1st + 14, false, false, 3, f);
    EXPECT_EQ(Labels(noShort.ticks), Labels(plan.ticks));
    EXPECT_EQ(noShort.ticks.size(), 5u);
}

TEST(DateTimeTicks, DaysKeepTheirRhythmAcrossDayZero)
{
    // Three-day steps counted from 1 January 1899 run on across 30 December 1899.
    const DateTimeTickPlan plan = Plan(-10, 10, false, true, 3);
    QList<double> labelled;
    for (const DateTimeTick& t : plan.ticks)
        if (t.labelled)
            labelled << t.value;
    ASSERT_GE(labelled.size(), 6);
    for (qsizetype i = 1; i < labelled.size(); ++i)
        EXPECT_EQ(labelled[i] - labelled[i - 1], 3) << labelled[i];
}

TEST(DateTimeTicks, MonthsAcrossAYearBoundary)
{
    const double jun15th2026 = 46188, jun15th2027 = 46553;
    EXPECT_EQ(Labels(Plan(jun15th2026, jun15th2027).ticks),
              (QStringList{"Jul-2026", "Oct-2026", "Jan-2027", "Apr-2027"}));
    EXPECT_EQ(Plan(jun15th2026, jun15th2027).ticks.size(), 12u);
    EXPECT_EQ(Labels(Plan(jun15th2026, jun15th2027, false, false).ticks),
              (QStringList{"Jul-2026", "Oct-2026", "Jan-2027", "Apr-2027"}));

    OwnedFormat f;
    f.SetDateOrder(doYYMMDD);
    f.SetMonthName(false);
    f.SetYearLength(ylYY);
    const double oct1st2026 = 46296, mar1st2027 = 46447;
    EXPECT_EQ(Labels(Plan(oct1st2026, mar1st2027, false, true, 3, f).ticks),
              (QStringList{"26-10", "26-11", "26-12", "27-01", "27-02", "27-03"}));
}

TEST(DateTimeTicks, YearsStopAt9999)
{
    const double year9900 = 2921942;
    const DateTimeTickPlan plan = Plan(year9900, 3000000);
    EXPECT_EQ(Labels(plan.ticks), (QStringList{"9900", "9950"}));
    ASSERT_EQ(plan.ticks.size(), 10u);
    EXPECT_EQ(plan.ticks.back().value, DayCountOfDate(9990, 1, 1));

    const double year9990 = 2954814;
    const DateTimeTickPlan last = Plan(year9990, DayCountLast + 0.5);
    EXPECT_EQ(Labels(last.ticks), (QStringList{"9990", "9992", "9994", "9996", "9998"}));
    EXPECT_EQ(last.ticks.back().value, DayCountOfDate(9999, 1, 1));
}

TEST(DateTimeTicks, YearsStartAfterAYearAlreadyBegun)
{
    const double jul1st2000 = 36708, jan1st2010 = 40179;
    EXPECT_EQ(Labels(Plan(jul1st2000, jan1st2010).ticks),
              (QStringList{"2002", "2004", "2006", "2008", "2010"}));
    EXPECT_EQ(Plan(jul1st2000, jan1st2010).ticks.front().value, DayCountOfDate(2001, 1, 1));
    EXPECT_EQ(Plan(jul1st2000, jan1st2010, false, false).ticks.front().value, DayCountOfDate(2002, 1, 1));

    OwnedFormat yy;
    yy.SetYearLength(ylYY);
    EXPECT_EQ(Labels(Plan(jul1st2000, jan1st2010, false, false, 3, yy).ticks),
              (QStringList{"02", "04", "06", "08", "10"}));
    OwnedFormat none;
    none.SetYearLength(ylNone);
    const DateTimeTickPlan unlabelled = Plan(jul1st2000, jan1st2010, false, false, 3, none);
    EXPECT_EQ(CountIf(unlabelled.ticks, true), 5);
    EXPECT_EQ(Labels(unlabelled.ticks), (QStringList{"", "", "", "", ""}));
}

TEST(DateTimeTicks, EarlyYearsLoseTheirLeadingZeros)
{
    const double year700 = DayCountOfDate(700, 1, 1), year900 = DayCountOfDate(900, 1, 1);
    EXPECT_EQ(Labels(Plan(year700, year900).ticks), (QStringList{"700", "750", "800", "850", "900"}));
}

TEST(DateTimeTicks, TimeLabelFormats)
{
    struct Row {
        TTimeFormat format;
        double low, high;
        const char* firstLabel;
    };
    const double t = Dec8th2026 + 14 * Hour;
    const Row rows[] = {
        {tfHHMMSS, t, t + Hour, "14:00"},
        {tfHHhMM, t, t + 4 * Hour, "14h"},
        {tfHHhMM, t, t + Hour, "14h00"},
        {tfHHhMM, t, t + 60 * Second, "14h00:00"},
        {tfAMPM, t, t + Hour, "2:00pm"},
        {tfAMPM, t, t + 60 * Second, "2:00.00pm"},
        {tfHHMMSS, t, t + 60 * Second, "14:00:00"},
    };
    for (const Row& r : rows) {
        OwnedFormat f;
        f.SetTimeFormat(r.format);
        const QStringList labels = Labels(Plan(r.low, r.high, false, true, 3, f).ticks);
        ASSERT_FALSE(labels.isEmpty());
        EXPECT_EQ(labels.front(), r.firstLabel) << r.format;
    }
    OwnedFormat dots;
    dots.SetTimeSeparator(u'.');
    EXPECT_EQ(Labels(Plan(t, t + Hour, false, true, 3, dots).ticks).front(), "14.00");
}

TEST(DateTimeTicks, DateLineFormats)
{
    struct Row {
        TDateOrder order;
        TYearLength year;
        bool monthName;
        const char* expected;
    };
    const Row rows[] = {
        {doDDMMYY, ylYYYY, true, "08-Dec-2026"}, {doMMDDYY, ylYYYY, true, "Dec-08-2026"},
        {doYYMMDD, ylYY, false, "26-12-08"},     {doDDMMYY, ylNone, true, "08-Dec"},
        {doMMDDYY, ylNone, false, "12-08"},      {doYYMMDD, ylNone, true, "Dec-08"},
    };
    for (const Row& r : rows) {
        OwnedFormat f;
        f.SetDateOrder(r.order);
        f.SetYearLength(r.year);
        f.SetMonthName(r.monthName);
        EXPECT_EQ(Plan(Dec8th2026, Dec8th2026 + 1, false, true, 3, f).ticks.front().dateLine, r.expected)
            << r.order << " " << r.year;
    }
    OwnedFormat quote;
    quote.SetDateSeparator(u'"');
    EXPECT_EQ(Plan(Dec8th2026, Dec8th2026 + 1, false, true, 3, quote).ticks.front().dateLine, "08\"Dec\"2026");
}

TEST(DateTimeTicks, TimeTicksNeverReachPastYear9999)
{
    const DateTimeTickPlan plan = Plan(DayCountLast, DayCountLast + 2);
    ASSERT_FALSE(plan.ticks.empty());
    for (const DateTimeTick& t : plan.ticks)
        EXPECT_LT(t.value, DayCountLast + 1);
}

} // namespace
