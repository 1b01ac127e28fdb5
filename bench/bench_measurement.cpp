// One measurement tick's own cost (everything but the device wait: append, trim, log, fit,
// Redraw) on the main window's chart with an hour of samples held (3601 items), shown on the
// offscreen platform; and the memory a run of 100 001 samples holds (log and chart).
//
// Baselines measured in the same run: the chart's Redraw alone, and the tick with the view
// fitted by a plain SetZoomRange, which repaints once per layer. Compare medians.

#include "app/Dialogs.h"
#include "core/SyncMeasurement.h"
#include "app/MainWindow.h"
#include "chart/layerchart.h"
#include "platform/PortNames.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <unistd.h>

namespace {

constexpr int Repetitions = 10;
constexpr int HourOfSamples = core::ChartSampleWindow + 1;
constexpr int FullRunSamples = core::LastRecordedSample + 1;
constexpr double BytesPerMegabyte = 1024.0 * 1024.0;

class NoDialogs : public app::Dialogs {
public:
    void ShowMessage(const QString&) override {}
    bool ConfirmYesNo(const QString&) override { return false; }
    void ShowError(const QString&) override {}
    std::optional<app::SaveDialogChoice> SaveFileName(const app::SaveDialogRequest&) override { return std::nullopt; }
};

NoDialogs dialogs;

// The resident memory of the process, in bytes.
double ResidentBytes()
{
    long pages = 0, resident = 0;
    std::FILE* statm = std::fopen("/proc/self/statm", "r");
    if (!statm)
        return 0;
    if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
        resident = 0;
    std::fclose(statm);
    return double(resident) * double(sysconf(_SC_PAGESIZE));
}

// A window with no port, its measurement started (the real timer held), `samples` taken while
// the window was not yet shown; shown afterwards when `shown`.
std::unique_ptr<TForm1> MeasuringWindow(int samples, bool shown)
{
    platform::SetComPortPath(1, "/nonexistent/duoclave-com1");
    auto form = std::make_unique<TForm1>(dialogs);
    form->Button_SwitchClick(form->Button_Switch);
    form->Timer1->stop();
    for (int i = 0; i < samples; ++i)
        form->Measurement().RecordSample(i % 97);
    if (shown) {
        form->show();
        QApplication::processEvents();
    }
    return form;
}

void BM_TickOwnCost(benchmark::State& state)
{
    auto form = MeasuringWindow(HourOfSamples, true);
    int i = 0;
    for (auto _ : state)
        form->Measurement().RecordSample(++i % 97);
    state.counters["items"] = form->LayerChart1->ItemCount();
}

void BM_TickWindowNotShown(benchmark::State& state)
{
    auto form = MeasuringWindow(HourOfSamples, false);
    int i = 0;
    for (auto _ : state)
        form->Measurement().RecordSample(++i % 97);
    state.counters["items"] = form->LayerChart1->ItemCount();
}

void BM_RedrawOnly(benchmark::State& state)
{
    auto form = MeasuringWindow(HourOfSamples, true);
    for (auto _ : state)
        form->LayerChart1->Redraw();
}

// The same steps as a tick, with the view fitted by a plain SetZoomRange.
void BM_TickPlainZoomRange(benchmark::State& state)
{
    auto form = MeasuringWindow(HourOfSamples, true);
    chart::TLayerChart& chart = *form->LayerChart1;
    for (auto _ : state) {
        const int n = form->MeasurementCount;
        const double value = n % 97;
        chart.ExtendPolyline(n, value);
        chart.RemoveFirstItem();
        if (form->MeasurementLog && n <= core::LastRecordedSample)
            form->MeasurementLog->append(QStringLiteral("%1\t%2").arg(n).arg(value));
        double xMin, yMin, xMax, yMax;
        chart.GetDataExtent(core::AllLayers, core::ExtentWindowXLow, core::ExtentWindowYLow, core::ExtentWindowXHigh,
                            core::ExtentWindowYHigh, xMin, yMin, xMax, yMax);
        const double margin = core::FitMarginFraction * (yMax - yMin);
        chart.SetZoomRange(core::AllLayers, xMin, yMin - margin, xMax, yMax + margin);
        chart.Redraw();
        ++form->MeasurementCount;
    }
}

// Memory held after a run of 100 001 samples: the growth of the resident size, and the log's
// characters alone.
void BM_MemoryAfterFullRun(benchmark::State& state)
{
    for (auto _ : state) {
        const double before = ResidentBytes();
        auto form = MeasuringWindow(FullRunSamples, false);
        const double after = ResidentBytes();
        double logCharacters = 0;
        for (const QString& line : *form->MeasurementLog)
            logCharacters += line.size();
        state.counters["resident_MB"] = (after - before) / BytesPerMegabyte;
        state.counters["log_lines"] = form->MeasurementLog->size();
        state.counters["log_text_MB"] = logCharacters * sizeof(QChar) / BytesPerMegabyte;
        state.counters["chart_items"] = form->LayerChart1->ItemCount();
        state.counters["chart_items_MB"] =
            form->LayerChart1->Capacity() * double(sizeof(chart::DisplayItem)) / BytesPerMegabyte;
        form->close();
    }
}

} // namespace

BENCHMARK(BM_RedrawOnly)->Repetitions(Repetitions)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TickOwnCost)->Repetitions(Repetitions)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TickPlainZoomRange)->Repetitions(Repetitions)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TickWindowNotShown)->Repetitions(Repetitions)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MemoryAfterFullRun)->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
