// The chart's own picture draws runs of line items through a faster path (reduced to what each
// pixel column shows, thin lines written straight into the scanlines). It may differ from the
// exact drawing of every segment in at most 2 % of the line's pixels, and nowhere by more than
// one pixel from the exact line; everything else draws exactly as before.

#include "chart/layerchart.h"
#include "chart/scaleprops.h"
#include "chart/wmfrecords.h"
#include "support_layerchart.h"
#include "support_wmfreader.h"

#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <functional>
#include <memory>
#include <random>
#include <string>

using namespace chart;
using namespace charttest;

namespace {

constexpr double AllowedShare = 0.02;
constexpr int ProgramSamples = 3601;

// The chart area as the exact drawing gives it: every item on a canvas that is not the chart's
// own picture.
QImage ExactArea(TLayerChart& c)
{
    QImage img(c.AreaPictureSize(), QImage::Format_RGB32);
    QPainter p(&img);
    c.DrawChartBackground(p, 0, 0);
    c.RenderItems(p, 0, 0, false, false);
    return img;
}

// The chart area as the window shows it after Redraw.
QImage ScreenArea(TLayerChart& c)
{
    c.Redraw();
    return c.AreaPicture().copy();
}

struct LineComparison {
    int ExactPixels = 0;
    int Differing = 0;
    int Far = 0; // differing pixels with no pixel of the other line beside them
};

bool Near(const QImage& img, QRgb col, int x, int y)
{
    for (int j = y - 1; j <= y + 1; ++j)
        for (int i = x - 1; i <= x + 1; ++i)
            if (i >= 0 && j >= 0 && i < img.width() && j < img.height() && (img.pixel(i, j) | 0xFF000000u) == col)
                return true;
    return false;
}

LineComparison CompareLine(const QImage& exact, const QImage& screen, TColor colour)
{
    const QRgb col = Rgb(colour);
    LineComparison r;
    for (int y = 0; y < exact.height(); ++y)
        for (int x = 0; x < exact.width(); ++x) {
            const bool e = (exact.pixel(x, y) | 0xFF000000u) == col;
            const bool s = (screen.pixel(x, y) | 0xFF000000u) == col;
            r.ExactPixels += e;
            if (e == s)
                continue;
            ++r.Differing;
            if (!Near(e ? screen : exact, col, x, y))
                ++r.Far;
        }
    return r;
}

void ExpectSamePicture(TLayerChart& c, TColor colour, const std::string& what)
{
    const QImage exact = ExactArea(c);
    const QImage screen = ScreenArea(c);
    const LineComparison r = CompareLine(exact, screen, colour);
    ASSERT_GT(r.ExactPixels, 0) << what;
    EXPECT_LE(r.Differing, AllowedShare * r.ExactPixels) << what << ": " << r.Differing << " of " << r.ExactPixels;
    EXPECT_EQ(r.Far, 0) << what;
}

std::unique_ptr<TLayerChart> ProgramChart()
{
    auto c = std::make_unique<TLayerChart>();
    ApplyProgramChartSettingsForTest(*c);
    c->show();
    return c;
}

void FitAll(TLayerChart& c)
{
    FitLikeMeasurement(c);
}

// ---- the line as data of many kinds ----

struct LineCase {
    const char* Name;
    int Width;
    std::function<void(TLayerChart&)> Fill; // appends the items and sets the view
};

void RandomWalk(TLayerChart& c) { AppendRandomWalk(c, ProgramSamples, 11); FitAll(c); }

void Spike(TLayerChart& c)
{
    c.BeginPolyline(0, 0);
    for (int i = 1; i < 2000; ++i)
        c.ExtendPolyline(i, i == 1234 ? 1000 : 0);
    FitAll(c);
}

void SteepRuns(TLayerChart& c)
{
    c.BeginPolyline(0, 0);
    for (int i = 1; i < ProgramSamples; ++i)
        c.ExtendPolyline(i, (i % 2) ? 1000 : -1000 + (i % 37));
    FitAll(c);
}

void FlatRuns(TLayerChart& c)
{
    c.BeginPolyline(0, 0);
    for (int i = 1; i < ProgramSamples; ++i)
        c.ExtendPolyline(i, (i / 400) * 37 % 100);
    FitAll(c);
}

void SparseSlopes(TLayerChart& c)
{
    c.BeginPolyline(0, 0);
    for (int i = 1; i < 40; ++i)
        c.ExtendPolyline(i, 100 * std::sin(i * 0.7) + (i % 3) * 13);
    FitAll(c);
}

void Clipped(TLayerChart& c)
{
    AppendRandomWalk(c, ProgramSamples, 5);
    // Far beyond the limit of item pixels, between ordinary samples.
    c.ExtendPolyline(1700.3, 1E9);
    c.ExtendPolyline(1703.9, 1150);
    c.ExtendPolyline(1900.6, -1E9);
    c.ExtendPolyline(1905.2, 1250);
    c.SetZoomRange(0, 1500, 1100, 2100, 1300);
}

void ZoomedIntoFewItems(TLayerChart& c)
{
    c.BeginPolyline(0, 0);
    for (int i = 1; i < 20000; ++i)
        c.ExtendPolyline(i, 300 * std::sin(i * 0.01) + (i * 7919 % 101));
    double xmin, ymin, xmax, ymax;
    c.GetDataExtent(0, 9999, -1E10, 10007, 1E10, xmin, ymin, xmax, ymax);
    c.SetZoomRange(0, 10000, ymin - 10, 10006, ymax + 10);
}

void ReversedAxes(TLayerChart& c)
{
    AppendRandomWalk(c, ProgramSamples, 17);
    c.SetZoomRange(0, 3600, 2000, 0, 0);
}

void LogarithmicY(TLayerChart& c)
{
    c.Scale1Y()->SetLogarithmic(true);
    c.BeginPolyline(0, 1);
    for (int i = 1; i < ProgramSamples; ++i)
        c.ExtendPolyline(i, 1 + (i * 7919 % 1000));
    c.SetZoomRange(0, 0, 0.5, ProgramSamples, 2000);
}

void NotANumber(TLayerChart& c)
{
    c.BeginPolyline(0, 0);
    for (int i = 1; i < ProgramSamples; ++i)
        c.ExtendPolyline(i, 50 * std::sin(i * 0.05) + (i * 31 % 17));
    c.ExtendPolyline(1000, std::nan(""));
    c.ExtendPolyline(std::numeric_limits<double>::infinity(), 20);
    c.ExtendPolyline(1003, 10);
    c.SetZoomRange(0, 0, -80, ProgramSamples, 80);
}

class FastLines : public ::testing::TestWithParam<LineCase> {};

TEST_P(FastLines, DifferFromTheExactDrawingOnlyBesideTheLine)
{
    const LineCase& lc = GetParam();
    for (int width : {1, 2, 3, 5}) { // 5: reduced, then drawn by the canvas
        if (lc.Width && width != lc.Width)
            continue;
        auto c = ProgramChart();
        c->SetLineWidth(width);
        lc.Fill(*c);
        ExpectSamePicture(*c, clNavy, std::string(lc.Name) + " width " + std::to_string(width));
    }
}

INSTANTIATE_TEST_SUITE_P(Lines, FastLines,
                         ::testing::Values(LineCase{"program", 2, RandomWalk}, LineCase{"randomwalk", 0, RandomWalk},
                                           LineCase{"spike", 0, Spike}, LineCase{"steep", 0, SteepRuns},
                                           LineCase{"flat", 0, FlatRuns}, LineCase{"sparse", 0, SparseSlopes},
                                           LineCase{"clipped", 0, Clipped},
                                           LineCase{"zoomed", 0, ZoomedIntoFewItems},
                                           LineCase{"reversed", 0, ReversedAxes},
                                           LineCase{"logarithmic", 0, LogarithmicY},
                                           LineCase{"nonfinite", 0, NotANumber}),
                         [](const auto& info) { return std::string(info.param.Name); });

// The highest line pixel of the columns around the spike.
int TopOfLine(const QImage& img, TColor colour)
{
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if ((img.pixel(x, y) | 0xFF000000u) == Rgb(colour))
                return y;
    return -1;
}

TEST(FastLines, SingleFarSampleKeepsItsFullHeight)
{
    for (int width : {1, 2, 3}) {
        auto c = ProgramChart();
        c->SetLineWidth(width);
        Spike(*c);
        const int exactTop = TopOfLine(ExactArea(*c), clNavy);
        ASSERT_GE(exactTop, 0);
        EXPECT_EQ(TopOfLine(ScreenArea(*c), clNavy), exactTop) << "width " << width;
    }
}

// ---- the list: attributes, other kinds, changes ----

void AppendWalkSegment(TLayerChart& c, int from, int count, double base)
{
    for (int i = from; i < from + count; ++i)
        c.ExtendPolyline(i, base + 40 * std::sin(i * 0.37) + (i * 7 % 23));
}

TEST(FastLines, ColoursLayersClassesAndWidthsDrawAsTheirItemsSay)
{
    auto c = ProgramChart();
    c->BeginPolyline(0, 0);
    AppendWalkSegment(*c, 1, 900, 0);
    c->SetDataColor(clRed);
    AppendWalkSegment(*c, 901, 900, 200);
    c->SetClassDefault(7); // hidden below
    AppendWalkSegment(*c, 1801, 300, 400);
    c->SetClassDefault(0);
    c->SetLineWidth(3);
    AppendWalkSegment(*c, 2101, 900, 100);
    c->SetClassVisible(7, false);
    c->SetZoomRange(0, 0, -100, 3001, 600);
    for (TColor colour : {clNavy, clRed})
        ExpectSamePicture(*c, colour, colour == clNavy ? "navy" : "red");
}

// Dashed pens, wide pens on sparse points and the other kinds: the screen shows exactly what the
// exact drawing shows.
TEST(FastLines, EverythingOutsideTheFastPathDrawsAsBefore)
{
    auto c = ProgramChart();
    c->SetLineWidth(1);
    c->SetPenStyle(psDash);
    c->BeginPolyline(0, 0);
    AppendWalkSegment(*c, 1, 600, 0);
    c->SetPenStyle(psSolid);
    c->SetLineWidth(6);
    c->SetDataColor(clGreen);
    for (int i = 0; i < 12; ++i)
        c->ExtendPolyline(600 + i * 50, 100 + (i % 2) * 120);
    DisplayItem rect;
    rect.Kind = ikRectangle;
    rect.Layer = 1;
    rect.X = 100, rect.Y = 50, rect.X2 = 300, rect.Y2 = 150;
    rect.Color = clRed;
    rect.FillColor = clYellow;
    rect.LineWidth = 2;
    c->AppendItem(rect);
    DisplayItem text;
    text.Kind = ikText;
    text.Layer = 1;
    text.X = 500, text.Y = 80;
    text.Color = clBlack;
    text.LineWidth = 1;
    text.SetText("label");
    c->AppendItem(text);
    DisplayItem ellipse = rect;
    ellipse.Kind = ikEllipse;
    ellipse.X = 900, ellipse.Y = 200, ellipse.X2 = 60, ellipse.Y2 = 30;
    c->AppendItem(ellipse);
    c->SetZoomRange(0, 0, -100, 1200, 300);
    EXPECT_EQ(ScreenArea(*c), ExactArea(*c));
}

TEST(FastLines, RemovingAnItemBetweenTwoRunsJoinsThem)
{
    auto c = ProgramChart();
    c->BeginPolyline(0, 0);
    AppendWalkSegment(*c, 1, 1000, 0);
    DisplayItem text;
    text.Kind = ikText;
    text.Layer = 1;
    text.X = 1000, text.Y = 0;
    text.Color = clRed;
    text.SetText("x");
    c->AppendItem(text);
    AppendWalkSegment(*c, 1001, 1000, 0);
    c->SetZoomRange(0, 0, -80, 2000, 120);
    ExpectSamePicture(*c, clNavy, "with the text between");
    c->RemoveItem(1001);
    ExpectSamePicture(*c, clNavy, "text removed");
    for (int i = 0; i < 700; ++i)
        c->RemoveItem(300); // from the middle of the joined run
    ExpectSamePicture(*c, clNavy, "middle removed");
}

// The measurement's own way: append, drop the oldest, fit, redraw; again and again.
TEST(FastLines, ScrollingStripChartStaysRight)
{
    auto c = ProgramChart();
    std::mt19937 gen(9);
    std::uniform_int_distribution<int> step(-40, 40);
    int value = 1200;
    c->BeginPolyline(0, value);
    for (int n = 1; n < 4200; ++n) {
        c->ExtendPolyline(n, value += step(gen));
        if (n >= 3600)
            c->RemoveFirstItem();
        if (n % 350 == 0) {
            FitAll(*c);
            ExpectSamePicture(*c, clNavy, "sample " + std::to_string(n));
        }
    }
    c->ClearItems();
    c->BeginPolyline(0, 5);
    AppendWalkSegment(*c, 1, 300, 0);
    FitAll(*c);
    ExpectSamePicture(*c, clNavy, "after clearing");
}

TEST(FastLines, ChartsSharingDataDrawTheSameItems)
{
    auto owner = ProgramChart();
    auto sharer = ProgramChart();
    sharer->SetUseDataOf(owner.get());
    owner->BeginPolyline(0, 0);
    AppendWalkSegment(*owner, 1, 2000, 0);
    sharer->ExtendPolyline(2001, 300); // a sharer changes the group's list too
    for (int i = 0; i < 500; ++i)
        owner->RemoveFirstItem();
    for (TLayerChart* c : {owner.get(), sharer.get()}) {
        c->SetZoomRange(0, 0, -80, 2001, 320);
        ExpectSamePicture(*c, clNavy, c == owner.get() ? "owner" : "sharer");
    }

    // A chart that leaves keeps its items; the group's later changes no longer reach it.
    sharer->SetUseDataOf(nullptr);
    owner->ClearItems();
    EXPECT_EQ(sharer->ItemCount(), 1502);
    ExpectSamePicture(*sharer, clNavy, "after leaving");
}

// ---- the compact copy of the list ----

bool SameRuns(const std::vector<LineRun>& a, const std::vector<LineRun>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const LineRun& x, const LineRun& y) {
        return x.Begin == y.Begin && x.End == y.End && x.Color == y.Color && x.PenStyle == y.PenStyle &&
               x.LineWidth == y.LineWidth && x.Layer == y.Layer && x.ClassNo == y.ClassNo;
    });
}

// Whatever appends and removals the list goes through, its compact copy is the one a fresh pass
// over the records gives.
TEST(FastLines, CompactCopyStaysInStepWithTheList)
{
    auto c = ProgramChart();
    std::mt19937 gen(21);
    auto pick = [&](int n) { return int(gen() % unsigned(n)); };
    for (int step = 0; step < 3000; ++step) {
        const int what = pick(20);
        if (what < 12) {
            c->SetDataColor(pick(6) == 0 ? clRed : clNavy);
            c->SetLineWidth(pick(8) == 0 ? 3 : 2);
            c->SetClassDefault(pick(10) == 0 ? 4 : 0);
            c->ExtendPolyline(step, pick(1000));
        } else if (what < 14) {
            c->BeginPolyline(step, pick(1000));
        } else if (what < 15) {
            DisplayItem mark;
            mark.Kind = ikMark;
            mark.Layer = 1 + pick(2);
            mark.X = step;
            mark.Y = pick(1000);
            c->AppendItem(mark);
        } else if (c->ItemCount() > 0) {
            c->RemoveItem(what == 19 ? 0 : pick(c->ItemCount()));
        }
        if (step % 97 == 0 || step == 2999) {
            const LinePointIndex& index = c->ItemStore()->index;
            LinePointIndex fresh;
            std::vector<DisplayItem> items;
            for (int i = 0; i < c->ItemCount(); ++i)
                items.push_back(c->Item(i));
            fresh.Rebuild(items.data(), int(items.size()));
            ASSERT_EQ(index.Count(), c->ItemCount()) << "step " << step;
            ASSERT_TRUE(SameRuns(index.Runs(), fresh.Runs())) << "step " << step;
            for (int i = 0; i < c->ItemCount(); ++i) {
                ASSERT_EQ(index.X()[i], items[size_t(i)].X) << "step " << step;
                ASSERT_EQ(index.Y()[i], items[size_t(i)].Y) << "step " << step;
            }
            for (int k = 0; k < c->ItemCount() / LinePointIndex::BlockSize; ++k) {
                const PointBlock& a = index.Block(k);
                const PointBlock& b = fresh.Block(k);
                ASSERT_TRUE(a.XMin == b.XMin && a.XMax == b.XMax && a.YMin == b.YMin && a.YMax == b.YMax)
                    << "step " << step << " block " << k;
            }
        }
    }
    c->SetZoomRange(0, 0, 0, 3000, 1000);
    c->SetClassVisible(4, false);
    for (TColor colour : {clNavy, clRed})
        ExpectSamePicture(*c, colour, "after the changes");
}

// ---- the mapping's rounding ----

// Rounded by hand for speed: it must give what the library's nearbyint gives, halves to even.
TEST(FastLines, PixelRoundingIsTheLibrarysHalfToEven)
{
    for (long double v : {0.0L, 0.5L, 1.5L, 2.5L, -0.5L, -1.5L, -2.5L, 0.49999999999L, 2.50000000001L,
                          -3.4999999999L, 1E-30L, -1E-30L, 12345.5L, -12346.5L, 2147483646.5L, -2147483646.5L,
                          2147483647.4L, 5E12L, -5E12L})
        EXPECT_EQ(RoundPixelValue(v), int(std::nearbyint(std::clamp(v, -2147483647.0L, 2147483647.0L))))
            << double(v);
    EXPECT_EQ(RoundPixelValue(std::numeric_limits<long double>::quiet_NaN()), 0);
}

// ---- the export ----

TEST(FastLines, MetafileKeepsEverySegment)
{
    QTemporaryDir dir;
    auto c = ProgramChart();
    c->BeginPolyline(0, 0);
    for (int i = 1; i <= 3600; ++i)
        c->ExtendPolyline(i, (i * 7919) % 1000); // many points per pixel column
    FitAll(*c);
    c->Paint();
    const QString path = dir.filePath(QStringLiteral("sync.wmf"));
    c->ExportMetafile(path, false);
    const auto m = wmftest::ReadWmfFile(path);
    ASSERT_TRUE(m.problems.isEmpty()) << m.problems.join("; ").toStdString();
    // 3601 points in polylines of 200, each after the first starting at its predecessor's end.
    int runs = 0, points = 0;
    for (const auto& r : m.All(chart::wmf::META_POLYLINE))
        if (r.Int(0) > 5) { // the chart-area frame has 5
            ++runs;
            points += r.Int(0);
        }
    EXPECT_EQ(runs, 19);
    EXPECT_EQ(points, 3601 + 18);
}

} // namespace
