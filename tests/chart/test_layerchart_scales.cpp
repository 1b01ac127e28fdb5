// The chart's 32 scales and property sets, their synchronisation and the standard layouts.

#include "chart/layerchart.h"
#include "chart/scale.h"
#include "chart/scaleprops.h"
#include "support_layerchart.h"

#include <gtest/gtest.h>

using namespace chart;
using namespace charttest;

namespace {

TEST(LayerChartScales, CreatedPerLayerWithNamesColoursAndOffsets)
{
    TLayerChart c;
    for (int n = 1; n <= NumLayers; ++n) {
        TScale* sx = c.findChild<TScale*>(QStringLiteral("LC_FScale_X_%1").arg(n));
        TScale* sy = c.findChild<TScale*>(QStringLiteral("LC_FScale_Y_%1").arg(n));
        ASSERT_EQ(sx, c.ScaleControlX(n));
        ASSERT_EQ(sy, c.ScaleControlY(n));
        EXPECT_TRUE(sx->Transparent());
        EXPECT_EQ(sx->FrameStyle(), fsNone);
        EXPECT_EQ(sx->Width(), c.width());
        EXPECT_EQ(sy->Height(), c.height());
        EXPECT_EQ(c.ScaleX(n)->ColorScale(), LayerColorTable[n - 1]);
        EXPECT_EQ(c.ScaleY(n)->ColorScale(), LayerColorTable[n - 1]);
        EXPECT_EQ(sx->ColorScale(), LayerColorTable[n - 1]);
        if (n > 4) { // the layout leaves layers 5..16 as created, hidden
            EXPECT_EQ(c.ScaleX(n)->ScaleType(), n % 2 ? sctXT : sctXB);
            EXPECT_EQ(c.ScaleY(n)->ScaleType(), n % 2 ? sctYR : sctYL);
            EXPECT_EQ(c.ScaleX(n)->ScalePos(), (n - 1) / 2 * 30);
            EXPECT_EQ(c.ScaleY(n)->ScalePos(), (n - 1) / 2 * 50);
            EXPECT_FALSE(c.ScaleX(n)->Visible());
            EXPECT_FALSE(sy->Visible());
        }
    }
    EXPECT_TRUE(c.Scale1X()->Visible());
    EXPECT_TRUE(c.Scale1Y()->Visible());
    EXPECT_EQ(c.Scale1X()->CaptionPosY(), 22);
    EXPECT_EQ(c.Scale1Y()->CaptionAlignment(), taLeftJustify);
}

// A chart made in code is loaded from construction on: its property sets refuse what they
// would refuse after loading, so a logarithmic axis can't take a range through 0.
TEST(LayerChartScales, AChartMadeInCodeChecksItsPropertySets)
{
    auto c = MakeShownChart(300, 200);
    const QPoint before = c->DataToPixel(1, 0.5, 0.5);
    c->Scale1X()->SetLogarithmic(true); // range 0 … 1
    c->Scale1Y()->SetLabelType(ftDateTime);
    c->Scale1Y()->SetRangeLow(1);
    c->Scale1Y()->SetRangeHigh(100);
    c->Scale1Y()->SetLogarithmic(true);
    EXPECT_FALSE(c->Scale1X()->Logarithmic());
    EXPECT_FALSE(c->Scale1Y()->Logarithmic());
    EXPECT_FALSE(c->ScaleControlX(1)->Logarithmic());
    EXPECT_EQ(c->DataToPixel(1, 0.5, 1).x(), before.x());
    EXPECT_GT(c->DataToPixel(1, 0.5, 1).x(), c->LRim());

    c->Scale1X()->SetRangeLow(1);
    c->Scale1X()->SetRangeHigh(100);
    c->Scale1X()->SetLogarithmic(true); // positive ends: taken
    EXPECT_TRUE(c->Scale1X()->Logarithmic());
    EXPECT_NEAR(c->DataToPixel(1, 10, 1).x(), (c->DataToPixel(1, 1, 1).x() + c->DataToPixel(1, 100, 1).x()) / 2, 1);
}

// Stored settings are applied between BeginLoading and Loaded, in their stored order.
TEST(LayerChartScales, StoredSettingsAreTakenUncheckedUntilLoaded)
{
    TLayerChart c;
    c.BeginLoading();
    c.Scale1X()->SetLogarithmic(true); // before its range, as stored settings come
    c.Scale1X()->SetRangeLow(1);
    c.Scale1X()->SetRangeHigh(1000);
    c.Loaded();
    EXPECT_TRUE(c.Scale1X()->Logarithmic());
    EXPECT_FALSE(c.Scale1X()->LoadingFlag());
    c.Scale1Y()->SetLogarithmic(true); // loaded: checked again
    EXPECT_FALSE(c.Scale1Y()->Logarithmic());
}

TEST(LayerChartScales, MarginsPlaceAxisLinesOnTheAreaEdges)
{
    TLayerChart c;
    c.resize(400, 300);
    c.SetShadowWidth(3);
    const int W = c.width(), H = c.height(), s = c.ShadowWidth();
    TScale* x1 = c.ScaleControlX(1); // slBottom: sctXT
    EXPECT_EQ(x1->ScaleType(), sctXT);
    EXPECT_EQ(x1->MarginTop(), H - c.BRim() - s);
    EXPECT_EQ(x1->MarginLeft(), c.LRim());
    EXPECT_EQ(x1->MarginRight(), c.RRim() + s - 1);
    TScale* y1 = c.ScaleControlY(1); // slLeft: sctYR
    EXPECT_EQ(y1->ScaleType(), sctYR);
    EXPECT_EQ(y1->MarginRight(), W - c.LRim() - 1);
    EXPECT_EQ(y1->MarginTop(), c.TRim());
    EXPECT_EQ(y1->MarginBottom(), c.BRim() + s - 1);
    // ScalePos moves the line outward; the other locations use the opposite margins.
    c.Scale1X()->SetScaleLocation(slTop);
    c.Scale1X()->SetScalePos(30);
    EXPECT_EQ(x1->ScaleType(), sctXB);
    EXPECT_EQ(x1->MarginBottom(), 30 + H - c.TRim() - 1);
    c.Scale1Y()->SetScaleLocation(slRight);
    c.Scale1Y()->SetScalePos(10);
    EXPECT_EQ(y1->MarginLeft(), 10 + W - c.RRim() - s);
    // A rim change re-places every scale.
    c.SetLRim(70);
    EXPECT_EQ(x1->MarginLeft(), 70);
}

TEST(LayerChartScales, PropertyChangeResyncsAndRepaints)
{
    auto c = MakeShownChart(400, 300);
    c->SetAutoRedraw(false); // a property set change repaints all the same
    int paints = 0;
    c->OnScalesRendered = [&](TCustomLayerChart*, QPainter*&, int, int) { ++paints; };
    c->Scale1Y()->SetCaption(QStringLiteral("Volts"));
    EXPECT_EQ(c->ScaleControlY(1)->Caption(), QStringLiteral("Volts"));
    EXPECT_EQ(paints, 1);
    c->Scale1X()->SetMinRange(10); // widens 0..1 about its centre and re-applies the range
    EXPECT_DOUBLE_EQ(c->Scale1X()->RangeLow(), -4.5);
    EXPECT_DOUBLE_EQ(c->ScaleControlX(1)->RangeHigh(), 5.5);
    EXPECT_EQ(c->DataToPixel(1, -4.5, 0).x(), c->LRim());
    c->ScaleY(1)->DateFormat().SetDateSeparator(QChar('/'));
    EXPECT_EQ(c->ScaleControlY(1)->DateFormat().DateSeparator(), QChar('/'));
    TFont f = c->Scale1X()->Font();
    c->Scale1X()->SetColorScale(clRed);
    EXPECT_EQ(c->ScaleControlX(1)->Font().Color, clRed); // the font takes the scale colour
    (void)f;
}

TEST(LayerChartScales, GridUsesTheTicksOfTheLastPaint)
{
    auto c = MakeShownChart(400, 300);
    c->SetZoomRange(1, 0, 0, 3600, 1);
    TScale* sx = c->ScaleControlX(1);
    ASSERT_GT(sx->NumTicks(), 0);
    EXPECT_EQ(sx->GetTickPos(1), 0);
    EXPECT_DOUBLE_EQ(sx->GetTickPos(2), 200); // short ticks every 200
}

struct LayoutCase {
    TlcLayout Layout;
    int LRim, RRim, TRim, BRim;
    TAlignment CaptionAlignment;
    std::array<bool, 4> VisibleX, VisibleY;
};

class LayerChartLayout : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(LayerChartLayout, AppliesItsPreset)
{
    const LayoutCase lc = GetParam();
    auto c = MakeShownChart(500, 300);
    int paints = 0;
    c->OnScalesRendered = [&](TCustomLayerChart*, QPainter*&, int, int) { ++paints; };
    c->SetStandardLayout(lc.Layout);
    EXPECT_EQ(paints, 1); // applied with painting suspended, shown once
    EXPECT_EQ(c->StandardLayout(), lc.Layout);
    EXPECT_EQ(c->LRim(), lc.LRim);
    EXPECT_EQ(c->RRim(), lc.RRim);
    EXPECT_EQ(c->TRim(), lc.TRim);
    EXPECT_EQ(c->BRim(), lc.BRim);
    EXPECT_EQ(c->CaptionAlignment(), lc.CaptionAlignment);
    for (int n = 1; n <= 4; ++n) {
        EXPECT_EQ(c->ScaleX(n)->Visible(), lc.VisibleX[size_t(n - 1)]) << n;
        EXPECT_EQ(c->ScaleY(n)->Visible(), lc.VisibleY[size_t(n - 1)]) << n;
        EXPECT_EQ(c->ScaleControlY(n)->Visible(), lc.VisibleY[size_t(n - 1)]) << n;
    }
    for (int n = 5; n <= NumLayers; ++n) {
        EXPECT_FALSE(c->ScaleX(n)->Visible());
        EXPECT_FALSE(c->ScaleY(n)->Visible());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Presets, LayerChartLayout,
    ::testing::Values(
        LayoutCase{lcl_X1Bottom_Y1Left, 50, 20, 20, 40, taRightJustify, {1, 0, 0, 0}, {1, 0, 0, 0}},
        LayoutCase{lcl_X1Bottom_Y2Left, 100, 20, 24, 40, taRightJustify, {1, 0, 0, 0}, {1, 1, 0, 0}},
        LayoutCase{lcl_X1Bottom_Y3Left, 150, 20, 24, 40, taRightJustify, {1, 0, 0, 0}, {1, 1, 1, 0}},
        LayoutCase{lcl_X1Bottom_Y4Left, 200, 20, 24, 40, taRightJustify, {1, 0, 0, 0}, {1, 1, 1, 1}},
        LayoutCase{lcl_X1Bottom_Y2Both, 50, 50, 24, 40, taCenter, {1, 0, 0, 0}, {1, 1, 0, 0}},
        LayoutCase{lcl_X2Bottom_Y2Left, 100, 20, 24, 70, taRightJustify, {1, 1, 0, 0}, {1, 1, 0, 0}},
        LayoutCase{lcl_X2Both_Y2Both, 50, 50, 48, 40, taCenter, {1, 1, 0, 0}, {1, 1, 0, 0}}));

TEST(LayerChartLayout, PresetDetails)
{
    TLayerChart c;
    c.SetStandardLayout(lcl_X1Bottom_Y2Both);
    EXPECT_EQ(c.Scale2Y()->ScaleLocation(), slRight);
    EXPECT_EQ(c.Scale2Y()->ScaleType(), sctYL);
    EXPECT_EQ(c.Scale2Y()->CaptionAlignment(), taLeftJustify);
    EXPECT_EQ(c.CaptionPosY(), -20);
    EXPECT_EQ(c.CaptionAnchorHoriz(), cahChartCenter);
    c.SetStandardLayout(lcl_X1Bottom_Y4Left);
    EXPECT_EQ(c.Scale4Y()->ScalePos(), 150);
    EXPECT_EQ(c.Scale3Y()->CaptionPosY(), -23);
    EXPECT_EQ(c.Scale2X()->CaptionPosX(), 10); // hidden scales: caption at (10, 100)
    EXPECT_EQ(c.Scale2X()->CaptionPosY(), 100);
    c.SetStandardLayout(lcl_X2Both_Y2Both);
    EXPECT_EQ(c.Scale2X()->ScaleLocation(), slTop);
    EXPECT_EQ(c.Scale2X()->CaptionPosY(), -24);
    EXPECT_EQ(c.Scale3Y()->CaptionPosX(), 0); // its hidden Y scales differ
    EXPECT_EQ(c.Scale3Y()->CaptionPosY(), -23);
    c.SetStandardLayout(lcl_X2Bottom_Y2Left);
    EXPECT_EQ(c.Scale2X()->ScalePos(), 30);
    EXPECT_EQ(c.Scale2X()->CaptionPosX(), -20);
}

} // namespace
