// The device link against duoclave-sim with no reply delay and the byte time of 9600 baud.
// Reports per exchange: wall time as a ratio to the floor the protocol mandates (its ByteGap
// pauses plus the line time of its bytes), and the host's CPU time as a share of the wall time.
// A bare round trip of one byte and its reply, measured in the same run, is the baseline for the
// pipeline's own latency.

#include "core/PortState.h"
#include "core/DeviceLink.h"
#include "platform/PortNames.h"
#include "platform/SerialPort.h"
#include "platform/TickCount.h"
#include "bench/BenchSimulator.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

namespace {

constexpr double LineBitsPerByte = 10.0;
constexpr double BaudRate = 9600.0;
constexpr double ByteTimeMs = LineBitsPerByte * 1000.0 / BaudRate;
// ReadWord: one gap, four bytes (request, low, high request, high).
constexpr double ReadWordFloorMs = ByteGap + 4 * ByteTimeMs;
// WriteWord: three gaps, five bytes (four out, the acknowledgement back).
constexpr double WriteWordFloorMs = 3 * ByteGap + 5 * ByteTimeMs;
// One byte out, one back.
constexpr double RoundTripFloorMs = 2 * ByteTimeMs;

BenchSimulator simulator;

bool OpenLikeTheApplication(const std::string& path)
{
    platform::SetComPortPath(1, path);
    PortHandle = platform::OpenPortExclusive("Com1").value;
    if (PortHandle == platform::InvalidPortHandle)
        return false;
    PortConfig.dcb = platform::GetLineSettings(PortHandle).value;
    PortConfig.dcb.BaudRate = 9600;
    PortConfig.dcb.Flags = 1;
    PortConfig.dcb.ByteSize = 8;
    PortConfig.dcb.Parity = platform::ParityNone;
    PortConfig.dcb.StopBits = platform::StopBitsOne;
    return platform::SetLineSettings(PortHandle, PortConfig.dcb).Ok();
}

double ThreadCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Runs `exchange` once per iteration and reports the figures against `floorMs`.
template <class Exchange>
void Measure(benchmark::State& state, double floorMs, Exchange exchange)
{
    if (PortHandle == platform::InvalidPortHandle) {
        state.SkipWithError("no simulator port");
        return;
    }
    std::int64_t failures = 0;
    const std::uint64_t wallStart = platform::MonotonicMicroseconds();
    const double cpuStart = ThreadCpuSeconds();
    for (auto _ : state)
        if (!exchange())
            ++failures;
    const double wallMs = static_cast<double>(platform::MonotonicMicroseconds() - wallStart) / 1000.0;
    const double cpuMs = (ThreadCpuSeconds() - cpuStart) * 1000.0;
    const double perExchangeMs = wallMs / static_cast<double>(state.iterations());
    state.counters["ms_per_exchange"] = perExchangeMs;
    state.counters["floor_ms"] = floorMs;
    state.counters["ratio_to_floor"] = perExchangeMs / floorMs;
    state.counters["cpu_share_pct"] = 100.0 * cpuMs / wallMs;
    state.counters["failures"] = static_cast<double>(failures);
}

void BM_RoundTripBaseline(benchmark::State& state)
{
    Measure(state, RoundTripFloorMs, [] {
        std::uint8_t b = 0;
        std::uint32_t count = 0;
        SendByte(SyncRegister);
        ReceiveByteTimed(b, count, ReplyTimeLimit);
        // Complete the read so that the device is idle for the next round.
        SendByte(HighByteRequest);
        ReceiveByteTimed(b, count, ReplyTimeLimit);
        return count == 1;
    });
    // Two round trips per iteration.
    state.counters["ratio_to_floor"] = state.counters["ratio_to_floor"] / 2;
}

void BM_ReadWord(benchmark::State& state)
{
    Measure(state, ReadWordFloorMs, [] {
        bool ok = false;
        benchmark::DoNotOptimize(ReadWord(SyncRegister, ok));
        return ok;
    });
}

void BM_WriteWord(benchmark::State& state)
{
    std::uint16_t value = 0;
    Measure(state, WriteWordFloorMs, [&] {
        bool ok = false;
        WriteWord(60, value++, ok);
        return ok;
    });
}

// With no port every reply wait runs its full limit: what does waiting cost the processor?
void BM_ReadWordWithoutPort(benchmark::State& state)
{
    const platform::PortHandle open = PortHandle;
    PortHandle = platform::InvalidPortHandle;
    std::int64_t failures = 0;
    const std::uint64_t wallStart = platform::MonotonicMicroseconds();
    const double cpuStart = ThreadCpuSeconds();
    for (auto _ : state) {
        bool ok = true;
        benchmark::DoNotOptimize(ReadWord(SyncRegister, ok));
        failures += ok ? 0 : 1;
    }
    const double wallMs = static_cast<double>(platform::MonotonicMicroseconds() - wallStart) / 1000.0;
    state.counters["cpu_share_pct"] = 100.0 * (ThreadCpuSeconds() - cpuStart) * 1000.0 / wallMs;
    state.counters["ms_per_exchange"] = wallMs / static_cast<double>(state.iterations());
    state.counters["failures"] = static_cast<double>(failures);
    PortHandle = open;
}

BENCHMARK(BM_ReadWordWithoutPort)->Iterations(5)->Repetitions(3)->ReportAggregatesOnly(true)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RoundTripBaseline)->Iterations(50)->Repetitions(5)->ReportAggregatesOnly(true)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadWord)->Iterations(50)->Repetitions(5)->ReportAggregatesOnly(true)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteWord)->Iterations(30)->Repetitions(5)->ReportAggregatesOnly(true)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    const std::string link = simulator.Start("com");
    if (link.empty() || !OpenLikeTheApplication(link))
        std::fprintf(stderr, "bench_device_link: could not start %s\n", DUOCLAVE_SIM);
    benchmark::RunSpecifiedBenchmarks();
    platform::ClosePort(PortHandle);
    simulator.Stop();
    benchmark::Shutdown();
    return 0;
}
