// Drawing the main window chart's two visible scales (681 × 281, rims 50/20/20/40, shadow 3)
// onto an off-screen picture, as the chart does on every paint. The baseline is filling that
// picture once, measured in the same run; compare medians.

#include "chart/scale.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <memory>

using namespace chart;

namespace {

constexpr int ChartWidth = 681;
constexpr int ChartHeight = 281;
constexpr int LRim = 50, RRim = 20, TRim = 20, BRim = 40, Shadow = 3;

std::unique_ptr<TScale> ChartScale(TScaleType type, double low, double high)
{
    auto s = std::make_unique<TScale>();
    s->SetSuspendPaint(true);
    s->SetDirectPaint(true);
    s->SetTransparent(true);
    s->SetFrameStyle(fsNone);
    s->SetBounds(0, 0, ChartWidth, ChartHeight);
    s->SetScaleType(type);
    if (IsHorizontalScale(type)) {
        s->SetMarginLeft(LRim);
        s->SetMarginRight(RRim + Shadow - 1);
        s->SetMarginTop(ChartHeight - BRim - Shadow); // the line on the plot area's bottom edge
    } else {
        s->SetMarginTop(TRim);
        s->SetMarginBottom(BRim + Shadow - 1);
        s->SetMarginRight(ChartWidth - LRim - 1); // the line on the plot area's left edge
    }
    s->SetRangeHigh(high);
    s->SetRangeLow(low);
    return s;
}

void BM_FillPicture(benchmark::State& state)
{
    QImage picture(ChartWidth, ChartHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&picture);
        p.fillRect(0, 0, ChartWidth, ChartHeight, Qt::lightGray);
        benchmark::DoNotOptimize(picture.constBits());
    }
}

void BM_DrawTwoScales(benchmark::State& state)
{
    QImage picture(ChartWidth, ChartHeight, QImage::Format_RGB32);
    picture.fill(Qt::lightGray);
    auto x = ChartScale(sctXT, 0, 3600);
    auto y = ChartScale(sctYR, -1234.5, 987.25);
    for (auto _ : state) {
        QPainter p(&picture);
        x->SetTargetCanvas(&p, 0, 0);
        y->SetTargetCanvas(&p, 0, 0);
        x->ForceRepaint();
        y->ForceRepaint();
        benchmark::DoNotOptimize(y->NumTicks());
    }
}

void BM_TickLayoutOnly(benchmark::State& state)
{
    for (auto _ : state) {
        const TScaleStep s = FindScaleStep(3, -1234.5, 987.25);
        const auto shorts = LinearShortTicks(s, -1234.5, 987.25);
        const int decimals = AutoDecimals(-2, 987.25, -1234.5);
        for (long double v : LinearLabelTicks(s, 987.25))
            benchmark::DoNotOptimize(LinearTickText(v, decimals, -1234.5, 987.25));
        benchmark::DoNotOptimize(shorts.size());
    }
}

constexpr int Repetitions = 9;

} // namespace

BENCHMARK(BM_FillPicture)->Repetitions(Repetitions)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawTwoScales)->Repetitions(Repetitions)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TickLayoutOnly)->Repetitions(Repetitions)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
