// Pan, zoom drag and the rubber band on a real chart widget, driven with Qt Test mouse input.

#include "support_mouse.h"

#include "chart/scaleprops.h"

#include <QTest>
#include <gtest/gtest.h>

#include <cmath>

using namespace chart;
using namespace charttest;

namespace {

void ExpectX(const TLayerChart& c, int layer, double low, double high)
{
    EXPECT_NEAR(c.ScaleX(layer)->RangeLow(), low, 1e-9);
    EXPECT_NEAR(c.ScaleX(layer)->RangeHigh(), high, 1e-9);
}

void ExpectY(const TLayerChart& c, int layer, double low, double high)
{
    EXPECT_NEAR(c.ScaleY(layer)->RangeLow(), low, 1e-9);
    EXPECT_NEAR(c.ScaleY(layer)->RangeHigh(), high, 1e-9);
}

} // namespace

TEST(MousePan, ContentFollowsThePointerFromTheSecondMove)
{
    auto m = MakeMouseChart(maPan);
    TLayerChart& c = *m->Chart;
    const int history = c.ZoomHistoryNext();
    Press(c, QPoint(100, 50));
    Move(c, QPoint(110, 60)); // takes the snapshot only
    ExpectX(c, 1, 0, 220);
    EXPECT_EQ(m->ZoomPans, 0);
    Move(c, QPoint(130, 80));
    ExpectX(c, 1, -20, 200);
    ExpectY(c, 1, 20, 172);
    EXPECT_EQ(m->ZoomPans, 1);
    EXPECT_EQ(m->Repaints, 1);
    Move(c, QPoint(400, 300)); // outside the chart area: nothing moves, the drag goes on
    ExpectX(c, 1, -20, 200);
    EXPECT_EQ(m->ZoomPans, 1);
    Move(c, QPoint(140, 90));
    ExpectX(c, 1, -30, 190);
    ExpectY(c, 1, 30, 182);
    EXPECT_EQ(c.ZoomHistoryNext(), history); // no history while dragging
    Release(c, QPoint(140, 90));
    EXPECT_EQ(c.ZoomHistoryNext(), history + 1);
    ExpectX(c, 2, 0, 220); // layer 2 is not affected
}

TEST(MousePan, HorizontalAndVerticalPanKeepTheOtherAxis)
{
    for (TMouseActMode mode : {maPanHoriz, maPanVert}) {
        auto m = MakeMouseChart(mode);
        TLayerChart& c = *m->Chart;
        Press(c, QPoint(100, 50));
        Move(c, QPoint(100, 50));
        Move(c, QPoint(122, 69));
        if (mode == maPanHoriz) {
            ExpectX(c, 1, -22, 198);
            ExpectY(c, 1, 0, 152);
        } else {
            ExpectX(c, 1, 0, 220);
            ExpectY(c, 1, 19, 171);
        }
        Release(c, QPoint(122, 69));
    }
}

TEST(MousePan, LogarithmicAxisPansByRatio)
{
    auto m = MakeMouseChart(maPan);
    TLayerChart& c = *m->Chart;
    c.SetZoomRange(1, 1, 0, 100, 152);
    c.Scale1X()->SetLogarithmic(true); // on a positive range, or it is refused
    Press(c, QPoint(100, 50));
    Move(c, QPoint(100, 50));
    Move(c, QPoint(210, 50)); // half the area to the right: one decade less
    EXPECT_NEAR(c.ScaleX(1)->RangeLow(), 0.1, 1e-12);
    EXPECT_NEAR(c.ScaleX(1)->RangeHigh(), 10, 1e-10);
    Release(c, QPoint(210, 50));
}

TEST(MousePan, ReleaseRecordsTheViewEvenWithoutAMove)
{
    for (TMouseActMode mode : {maPan, maPanHoriz, maPanVert, maZoomDrag}) {
        auto m = MakeMouseChart(mode);
        TLayerChart& c = *m->Chart;
        const int history = c.ZoomHistoryNext();
        Press(c, QPoint(100, 50));
        Release(c, QPoint(100, 50), Qt::RightButton);
        EXPECT_EQ(c.ZoomHistoryNext(), history % ZoomHistorySize + 1) << mode;
        EXPECT_EQ(m->ZoomPans, 0);
    }
}

TEST(MousePan, RangeLimitsHoldThePanWidth)
{
    auto m = MakeMouseChart(maPan);
    TLayerChart& c = *m->Chart;
    c.SetRangeLimits(-10, 230, -5, 160);
    Press(c, QPoint(100, 50));
    Move(c, QPoint(100, 50));
    Move(c, QPoint(120, 70)); // would be X -20..200, Y 20..172
    ExpectX(c, 1, -10, 210);
    ExpectY(c, 1, 8, 160);
    Release(c, QPoint(120, 70));
}

TEST(MouseZoomDrag, RightNarrowsXDownWidensY)
{
    auto m = MakeMouseChart(maZoomDrag);
    TLayerChart& c = *m->Chart;
    Press(c, QPoint(100, 50));
    Move(c, QPoint(100, 50));
    Move(c, QPoint(170, 100)); // fx = 1 - 70/280, fy = 1 + 50/200
    ExpectX(c, 1, 27.5, 192.5);
    ExpectY(c, 1, -19, 171);
    // Each step starts again from the snapshot, not from the last step.
    Move(c, QPoint(100, 50));
    ExpectX(c, 1, 0, 220);
    ExpectY(c, 1, 0, 152);
    EXPECT_EQ(m->ZoomPans, 2);
    Release(c, QPoint(100, 50));
}

TEST(MouseZoomDrag, IsometricZoomsBothAxesAlike)
{
    auto m = MakeMouseChart(maZoomDrag);
    TLayerChart& c = *m->Chart;
    c.SetIsometric(true);
    const double ySpan = c.ScaleY(1)->RangeHigh() - c.ScaleY(1)->RangeLow();
    Press(c, QPoint(100, 50));
    Move(c, QPoint(100, 50));
    Move(c, QPoint(170, 150));
    ExpectX(c, 1, 27.5, 192.5);
    EXPECT_NEAR(c.ScaleY(1)->RangeHigh() - c.ScaleY(1)->RangeLow(), ySpan * 0.75, 1e-9);
    Release(c, QPoint(170, 150));
}

TEST(MouseZoomDrag, RangeLimitsClampEachEnd)
{
    auto m = MakeMouseChart(maZoomDrag);
    TLayerChart& c = *m->Chart;
    c.SetRangeLimits(-10, 230, -5, 160);
    Press(c, QPoint(100, 50));
    Move(c, QPoint(100, 50));
    Move(c, QPoint(60, 150)); // fx = 1 + 40/280, fy = 1.5: X -15.7..235.7, Y -38..190
    ExpectX(c, 1, -10, 230);
    ExpectY(c, 1, -5, 160);
    Release(c, QPoint(60, 150));
}

TEST(MouseRubberBand, ArmedBandFollowsClampedAndEndsWhereReleased)
{
    auto m = MakeMouseChart(maPan); // the band works in any mode
    TLayerChart& c = *m->Chart;
    c.SetRubberBandState(rbArmed);
    const QImage before = c.WindowPicture().copy();
    Press(c, QPoint(100, 50));
    EXPECT_EQ(c.RubberBandState(), rbDragging);
    EXPECT_EQ(c.RubberBandStart(), QPoint(100, 50));
    Move(c, QPoint(400, 300));
    EXPECT_EQ(c.MouseState().BandCorner, QPoint(AreaRight, AreaBottom));
    EXPECT_NE(c.WindowPicture().pixel(AreaRight, 100), before.pixel(AreaRight, 100));
    // The band's clamped corner is what the pan sees: outside positions become border ones.
    EXPECT_EQ(c.LastMouseX(), 400);
    Release(c, QPoint(400, 300));
    EXPECT_EQ(c.RubberBandState(), rbFinished);
    EXPECT_EQ(c.RubberBandEnd(), QPoint(400, 300)); // as delivered, not clamped
    EXPECT_EQ(c.WindowPicture(), before);
    // A finished band stays until the application changes it.
    Press(c, QPoint(120, 60));
    Release(c, QPoint(120, 60));
    EXPECT_EQ(c.RubberBandState(), rbFinished);
}

TEST(MouseRubberBand, RightButtonDisarmsOrCancels)
{
    auto m = MakeMouseChart(maNone);
    TLayerChart& c = *m->Chart;
    c.SetRubberBandState(rbArmed);
    Press(c, QPoint(100, 50), Qt::RightButton);
    EXPECT_EQ(c.RubberBandState(), rbIdle);
    Release(c, QPoint(100, 50), Qt::RightButton);

    c.SetRubberBandState(rbArmed);
    const QImage before = c.WindowPicture().copy();
    Press(c, QPoint(100, 50), Qt::MiddleButton); // any other button starts the band
    EXPECT_EQ(c.RubberBandState(), rbDragging);
    Move(c, QPoint(150, 90));
    EXPECT_NE(c.WindowPicture(), before);
    Release(c, QPoint(150, 90), Qt::RightButton);
    EXPECT_EQ(c.RubberBandState(), rbIdle);
    EXPECT_EQ(c.WindowPicture(), before);
}

TEST(MousePan, ANewPressWithoutAMoveBetweenStartsANewDrag)
{
    auto m = MakeMouseChart(maPan);
    TLayerChart& c = *m->Chart;
    Press(c, QPoint(100, 50));
    Move(c, QPoint(100, 50));
    Move(c, QPoint(120, 50));
    Release(c, QPoint(120, 50));
    ExpectX(c, 1, -20, 200);
    // Pressed again where it was released: the second drag measures from its own start.
    Press(c, QPoint(200, 50));
    Move(c, QPoint(200, 50));
    ExpectX(c, 1, -20, 200);
    Move(c, QPoint(210, 50));
    ExpectX(c, 1, -30, 190);
    Release(c, QPoint(210, 50));
}
