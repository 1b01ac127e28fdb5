// Picture export of the program's chart with an hour of samples (3601 items): the time of each
// format's export (WMF, SVG, PDF, PNG) and the size of the file it writes, against the baseline of
// painting the same chart on screen. Report the medians and the export/paint ratios.

#include "chart/layerchart.h"
#include "core/SyncChart.h"

#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>
#include <random>

using namespace chart;

namespace {

constexpr int Samples = 3701; // the chart keeps the last 3600 lines and their start: 3601 items
constexpr int KeptSamples = 3600;
constexpr int Repetitions = 9;

// The chart as the program's window stores it.
std::unique_ptr<TLayerChart> ProgramChart()
{
    auto c = std::make_unique<TLayerChart>();
    c->setGeometry(256, 16, core::SyncChartSize.width(), core::SyncChartSize.height());
    core::ApplySyncChartSettings(*c);
    c->show();

    std::mt19937 gen(42);
    std::uniform_int_distribution<int> step(-40, 40);
    int value = 1200;
    for (int n = 0; n < Samples; ++n) {
        value += step(gen);
        if (n == 0)
            c->BeginPolyline(0, value);
        c->ExtendPolyline(n, value);
        if (n >= KeptSamples)
            c->RemoveFirstItem();
    }
    double xmin, ymin, xmax, ymax;
    c->GetDataExtent(0, -1, -1E10, 1E10, 1E10, xmin, ymin, xmax, ymax);
    const double margin = 0.05 * (ymax - ymin);
    c->SetZoomRange(0, xmin, ymin - margin, xmax, ymax + margin);
    c->Redraw();
    return c;
}

TLayerChart& Chart()
{
    static std::unique_ptr<TLayerChart> chart = ProgramChart();
    return *chart;
}

void BM_PaintOnScreen(benchmark::State& state)
{
    TLayerChart& c = Chart();
    for (auto _ : state)
        c.Paint();
    state.counters["items"] = c.ItemCount();
}

void Export(benchmark::State& state, TPictureFormat format, bool blackAndWhite)
{
    TLayerChart& c = Chart();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sync.") + PictureExtension(format));
    for (auto _ : state)
        c.ExportPicture(format, path, blackAndWhite);
    state.counters["items"] = c.ItemCount();
    state.counters["file_bytes"] = double(QFileInfo(path).size());
}

void BM_ExportMetafile(benchmark::State& state) { Export(state, pfWmf, false); }
void BM_ExportMetafileBlackAndWhite(benchmark::State& state) { Export(state, pfWmf, true); }
void BM_ExportSvg(benchmark::State& state) { Export(state, pfSvg, false); }
void BM_ExportPdf(benchmark::State& state) { Export(state, pfPdf, false); }
void BM_ExportPng(benchmark::State& state) { Export(state, pfPng, false); }

BENCHMARK(BM_PaintOnScreen)->Unit(benchmark::kMillisecond)->Repetitions(Repetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_ExportMetafile)->Unit(benchmark::kMillisecond)->Repetitions(Repetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_ExportMetafileBlackAndWhite)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(Repetitions)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_ExportSvg)->Unit(benchmark::kMillisecond)->Repetitions(Repetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_ExportPdf)->Unit(benchmark::kMillisecond)->Repetitions(Repetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_ExportPng)->Unit(benchmark::kMillisecond)->Repetitions(Repetitions)->ReportAggregatesOnly(true);

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
