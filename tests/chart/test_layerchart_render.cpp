// The chart area: polylines of the line path, colour and visibility rules, the grid, the other
// item kinds and clearing.

#include "chart/layerchart.h"
#include "chart/scale.h"
#include "chart/scaleprops.h"
#include "support_layerchart.h"

#include <gtest/gtest.h>

using namespace chart;
using namespace charttest;

namespace {

constexpr int W = 400;
constexpr int H = 250;

QPoint AreaPoint(const TLayerChart& c, double x, double y)
{
    return c.DataToPixel(1, x, y) - QPoint(c.LRim(), c.TRim());
}

TEST(LayerChartRender, LongLineDrawnInRunsOfTwoHundredPoints)
{
    auto c = MakeBareChart(W, H);
    c->SetDataColor(clNavy);
    c->SetZoomRange(1, 0, 0, 450, 10);
    c->BeginPolyline(0, 3);
    for (int i = 1; i <= 450; ++i)
        c->ExtendPolyline(i, i % 7);
    const auto lines = PolylinesOf(RecordRedraw(*c), clNavy);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].Points.size(), 200u);
    EXPECT_EQ(lines[1].Points.size(), 200u);
    EXPECT_EQ(lines[2].Points.size(), 53u);
    EXPECT_EQ(lines[0].Points.front(), AreaPoint(*c, 0, 3)); // starts at the move point
    EXPECT_EQ(lines[1].Points.front(), lines[0].Points.back());
    EXPECT_EQ(lines[2].Points.front(), lines[1].Points.back());
    EXPECT_EQ(lines[2].Points.back(), AreaPoint(*c, 450, 450 % 7));
}

TEST(LayerChartRender, ColourChangeStartsNewPolylineAtPreviousEnd)
{
    auto c = MakeBareChart(W, H);
    c->SetZoomRange(1, 0, 0, 4, 1);
    c->SetDataColor(clNavy);
    c->BeginPolyline(0, 0);
    c->ExtendPolyline(1, 1);
    c->ExtendPolyline(2, 0);
    c->SetDataColor(clRed);
    c->ExtendPolyline(3, 1);
    c->ExtendPolyline(4, 0);
    const RecordedRedraw r = RecordRedraw(*c);
    const auto navy = PolylinesOf(r, clNavy);
    const auto red = PolylinesOf(r, clRed);
    ASSERT_EQ(navy.size(), 1u);
    ASSERT_EQ(red.size(), 1u);
    EXPECT_EQ(navy[0].Points.size(), 3u);
    ASSERT_EQ(red[0].Points.size(), 3u);
    EXPECT_EQ(red[0].Points[0], AreaPoint(*c, 2, 0)); // the joining segment takes the new colour
    EXPECT_EQ(red[0].Points[2], AreaPoint(*c, 4, 0));
}

TEST(LayerChartRender, WidthChangeClosesTheRun)
{
    auto c = MakeBareChart(W, H);
    c->SetZoomRange(1, 0, 0, 3, 1);
    c->SetDataColor(clNavy);
    c->BeginPolyline(0, 0);
    c->ExtendPolyline(1, 1);
    c->SetLineWidth(3);
    c->ExtendPolyline(2, 0);
    c->ExtendPolyline(3, 1);
    const auto navy = PolylinesOf(RecordRedraw(*c), clNavy);
    ASSERT_EQ(navy.size(), 2u);
    EXPECT_EQ(navy[0].Points.size(), 2u);
    EXPECT_EQ(navy[1].Width, 3);
    EXPECT_EQ(navy[1].Points.front(), navy[0].Points.back());
}

TEST(LayerChartRender, HiddenClassOrLayerDoesNotBreakTheLine)
{
    auto c = MakeBareChart(W, H);
    c->SetZoomRange(0, 0, 0, 4, 5);
    c->SetDataColor(clNavy);
    c->BeginPolyline(0, 0);
    c->ExtendPolyline(1, 1);
    c->SetClassDefault(1);
    c->ExtendPolyline(2, 5);
    c->SetClassDefault(0);
    c->ExtendPolyline(3, 2);
    DisplayItem other; // a line item of layer 2
    other.Kind = ikLineTo;
    other.Layer = 2;
    other.Color = clNavy;
    other.LineWidth = 1;
    other.X = 3.5;
    other.Y = 4;
    c->AppendItem(other);
    c->ExtendPolyline(4, 1);
    c->SetClassVisible(1, false);
    c->SetLayerVisible(2, false);
    const auto navy = PolylinesOf(RecordRedraw(*c), clNavy);
    ASSERT_EQ(navy.size(), 1u);
    const std::vector<QPoint> expected = {AreaPoint(*c, 0, 0), AreaPoint(*c, 1, 1), AreaPoint(*c, 3, 2),
                                          AreaPoint(*c, 4, 1)};
    EXPECT_EQ(navy[0].Points, expected);
}

TEST(LayerChartRender, LineWithoutStartPointStartsAtItsOwnPoint)
{
    auto c = MakeBareChart(W, H);
    c->SetZoomRange(1, 0, 0, 2, 10);
    c->SetDataColor(clNavy);
    c->SetChartColor(clWhite);
    c->BeginPolyline(0, 5);
    c->ExtendPolyline(1, 7);
    c->ExtendPolyline(2, 6);
    c->RemoveFirstItem();
    const auto navy = PolylinesOf(RecordRedraw(*c), clNavy);
    ASSERT_EQ(navy.size(), 1u);
    const std::vector<QPoint> expected = {AreaPoint(*c, 1, 7), AreaPoint(*c, 2, 6)};
    EXPECT_EQ(navy[0].Points, expected);
    // No segment from the top-left corner of the chart area.
    c->Redraw();
    for (int i = 2; i < 30; ++i)
        EXPECT_EQ(AreaPixel(*c, i, i), Rgb(clWhite)) << i;
}

TEST(LayerChartRender, DotLinesWithoutTicksDrawOneLineAtTheLowEnd)
{
    TLayerChart c;
    c.resize(W, H);
    c.Scale1X()->SetVisible(false); // this scale never draws, so it records no ticks
    c.SetGridStyle(gsDotLines);
    c.SetGridColor(clGreen);
    c.SetZoomRange(1, 10, 0, 20, 1);
    c.show();
    ASSERT_EQ(c.ScaleControlX(1)->NumTicks(), 0);
    ASSERT_GT(c.ScaleControlY(1)->NumTicks(), 0);
    const RecordedRedraw r = RecordRedraw(c);
    int vertical = 0, horizontal = 0;
    for (const RecordedLine& l : r.Lines) {
        if (l.Color != ToQColor(clGreen))
            continue;
        EXPECT_EQ(l.Style, Qt::DotLine);
        if (l.Line.x1() == l.Line.x2()) {
            ++vertical;
            EXPECT_EQ(l.Line.x1(), 0); // x = 10, the low end
        } else {
            ++horizontal;
        }
    }
    EXPECT_EQ(vertical, 1);
    EXPECT_GT(horizontal, 1);
}

TEST(LayerChartRender, GridFixedStepsAndLimit)
{
    auto c = MakeBareChart(W, H);
    c->SetGridStyle(gsVertLines);
    c->SetGridColor(clGreen);
    c->SetZoomRange(1, 0, 0, 10, 1);
    c->SetGridDx(2.5);
    RecordedRedraw r = RecordRedraw(*c);
    std::vector<int> xs;
    for (const RecordedLine& l : r.Lines)
        if (l.Color == ToQColor(clGreen))
            xs.push_back(l.Line.x1());
    const std::vector<int> expected = {AreaPoint(*c, 0, 0).x(), AreaPoint(*c, 2.5, 0).x(), AreaPoint(*c, 5, 0).x(),
                                       AreaPoint(*c, 7.5, 0).x()};
    EXPECT_EQ(xs, expected); // 10 itself is not < max
    c->SetGridDx(1E-6);
    r = RecordRedraw(*c);
    int count = 0;
    for (const RecordedLine& l : r.Lines)
        count += l.Color == ToQColor(clGreen);
    EXPECT_EQ(count, 1000);
}

TEST(LayerChartRender, LogarithmicGridSubdivisions)
{
    auto c = MakeBareChart(W, H);
    c->SetGridStyle(gsVertLines);
    c->SetGridColor(clGreen);
    c->SetZoomRange(1, 1, 0, 1000, 1);
    c->ScaleX(1)->SetLogarithmic(true);
    ASSERT_TRUE(c->ScaleX(1)->Logarithmic());
    auto positions = [&](double step) {
        c->SetGridDx(step);
        std::vector<int> xs;
        for (const RecordedLine& l : RecordRedraw(*c).Lines)
            if (l.Color == ToQColor(clGreen))
                xs.push_back(l.Line.x1());
        return xs;
    };
    auto px = [&](std::initializer_list<double> vs) {
        std::vector<int> out;
        for (double v : vs)
            out.push_back(AreaPoint(*c, v, 0).x());
        return out;
    };
    EXPECT_EQ(positions(-1), px({1, 10, 100}));
    EXPECT_EQ(positions(-2), px({2, 5, 10, 20, 50, 100, 200, 500}));
    EXPECT_EQ(positions(-3), px({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 200, 300,
                                 400, 500, 600, 700, 800, 900}));
}

struct ShapeCase {
    const char* Name;
    DisplayItem Item;
    TColor Expected; // a colour the drawing must contain
};

DisplayItem Shape(ItemKind kind, double x, double y, double x2, double y2)
{
    DisplayItem it;
    it.Kind = kind;
    it.Layer = 1;
    it.X = x;
    it.Y = y;
    it.X2 = x2;
    it.Y2 = y2;
    it.Color = clRed;
    it.FillColor = clBlue;
    it.FrameColor1 = clLime;
    it.FrameColor2 = clFuchsia;
    it.LineWidth = 1;
    it.Size = 10;
    it.Depth = 8;
    return it;
}

class LayerChartShapes : public ::testing::TestWithParam<ShapeCase> {};

// Each kind draws its colours inside the box of its points (plus a margin) and nowhere else.
TEST_P(LayerChartShapes, DrawnWhereItsPointsAre)
{
    const ShapeCase sc = GetParam();
    auto c = MakeBareChart(W, H);
    c->SetChartColor(clWhite);
    c->SetZoomRange(1, 0, 0, 100, 100);
    c->AppendItem(sc.Item);
    c->Redraw();
    const QImage& img = c->AreaPicture();
    const DisplayItem& it = sc.Item;
    QRect box = it.Kind == ikEllipse // X2, Y2 are the radii
                    ? QRect(AreaPoint(*c, it.X - it.X2, it.Y + it.Y2), AreaPoint(*c, it.X + it.X2, it.Y - it.Y2))
                    : QRect(AreaPoint(*c, it.X, it.Y), AreaPoint(*c, it.X2, it.Y2)).normalized();
    box.adjust(-16, -16, 16, 16);
    int inside = 0, outside = 0;
    for (int y = 1; y < img.height() - 1; ++y)
        for (int x = 1; x < img.width() - 1; ++x) {
            const QRgb p = img.pixel(x, y) | 0xFF000000u;
            if (p == Rgb(clWhite))
                continue;
            if (box.contains(x, y))
                inside += p == Rgb(sc.Expected);
            else
                ++outside;
        }
    EXPECT_GT(inside, 0) << sc.Name;
    EXPECT_EQ(outside, 0) << sc.Name;
}

DisplayItem WithText(DisplayItem it)
{
    it.SetText("Hello");
    return it;
}

DisplayItem Transparent(DisplayItem it)
{
    it.Transparent = true;
    return it;
}

DisplayItem Framed(DisplayItem it, int style)
{
    it.FrameStyle = uint8_t(style);
    return it;
}

DisplayItem Marked(DisplayItem it, int type)
{
    it.MarkType = uint8_t(type);
    return it;
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, LayerChartShapes,
    ::testing::Values(ShapeCase{"line", Shape(ikLine, 10, 10, 60, 40), clRed},
                      ShapeCase{"rectangle", Shape(ikRectangle, 20, 20, 50, 60), clBlue},
                      ShapeCase{"open rectangle", Transparent(Shape(ikRectangle, 20, 20, 50, 60)), clRed},
                      ShapeCase{"rect3d", Framed(Shape(ikRect3D, 20, 20, 50, 60), 2), clLime},
                      ShapeCase{"rect3d double", Framed(Shape(ikRect3D, 20, 20, 50, 60), 5), clFuchsia},
                      ShapeCase{"bar3d", Shape(ikBar3D, 20, 20, 50, 60), clBlue},
                      ShapeCase{"ellipse", Shape(ikEllipse, 50, 50, 10, 20), clBlue},
                      ShapeCase{"arrow", Shape(ikArrow, 20, 20, 70, 60), clBlue},
                      ShapeCase{"open arrow", Transparent(Shape(ikArrow, 20, 20, 70, 60)), clRed},
                      ShapeCase{"text", WithText(Shape(ikText, 50, 50, 50, 50)), clRed},
                      ShapeCase{"mark", Marked(Shape(ikMark, 50, 50, 50, 50), 3), clRed},
                      ShapeCase{"filled mark", Marked(Shape(ikMark, 50, 50, 50, 50), 9), clRed},
                      ShapeCase{"single-pixel line", Shape(ikLine, 30, 30, 30, 30), clRed}));

TEST(LayerChartRender, BlackAndWhiteItems)
{
    auto c = MakeBareChart(W, H);
    c->SetChartColor(clWhite);
    c->SetZoomRange(1, 0, 0, 100, 100);
    c->AppendItem(Shape(ikRectangle, 20, 20, 50, 60));
    QImage img(c->AreaPictureSize(), QImage::Format_RGB32);
    QPainter p(&img);
    c->DrawChartBackground(p, 0, 0);
    c->RenderItems(p, 0, 0, true, false);
    p.end();
    const QPoint mid = AreaPoint(*c, 35, 40);
    EXPECT_EQ(img.pixel(mid) | 0xFF000000u, qRgb(0xC0, 0xC0, 0xC0));
    const QPoint corner = AreaPoint(*c, 20, 60);
    EXPECT_EQ(img.pixel(corner) | 0xFF000000u, Rgb(clBlack));
}

TEST(LayerChartRender, ClearItemsThenRedrawShowsEmptyArea)
{
    auto c = MakeShownChart(W, H);
    c->SetCaption(QStringLiteral("Title"));
    c->SetGridStyle(gsLines);
    c->SetGridColor(clGreen);
    c->SetDataColor(clRed);
    c->SetZoomRange(1, 0, 0, 10, 10);
    c->BeginPolyline(0, 0);
    for (int i = 1; i <= 10; ++i)
        c->ExtendPolyline(i, (i * 7) % 10);
    c->Redraw();
    const QImage before = c->WindowPicture().copy();
    c->ClearItems();
    c->Redraw();
    const QImage& after = c->WindowPicture();
    const QRect area(c->LRim(), c->TRim(), c->AreaPictureSize().width(), c->AreaPictureSize().height());
    int red = 0, green = 0, changedOutside = 0;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const QRgb p = after.pixel(x, y) | 0xFF000000u;
            if (area.contains(x, y)) {
                red += p == Rgb(clRed);
                green += p == Rgb(clGreen);
            } else {
                changedOutside += p != (before.pixel(x, y) | 0xFF000000u);
            }
        }
    EXPECT_EQ(red, 0);
    EXPECT_GT(green, 0);
    EXPECT_EQ(changedOutside, 0); // caption and scales stay as they were
    EXPECT_EQ(after.pixel(area.topLeft()) | 0xFF000000u, Rgb(clBlack));
}

TEST(LayerChartRender, RenderEventsSeeAreaOffsets)
{
    auto c = MakeBareChart(W, H);
    std::vector<std::string> order;
    int top = 0, left = 0;
    c->OnBeforeRenderData = [&](TCustomLayerChart*, QPainter*& canvas, int t, int l) {
        order.push_back("before");
        canvas->setPen(Qt::red);
        top = t;
        left = l;
    };
    c->OnDataRendered = [&](TCustomLayerChart*, QPainter*&, int, int) { order.push_back("after"); };
    c->Redraw();
    EXPECT_EQ(order, (std::vector<std::string>{"before", "after"}));
    EXPECT_EQ(top, c->TRim());
    EXPECT_EQ(left, c->LRim());
    // Drawn in control coordinates (as the export does): the offsets vanish.
    QImage img(W, H, QImage::Format_RGB32);
    QPainter p(&img);
    c->RenderItems(p, c->LRim(), c->TRim(), false, false);
    EXPECT_EQ(top, 0);
    EXPECT_EQ(left, 0);
}

} // namespace
