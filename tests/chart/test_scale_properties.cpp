// TScale's properties: constructor values, setter rules, the mapping and Assign.

#include "support_scaledrawing.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>
#include <cmath>

using namespace chart;
using testsupport::MakeScale;

namespace {

TEST(ScaleProperties, ConstructorValues)
{
    TScale s;
    EXPECT_EQ(s.Width(), 400);
    EXPECT_EQ(s.Height(), 400);
    EXPECT_TRUE(s.Caption().isEmpty());
    EXPECT_EQ(s.CaptionPosX(), 4);
    EXPECT_EQ(s.CaptionPosY(), 4);
    EXPECT_EQ(s.CaptionAlignment(), taCenter);
    EXPECT_EQ(s.CaptionAnchor(), uaSclTopLft);
    EXPECT_EQ(s.ColorBackGnd(), clBtnFace);
    EXPECT_EQ(s.ColorScale(), clBlack);
    EXPECT_EQ(s.ColorScheme(), csBWG);
    EXPECT_EQ(s.DecPlaces(), -2);
    EXPECT_EQ(s.FrameStyle(), fsLowered);
    EXPECT_EQ(s.LabelType(), ftNum);
    EXPECT_FALSE(s.Logarithmic());
    EXPECT_EQ(s.MarginTop(), 20);
    EXPECT_EQ(s.MarginBottom(), 20);
    EXPECT_EQ(s.MarginLeft(), 20);
    EXPECT_EQ(s.MarginRight(), 20);
    EXPECT_EQ(s.MinTicks(), 3);
    EXPECT_EQ(s.NumTicks(), 0);
    EXPECT_EQ(s.RangeLow(), 0);
    EXPECT_EQ(s.RangeHigh(), 100);
    EXPECT_TRUE(s.ShortTicks());
    EXPECT_TRUE(s.ShowBaseLine());
    EXPECT_EQ(s.ScaleType(), sctXB);
    EXPECT_FALSE(s.Transparent());
    EXPECT_FALSE(s.SuspendPaint());
    EXPECT_FALSE(s.DirectPaint());
    EXPECT_TRUE(s.LoadingFlag());
    EXPECT_EQ(s.TargetCanvas(), nullptr);
    EXPECT_EQ(s.DateFormat().DateSeparator(), QChar('-'));
    EXPECT_EQ(s.DateFormat().DateForTime(), dtOnePerDay);
    EXPECT_EQ(s.Font().Font.pixelSize(), 11);
    EXPECT_EQ(s.FrameColorDark(), clBlack);
    EXPECT_EQ(s.FrameColorShadow(), clGray);
    EXPECT_EQ(s.FrameColorHighlight(), clWhite);
}

struct ClampCase {
    int given;
    int expected;
};

TEST(ScaleProperties, ClampsMinTicksDecPlacesAndMargins)
{
    TScale s;
    for (ClampCase c : {ClampCase{1, 2}, ClampCase{11, 10}, ClampCase{5, 5}, ClampCase{-4, 2}}) {
        s.SetMinTicks(c.given);
        EXPECT_EQ(s.MinTicks(), c.expected) << c.given;
    }
    for (ClampCase c : {ClampCase{-7, -3}, ClampCase{13, 12}, ClampCase{-1, -1}, ClampCase{12, 12}}) {
        s.SetDecPlaces(c.given);
        EXPECT_EQ(s.DecPlaces(), c.expected) << c.given;
    }
    s.SetMarginTop(-5);
    s.SetMarginBottom(-1);
    s.SetMarginLeft(-9);
    s.SetMarginRight(7);
    EXPECT_EQ(s.MarginTop(), 0);
    EXPECT_EQ(s.MarginBottom(), 0);
    EXPECT_EQ(s.MarginLeft(), 0);
    EXPECT_EQ(s.MarginRight(), 7);
}

TEST(ScaleProperties, EqualRangeEndsPushTheOtherEnd)
{
    TScale s;
    s.SetRangeLow(5);
    s.SetRangeHigh(5);
    EXPECT_EQ(s.RangeHigh(), 5);
    EXPECT_EQ(s.RangeLow(), 6); // reversed by one unit
    s.SetRangeHigh(9);
    s.SetRangeLow(9);
    EXPECT_EQ(s.RangeLow(), 9);
    EXPECT_EQ(s.RangeHigh(), 10);
}

TEST(ScaleProperties, LogarithmicNeedsPositiveEndsOnceLoaded)
{
    TScale s;
    s.SetRangeLow(0);
    s.SetLogarithmic(true); // still loading: accepted unchecked
    EXPECT_TRUE(s.Logarithmic());
    s.SetLogarithmic(false);
    s.Loaded();
    EXPECT_FALSE(s.LoadingFlag());
    s.SetLogarithmic(true);
    EXPECT_FALSE(s.Logarithmic());
    s.SetRangeLow(1e-100);
    s.SetLogarithmic(true);
    EXPECT_TRUE(s.Logarithmic());
    s.SetLabelType(ftDateTime); // date-time scales are linear
    EXPECT_FALSE(s.Logarithmic());
    s.SetLogarithmic(true);
    EXPECT_FALSE(s.Logarithmic());
    s.SetLabelType(ftTime);
    EXPECT_EQ(s.DecPlaces(), 4);
}

TEST(ScaleMapping, RangeEndsLandOnTheMargins)
{
    TScale s;
    s.SetBounds(0, 0, 681, 281);
    s.SetMarginLeft(50);
    s.SetMarginRight(22);
    s.SetRangeLow(-3);
    s.SetRangeHigh(7);
    EXPECT_EQ(s.ValueToPixel(-3), 50);
    EXPECT_EQ(s.ValueToPixel(7), 681 - 22 - 1);
    s.SetScaleType(sctYL);
    s.SetMarginTop(16);
    s.SetMarginBottom(33);
    EXPECT_EQ(s.ValueToPixel(-3), 281 - 33 - 1);
    EXPECT_EQ(s.ValueToPixel(7), 16);
    EXPECT_LT(s.PixelFactor(), 0);
}

TEST(ScaleMapping, LogarithmicMapping)
{
    TScale s;
    s.SetBounds(0, 0, 321, 100);
    s.SetRangeLow(1);
    s.SetRangeHigh(1000);
    s.SetLogarithmic(true);
    EXPECT_EQ(s.ValueToPixel(1), 20);
    EXPECT_EQ(s.ValueToPixel(10), 20 + 280 / 3 + 0); // 113.33 → 113
    EXPECT_EQ(s.ValueToPixel(1000), 300);
    EXPECT_EQ(s.ValueToPixel(0), 0);  // no logarithm: the low end of the control
    EXPECT_EQ(s.ValueToPixel(-5), 0);
    s.SetRangeLow(2000); // reversed
    EXPECT_EQ(s.ValueToPixel(0), 321);
}

TEST(ScaleMapping, LogarithmicMappingKeepsItselfOnANonPositiveRange)
{
    TScale s;
    s.SetRangeLow(1);
    s.SetRangeHigh(100);
    s.SetLogarithmic(true);
    const double factor = s.PixelFactor();
    const double offset = s.PixelOffset();
    s.SetRangeLow(-1); // only possible while loading; the mapping stays
    EXPECT_EQ(s.PixelFactor(), factor);
    EXPECT_EQ(s.PixelOffset(), offset);
}

TEST(ScaleMapping, NoRoomMapsEverythingToTheMiddle)
{
    TScale s;
    s.SetBounds(0, 0, 40, 90);
    s.SetMarginLeft(20);
    s.SetMarginRight(20);
    EXPECT_EQ(s.PixelFactor(), 0);
    EXPECT_EQ(s.ValueToPixel(12345), 20);
    s.SetScaleType(sctYR);
    s.SetMarginTop(70);
    EXPECT_EQ(s.ValueToPixel(-1), 45);
}

TEST(ScaleMapping, PixelsAreClampedAndRoundedHalfToEven)
{
    TScale s;
    s.SetBounds(0, 0, 141, 100); // length 100 over 0 … 100: one pixel per unit
    EXPECT_EQ(s.ValueToPixel(0.5), 20);  // 20.5 → 20
    EXPECT_EQ(s.ValueToPixel(1.5), 22);  // 21.5 → 22
    EXPECT_EQ(s.ValueToPixel(1e300), 2147483647);
    EXPECT_EQ(s.ValueToPixel(-1e300), -2147483647);
    EXPECT_EQ(s.ValueToPixel(std::nan("")), 0);
}

TEST(ScaleAssign, CopiesSettingsButNotFontDateFormatOrVisibility)
{
    auto a = MakeScale(sctYL, 2, 8);
    a->SetCaption("kg");
    a->SetMinTicks(7);
    a->SetDecPlaces(3);
    a->SetFrameStyle(fsRaised);
    a->SetColorScheme(csSystem);
    a->SetUserTickText("x|y");
    a->SetScaleInscript("$&");
    a->SetMarginLeft(33);
    a->SetVisible(false);
    a->DateFormat().SetTimeFormat(tfAMPM);
    TFont font;
    font.Font.setPixelSize(20);
    a->SetFont(font);
    int ticks = 0;
    a->OnScaleTickDrawn = [&](TScale*, QPainter*&, TScaleType, double, int, int) { ++ticks; };
    testsupport::DrawScale(*a);

    TScale b;
    a->AssignTo(b);
    EXPECT_EQ(b.ScaleType(), sctYL);
    EXPECT_EQ(b.RangeLow(), 2);
    EXPECT_EQ(b.RangeHigh(), 8);
    EXPECT_EQ(b.Caption(), "kg");
    EXPECT_EQ(b.MinTicks(), 7);
    EXPECT_EQ(b.DecPlaces(), 3);
    EXPECT_EQ(b.FrameStyle(), fsRaised);
    EXPECT_EQ(b.FrameColorShadow(), clBtnShadow);
    EXPECT_EQ(b.UserTickText(), "x|y");
    EXPECT_EQ(b.ScaleInscript(), "$&");
    EXPECT_EQ(b.MarginLeft(), 33);
    EXPECT_TRUE(b.Transparent());
    EXPECT_TRUE(b.SuspendPaint());
    EXPECT_TRUE(b.DirectPaint());
    EXPECT_EQ(b.PixelFactor(), a->PixelFactor());
    EXPECT_EQ(b.NumTicks(), a->NumTicks());
    EXPECT_EQ(b.GetTickPos(3), a->GetTickPos(3));
    EXPECT_TRUE(b.Visible());
    EXPECT_EQ(b.DateFormat().TimeFormat(), tfHHMMSS);
    EXPECT_EQ(b.Font().Font.pixelSize(), 11);
    ASSERT_TRUE(bool(b.OnScaleTickDrawn));
    ticks = 0;
    b.SetVisible(true);
    testsupport::DrawScale(b);
    EXPECT_GT(ticks, 0);
}

TEST(ScaleRepaint, DateFormatChangesRepaint)
{
    auto s = MakeScale(sctXB, 0, 1);
    s->SetSuspendPaint(false);
    QImage img(400, 400, QImage::Format_RGB32);
    QPainter p(&img);
    s->SetTargetCanvas(&p, 0, 0);
    int paints = 0;
    s->OnBeforeScaleRendered = [&](TScale*, QPainter*) { ++paints; };
    s->DateFormat().SetMonthName(false);
    EXPECT_EQ(paints, 1);
    TDTLabel other;
    other.SetOwnerDefaults();
    other.SetYearLength(ylYY);
    other.SetDateOrder(doYYMMDD);
    s->SetDateFormat(other);
    EXPECT_EQ(paints, 2); // one repaint for the whole copy
    EXPECT_EQ(s->DateFormat().YearLength(), ylYY);
    EXPECT_TRUE(s->DateFormat().MonthName());
    s->SetTargetCanvas(nullptr, 0, 0);
}

} // namespace
