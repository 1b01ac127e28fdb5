// The whole-control picture: window colour, shadow faces, outline and caption anchors.

#include "chart/layerchart.h"
#include "chart/layerchart_gdi.h"
#include "support_layerchart.h"

#include <gtest/gtest.h>

#include <QPainter>

using namespace chart;
using namespace charttest;

namespace {

constexpr int W = 200;
constexpr int H = 120;

std::unique_ptr<TLayerChart> FrameChart(int shadow, TShadowStyle style)
{
    auto c = MakeBareChart(W, H);
    c->SetWindColor(clYellow);
    c->SetShadowBakColor(clLime);
    c->SetShadowColor(clRed);
    c->SetShadowStyle(style);
    c->SetShadowWidth(shadow);
    return c;
}

TEST(LayerChartFrame, FlyingShadowFacesAndOutline)
{
    auto c = FrameChart(3, ssFlying);
    const QRgb red = Rgb(clRed), lime = Rgb(clLime), black = Rgb(clBlack);
    // Bottom face from x = 2; the corner beside it keeps the shadow background.
    EXPECT_EQ(WindowPixel(*c, 2, H - 2), red);
    EXPECT_EQ(WindowPixel(*c, 2, H - 1), red);
    EXPECT_EQ(WindowPixel(*c, 1, H - 2), lime);
    EXPECT_EQ(WindowPixel(*c, 0, H - 1), lime);
    EXPECT_EQ(WindowPixel(*c, W / 2, H - 1), red);
    // Right face from y = 2.
    EXPECT_EQ(WindowPixel(*c, W - 1, 2), red);
    EXPECT_EQ(WindowPixel(*c, W - 1, 1), lime);
    EXPECT_EQ(WindowPixel(*c, W - 2, 0), lime);
    EXPECT_EQ(WindowPixel(*c, W - 1, H / 2), red);
    // Black outline around the control less the shadow.
    EXPECT_EQ(WindowPixel(*c, 0, H / 2), black);
    EXPECT_EQ(WindowPixel(*c, W / 2, 0), black);
    EXPECT_EQ(WindowPixel(*c, W - 3, H / 2), black);
    EXPECT_EQ(WindowPixel(*c, 10, H - 3), black);
    // Window colour inside the rims.
    EXPECT_EQ(WindowPixel(*c, 5, 5), Rgb(clYellow));
}

TEST(LayerChartFrame, BoxShadowHasBlackEdges)
{
    auto c = FrameChart(3, ssBox);
    EXPECT_EQ(WindowPixel(*c, 0, H - 3), Rgb(clBlack));
    EXPECT_EQ(WindowPixel(*c, 1, H - 2), Rgb(clBlack));
    EXPECT_EQ(WindowPixel(*c, W / 2, H - 2), Rgb(clRed));
    EXPECT_EQ(WindowPixel(*c, W / 2, H - 1), Rgb(clBlack));
    EXPECT_EQ(WindowPixel(*c, W - 1, H / 2), Rgb(clBlack));
}

TEST(LayerChartFrame, NoShadowNoOutline)
{
    auto c = FrameChart(0, ssFlying);
    const QRgb yellow = Rgb(clYellow);
    EXPECT_EQ(WindowPixel(*c, 0, H / 2), yellow);
    EXPECT_EQ(WindowPixel(*c, W / 2, 0), yellow);
    EXPECT_EQ(WindowPixel(*c, W - 1, H - 1), yellow);
    EXPECT_EQ(WindowPixel(*c, 0, H - 1), yellow);
    // The chart area reaches the right and bottom rims directly.
    EXPECT_EQ(WindowPixel(*c, W - c->RRim(), c->TRim() + 5), Rgb(clBlack));
}

struct AnchorCase {
    TCaptionAnchorHoriz Horiz;
    TCaptionAnchorVert Vert;
    TAlignment Align;
};

class LayerChartCaption : public ::testing::TestWithParam<AnchorCase> {};

// The caption drawn by the chart equals the text drawn by hand at the anchor the table gives.
TEST_P(LayerChartCaption, DrawnAtItsAnchor)
{
    const AnchorCase a = GetParam();
    auto c = FrameChart(3, ssFlying);
    c->SetCaptionPosX(4);
    c->SetCaptionPosY(-14);
    c->SetCaptionAnchorHoriz(a.Horiz);
    c->SetCaptionAnchorVert(a.Vert);
    c->SetCaptionAlignment(a.Align);
    QImage expected = c->WindowPicture().copy();
    const QImage without = expected.copy();
    const QString text = QStringLiteral("Wq|y");
    c->SetCaption(text);
    const int s = c->ShadowWidth();
    const int ax[] = {0, c->LRim(), c->LRim() + (W - c->LRim() - c->RRim() - s) / 2, W - c->RRim() - s, W};
    const int ay[] = {0, c->TRim(), c->TRim() + (H - c->TRim() - c->BRim() - s) / 2, H - c->BRim(), H};
    int x = 4 + ax[a.Horiz];
    const int y = -14 + ay[a.Vert];
    QPainter p(&expected);
    p.setFont(c->Font().Font);
    p.setPen(ToQColor(c->Font().Color, c->palette()));
    const int t = p.fontMetrics().horizontalAdvance(text);
    if (a.Align == taRightJustify)
        x -= t;
    else if (a.Align == taCenter)
        x -= t / 2;
    GdiTextOut(p, x, y, text);
    p.end();
    // The chart area is drawn over the caption where they meet; compare the rims only.
    const QRect area(c->LRim(), c->TRim(), c->AreaPictureSize().width(), c->AreaPictureSize().height());
    int differing = 0, captionPixels = 0;
    for (int yy = 0; yy < H; ++yy)
        for (int xx = 0; xx < W; ++xx) {
            if (area.contains(xx, yy))
                continue;
            differing += expected.pixel(xx, yy) != c->WindowPicture().pixel(xx, yy);
            captionPixels += without.pixel(xx, yy) != c->WindowPicture().pixel(xx, yy);
        }
    EXPECT_EQ(differing, 0);
    if (a.Horiz != cahControlRight && a.Vert != cavControlTop) { // else off the control
        EXPECT_GT(captionPixels, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Anchors, LayerChartCaption,
    ::testing::Values(AnchorCase{cahControlLeft, cavControlTop, taLeftJustify},
                      AnchorCase{cahChartLeft, cavChartTop, taLeftJustify},
                      AnchorCase{cahChartCenter, cavChartTop, taCenter},
                      AnchorCase{cahChartRight, cavChartTop, taRightJustify},
                      AnchorCase{cahControlRight, cavControlBottom, taRightJustify},
                      AnchorCase{cahChartRight, cavChartBottom, taRightJustify},
                      AnchorCase{cahChartLeft, cavChartCenter, taCenter}));

TEST(LayerChartFrame, ScalesRenderedEventAfterScales)
{
    auto c = MakeShownChart(W, H);
    int calls = 0, top = -1, left = -1;
    c->OnScalesRendered = [&](TCustomLayerChart* sender, QPainter*& canvas, int t, int l) {
        EXPECT_EQ(sender, c.get());
        EXPECT_NE(canvas, nullptr);
        ++calls;
        top = t;
        left = l;
    };
    c->Paint();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(top, 0);
    EXPECT_EQ(left, 0);
    // Redraw under AutoRedraw leaves frame and scales alone.
    c->Redraw();
    EXPECT_EQ(calls, 1);
}

TEST(LayerChartFrame, PaintSuspendedDrawsNothingUntilCleared)
{
    auto c = MakeBareChart(W, H);
    c->SetPaintSuspended(true);
    c->SetChartColor(clAqua);
    EXPECT_NE(WindowPixel(*c, c->LRim() + 5, c->TRim() + 5), Rgb(clAqua));
    c->SetPaintSuspended(false);
    EXPECT_EQ(WindowPixel(*c, c->LRim() + 5, c->TRim() + 5), Rgb(clAqua));
    // Without AutoRedraw a property change waits for the next paint.
    c->SetAutoRedraw(false);
    c->SetChartColor(clFuchsia);
    EXPECT_EQ(WindowPixel(*c, c->LRim() + 5, c->TRim() + 5), Rgb(clAqua));
    c->Redraw(); // without AutoRedraw: a full Paint
    EXPECT_EQ(WindowPixel(*c, c->LRim() + 5, c->TRim() + 5), Rgb(clFuchsia));
}

} // namespace
