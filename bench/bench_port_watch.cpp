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

#include <benchmark/benchmark.h>
#include <csignal>
#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

pid_t simulator = -1;
core::PortConnection port;
double tickReadUs = 0;  // the baseline's mean, for the watch's ratio

std::string StartSimulator()
{
    const std::string link = "/tmp/duoclave-bench-watch-" + std::to_string(getpid());
    int out[2];
    if (pipe(out) != 0)
        return {};
    simulator = fork();
    if (simulator == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        execl(DUOCLAVE_SIM, DUOCLAVE_SIM, "--link", link.c_str(), "--sync", "constant:-12", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    char line[256] = {};
    FILE* in = fdopen(out[0], "r");
    const bool started = in && std::fgets(line, sizeof line, in);
    if (in)
        std::fclose(in);
    return started ? link : std::string();
}

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
    const std::string link = StartSimulator();
    if (!link.empty() && port.Open(link))
        core::ApplyStartupLineSettings();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    port.Close();
    if (simulator > 0) {
        kill(simulator, SIGTERM);
        waitpid(simulator, nullptr, 0);
    }
    return 0;
}
