// Redraw of the main window's chart (681 x 281, fitted view, a width-2 navy line, dotted grey
// grid on the scale ticks) against a plain QPainter drawing the same chart-area picture (fill,
// dotted grid, frame lines, one polyline of all points) in the same run. Also Redraw with
// 100 000 and 1 000 000 line items. Compare the medians: Redraw / baseline.

#include "chart/layerchart.h"
#include "chart/scale.h"
#include "chart/scaleprops.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

using namespace chart;

namespace {

constexpr int ChartWidth = 681;
constexpr int ChartHeight = 281;
constexpr int HourOfSamples = 3601;
constexpr int Repetitions = 7;

// The settings the main window stores that matter for drawing.
void ApplyProgramDrawingSettings(TLayerChart& c)
{
    c.resize(ChartWidth, ChartHeight);
    c.SetDataColor(clNavy);
    c.SetLineWidth(2);
    c.SetGridStyle(gsDotLines);
    c.SetGridColor(clGray);
    c.SetRRim(20);
    c.SetTRim(20);
    c.SetBRim(40);
    c.SetShadowWidth(3);
    c.SetShadowStyle(ssFlying);
    c.SetCaption(QStringLiteral("Sync [us]"));
    c.SetCaptionPosY(-16);
    c.SetCaptionAlignment(taCenter);
    c.SetCaptionAnchorHoriz(cahChartCenter);
    c.SetCaptionAnchorVert(cavChartTop);
    c.Scale1X()->SetColorScale(clBlack);
    c.Scale1Y()->SetColorScale(clBlack);
    c.Loaded();
}

std::vector<double> RandomWalk(int count)
{
    std::mt19937 gen(7);
    std::uniform_int_distribution<int> step(-40, 40);
    std::vector<double> v(static_cast<size_t>(count));
    int value = 1200;
    for (auto& x : v)
        x = value += step(gen);
    return v;
}

struct FittedChart {
    TLayerChart chart;
    std::vector<double> values;

    explicit FittedChart(int items) : values(RandomWalk(items))
    {
        ApplyProgramDrawingSettings(chart);
        chart.show();
        chart.SetAllocSize(std::min(items + 1, 1000000));
        chart.BeginPolyline(0, values[0]);
        for (int i = 1; i < items; ++i)
            chart.ExtendPolyline(i, values[size_t(i)]);
        double xmin, ymin, xmax, ymax;
        chart.GetDataExtent(0, -1, -1E10, 1E10, 1E10, xmin, ymin, xmax, ymax);
        const double margin = 0.05 * (ymax - ymin);
        chart.SetZoomRange(0, xmin, ymin - margin, xmax, ymax + margin);
        chart.Paint();
    }
};

void BM_LayerChartRedraw(benchmark::State& state)
{
    FittedChart f(int(state.range(0)));
    for (auto _ : state) {
        f.chart.Redraw();
        benchmark::DoNotOptimize(f.chart.WindowPicture().constBits());
    }
    state.counters["items"] = double(f.chart.ItemCount());
}

// The same chart-area picture with nothing but QPainter calls.
void BM_PlainQPainterBaseline(benchmark::State& state)
{
    FittedChart f(int(state.range(0)));
    TLayerChart& c = f.chart;
    const QSize size = c.AreaPictureSize();
    QImage area(size, QImage::Format_RGB32);
    QImage window(ChartWidth, ChartHeight, QImage::Format_RGB32);
    // Grid positions and points as the chart places them (precomputed: the baseline draws only).
    std::vector<int> gridX, gridY;
    const TScale* sx = c.ScaleControlX(1);
    const TScale* sy = c.ScaleControlY(1);
    for (int n = 1; n <= sx->NumTicks(); ++n)
        gridX.push_back(c.DataToPixel(1, sx->GetTickPos(n), 0).x() - c.LRim());
    for (int n = 1; n <= sy->NumTicks(); ++n)
        gridY.push_back(c.DataToPixel(1, 0, sy->GetTickPos(n)).y() - c.TRim());
    std::vector<QPoint> points;
    for (size_t i = 0; i < f.values.size(); ++i)
        points.push_back(c.DataToPixel(1, double(i), f.values[i]) - QPoint(c.LRim(), c.TRim()));
    QPen grid(QColor(128, 128, 128), 0, Qt::DotLine);
    QPen line(QColor(0, 0, 128), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    QPen frame(Qt::black, 0);
    for (auto _ : state) {
        {
            QPainter p(&area);
            p.fillRect(area.rect(), Qt::white);
            p.setPen(grid);
            for (int x : gridX)
                p.drawLine(x, 0, x, size.height() - 1);
            for (int y : gridY)
                p.drawLine(0, y, size.width() - 1, y);
            p.setPen(line);
            p.drawPolyline(points.data(), int(points.size()));
            p.setPen(frame);
            p.drawRect(0, 0, size.width() - 1, size.height() - 1);
        }
        QPainter w(&window);
        w.drawImage(c.LRim(), c.TRim(), area);
        benchmark::DoNotOptimize(window.constBits());
    }
}

BENCHMARK(BM_LayerChartRedraw)->Arg(HourOfSamples)->Repetitions(Repetitions)->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlainQPainterBaseline)->Arg(HourOfSamples)->Repetitions(Repetitions)->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LayerChartRedraw)->Arg(100000)->Arg(1000000)->Repetitions(3)->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainQPainterBaseline)->Arg(100000)->Arg(1000000)->Repetitions(3)->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
