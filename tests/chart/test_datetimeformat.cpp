#include "chart/datetimeformat.h"
#include "chart/datetimelabels.h"
#include "support_datetime.h"

#include <gtest/gtest.h>

using namespace chart;

namespace {

const QLocale English(QLocale::English, QLocale::UnitedStates);

constexpr double Hour = 1.0 / 24;
constexpr double Minute = Hour / 60;
constexpr double Second = Minute / 60;
constexpr double Dec8th2026 = 46364;

struct FormatRow {
    const char* format;
    double value;
    const char* expected;
};

class FormatDateTimeTest : public ::testing::TestWithParam<FormatRow> {};

TEST_P(FormatDateTimeTest, WritesTheSpecifiers)
{
    const FormatRow& row = GetParam();
    EXPECT_EQ(FormatScaleDate(QString::fromUtf8(row.format), row.value, English), QString::fromUtf8(row.expected))
        << row.format << " at " << row.value;
}

INSTANTIATE_TEST_SUITE_P(
    Specifiers, FormatDateTimeTest,
    ::testing::Values(
        FormatRow{"dd\"-\"mmm\"-\"yyyy", 0, "30-Dec-1899"},
        FormatRow{"dd\"-\"mm\"-\"yy", 1, "31-12-99"},
        FormatRow{"yyyy\"/\"mm\"/\"dd", Dec8th2026, "2026/12/08"},
        FormatRow{"hh\":\"nn", Dec8th2026 + 14 * Hour + 5 * Minute, "14:05"},
        FormatRow{"hh\":\"nn\":\"ss", Dec8th2026 + 14 * Hour + 5 * Minute + 30 * Second, "14:05:30"},
        FormatRow{"hh\":\"nn\":\"ss.zz", Dec8th2026 + 14 * Hour + 5 * Minute + 30.25 * Second, "14:05:30.250"},
        FormatRow{"hh\":\"nn\":\"ss.zz", Dec8th2026 + 14 * Hour + 5 * Minute + 30.01 * Second, "14:05:30.10"},
        FormatRow{"ss.z", 5.005 * Second, "05.5"},
        FormatRow{"ss.zzz", 5.005 * Second, "05.005"},
        FormatRow{"h\"h\"nn", 9 * Hour + 7 * Minute, "9h07"},
        FormatRow{"ham/pm", 0, "12am"},
        FormatRow{"ham/pm", 13 * Hour, "1pm"},
        FormatRow{"ham/pm", 12 * Hour, "12pm"},
        FormatRow{"hh\":\"nnAM/PM", 11 * Hour + 59 * Minute, "11:59AM"},
        FormatRow{"h", 13 * Hour, "13"},
        // Literals: quoted text, either quote kind, and characters that are no specifier.
        FormatRow{"\"mm dd\"' yy'", 0, "mm dd yy"},
        FormatRow{"dd.mm. x", 1, "31.12. x"},
        // The last millisecond of a day rounds into the next midnight.
        FormatRow{"dd hh:nn:ss.zzz", 1 - 0.0004 * Second, "31 00:00:00.000"},
        // Before day 0: the text shows the day and time the value means on the time line.
        FormatRow{"dd\"-\"mm hh\":\"nn", -0.75, "29-12 06:00"},
        FormatRow{"dd\"-\"mm hh\":\"nn", -1, "29-12 00:00"},
        FormatRow{"dd\"-\"mm hh\":\"nn", -1.5, "28-12 12:00"},
        FormatRow{"dd\"-\"mm hh\":\"nn", -2.0000000001, "28-12 00:00"},
        FormatRow{"dd\"-\"mm hh\":\"nn", -1.9999999999, "28-12 00:00"},
        FormatRow{"dd\"-\"mm hh\":\"nn", -1e-9, "30-12 00:00"},
        // The calendar's ends: years 1 and 9999 with four digits, never past 9999.
        FormatRow{"dd\"-\"mm\"-\"yyyy", -693593, "01-01-0001"},
        FormatRow{"dd\"-\"mm\"-\"yyyy", 2958465.75, "31-12-9999"},
        FormatRow{"dd\"-\"mm\"-\"yyyy", 3000000, "31-12-9999"}));

TEST(FormatDateTime, FormatterConventionKeepsTheIntegerPartAsTheDay)
{
    // -1.25 is day -1 (29 December 1899) at a quarter past midnight's day: 06:00.
    EXPECT_EQ(FormatDateTime("dd hh:nn", -1.25, English), "29 06:00");
    EXPECT_DOUBLE_EQ(ScaleDateToFormatterValue(-0.75), -1.25);
    EXPECT_DOUBLE_EQ(ScaleDateToFormatterValue(-3), -3);
    EXPECT_DOUBLE_EQ(ScaleDateToFormatterValue(2.5), 2.5);
}

TEST(FormatDateTime, MonthNamesComeFromTheLocale)
{
    const QLocale german(QLocale::German, QLocale::Germany);
    const QLocale french(QLocale::French, QLocale::France);
    EXPECT_EQ(FormatScaleDate("mmm", Dec8th2026, german), german.monthName(12, QLocale::ShortFormat));
    EXPECT_EQ(FormatScaleDate("mmm", Dec8th2026, french), french.monthName(12, QLocale::ShortFormat));
    QLocale::setDefault(german);
    EXPECT_EQ(FormatScaleDate("mmm", Dec8th2026), german.monthName(12, QLocale::ShortFormat));
    QLocale::setDefault(English);
    EXPECT_EQ(FormatScaleDate("mmm", Dec8th2026), "Dec");
}

TEST(DayCounts, ConvertExactlyBothWays)
{
    EXPECT_EQ(DayCountOfDate(1899, 12, 30), 0);
    EXPECT_EQ(DayCountOfDate(2026, 12, 8), Dec8th2026);
    EXPECT_EQ(DayCountOfDate(1, 1, 1), DayCountFirst);
    EXPECT_EQ(DayCountOfDate(9999, 12, 31), DayCountLast);
    // A leap day of a century divisible by 400, and one that is not.
    EXPECT_EQ(DayCountOfDate(2000, 3, 1) - DayCountOfDate(2000, 2, 28), 2);
    EXPECT_EQ(DayCountOfDate(1900, 3, 1) - DayCountOfDate(1900, 2, 28), 1);

    const DateTimeParts p = DecodeDayCount(Dec8th2026 + 0.75 + 0.5 * Second);
    EXPECT_EQ(p.year, 2026);
    EXPECT_EQ(p.month, 12);
    EXPECT_EQ(p.day, 8);
    EXPECT_EQ(p.hour, 18);
    EXPECT_EQ(p.minute, 0);
    EXPECT_EQ(p.second, 0);
    EXPECT_EQ(p.millisecond, 500);
    // Straight along the time line, -0.75 is 06:00 on 29 December 1899.
    const DateTimeParts q = DecodeDayCount(-0.75);
    EXPECT_EQ(q.day, 29);
    EXPECT_EQ(q.hour, 6);
}

struct ElapsedRow {
    double seconds;
    bool milliseconds;
    const char* expected;
};

class ElapsedTimeLabelTest : public ::testing::TestWithParam<ElapsedRow> {};

TEST_P(ElapsedTimeLabelTest, SignHoursMinutesSeconds)
{
    const ElapsedRow& row = GetParam();
    EXPECT_EQ(ElapsedTimeLabel(row.seconds, row.milliseconds), QString::fromUtf8(row.expected)) << row.seconds;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ElapsedTimeLabelTest,
    ::testing::Values(ElapsedRow{3725.5, true, " 01:02:05.500"}, ElapsedRow{-90, false, "-00:01:30"},
                      ElapsedRow{0, false, " 00:00:00"}, ElapsedRow{-1e-16, true, " 00:00:00.000"},
                      ElapsedRow{1199.9999999, false, " 00:20:00"},
                      ElapsedRow{100 * 3600 + 59, false, " 100:00:59"},
                      ElapsedRow{0.9995, true, " 00:00:01.000"}, ElapsedRow{0.002, true, " 00:00:00.002"}));

} // namespace
