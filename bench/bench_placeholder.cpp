#include <benchmark/benchmark.h>

// Placeholder until the first real benchmark lands; delete it then.
static void BM_Nothing(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(0);
}
BENCHMARK(BM_Nothing);
BENCHMARK_MAIN();
