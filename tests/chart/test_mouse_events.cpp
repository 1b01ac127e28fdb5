// Cursors, position reports, the toolkit's events and the double click of the chart, driven
// with Qt Test mouse input on a real chart widget.

#include "support_mouse.h"

#include "chart/chartcursors.h"
#include "chart/scaleprops.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <optional>
#include <vector>

using namespace chart;
using namespace charttest;

namespace {

void SendLeave(TLayerChart& c)
{
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&c, &leave);
}

// The cursor the override shows, as a chart cursor number (0 when there is no override).
int OverrideNumber()
{
    const QCursor* o = QGuiApplication::overrideCursor();
    if (!o)
        return crDefault;
    if (o->shape() == Qt::CrossCursor)
        return crCross;
    for (int n = crHandCursor; n <= crZoomPosCursor; ++n)
        if (o->shape() == Qt::BitmapCursor && o->hotSpot() == ChartCursor(n).hotSpot())
            return n;
    return 99;
}

} // namespace

TEST(MouseCursor, EachModeAsksForItsCursorInsideTheChartArea)
{
    struct Row {
        TMouseActMode mode;
        std::optional<int> cursor; // none: the chart leaves the cursor alone
    };
    const Row rows[] = {
        {maNone, crCross},         {maPan, crHandCursor},      {maPanHoriz, crHandCursor},
        {maPanVert, crHandCursor}, {maRubberBand, {}},         {maZoom, {}},
        {maZoomWind, crZoomWindCursor}, {maZoomWindPos, crZoomPosCursor}, {maZoomDrag, crZoomDragCursor},
        {maDragCrossH, crDefault}, {maDragLabel, crDefault},   {maRotate, {}},
        {maRotAndZoom, {}},        {maRotXOnly, {}},           {maRotZOnly, {}},
    };
    for (const Row& r : rows) {
        auto m = MakeMouseChart(r.mode);
        TLayerChart& c = *m->Chart;
        c.SetMouseCursorFixed(false);
        SetScreenCursor(crHandCursor); // a cursor left from before
        Move(c, QPoint(150, 90));
        EXPECT_EQ(OverrideNumber(), r.cursor.value_or(crHandCursor)) << "mode " << r.mode;
        Move(c, QPoint(20, 90)); // over the rim: default in every mode
        EXPECT_EQ(OverrideNumber(), crDefault) << "mode " << r.mode;
        SetScreenCursor(crDefault);
    }
}

TEST(MouseCursor, FixedCursorIsResetOnEveryMoveAndOnLeaving)
{
    auto m = MakeMouseChart(maZoomWindPos);
    TLayerChart& c = *m->Chart;
    ASSERT_TRUE(c.MouseCursorFixed()); // the construction value
    c.SetMouseCursorFixed(false);
    Move(c, QPoint(150, 90));
    EXPECT_EQ(OverrideNumber(), crZoomPosCursor);
    c.SetMouseCursorFixed(true);
    Move(c, QPoint(151, 90));
    EXPECT_EQ(OverrideNumber(), crDefault);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    c.SetMouseCursorFixed(false);
    Move(c, QPoint(152, 90));
    EXPECT_EQ(OverrideNumber(), crZoomPosCursor);
    SendLeave(c);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(MousePosition, MoveInChartReportsRimsAsOutside)
{
    auto m = MakeMouseChart(maNone);
    TLayerChart& c = *m->Chart;
    struct Report {
        bool inChart;
        TShiftState shift;
        double x, y;
    };
    std::vector<Report> reports;
    c.OnMouseMoveInChart = [&](TCustomLayerChart* sender, bool inChart, TShiftState shift, double x, double y) {
        EXPECT_EQ(sender, &c);
        reports.push_back({inChart, shift, x, y});
    };
    Move(c, QPoint(150, 90));
    Move(c, QPoint(20, 100));              // left rim
    Move(c, QPoint(150, 190));             // bottom rim
    Move(c, QPoint(AreaRight, AreaTop));   // the area's corner is inside
    Move(c, QPoint(AreaRight + 1, AreaTop));
    ASSERT_EQ(reports.size(), 5u);
    EXPECT_TRUE(reports[0].inChart);
    EXPECT_DOUBLE_EQ(reports[0].x, 100);
    EXPECT_DOUBLE_EQ(reports[0].y, 78);
    EXPECT_FALSE(reports[1].inChart);
    EXPECT_DOUBLE_EQ(reports[1].x, -30); // the unclamped position
    EXPECT_FALSE(reports[2].inChart);
    EXPECT_DOUBLE_EQ(reports[2].y, -22);
    EXPECT_TRUE(reports[3].inChart);
    EXPECT_FALSE(reports[4].inChart);

    // The data position keeps the last one inside; the pixel position follows every move.
    Move(c, QPoint(150, 90));
    Move(c, QPoint(20, 100));
    EXPECT_DOUBLE_EQ(c.MousePosX(), 100);
    EXPECT_DOUBLE_EQ(c.MousePosY(), 78);
    EXPECT_EQ(c.LastMouseX(), 20);
    EXPECT_EQ(c.LastMouseY(), 100);

    QTest::mousePress(&c, Qt::LeftButton, Qt::ShiftModifier, QPoint(150, 90));
    QTest::mouseMove(&c, QPoint(151, 90));
    EXPECT_EQ(reports.back().shift & ssLeft, ssLeft);
    QTest::mouseRelease(&c, Qt::LeftButton, Qt::ShiftModifier, QPoint(151, 90));
}

TEST(MousePosition, ZoomWindowReportsTheClampedCorner)
{
    auto m = MakeMouseChart(maZoomWindPos);
    TLayerChart& c = *m->Chart;
    Press(c, QPoint(100, 50));
    Move(c, QPoint(400, 300));
    // The window clamps the position, so the data position is the area's corner.
    EXPECT_DOUBLE_EQ(c.MousePosX(), 220);
    EXPECT_DOUBLE_EQ(c.MousePosY(), 0);
    Release(c, QPoint(400, 300), Qt::RightButton);
}

TEST(MouseEvents, ToolkitEventsFireBeforeTheChartActs)
{
    auto m = MakeMouseChart(maZoomWindPos);
    TLayerChart& c = *m->Chart;
    std::vector<std::string> log;
    c.OnMouseDown = [&](TCustomLayerChart*, TMouseButton b, TShiftState, int x, int y) {
        log.push_back("down " + std::to_string(b) + " " + std::to_string(x) + "," + std::to_string(y) +
                      (c.MouseState().ZoomActive ? " open" : " closed"));
    };
    c.OnMouseMove = [&](TCustomLayerChart*, TShiftState, int x, int y) {
        log.push_back("move " + std::to_string(x) + "," + std::to_string(y) + " corner " +
                      std::to_string(c.MouseState().ZoomCorner.x()));
    };
    c.OnMouseUp = [&](TCustomLayerChart*, TMouseButton b, TShiftState, int, int) {
        log.push_back("up " + std::to_string(b) + (c.MouseState().ZoomActive ? " open" : " closed"));
    };
    Press(c, QPoint(100, 50));
    Move(c, QPoint(130, 70));
    Release(c, QPoint(130, 70), Qt::RightButton);
    const std::vector<std::string> expected{"down 0 100,50 closed", "move 130,70 corner 100", "up 1 open"};
    EXPECT_EQ(log, expected);
}

TEST(MouseEvents, DoubleClickReachesTheApplicationAndNeverZooms)
{
    auto m = MakeMouseChart(maZoomWindPos);
    TLayerChart& c = *m->Chart;
    int doubleClicks = 0;
    // The program restores the fitted view on a double click.
    c.OnDblClick = [&](TCustomLayerChart* sender) {
        EXPECT_EQ(sender, &c);
        ++doubleClicks;
        c.SetZoomRange(0, 0, 0, 220, 152);
    };
    Press(c, QPoint(100, 50));
    Move(c, QPoint(200, 120));
    Release(c, QPoint(200, 120));
    ASSERT_NEAR(c.ScaleX(1)->RangeLow(), 50, 1e-9);
    m->ZoomPans = 0;

    // A double click as the window system delivers it: press, release, the second press as a
    // double-click message, release. (QTest::mouseDClick sends the double-click message alone.)
    const QPoint p(150, 90);
    Press(c, p);
    Release(c, p);
    QTest::mouseDClick(&c, Qt::LeftButton, Qt::NoModifier, p);
    EXPECT_TRUE(c.MouseState().ZoomActive); // the second press opened a window of no size
    Release(c, p);
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_EQ(m->ZoomPans, 0);
    EXPECT_FALSE(c.MouseState().ZoomActive);
    EXPECT_DOUBLE_EQ(c.ScaleX(1)->RangeLow(), 0);
    EXPECT_DOUBLE_EQ(c.ScaleX(1)->RangeHigh(), 220);
    EXPECT_DOUBLE_EQ(c.ScaleY(1)->RangeHigh(), 152);
}
