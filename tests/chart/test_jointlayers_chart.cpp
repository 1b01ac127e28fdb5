// Layer coupling inside a real chart: taking over a range on joining, following a zoom of the
// controlling layer, and refusing range changes through a controlled axis.

#include "chart/layerchart.h"
#include "chart/scale.h"
#include "chart/scaleprops.h"
#include "support_layerchart.h"

#include <gtest/gtest.h>

#include <string>

using namespace chart;

namespace {

struct Ranges {
    double XLow, XHigh, YLow, YHigh;
};

Ranges RangesOf(const TCustomLayerChart& c, int layer)
{
    return {c.ScaleX(layer)->RangeLow(), c.ScaleX(layer)->RangeHigh(), c.ScaleY(layer)->RangeLow(),
            c.ScaleY(layer)->RangeHigh()};
}

void ExpectRanges(const TCustomLayerChart& c, int layer, Ranges r)
{
    SCOPED_TRACE("layer " + std::to_string(layer));
    EXPECT_DOUBLE_EQ(c.ScaleX(layer)->RangeLow(), r.XLow);
    EXPECT_DOUBLE_EQ(c.ScaleX(layer)->RangeHigh(), r.XHigh);
    EXPECT_DOUBLE_EQ(c.ScaleY(layer)->RangeLow(), r.YLow);
    EXPECT_DOUBLE_EQ(c.ScaleY(layer)->RangeHigh(), r.YHigh);
}

// Distinct ranges for layers 1..4 so that any wrong copy shows.
void GiveLayersDistinctRanges(TCustomLayerChart& c)
{
    c.SetZoomRange(1, 0, -10, 100, 10);
    c.SetZoomRange(2, 200, -20, 300, 20);
    c.SetZoomRange(3, 400, -30, 500, 30);
    c.SetZoomRange(4, 600, -40, 700, 40);
}

TEST(JointLayersChart, JoiningTakesOverTheControllersRangeAtOnceWithoutHistory)
{
    TLayerChart c;
    GiveLayersDistinctRanges(c);
    const int history = c.ZoomHistoryNext();

    c.JointLayers()->SetL02xControlledBy(1);
    ExpectRanges(c, 2, {0, 100, -20, 20}); // X from layer 1, Y its own
    ExpectRanges(c, 1, {0, 100, -10, 10});
    EXPECT_EQ(c.ZoomHistoryNext(), history);
    // The mapping and the scale control follow the new range.
    EXPECT_EQ(c.DataToPixel(2, 50, 0).x(), c.DataToPixel(1, 50, 0).x());
    EXPECT_DOUBLE_EQ(c.ScaleControlX(2)->RangeHigh(), 100);

    c.JointLayers()->SetL03yControlledBy(4);
    ExpectRanges(c, 3, {400, 500, -40, 40}); // Y from layer 4, X its own
    EXPECT_EQ(c.ZoomHistoryNext(), history);
}

TEST(JointLayersChart, ZoomOfTheControllerMovesTheFollowerWithHistory)
{
    TLayerChart c;
    GiveLayersDistinctRanges(c);
    c.JointLayers()->SetL02xControlledBy(1);
    const int history = c.ZoomHistoryNext();

    c.SetZoomRange(1, 10, -5, 60, 5);
    ExpectRanges(c, 1, {10, 60, -5, 5});
    ExpectRanges(c, 2, {10, 60, -20, 20});
    // One view for the controller, one for the follower.
    EXPECT_EQ(c.ZoomHistoryNext(), history + 2);
    const LayerView& recorded = c.ZoomHistorySlot(history + 1)[1];
    EXPECT_DOUBLE_EQ(recorded.XLow, 10);
    EXPECT_DOUBLE_EQ(recorded.XHigh, 60);
    // Layers not coupled to layer 1 keep their ranges.
    ExpectRanges(c, 3, {400, 500, -30, 30});
}

TEST(JointLayersChart, AZoomThroughAControlledLayerChangesOnlyItsFreeAxis)
{
    TLayerChart c;
    GiveLayersDistinctRanges(c);
    c.JointLayers()->SetL02xControlledBy(1);

    c.SetZoomRange(2, 1000, -7, 2000, 7);
    ExpectRanges(c, 2, {0, 100, -7, 7});
    ExpectRanges(c, 1, {0, 100, -10, 10});

    // Both axes controlled: nothing moves at all.
    c.JointLayers()->SetL02yControlledBy(3);
    c.SetLayerRange(2, true, 1, 2, 3, 4, false);
    ExpectRanges(c, 2, {0, 100, -30, 30});
}

TEST(JointLayersChart, OneControllerDrivesSeveralFollowersOnDifferentAxes)
{
    TLayerChart c;
    GiveLayersDistinctRanges(c);
    c.JointLayers()->SetL02xControlledBy(1);
    c.JointLayers()->SetL03yControlledBy(1);
    c.JointLayers()->SetL04xControlledBy(1);
    c.JointLayers()->SetL04yControlledBy(1);

    c.SetZoomRange(1, -1, -2, 1, 2);
    ExpectRanges(c, 2, {-1, 1, -20, 20});
    ExpectRanges(c, 3, {400, 500, -2, 2});
    ExpectRanges(c, 4, {-1, 1, -2, 2});
}

TEST(JointLayersChart, MakingALayerARootAgainTouchesNoRange)
{
    TLayerChart c;
    GiveLayersDistinctRanges(c);
    c.JointLayers()->SetL03xControlledBy(1);
    const Ranges before = RangesOf(c, 3);
    const int history = c.ZoomHistoryNext();

    c.JointLayers()->SetL03xControlledBy(3);
    EXPECT_EQ(c.JointLayers()->L03xControlledBy(), 3);
    ExpectRanges(c, 3, before);
    EXPECT_EQ(c.ZoomHistoryNext(), history);
    // Free again: its own zoom applies and layer 1's no longer reaches it.
    c.SetZoomRange(3, 5, 6, 7, 8);
    ExpectRanges(c, 3, {5, 7, 6, 8});
    c.SetZoomRange(1, 0, 0, 1, 1);
    ExpectRanges(c, 3, {5, 7, 6, 8});
}

TEST(JointLayersChart, RefusedJoinsRaiseTheExactMessagesAndChangeNothing)
{
    TLayerChart c;
    GiveLayersDistinctRanges(c);
    c.JointLayers()->SetL02xControlledBy(1);
    const Ranges r1 = RangesOf(c, 1);
    const Ranges r4 = RangesOf(c, 4);

    try {
        c.JointLayers()->SetL01xControlledBy(3);
        FAIL() << "joining a controller was accepted";
    } catch (const ELayerChartError& e) {
        EXPECT_EQ(std::string(e.what()), "Layer 1 is joined by other layers (2)");
    }
    try {
        c.JointLayers()->SetL04xControlledBy(2);
        FAIL() << "joining to a controlled layer was accepted";
    } catch (const ELayerChartError& e) {
        EXPECT_EQ(std::string(e.what()), "Destination layer 2 is already joined");
    }
    EXPECT_EQ(c.JointLayers()->L01xControlledBy(), 1);
    EXPECT_EQ(c.JointLayers()->L04xControlledBy(), 4);
    ExpectRanges(c, 1, r1);
    ExpectRanges(c, 4, r4);
}

TEST(JointLayersChart, AssigningTablesKeepsTheChartsOwnObjectAndTakesOverRanges)
{
    TLayerChart c;
    GiveLayersDistinctRanges(c);
    TJointLayers* own = c.JointLayers();
    TJointLayers tables;
    tables.SetYControlledBy(2, 4);

    c.SetJointLayers(tables);
    EXPECT_EQ(c.JointLayers(), own);
    EXPECT_EQ(c.JointLayers()->L02yControlledBy(), 4);
    ExpectRanges(c, 2, {200, 300, -40, 40});
    // The assigned coupling works like one set property by property.
    c.SetZoomRange(4, 0, -1, 1, 1);
    ExpectRanges(c, 2, {200, 300, -1, 1});
}

TEST(JointLayersChart, AJoinRepaintsOnlyUnderAutoRedraw)
{
    auto c = charttest::MakeShownChart(300, 200);
    c->SetZoomRange(1, 0, 0, 100, 5000);
    c->SetZoomRange(2, 0, 0, 100, 100);
    c->ScaleY(2)->SetVisible(true);
    c->ScaleY(2)->SetColorScale(clRed);
    const QImage before = c->WindowPicture();

    c->SetAutoRedraw(false);
    c->JointLayers()->SetL02yControlledBy(1);
    EXPECT_DOUBLE_EQ(c->ScaleY(2)->RangeHigh(), 5000);
    EXPECT_EQ(c->WindowPicture(), before) << "repainted without AutoRedraw";

    c->JointLayers()->SetL02yControlledBy(2);
    c->SetAutoRedraw(true);
    c->JointLayers()->SetL02yControlledBy(1);
    EXPECT_NE(c->WindowPicture(), before) << "the Y scale of layer 2 still shows its old range";
}

} // namespace
