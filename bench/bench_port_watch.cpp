// What watching the port for a vanished device costs a measurement tick. Against duoclave-sim at
// 9600 baud: the watch of an open port (a poll and two stats) and a tick's read of the sync
// register, the baseline, in the same run; the ratio is the watch's share of a tick. The list of
// serial devices present on this machine (the device choice's Refresh) for scale.

#include "core/DeviceLink.h"
#include "core/PortConnection.h"
#include "core/PortOpening.h"
#include "core/PortState.h"
#include "platform/SerialDevices.h"
#include "platform/TickCount.h"
#include "bench/BenchSimulator.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <string>

namespace {

BenchSimulator simulator;
core::PortConnection port;
double tickReadUs = 0;  // the baseline's mean, for the watch's ratio

template <class Work>
double MeanMicroseconds(benchmark::State& state, Work work)
{
    const std::uint64_t start = platform::MonotonicMicroseconds();
    for (auto _ : state)
        work();
    return static_cast<double>(platform::MonotonicMicroseconds() - start) / static_cast<double>(state.iterations());
}

void BM_TickReadBaseline(benchmark::State& state)
{
    if (!port.IsOpen()) {
        state.SkipWithError("no simulator port");
        return;
    }
    std::int64_t failures = 0;
    tickReadUs = MeanMicroseconds(state, [&] {
        bool ok = false;
        benchmark::DoNotOptimize(ReadWord(SyncRegister, ok));
        if (!ok) ++failures;
    });
    state.counters["us_per_call"] = tickReadUs;
    state.counters["failures"] = static_cast<double>(failures);
}

void BM_WatchOpenPort(benchmark::State& state)
{
    if (!port.IsOpen()) {
        state.SkipWithError("no simulator port");
        return;
    }
    std::int64_t changes = 0;
    const double us = MeanMicroseconds(state, [&] {
        if (port.Watch()) ++changes;
    });
    state.counters["us_per_call"] = us;
    state.counters["ratio_to_tick_read"] = tickReadUs > 0 ? us / tickReadUs : 0;
    state.counters["status_changes"] = static_cast<double>(changes);
}

void BM_ListSerialDevices(benchmark::State& state)
{
    std::size_t found = 0;
    const double us = MeanMicroseconds(state, [&] { found = platform::ListSerialDevices().value.size(); });
    state.counters["us_per_call"] = us;
    state.counters["devices"] = static_cast<double>(found);
    state.counters["ratio_to_tick_read"] = tickReadUs > 0 ? us / tickReadUs : 0;
}

// The baseline first, so that the others can be put against it.
BENCHMARK(BM_TickReadBaseline)->Unit(benchmark::kMillisecond)->Iterations(50)->Repetitions(5);
BENCHMARK(BM_WatchOpenPort)->Unit(benchmark::kMicrosecond)->Repetitions(5);
BENCHMARK(BM_ListSerialDevices)->Unit(benchmark::kMicrosecond)->Repetitions(5);

} // namespace

int main(int argc, char** argv)
{
    const std::string link = simulator.Start("watch");
    if (!link.empty() && port.Open(link))
        core::ApplyStartupLineSettings();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    port.Close();
    simulator.Stop();
    return 0;
}
