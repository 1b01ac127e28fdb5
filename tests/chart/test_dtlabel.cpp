// TDTLabel: fresh values, the owners' values, setters and their notification, Assign.

#include "chart/dtlabel.h"

#include <gtest/gtest.h>

using namespace chart;

namespace {

TEST(DTLabel, FreshLabelHasFirstValuesAndOwnersSetTheirs)
{
    TDTLabel l;
    EXPECT_EQ(l.TimeFormat(), tfHHMMSS);
    EXPECT_EQ(l.DateSeparator(), QChar(0));
    EXPECT_EQ(l.TimeSeparator(), QChar(0));
    EXPECT_EQ(l.YearLength(), ylNone);
    EXPECT_FALSE(l.MonthName());
    EXPECT_EQ(l.DateOrder(), doMMDDYY);
    EXPECT_EQ(l.DateForTime(), dtNone);
    l.SetOwnerDefaults();
    EXPECT_EQ(l.TimeFormat(), tfHHMMSS);
    EXPECT_EQ(l.DateSeparator(), QChar('-'));
    EXPECT_EQ(l.TimeSeparator(), QChar(':'));
    EXPECT_EQ(l.YearLength(), ylYYYY);
    EXPECT_TRUE(l.MonthName());
    EXPECT_EQ(l.DateOrder(), doDDMMYY);
    EXPECT_EQ(l.DateForTime(), dtOnePerDay);
}

TEST(DTLabel, SettersNotifyOnChangeOrAlways)
{
    TDTLabel l;
    l.SetOwnerDefaults();
    int n = 0;
    l.OnChange = [&](TDTLabel* sender) {
        EXPECT_EQ(sender, &l);
        ++n;
    };
    // Unchanged values: these five stay quiet ...
    l.SetDateSeparator(QChar('-'));
    l.SetTimeSeparator(QChar(':'));
    l.SetYearLength(ylYYYY);
    l.SetMonthName(true);
    l.SetDateForTime(dtOnePerDay);
    EXPECT_EQ(n, 0);
    // ... these two notify on every store.
    l.SetTimeFormat(tfHHMMSS);
    l.SetDateOrder(doDDMMYY);
    EXPECT_EQ(n, 2);
    l.SetDateSeparator(QChar('/'));
    l.SetTimeSeparator(QChar('.'));
    l.SetYearLength(ylYY);
    l.SetMonthName(false);
    l.SetDateForTime(dtAllTicks);
    EXPECT_EQ(n, 7);
    EXPECT_EQ(l.DateSeparator(), QChar('/'));
    EXPECT_EQ(l.TimeSeparator(), QChar('.'));
    EXPECT_EQ(l.YearLength(), ylYY);
    EXPECT_FALSE(l.MonthName());
    EXPECT_EQ(l.DateForTime(), dtAllTicks);
}

TEST(DTLabel, AssignCopiesTheSevenValuesAndNotifiesOnce)
{
    TDTLabel a;
    a.SetTimeFormat(tfAMPM);
    a.SetDateSeparator(QChar('.'));
    a.SetTimeSeparator(QChar('h'));
    a.SetYearLength(ylYY);
    a.SetMonthName(true);
    a.SetDateOrder(doYYMMDD);
    a.SetDateForTime(dtOnePerChart);
    TDTLabel b;
    int n = 0;
    b.OnChange = [&](TDTLabel*) { ++n; };
    b.Assign(a);
    EXPECT_TRUE(b.SameValues(a));
    EXPECT_EQ(n, 1);
    b.Assign(a);
    EXPECT_EQ(n, 1); // nothing differed
}

} // namespace
