// The zoom window on a real chart widget, driven with Qt Test mouse input.

#include "support_mouse.h"

#include "chart/scaleprops.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace chart;
using namespace charttest;

namespace {

struct Ranges {
    double xl, xh, yl, yh;
};

Ranges RangesOf(const TLayerChart& c, int layer)
{
    return {c.ScaleX(layer)->RangeLow(), c.ScaleX(layer)->RangeHigh(), c.ScaleY(layer)->RangeLow(),
            c.ScaleY(layer)->RangeHigh()};
}

void ExpectRanges(const TLayerChart& c, int layer, Ranges e)
{
    const Ranges r = RangesOf(c, layer);
    EXPECT_NEAR(r.xl, e.xl, 1e-9);
    EXPECT_NEAR(r.xh, e.xh, 1e-9);
    EXPECT_NEAR(r.yl, e.yl, 1e-9);
    EXPECT_NEAR(r.yh, e.yh, 1e-9);
}

void Drag(TLayerChart& c, QPoint from, QPoint to)
{
    Press(c, from);
    Move(c, to);
    Release(c, to);
}

// Whether the picture the window shows has pixel p inverted against `before`.
bool Inverted(const TLayerChart& c, const QImage& before, QPoint p)
{
    return (c.WindowPicture().pixel(p) & 0xFFFFFF) == ((before.pixel(p) ^ 0xFFFFFF) & 0xFFFFFF);
}

bool Same(const TLayerChart& c, const QImage& before, QPoint p)
{
    return (c.WindowPicture().pixel(p) & 0xFFFFFF) == (before.pixel(p) & 0xFFFFFF);
}

} // namespace

struct DragCase {
    const char* name;
    QPoint from, to;
};

class ZoomWindPosDirections : public ::testing::TestWithParam<DragCase> {};

TEST_P(ZoomWindPosDirections, EveryDirectionGivesTheSameIncreasingRanges)
{
    auto m = MakeMouseChart(maZoomWindPos);
    Drag(*m->Chart, GetParam().from, GetParam().to);
    // Window x 100..200, y 50..120: data x 50..150, y 48..118.
    ExpectRanges(*m->Chart, 1, {50, 150, 48, 118});
    EXPECT_EQ(m->ZoomPans, 1);
    EXPECT_EQ(m->Repaints, 1);
    EXPECT_FALSE(m->Chart->MouseState().ZoomActive);
}

INSTANTIATE_TEST_SUITE_P(Corners, ZoomWindPosDirections,
                         ::testing::Values(DragCase{"UpperLeftToLowerRight", {100, 50}, {200, 120}},
                                           DragCase{"LowerRightToUpperLeft", {200, 120}, {100, 50}},
                                           DragCase{"LowerLeftToUpperRight", {100, 120}, {200, 50}},
                                           DragCase{"UpperRightToLowerLeft", {200, 50}, {100, 120}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MouseZoomWindow, ZoomWindPosKeepsAReversedAxisReversed)
{
    auto m = MakeMouseChart(maZoomWindPos);
    TLayerChart& c = *m->Chart;
    c.SetZoomRange(1, 220, 0, 0, 152); // X runs right to left: data x = 270 - px
    Drag(c, QPoint(100, 50), QPoint(200, 120));
    ExpectRanges(c, 1, {170, 70, 48, 118});
    Drag(c, QPoint(200, 120), QPoint(100, 50)); // the other way round: still reversed
    const Ranges r = RangesOf(c, 1);
    EXPECT_GT(r.xl, r.xh);
    EXPECT_LT(r.yl, r.yh);
}

TEST(MouseZoomWindow, ZoomWindTakesTheCornersAsDragged)
{
    auto m = MakeMouseChart(maZoomWind);
    Drag(*m->Chart, QPoint(100, 50), QPoint(200, 120));
    // Start corner first: dragged downward, so Y runs from 118 down to 48 (a reversed axis).
    ExpectRanges(*m->Chart, 1, {50, 150, 118, 48});
    EXPECT_GT(m->Chart->ScaleY(1)->RangeLow(), m->Chart->ScaleY(1)->RangeHigh());
}

TEST(MouseZoomWindow, PressAndReleaseWithoutMoveChangesNothing)
{
    auto m = MakeMouseChart(maZoomWindPos);
    TLayerChart& c = *m->Chart;
    const int history = c.ZoomHistoryNext();
    const QImage before = c.WindowPicture().copy();
    Press(c, QPoint(120, 80));
    Release(c, QPoint(120, 80));
    ExpectRanges(c, 1, {0, 220, 0, 152});
    EXPECT_EQ(m->Repaints, 0);
    EXPECT_EQ(m->ZoomPans, 0);
    EXPECT_EQ(c.ZoomHistoryNext(), history);
    EXPECT_EQ(c.WindowPicture(), before);
    EXPECT_FALSE(c.MouseState().ZoomActive);
}

TEST(MouseZoomWindow, AWindowWithoutHeightIsDropped)
{
    auto m = MakeMouseChart(maZoomWindPos);
    TLayerChart& c = *m->Chart;
    const QImage before = c.WindowPicture().copy();
    Drag(c, QPoint(100, 80), QPoint(200, 80));
    ExpectRanges(c, 1, {0, 220, 0, 152});
    EXPECT_EQ(m->ZoomPans, 0);
    EXPECT_EQ(m->Repaints, 0);
    EXPECT_EQ(c.WindowPicture(), before);
}

TEST(MouseZoomWindow, OutlineAndZoomStopAtTheBorder)
{
    auto m = MakeMouseChart(maZoomWindPos);
    TLayerChart& c = *m->Chart;
    const QImage before = c.WindowPicture().copy();
    Press(c, QPoint(100, 50));
    Move(c, QPoint(400, 300)); // beyond the right and bottom rims, outside the control
    EXPECT_EQ(c.MouseState().ZoomCorner, QPoint(AreaRight, AreaBottom));
    EXPECT_TRUE(Inverted(c, before, QPoint(AreaRight, 100)));
    EXPECT_TRUE(Inverted(c, before, QPoint(150, AreaBottom)));
    EXPECT_TRUE(Inverted(c, before, QPoint(100, 100)));
    EXPECT_TRUE(Same(c, before, QPoint(AreaRight + 1, 100)));
    EXPECT_TRUE(Same(c, before, QPoint(150, AreaBottom + 1)));
    EXPECT_TRUE(Same(c, before, QPoint(150, 100))); // inside stays as it was
    Release(c, QPoint(400, 300));
    ExpectRanges(c, 1, {50, 220, 0, 118});
}

TEST(MouseZoomWindow, RightReleaseCancelsAndErasesTheOutline)
{
    auto m = MakeMouseChart(maZoomWindPos);
    TLayerChart& c = *m->Chart;
    const QImage before = c.WindowPicture().copy();
    Press(c, QPoint(100, 50));
    Move(c, QPoint(150, 90));
    Move(c, QPoint(200, 120));
    EXPECT_TRUE(Inverted(c, before, QPoint(200, 100)));
    EXPECT_TRUE(Same(c, before, QPoint(150, 70))); // the earlier outline is gone
    Release(c, QPoint(200, 120), Qt::RightButton);
    EXPECT_EQ(c.WindowPicture(), before);
    ExpectRanges(c, 1, {0, 220, 0, 152});
    EXPECT_EQ(m->ZoomPans, 0);
    EXPECT_EQ(m->Repaints, 0);
    EXPECT_FALSE(c.MouseState().ZoomActive);
}

TEST(MouseZoomWindow, MiddleReleaseKeepsTheWindowWhichFollowsThePointer)
{
    auto m = MakeMouseChart(maZoomWindPos);
    TLayerChart& c = *m->Chart;
    Press(c, QPoint(100, 50));
    Move(c, QPoint(150, 90));
    Release(c, QPoint(150, 90), Qt::LeftButton);
    // A fresh window, left open by a middle release; moves with no button held still drag it.
    Press(c, QPoint(60, 30));
    Release(c, QPoint(60, 30), Qt::MiddleButton);
    EXPECT_TRUE(c.MouseState().ZoomActive);
    QTest::mouseRelease(&c, Qt::LeftButton, Qt::NoModifier, QPoint(60, 30));
    EXPECT_FALSE(c.MouseState().ZoomActive); // the left release had nothing to zoom
}

TEST(MouseZoomWindow, TheLastCornerCountsNotTheReleasePoint)
{
    auto m = MakeMouseChart(maZoomWindPos);
    TLayerChart& c = *m->Chart;
    Press(c, QPoint(100, 50));
    Move(c, QPoint(200, 120));
    Release(c, QPoint(240, 150));
    ExpectRanges(c, 1, {50, 150, 48, 118});
}

TEST(MouseZoomWindow, PressOutsideTheChartAreaOpensNoWindow)
{
    auto m = MakeMouseChart(maZoomWindPos);
    TLayerChart& c = *m->Chart;
    Press(c, QPoint(20, 100)); // over the left rim
    EXPECT_FALSE(c.MouseState().ZoomActive);
    Move(c, QPoint(200, 120));
    Release(c, QPoint(200, 120));
    ExpectRanges(c, 1, {0, 220, 0, 152});
    Press(c, QPoint(100, 60), Qt::RightButton); // other buttons open none either
    EXPECT_FALSE(c.MouseState().ZoomActive);
}

TEST(MouseZoomWindow, OnlyAffectedLayersZoomAndEachRecordsTheView)
{
    auto m = MakeMouseChart(maZoomWindPos);
    TLayerChart& c = *m->Chart;
    ASSERT_TRUE(c.MouseAffectsLayer(1));
    ASSERT_FALSE(c.MouseAffectsLayer(2));
    c.SetZoomRange(3, 0, 0, 440, 304); // layer 3: two data units per pixel
    c.SetMouseAffectsLayer(3, true);
    const int history = c.ZoomHistoryNext();
    m->Repaints = 0;
    Drag(c, QPoint(100, 50), QPoint(200, 120));
    ExpectRanges(c, 1, {50, 150, 48, 118});
    ExpectRanges(c, 2, {0, 220, 0, 152});
    ExpectRanges(c, 3, {100, 300, 96, 236});
    EXPECT_EQ(c.ZoomHistoryNext(), history + 2);
    EXPECT_EQ(m->ZoomPans, 1);
    EXPECT_EQ(m->Repaints, 1); // one repaint for all layers
}

TEST(MouseZoomWindow, IsometricWindowIsASquare)
{
    auto m = MakeMouseChart(maZoomWindPos);
    TLayerChart& c = *m->Chart;
    c.SetIsometric(true);
    Press(c, QPoint(100, 50));
    Move(c, QPoint(140, 60));
    EXPECT_EQ(c.MouseState().ZoomCorner, QPoint(140, 90));
    Move(c, QPoint(60, 100)); // down left: the square goes down too
    EXPECT_EQ(c.MouseState().ZoomCorner, QPoint(60, 90));
    Move(c, QPoint(240, 60)); // 140 pixels down would pass the bottom: cut there
    EXPECT_EQ(c.MouseState().ZoomCorner, QPoint(240, AreaBottom));
    Release(c, QPoint(240, 60), Qt::RightButton);
}

TEST(MouseZoomWindow, ARepaintDuringTheDragLeavesNoStaleOutline)
{
    auto m = MakeMouseChart(maZoomWindPos);
    TLayerChart& c = *m->Chart;
    const QImage before = c.WindowPicture().copy();
    Press(c, QPoint(100, 50));
    Move(c, QPoint(150, 90));
    c.Redraw(); // a measurement tick repaints the chart area under the outline
    EXPECT_TRUE(Inverted(c, before, QPoint(150, 70)));
    Move(c, QPoint(200, 120));
    EXPECT_TRUE(Same(c, before, QPoint(150, 70)));
    EXPECT_TRUE(Inverted(c, before, QPoint(200, 70)));
    Release(c, QPoint(200, 120), Qt::RightButton);
    EXPECT_EQ(c.WindowPicture(), before);
}

TEST(MouseZoomWindow, ChangingTheModeParksTheWindow)
{
    auto m = MakeMouseChart(maZoomWindPos);
    TLayerChart& c = *m->Chart;
    Press(c, QPoint(100, 50));
    Move(c, QPoint(150, 90));
    c.SetMouseAction(maNone);
    Move(c, QPoint(190, 110));
    Release(c, QPoint(190, 110));
    EXPECT_TRUE(c.MouseState().ZoomActive);
    EXPECT_EQ(c.MouseState().ZoomCorner, QPoint(150, 90));
    ExpectRanges(c, 1, {0, 220, 0, 152});
    c.SetMouseAction(maZoomWindPos);
    Move(c, QPoint(200, 120));
    Release(c, QPoint(200, 120));
    ExpectRanges(c, 1, {50, 150, 48, 118});
}
