// Dragging crosshairs and text labels with the mouse on a real chart widget.

#include "support_mouse.h"

#include "chart/scaleprops.h"

#include <QTest>
#include <gtest/gtest.h>

#include <vector>

using namespace chart;
using namespace charttest;

namespace {

// The first move with the button held chooses the target; later moves carry it.
void BeginDrag(TLayerChart& c, QPoint at)
{
    Press(c, at);
    Move(c, at);
}

int CountPixels(const QImage& img, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += (img.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
    return n;
}

} // namespace

TEST(CrossHairDrag, AllOffDragsTheFirstAndReportsIt)
{
    auto m = MakeMouseChart(maDragCrossH);
    TLayerChart& c = *m->Chart;
    std::vector<TCrossHair*> moved;
    c.OnCrossHairMove = [&](TCustomLayerChart* sender, TCrossHair* which) {
        EXPECT_EQ(sender, &c);
        moved.push_back(which);
    };
    BeginDrag(c, QPoint(100, 50));
    EXPECT_TRUE(moved.empty()); // nothing moves on the first move
    Move(c, QPoint(130, 80));
    ASSERT_EQ(moved.size(), 1u);
    EXPECT_EQ(moved[0], c.CrossHair1());
    EXPECT_DOUBLE_EQ(c.CrossHair1()->PosX(), 80);
    EXPECT_DOUBLE_EQ(c.CrossHair1()->PosY(), 88);
    EXPECT_DOUBLE_EQ(c.CrossHair2()->PosX(), 0);
    Release(c, QPoint(130, 80));
    EXPECT_EQ(m->ZoomPans, 0);
}

TEST(CrossHairDrag, NearestLineWinsHorizontalByVerticalDistanceAlone)
{
    auto m = MakeMouseChart(maDragCrossH);
    TLayerChart& c = *m->Chart;
    c.CrossHair1()->SetMode(chVert);
    c.CrossHair1()->SetPosX(10); // px 60: 40 pixels from the pointer
    c.CrossHair2()->SetMode(chHoriz);
    c.CrossHair2()->SetPosX(1e6); // far away sideways, which a horizontal line ignores
    c.CrossHair2()->SetPosY(100); // py 68: 2 pixels from the pointer
    c.CrossHair3()->SetMode(chBoth);
    c.CrossHair3()->SetPosX(-500);
    c.CrossHair3()->SetPosY(-500);
    BeginDrag(c, QPoint(100, 70));
    Move(c, QPoint(100, 100));
    EXPECT_DOUBLE_EQ(c.CrossHair2()->PosY(), 68);
    EXPECT_DOUBLE_EQ(c.CrossHair2()->PosX(), 50);
    EXPECT_DOUBLE_EQ(c.CrossHair1()->PosX(), 10);
    Release(c, QPoint(100, 100));

    // A new drag chooses anew: now the vertical line is the nearest.
    BeginDrag(c, QPoint(62, 20));
    Move(c, QPoint(70, 20));
    EXPECT_DOUBLE_EQ(c.CrossHair1()->PosX(), 20);
    EXPECT_DOUBLE_EQ(c.CrossHair2()->PosY(), 68);
    Release(c, QPoint(70, 20));
}

TEST(CrossHairDrag, PositionIsInTheCrossHairsOwnLayer)
{
    auto m = MakeMouseChart(maDragCrossH);
    TLayerChart& c = *m->Chart;
    c.SetZoomRange(4, 0, 0, 440, 304); // two data units per pixel
    c.CrossHair4()->SetMode(chBoth);
    c.CrossHair4()->SetPosX(200); // px 150
    c.CrossHair4()->SetPosY(200); // py 68
    BeginDrag(c, QPoint(150, 70));
    Move(c, QPoint(160, 90));
    EXPECT_DOUBLE_EQ(c.CrossHair4()->PosX(), 220);
    EXPECT_DOUBLE_EQ(c.CrossHair4()->PosY(), 156);
    Release(c, QPoint(160, 90));
}

TEST(CrossHairDrag, SettersNotifyAndTheChartRepaintsOncePerStep)
{
    auto m = MakeMouseChart(maDragCrossH);
    TLayerChart& c = *m->Chart;
    c.CrossHair1()->SetMode(chVert);
    c.CrossHair1()->SetColor(clRed);
    c.CrossHair1()->SetPosX(80); // px 130
    int changes = 0;
    auto chartHandler = c.CrossHair1()->OnChange;
    c.CrossHair1()->OnChange = [&](TCrossHair* sender) {
        ++changes;
        chartHandler(sender);
    };
    m->Repaints = 0;
    BeginDrag(c, QPoint(131, 60));
    Move(c, QPoint(180, 60));
    EXPECT_EQ(changes, 2); // PosX, then PosY
    EXPECT_EQ(m->Repaints, 1);
    const QRgb red = qRgb(255, 0, 0);
    EXPECT_EQ(c.WindowPicture().pixel(180, 100) & 0xFFFFFF, red & 0xFFFFFF);
    EXPECT_NE(c.WindowPicture().pixel(130, 100) & 0xFFFFFF, red & 0xFFFFFF);
    Release(c, QPoint(180, 60));
}

TEST(CrossHairDrag, DraggedBeyondTheAreaItMovesThereAndIsNotDrawn)
{
    auto m = MakeMouseChart(maDragCrossH);
    TLayerChart& c = *m->Chart;
    c.CrossHair1()->SetMode(chBoth);
    c.CrossHair1()->SetColor(clRed);
    c.CrossHair1()->SetPosX(80);
    c.CrossHair1()->SetPosY(76);
    const QRgb red = qRgb(255, 0, 0);
    EXPECT_GT(CountPixels(c.WindowPicture(), red), 0);
    BeginDrag(c, QPoint(130, 92));
    Move(c, QPoint(400, 300)); // outside the control: the drag still follows
    EXPECT_DOUBLE_EQ(c.CrossHair1()->PosX(), 350);
    EXPECT_DOUBLE_EQ(c.CrossHair1()->PosY(), -132);
    EXPECT_EQ(CountPixels(c.WindowPicture(), red), 0);
    Release(c, QPoint(400, 300));
    // Without the button a move ends nothing more: the crosshair stays put.
    Move(c, QPoint(150, 90));
    EXPECT_DOUBLE_EQ(c.CrossHair1()->PosX(), 350);
}

TEST(LabelDrag, NearestShownLabelMovesSilentlyInItsOwnCoordinates)
{
    auto m = MakeMouseChart(maDragLabel);
    TLayerChart& c = *m->Chart;
    TTextLabel* data = c.TextLabel(5);
    data->SetMode(tlBox);
    data->SetCaption("data");
    data->SetPosX(100); // px 150, py 68
    data->SetPosY(100);
    TTextLabel* pixel = c.TextLabel(7);
    pixel->SetMode(tlBox);
    pixel->SetCaption("pixel");
    pixel->SetAttachToData(false);
    pixel->SetPosX(60.4);
    pixel->SetPosY(150.2);
    TTextLabel* off = c.TextLabel(2);
    off->SetAttachToData(false);
    off->SetPosX(70); // right under the pointer, but off
    off->SetPosY(140);
    int notifications = 0;
    for (TTextLabel* l : {data, pixel}) {
        auto chartHandler = l->OnChange;
        l->OnChange = [&notifications, chartHandler](TTextLabel* s) {
            ++notifications;
            chartHandler(s);
        };
    }
    std::vector<TTextLabel*> moved;
    c.OnTextLabelMove = [&](TCustomLayerChart*, TTextLabel* which) { moved.push_back(which); };

    m->Repaints = 0;
    BeginDrag(c, QPoint(70, 140));
    Move(c, QPoint(90, 130));
    EXPECT_DOUBLE_EQ(pixel->PosX(), 90); // window pixels
    EXPECT_DOUBLE_EQ(pixel->PosY(), 130);
    EXPECT_DOUBLE_EQ(off->PosX(), 70);
    ASSERT_EQ(moved.size(), 1u);
    EXPECT_EQ(moved[0], pixel);
    EXPECT_EQ(notifications, 0);
    EXPECT_EQ(m->Repaints, 1);
    Release(c, QPoint(90, 130));

    BeginDrag(c, QPoint(148, 70));
    Move(c, QPoint(200, 100));
    EXPECT_DOUBLE_EQ(data->PosX(), 150); // data units of its layer
    EXPECT_DOUBLE_EQ(data->PosY(), 68);
    EXPECT_EQ(moved.back(), data);
    Release(c, QPoint(200, 100));
}

TEST(LabelDrag, WithEveryLabelOffTheFirstIsDragged)
{
    auto m = MakeMouseChart(maDragLabel);
    TLayerChart& c = *m->Chart;
    c.TextLabel(9)->SetPosX(100); // off: does not compete
    BeginDrag(c, QPoint(150, 68));
    Move(c, QPoint(160, 78));
    EXPECT_DOUBLE_EQ(c.TextLabel(1)->PosX(), 110);
    EXPECT_DOUBLE_EQ(c.TextLabel(1)->PosY(), 90);
    EXPECT_DOUBLE_EQ(c.TextLabel(9)->PosX(), 100);
    Release(c, QPoint(160, 78));
}
