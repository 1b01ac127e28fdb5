// Redraw of the main window's chart (681 x 281, fitted view, a width-2 navy line, dotted grey
// grid on the scale ticks) at 3 601, 100 000 and 1 000 000 line items, against two baselines
// drawing the same picture in the same run:
//   - plain QPainter at its fastest: fill, dotted grid, frame, and the line as polylines of 200
//     points with a flat-cap pen and no round joins;
//   - QCustomPlot 2.1 with adaptive sampling and fast polylines, replotting the same ranges.
// Also one step of a mouse drag over 1 000 000 items: a pan step (new range and repaint) and a
// zoom-window step (the XOR outline). Compare the CPU-time medians: Redraw / baseline.

#include "chart/layerchart.h"
#include "chart/scale.h"
#include "chart/scaleprops.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QVector>

#include <benchmark/benchmark.h>
#include <qcustomplot.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

using namespace chart;

namespace {

constexpr int ChartWidth = 681;
constexpr int ChartHeight = 281;
constexpr int HourOfSamples = 3601;
constexpr int ManyItems = 100000;
constexpr int MillionItems = 1000000;
constexpr int PolylineRun = 200; // the chart's own polyline length
constexpr int Repetitions = 7;
constexpr double FitMargin = 0.05;
const QColor Navy(0, 0, 128);
const QColor Gray(128, 128, 128);

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
    double yLow = 0, yHigh = 0;

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
        const double margin = FitMargin * (ymax - ymin);
        yLow = ymin - margin;
        yHigh = ymax + margin;
        chart.SetZoomRange(0, xmin, yLow, xmax, yHigh);
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

// The same chart-area picture with nothing but QPainter calls, the fastest way QPainter draws a
// wide line: runs of 200 points, flat caps, bevel joins (nothing round to fill).
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
    const QPen grid(Gray, 0, Qt::DotLine);
    const QPen line(Navy, 2, Qt::SolidLine, Qt::FlatCap, Qt::BevelJoin);
    const QPen frame(Qt::black, 0);
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
            // Runs share their end points, as the chart's polylines do.
            for (size_t at = 0; at + 1 < points.size(); at += PolylineRun - 1)
                p.drawPolyline(points.data() + at, int(std::min<size_t>(PolylineRun, points.size() - at)));
            p.setPen(frame);
            p.drawRect(0, 0, size.width() - 1, size.height() - 1);
        }
        QPainter w(&window);
        w.drawImage(c.LRim(), c.TRim(), area);
        benchmark::DoNotOptimize(window.constBits());
    }
}

// QCustomPlot with the chart's geometry: the same plot rectangle, ranges, line, dotted grid and
// frame; axes with ticks and labels on the bottom and the left.
void BM_QCustomPlotBaseline(benchmark::State& state)
{
    const int items = int(state.range(0));
    FittedChart f(items); // for the ranges the chart fits
    TLayerChart& c = f.chart;
    QCustomPlot plot;
    plot.resize(ChartWidth, ChartHeight);
    plot.setNotAntialiasedElements(QCP::aeAll);
    plot.setPlottingHints(QCP::phFastPolylines | QCP::phCacheLabels);
    plot.axisRect()->setAutoMargins(QCP::msNone);
    plot.axisRect()->setMargins(QMargins(c.LRim(), c.TRim(), c.RRim() + c.ShadowWidth(),
                                         c.BRim() + c.ShadowWidth()));
    QVector<double> keys(items), values(items);
    for (int i = 0; i < items; ++i) {
        keys[i] = i;
        values[i] = f.values[size_t(i)];
    }
    QCPGraph* graph = plot.addGraph();
    graph->setPen(QPen(Navy, 2));
    graph->setAdaptiveSampling(true);
    graph->setData(keys, values, true);
    plot.xAxis->setRange(0, items - 1);
    plot.yAxis->setRange(f.yLow, f.yHigh);
    for (QCPAxis* axis : {plot.xAxis, plot.yAxis}) {
        axis->grid()->setPen(QPen(Gray, 0, Qt::DotLine));
        axis->grid()->setZeroLinePen(Qt::NoPen);
    }
    for (QCPAxis* axis : {plot.xAxis2, plot.yAxis2}) {
        axis->setVisible(true);
        axis->setTicks(false);
        axis->setTickLabels(false);
    }
    plot.show();
    plot.replot();
    for (auto _ : state) {
        plot.replot(QCustomPlot::rpQueuedRefresh);
        benchmark::ClobberMemory();
    }
    state.counters["items"] = double(items);
}

void SendMouse(QWidget& w, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent e(type, QPointF(at), QPointF(w.mapToGlobal(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(&w, &e);
}

// One move of a pan drag with the left button held: the view follows the pointer and the chart
// repaints (scales, grid, items).
void BM_LayerChartPanDragStep(benchmark::State& state)
{
    FittedChart f(int(state.range(0)));
    TLayerChart& c = f.chart;
    c.SetMouseAction(maPan);
    const QPoint start(ChartWidth / 2, ChartHeight / 2);
    SendMouse(c, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    SendMouse(c, QEvent::MouseMove, start, Qt::NoButton, Qt::LeftButton); // takes the snapshot
    int step = 0;
    for (auto _ : state) {
        const QPoint at = start + QPoint((step++ % 2) ? -7 : 7, 3);
        SendMouse(c, QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton);
        benchmark::DoNotOptimize(c.WindowPicture().constBits());
    }
    SendMouse(c, QEvent::MouseButtonRelease, start, Qt::LeftButton, Qt::NoButton);
    state.counters["items"] = double(c.ItemCount());
}

// One move while a zoom window is open: the XOR outline is erased and drawn again.
void BM_LayerChartZoomWindowStep(benchmark::State& state)
{
    FittedChart f(int(state.range(0)));
    TLayerChart& c = f.chart;
    c.SetMouseAction(maZoomWindPos);
    const QPoint start(100, 60);
    SendMouse(c, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    int step = 0;
    for (auto _ : state) {
        const QPoint at(300 + (step++ % 2) * 9, 150);
        SendMouse(c, QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton);
        benchmark::DoNotOptimize(c.WindowPicture().constBits());
    }
    SendMouse(c, QEvent::MouseButtonRelease, QPoint(300, 150), Qt::RightButton, Qt::NoButton);
    state.counters["items"] = double(c.ItemCount());
}

void Sizes(benchmark::internal::Benchmark* b)
{
    b->Arg(HourOfSamples)->Arg(ManyItems)->Arg(MillionItems);
    b->Repetitions(Repetitions)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_LayerChartRedraw)->Apply(Sizes);
BENCHMARK(BM_PlainQPainterBaseline)->Apply(Sizes);
BENCHMARK(BM_QCustomPlotBaseline)->Apply(Sizes);
BENCHMARK(BM_LayerChartPanDragStep)->Arg(MillionItems)->Repetitions(Repetitions)->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LayerChartZoomWindowStep)->Arg(MillionItems)->Repetitions(Repetitions)->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

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
