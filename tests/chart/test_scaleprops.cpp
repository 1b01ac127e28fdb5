// The scale property sets: values, range rules, MinRange, Logarithmic, ScalePos slots, events.

#include "chart/scaleprops.h"

#include <gtest/gtest.h>

using namespace chart;

namespace {

struct Counter {
    int changes = 0;
    void Hook(TScaleProps& p)
    {
        p.OnChange = [this, &p](TScaleProps* sender) {
            EXPECT_EQ(sender, &p);
            ++changes;
        };
    }
};

TEST(ScaleProps, ConstructorValues)
{
    TScalePropsHoriz h;
    TScalePropsVert v;
    EXPECT_TRUE(h.Caption().isEmpty());
    EXPECT_EQ(h.CaptionPosX(), 0);
    EXPECT_EQ(h.CaptionPosY(), 0);
    EXPECT_EQ(h.CaptionAlignment(), taCenter);
    EXPECT_EQ(h.CaptionAnchor(), uaSclTopLft);
    EXPECT_EQ(h.ColorScale(), clBlack);
    EXPECT_EQ(h.DecPlaces(), -2);
    EXPECT_FALSE(h.Logarithmic());
    EXPECT_EQ(h.LabelType(), ftNum);
    EXPECT_EQ(h.MinTicks(), 3);
    EXPECT_EQ(h.MinRange(), 1e-10);
    EXPECT_EQ(h.RangeLow(), 0);
    EXPECT_EQ(h.RangeHigh(), 1);
    EXPECT_TRUE(h.ShortTicks());
    EXPECT_EQ(h.ScalePos(), 0);
    EXPECT_FALSE(h.Visible());
    EXPECT_TRUE(h.LoadingFlag());
    EXPECT_EQ(h.ScaleLocation(), slBottom);
    EXPECT_EQ(h.ScaleType(), sctXT);
    EXPECT_EQ(v.ScaleLocation(), slLeft);
    EXPECT_EQ(v.ScaleType(), sctYR);
    EXPECT_EQ(h.DateFormat().TimeSeparator(), QChar(':'));
    EXPECT_EQ(h.DateFormat().DateOrder(), doDDMMYY);
}

TEST(ScaleProps, EveryStoringSetterRaisesOnChange)
{
    TScalePropsHoriz p;
    Counter c;
    c.Hook(p);
    p.SetCaption("x");
    p.SetCaptionPosX(1);
    p.SetCaptionPosY(2);
    p.SetCaptionAlignment(taLeftJustify);
    p.SetCaptionAnchor(uaSclCenter);
    p.SetColorScale(clRed);
    p.SetDecPlaces(2);
    p.SetFont(TFont());
    p.SetLabelType(ftUserText);
    p.SetMinTicks(40); // unchecked
    p.SetShortTicks(false);
    p.SetScaleInscript("kg");
    p.SetScalePos(30);
    p.SetUserTickText("a|b");
    p.SetVisible(true);
    p.SetScaleType(sctXB);
    p.SetScaleLocation(slTop);
    p.DateFormat().SetMonthName(false); // the owned label notifies through the set
    EXPECT_EQ(c.changes, 18);
    EXPECT_EQ(p.MinTicks(), 40);
}

TEST(ScaleProps, DecPlacesClampAndLabelTypeSideEffects)
{
    TScalePropsVert p;
    p.SetDecPlaces(-7);
    EXPECT_EQ(p.DecPlaces(), -3);
    p.SetDecPlaces(99);
    EXPECT_EQ(p.DecPlaces(), 12);
    p.SetLabelType(ftTime);
    EXPECT_EQ(p.DecPlaces(), 4);
    p.SetRangeLow(1);
    p.SetRangeHigh(10);
    p.Loaded();
    p.SetLogarithmic(true);
    EXPECT_TRUE(p.Logarithmic());
    p.SetLabelType(ftDateTime);
    EXPECT_FALSE(p.Logarithmic());
    p.SetLogarithmic(true);
    EXPECT_FALSE(p.Logarithmic());
}

struct RangeCase {
    const char* name;
    double low, high;   // starting range (set directly)
    bool setLow;        // which end is then set
    double value;
    double expectLow, expectHigh;
};

class RangeRuleTest : public ::testing::TestWithParam<RangeCase> {};

TEST_P(RangeRuleTest, KeepsTheRangeAtLeastMinRangeWide)
{
    const RangeCase& c = GetParam();
    TScalePropsHoriz p;
    p.SetRangeHigh(c.high);
    p.SetRangeLow(c.low);
    Counter counter;
    counter.Hook(p);
    if (c.setLow)
        p.SetRangeLow(c.value);
    else
        p.SetRangeHigh(c.value);
    EXPECT_DOUBLE_EQ(p.RangeLow(), c.expectLow);
    EXPECT_DOUBLE_EQ(p.RangeHigh(), c.expectHigh);
    EXPECT_EQ(counter.changes, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, RangeRuleTest,
    ::testing::Values(RangeCase{"low_onto_high", 0, 5, true, 5, 5, 5 + 1e-10},
                      RangeCase{"high_onto_low", 2, 5, false, 2, 2 - 1e-10, 2},
                      RangeCase{"low_near_high", 0, 5, true, 5 - 1e-11, 5 - 1e-11, 5 - 1e-11 + 1e-10},
                      RangeCase{"reversed_kept", 0, 0 + 20, true, 30, 30, 20},
                      RangeCase{"plain", 0, 5, false, 8, 0, 8}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ScaleProps, ReversedAssignmentIsStored)
{
    TScalePropsHoriz p;
    p.SetRangeHigh(0);
    EXPECT_DOUBLE_EQ(p.RangeLow(), -1e-10); // 0 … 0 would be empty
    p.SetRangeHigh(0);
    p.SetRangeLow(10);
    EXPECT_EQ(p.RangeLow(), 10);
    EXPECT_EQ(p.RangeHigh(), 0);
}

TEST(ScaleProps, LogarithmicSetsIgnoreEndsBelowTheFloor)
{
    TScalePropsVert p;
    p.SetRangeHigh(100);
    p.SetRangeLow(1);
    p.Loaded();
    p.SetLogarithmic(true);
    ASSERT_TRUE(p.Logarithmic());
    Counter c;
    c.Hook(p);
    p.SetRangeLow(-5);
    EXPECT_EQ(p.RangeLow(), 1);
    EXPECT_EQ(p.RangeHigh(), 100);
    p.SetRangeHigh(0);
    EXPECT_EQ(p.RangeHigh(), 100);
    EXPECT_EQ(c.changes, 2); // raised all the same
}

TEST(ScaleProps, LogarithmicAcceptedUncheckedWhileLoading)
{
    TScalePropsHoriz p; // range 0 … 1
    p.SetLogarithmic(true);
    EXPECT_TRUE(p.Logarithmic());
    p.SetLogarithmic(false);
    p.Loaded();
    Counter c;
    c.Hook(p);
    p.SetLogarithmic(true);
    EXPECT_FALSE(p.Logarithmic());
    EXPECT_EQ(c.changes, 1);
}

TEST(ScaleProps, MinRangeWidensAboutTheCentre)
{
    TScalePropsHoriz p;
    p.SetRangeHigh(6);
    p.SetRangeLow(4);
    Counter c;
    c.Hook(p);
    p.SetMinRange(10);
    EXPECT_EQ(p.MinRange(), 10);
    EXPECT_EQ(p.RangeLow(), 0);
    EXPECT_EQ(p.RangeHigh(), 10);
    EXPECT_EQ(c.changes, 1);

    p.SetMinRange(1); // wide enough already: no event
    p.SetRangeHigh(20);
    c.changes = 0;
    p.SetMinRange(10);
    EXPECT_EQ(p.RangeLow(), 0);
    EXPECT_EQ(p.RangeHigh(), 20);
    EXPECT_EQ(c.changes, 0);

    p.SetMinRange(1e-100); // too small: ignored
    p.SetMinRange(-3);
    EXPECT_EQ(p.MinRange(), 10);
    EXPECT_EQ(c.changes, 0);
}

TEST(ScaleProps, ScalePosHasOneSlotPerOrientation)
{
    TScalePropsHoriz p; // sctXT
    p.SetScalePos(30);
    EXPECT_EQ(p.ScalePos(), 30);
    p.SetScaleType(sctYL);
    EXPECT_EQ(p.ScalePos(), 0);
    p.SetScalePos(50);
    p.SetScaleType(sctXB);
    EXPECT_EQ(p.ScalePos(), 30);
    p.SetScaleType(sctYR);
    EXPECT_EQ(p.ScalePos(), 50);
}

TEST(ScaleProps, ScaleLocationSetsTheType)
{
    TScalePropsHoriz h;
    h.SetScaleLocation(slTop);
    EXPECT_EQ(h.ScaleType(), sctXB);
    h.SetScaleLocation(slBottom);
    EXPECT_EQ(h.ScaleType(), sctXT);
    h.SetScaleLocation(static_cast<TScaleLocationHoriz>(7));
    EXPECT_EQ(h.ScaleType(), sctXT);

    TScalePropsVert v;
    v.SetScaleLocation(slRight);
    EXPECT_EQ(v.ScaleType(), sctYL);
    v.SetScaleLocation(slLeft);
    EXPECT_EQ(v.ScaleType(), sctYR);
    v.SetScaleLocation(static_cast<TScaleLocationVert>(-1));
    EXPECT_EQ(v.ScaleType(), sctYR);
}

TEST(ScaleProps, AssignCopiesEverythingWithOneEvent)
{
    TScalePropsVert a;
    a.SetRangeHigh(50);
    a.SetRangeLow(5);
    a.SetCaption("V");
    a.SetScaleLocation(slRight);
    a.SetScalePos(50);
    a.SetMinRange(2);
    a.DateFormat().SetDateForTime(dtAllTicks);
    TScalePropsVert b;
    Counter c;
    c.Hook(b);
    int labelChanges = 0;
    b.DateFormat().OnChange = [&](TDTLabel*) { ++labelChanges; };
    a.AssignTo(b);
    EXPECT_EQ(c.changes, 1);
    EXPECT_EQ(labelChanges, 0);
    EXPECT_EQ(b.RangeLow(), 5);
    EXPECT_EQ(b.RangeHigh(), 50);
    EXPECT_EQ(b.Caption(), "V");
    EXPECT_EQ(b.ScaleLocation(), slRight);
    EXPECT_EQ(b.ScaleType(), sctYL);
    EXPECT_EQ(b.ScalePos(), 50);
    EXPECT_EQ(b.MinRange(), 2);
    EXPECT_EQ(b.DateFormat().DateForTime(), dtAllTicks);
}

} // namespace
