// The coupling tables on their own: the setter rules, their error texts and Assign.

#include "chart/jointlayers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace chart;

namespace {

struct Join {
    int Layer;
    int Controller;
};

// A series of joins that must succeed, then one more that must fail with `Message`.
struct RefusedJoin {
    const char* Name;
    std::vector<Join> Before;
    Join Attempt;
    const char* Message;
};

class JointLayersRefusal : public ::testing::TestWithParam<std::tuple<RefusedJoin, TJointAxis>> {};

TEST_P(JointLayersRefusal, RaisesTheMessageAndLeavesTheTablesAlone)
{
    const auto& [c, axis] = GetParam();
    TJointLayers j;
    for (const Join& step : c.Before)
        j.SetControlledBy(axis, step.Layer, step.Controller);
    const TJointLayers before = j;
    int notifications = 0;
    int takeOvers = 0;
    j.OnChange = [&] { ++notifications; };
    j.OnTakeOver = [&](TJointAxis, int, int) { ++takeOvers; };
    try {
        j.SetControlledBy(axis, c.Attempt.Layer, c.Attempt.Controller);
        FAIL() << "no error raised";
    } catch (const ELayerChartError& e) {
        EXPECT_EQ(std::string(e.what()), c.Message);
        // The chart suite's errors share one base.
        EXPECT_NE(dynamic_cast<const EChartBaseError*>(&e), nullptr);
    }
    EXPECT_TRUE(j == before);
    EXPECT_EQ(notifications, 0);
    EXPECT_EQ(takeOvers, 0);
}

const RefusedJoin Refusals[] = {
    {"ZeroController", {}, {3, 0}, "Destination layer 0 is out of range"},
    {"NegativeController", {}, {3, -1}, "Destination layer -1 is out of range"},
    {"ControllerSeventeen", {}, {3, 17}, "Destination layer 17 is out of range"},
    {"OutOfRangeBeforeOtherRules", {{2, 1}}, {1, 99}, "Destination layer 99 is out of range"},
    {"ChainThroughControlledLayer", {{2, 1}}, {4, 2}, "Destination layer 2 is already joined"},
    {"CycleBack", {{2, 1}}, {1, 2}, "Destination layer 2 is already joined"},
    {"ControllerOfOne", {{2, 1}}, {1, 3}, "Layer 1 is joined by other layers (2)"},
    {"ControllerOfTwoListsAscending", {{5, 1}, {2, 1}}, {1, 3}, "Layer 1 is joined by other layers (2, 5)"},
    {"ControllerOfManyTwoDigits",
     {{16, 9}, {3, 9}, {10, 9}},
     {9, 1},
     "Layer 9 is joined by other layers (3, 10, 16)"},
};

std::string RefusalName(const ::testing::TestParamInfo<std::tuple<RefusedJoin, TJointAxis>>& info)
{
    return std::string(std::get<0>(info.param).Name) + (std::get<1>(info.param) == TJointAxis::X ? "_X" : "_Y");
}

INSTANTIATE_TEST_SUITE_P(BothAxes, JointLayersRefusal,
                         ::testing::Combine(::testing::ValuesIn(Refusals),
                                            ::testing::Values(TJointAxis::X, TJointAxis::Y)),
                         RefusalName);

TEST(JointLayers, EveryLayerControlsItselfAtConstruction)
{
    TJointLayers j;
    for (int n = 1; n <= TJointLayers::LayerCount; ++n) {
        EXPECT_EQ(j.XControlledBy(n), n);
        EXPECT_EQ(j.YControlledBy(n), n);
    }
    EXPECT_EQ(j.L01xControlledBy(), 1);
    EXPECT_EQ(j.L16yControlledBy(), 16);
}

TEST(JointLayers, JoinSetsOneAxisTakesOverAndNotifiesInThatOrder)
{
    TJointLayers j;
    std::vector<std::string> events;
    j.OnTakeOver = [&](TJointAxis a, int layer, int controller) {
        events.push_back(std::string(a == TJointAxis::X ? "x" : "y") + std::to_string(layer) + "<" +
                         std::to_string(controller));
    };
    j.OnChange = [&] { events.push_back("change"); };

    j.SetL02xControlledBy(1);
    EXPECT_EQ(j.L02xControlledBy(), 1);
    EXPECT_EQ(j.L02yControlledBy(), 2); // the Y table is untouched
    j.SetL07yControlledBy(12);
    EXPECT_EQ(j.YControlledBy(7), 12);
    EXPECT_EQ(j.XControlledBy(7), 7);
    EXPECT_EQ(events, (std::vector<std::string>{"x2<1", "change", "y7<12", "change"}));
}

TEST(JointLayers, SettingALayerToItselfMakesItARootSilently)
{
    TJointLayers j;
    j.SetL03xControlledBy(1);
    int notifications = 0;
    int takeOvers = 0;
    j.OnChange = [&] { ++notifications; };
    j.OnTakeOver = [&](TJointAxis, int, int) { ++takeOvers; };

    j.SetL03xControlledBy(3);
    EXPECT_EQ(j.L03xControlledBy(), 3);
    // Also for a root that controls others: it stays what it is.
    j.SetL04xControlledBy(1);
    j.SetL01xControlledBy(1);
    EXPECT_EQ(j.L01xControlledBy(), 1);
    EXPECT_EQ(j.L04xControlledBy(), 1);
    EXPECT_EQ(notifications, 1); // only the join of layer 4
    EXPECT_EQ(takeOvers, 1);
}

TEST(JointLayers, AControlledLayerMayMoveToAnotherRoot)
{
    TJointLayers j;
    j.SetXControlledBy(2, 1);
    j.SetXControlledBy(2, 3);
    EXPECT_EQ(j.XControlledBy(2), 3);
    // Layer 1 controls nobody now and may itself be joined.
    j.SetXControlledBy(1, 3);
    EXPECT_EQ(j.XControlledBy(1), 3);
}

TEST(JointLayers, AfterReleasingFollowersTheFormerControllerMayJoin)
{
    TJointLayers j;
    j.SetYControlledBy(2, 1);
    j.SetYControlledBy(5, 1);
    EXPECT_THROW(j.SetYControlledBy(1, 3), ELayerChartError);
    j.SetYControlledBy(2, 2);
    j.SetYControlledBy(5, 5);
    j.SetYControlledBy(1, 3);
    EXPECT_EQ(j.YControlledBy(1), 3);
}

TEST(JointLayers, InvariantHoldsAfterAnyAcceptedSeries)
{
    // Try every (layer, controller) pair in a fixed pseudo-random order; whatever is accepted
    // must leave only roots and direct children of roots.
    TJointLayers j;
    unsigned state = 12345;
    for (int step = 0; step < 2000; ++step) {
        state = state * 1103515245u + 12345u;
        const int layer = int((state >> 8) % 16) + 1;
        const int controller = int((state >> 16) % 18); // includes 0 and 17
        const TJointAxis axis = (state >> 28) & 1 ? TJointAxis::X : TJointAxis::Y;
        try {
            j.SetControlledBy(axis, layer, controller);
        } catch (const ELayerChartError&) {
        }
        for (int n = 1; n <= 16; ++n) {
            const int cx = j.XControlledBy(n);
            const int cy = j.YControlledBy(n);
            ASSERT_EQ(j.XControlledBy(cx), cx) << "X chain at layer " << n << " step " << step;
            ASSERT_EQ(j.YControlledBy(cy), cy) << "Y chain at layer " << n << " step " << step;
        }
    }
}

TEST(JointLayers, AssignCopiesBothTablesAndTakesOverEveryCoupledAxis)
{
    TJointLayers source;
    source.SetXControlledBy(2, 1);
    source.SetYControlledBy(9, 4);
    TJointLayers target;
    target.SetXControlledBy(6, 5); // overwritten
    std::vector<std::string> events;
    target.OnTakeOver = [&](TJointAxis a, int layer, int controller) {
        events.push_back(std::string(a == TJointAxis::X ? "x" : "y") + std::to_string(layer) + "<" +
                         std::to_string(controller));
    };
    target.OnChange = [&] { events.push_back("change"); };

    target.Assign(source);
    EXPECT_TRUE(target == source);
    EXPECT_EQ(target.XControlledBy(6), 6);
    EXPECT_EQ(events, (std::vector<std::string>{"x2<1", "y9<4", "change"}));
    // The handlers belong to the target, not to the copied tables.
    EXPECT_FALSE(source.OnChange);
}

TEST(JointLayers, IndexedAccessRejectsLayersOutsideTheTable)
{
    TJointLayers j;
    EXPECT_THROW(j.XControlledBy(0), std::out_of_range);
    EXPECT_THROW(j.YControlledBy(17), std::out_of_range);
    EXPECT_THROW(j.SetXControlledBy(0, 1), std::out_of_range);
}

} // namespace
