// Arithmetic of the mouse modes and the XOR outline, without a chart widget.

#include "chart/mousegeometry.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace chart;

namespace {
// 280 x 200 control with rims 50, 10, 16, 32 and no shadow: x 50..270, y 16..168.
const ChartArea Area = ChartArea::Of(280, 200, 50, 10, 16, 32, 0);
} // namespace

TEST(MouseGeometry, AreaBoundsIncludeBothEnds)
{
    EXPECT_EQ(Area.Left, 50);
    EXPECT_EQ(Area.Right, 270);
    EXPECT_EQ(Area.Top, 16);
    EXPECT_EQ(Area.Bottom, 168);
    EXPECT_TRUE(Area.Contains(50, 16));
    EXPECT_TRUE(Area.Contains(270, 168));
    EXPECT_FALSE(Area.Contains(49, 100));
    EXPECT_FALSE(Area.Contains(271, 100));
    EXPECT_FALSE(Area.Contains(100, 169));
    const ChartArea shadowed = ChartArea::Of(280, 200, 50, 10, 16, 32, 3);
    EXPECT_EQ(shadowed.Right, 267);
    EXPECT_EQ(shadowed.Bottom, 165);
    EXPECT_EQ(Area.Clamp(QPoint(-5, 500)), QPoint(50, 168));
    EXPECT_EQ(Area.Clamp(QPoint(400, 0)), QPoint(270, 16));
}

struct CornerCase {
    const char* name;
    QPoint start, pointer;
    bool isometric;
    QPoint expected;
};

class ZoomWindowCornerTest : public ::testing::TestWithParam<CornerCase> {};

TEST_P(ZoomWindowCornerTest, Corner)
{
    const CornerCase& c = GetParam();
    EXPECT_EQ(ZoomWindowCorner(c.start, c.pointer, Area, c.isometric), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ZoomWindowCornerTest,
    ::testing::Values(CornerCase{"inside", {100, 50}, {150, 90}, false, {150, 90}},
                      CornerCase{"beyond right and bottom", {100, 50}, {400, 300}, false, {270, 168}},
                      CornerCase{"beyond left and top", {100, 50}, {-20, -7}, false, {50, 16}},
                      CornerCase{"square down right", {100, 50}, {140, 60}, true, {140, 90}},
                      CornerCase{"square up left", {100, 100}, {80, 95}, true, {80, 80}},
                      CornerCase{"square up right", {100, 100}, {130, 90}, true, {130, 70}},
                      CornerCase{"square down left", {100, 100}, {70, 120}, true, {70, 130}},
                      // x is clamped first, the square follows the clamped x, then y is cut.
                      CornerCase{"square from clamped x", {250, 100}, {300, 110}, true, {270, 120}},
                      CornerCase{"square cut at the bottom", {100, 150}, {160, 155}, true, {160, 168}},
                      CornerCase{"square with y on the start row", {100, 100}, {130, 100}, true, {130, 70}}),
    [](const auto& info) {
        std::string n = info.param.name;
        for (char& ch : n)
            if (!isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return n;
    });

TEST(MouseGeometry, KeepAxisDirectionFollowsTheCurrentRange)
{
    struct Row {
        double a, b, low, high, expA, expB;
    };
    const Row rows[] = {
        {5, 2, 0, 10, 2, 5},   // normal axis, dragged backwards: swapped
        {2, 5, 0, 10, 2, 5},   // normal axis, dragged forwards: kept
        {2, 5, 10, 0, 5, 2},   // reversed axis stays reversed
        {5, 2, 10, 0, 5, 2},
        {3, 3, 0, 10, 3, 3},   // equal ends
        {5, 2, 4, 4, 5, 2},    // empty current range: no rule applies
    };
    for (const Row& r : rows) {
        double a = r.a, b = r.b;
        KeepAxisDirection(a, b, r.low, r.high);
        EXPECT_EQ(a, r.expA) << r.a << " " << r.b << " on " << r.low << ".." << r.high;
        EXPECT_EQ(b, r.expB);
    }
}

TEST(MouseGeometry, LinearPanMovesBySpanFraction)
{
    // 220 pixels wide, range 0..100: dragging 22 pixels to the right (shift -22) shows 10 less.
    const AxisRange r = PanAxis({0, 100}, {0, 100}, -22, 220, false);
    EXPECT_DOUBLE_EQ(r.Low, -10);
    EXPECT_DOUBLE_EQ(r.High, 90);
    // The distance is measured against the current range but applied to the snapshot.
    const AxisRange s = PanAxis({20, 70}, {0, 100}, 44, 220, false);
    EXPECT_DOUBLE_EQ(s.Low, 10);
    EXPECT_DOUBLE_EQ(s.High, 110);
    // A reversed axis pans the other way in data units and keeps its direction.
    const AxisRange rev = PanAxis({100, 0}, {100, 0}, 22, 220, false);
    EXPECT_DOUBLE_EQ(rev.Low, 90);
    EXPECT_DOUBLE_EQ(rev.High, -10);
}

TEST(MouseGeometry, LogarithmicPanMultiplies)
{
    // Two decades over 200 pixels: 100 pixels of shift is one decade.
    const AxisRange r = PanAxis({1, 100}, {1, 100}, 100, 200, true);
    EXPECT_NEAR(r.Low, 10, 1e-12);
    EXPECT_NEAR(r.High, 1000, 1e-9);
    const AxisRange back = PanAxis({1, 100}, {1, 100}, -100, 200, true);
    EXPECT_NEAR(back.Low, 0.1, 1e-14);
    EXPECT_NEAR(back.High, 10, 1e-12);
    // A logarithmic range through zero has no ratio and stays where it was.
    EXPECT_EQ(PanAxis({-1, 100}, {-1, 100}, 50, 200, true), (AxisRange{-1, 100}));
}

TEST(MouseGeometry, PanWithoutExtentStays)
{
    EXPECT_EQ(PanAxis({0, 10}, {2, 12}, 30, 0, false), (AxisRange{2, 12}));
}

TEST(MouseGeometry, ZoomDragFactorsUseTheWholeControl)
{
    EXPECT_DOUBLE_EQ(ZoomDragFactorX(170, 100, 280), 0.75);  // right: narrower
    EXPECT_DOUBLE_EQ(ZoomDragFactorX(30, 100, 280), 1.25);   // left: wider
    EXPECT_DOUBLE_EQ(ZoomDragFactorY(150, 100, 200), 1.25);  // down: wider
    EXPECT_DOUBLE_EQ(ZoomDragFactorY(50, 100, 200), 0.75);   // up: narrower
    const AxisRange z = ZoomAboutCentre({0, 100}, 0.5);
    EXPECT_DOUBLE_EQ(z.Low, 25);
    EXPECT_DOUBLE_EQ(z.High, 75);
    // Beyond the whole width the range turns over; the scale deals with that.
    const AxisRange over = ZoomAboutCentre({0, 100}, -1);
    EXPECT_DOUBLE_EQ(over.Low, 100);
    EXPECT_DOUBLE_EQ(over.High, 0);
}

TEST(MouseGeometry, NearestCrossHairByTheDistanceOfItsLines)
{
    const QPoint ptr(100, 100);
    // A horizontal line far away in x but close in y beats a vertical one 5 pixels off.
    EXPECT_EQ(NearestCrossHair({{true, false, {105, 0}}, {false, true, {5000, 102}}, {}, {}}, ptr), 2);
    // Ties keep the earlier.
    EXPECT_EQ(NearestCrossHair({{true, false, {97, 0}}, {true, false, {103, 0}}, {}, {}}, ptr), 1);
    // Both lines: the nearer of the two counts.
    EXPECT_EQ(NearestCrossHair({{false, true, {0, 90}}, {}, {}, {true, true, {300, 104}}}, ptr), 4);
    // All off: the first.
    EXPECT_EQ(NearestCrossHair({{}, {}, {}, {}}, ptr), 1);
    // Pixel positions at the limits of the mapping do not overflow.
    EXPECT_EQ(NearestCrossHair({{true, false, {-2147483647, 0}}, {true, false, {2147483647, 0}}}, ptr), 2);
}

TEST(MouseGeometry, NearestLabelAmongThoseShown)
{
    const QPoint ptr(100, 100);
    std::vector<LabelTarget> labels(20);
    EXPECT_EQ(NearestLabel(labels, ptr), 1);
    labels[4] = {true, {130, 100}};
    labels[9] = {true, {110, 110}};
    labels[2] = {false, {100, 100}}; // off: does not compete however close
    EXPECT_EQ(NearestLabel(labels, ptr), 10);
    labels[11] = {true, {90, 90}}; // tie with label 10
    EXPECT_EQ(NearestLabel(labels, ptr), 10);
}

TEST(MouseGeometry, XorOutlineInvertsOnlyTheFrameAndUndoesItself)
{
    QImage img(40, 30, QImage::Format_RGB32);
    img.fill(QColor(255, 255, 255));
    img.setPixel(10, 10, qRgb(10, 200, 30));
    const QImage before = img.copy();
    XorOutline(img, QPoint(25, 20), QPoint(10, 5)); // corners in any order
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const bool onFrame = (x >= 10 && x <= 25 && (y == 5 || y == 20)) ||
                                 (y >= 5 && y <= 20 && (x == 10 || x == 25));
            const QRgb expected = onFrame ? (before.pixel(x, y) ^ 0x00FFFFFF) : before.pixel(x, y);
            ASSERT_EQ(img.pixel(x, y), expected) << x << "," << y;
        }
    XorOutline(img, QPoint(10, 5), QPoint(25, 20));
    EXPECT_EQ(img, before);
}

TEST(MouseGeometry, XorOutlineOfFlatRectangleDrawsNothing)
{
    QImage img(20, 20, QImage::Format_RGB32);
    img.fill(Qt::white);
    const QImage before = img.copy();
    XorOutline(img, QPoint(5, 5), QPoint(5, 15));
    XorOutline(img, QPoint(5, 5), QPoint(15, 5));
    XorOutline(img, QPoint(5, 5), QPoint(5, 5));
    EXPECT_EQ(img, before);
}

TEST(MouseGeometry, XorOutlineClipKeepsOutsideUntouched)
{
    QImage img(40, 40, QImage::Format_RGB32);
    img.fill(Qt::white);
    XorOutline(img, QPoint(5, 5), QPoint(30, 30), QRect(0, 0, 20, 40));
    EXPECT_EQ(img.pixel(5, 5) & 0xFFFFFF, 0u);
    EXPECT_EQ(img.pixel(19, 5) & 0xFFFFFF, 0u);
    EXPECT_EQ(img.pixel(20, 5) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(img.pixel(30, 20) & 0xFFFFFF, 0xFFFFFFu);
}
