// The pure terrain operations at the sides the editor offers: generation, resampling,
// statistics, a brush stroke, and both erosions. Targets: generation at 4097 under 1 s,
// 100,000 droplets on 1025 under 5 s.
#include <benchmark/benchmark.h>

#include <vector>

#include "terrain/brush.h"
#include "terrain/erosion_hydraulic.h"
#include "terrain/erosion_thermal.h"
#include "terrain/generation.h"
#include "terrain/resample.h"
#include "terrain/statistics.h"

namespace {

Heightfield Generated(int side) { return GenerateHeightfield({side, 0.6f, 42}).value(); }

// Argument: the side.
void BM_Generate(benchmark::State& state)
{
    const int side = static_cast<int>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(GenerateHeightfield({side, 0.6f, 42}));
    }
}

// Arguments: the side from and to.
void BM_Resample(benchmark::State& state)
{
    const Heightfield source = Generated(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(ResampleHeightfield(source, static_cast<int>(state.range(1))));
    }
}

// Argument: the side.
void BM_Statistics(benchmark::State& state)
{
    const Heightfield field = Generated(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComputeTerrainStatistics(field, 1.0f));
    }
}

// A stroke of 100 dabs across a 1025 terrain. Arguments: the brush kind and the radius.
void BM_BrushStroke(benchmark::State& state)
{
    Heightfield field = Generated(1025);
    const Brush brush = {static_cast<BrushKind>(state.range(0)),
                         BrushFalloff::Smooth,
                         static_cast<float>(state.range(1)),
                         0.05f,
                         1.0f,
                         7};
    std::vector<DabCentre> dabs;
    for (int i = 0; i < 100; ++i) {
        dabs.push_back({200.0f + 6.0f * i, 300.0f + 2.5f * i});
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(ApplyStroke(field, brush, dabs));
    }
}

// The default parameters. Arguments: the side and the droplets.
void BM_HydraulicErosion(benchmark::State& state)
{
    const Heightfield field = Generated(static_cast<int>(state.range(0)));
    HydraulicErosionParameters parameters;
    parameters.droplets = static_cast<int>(state.range(1));
    for (auto _ : state) {
        benchmark::DoNotOptimize(ErodeHydraulically(field, parameters));
    }
}

// The default parameters. Argument: the side.
void BM_ThermalErosion(benchmark::State& state)
{
    const Heightfield field = Generated(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(ErodeThermally(field, {}));
    }
}

} // namespace

BENCHMARK(BM_Generate)->Arg(1025)->Arg(4097)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Resample)->Args({1025, 4097})->Args({4097, 1025})->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Statistics)->Arg(1025)->Arg(4097)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BrushStroke)
    ->Args({static_cast<int>(BrushKind::Raise), 16})
    ->Args({static_cast<int>(BrushKind::Raise), 256})
    ->Args({static_cast<int>(BrushKind::Smooth), 64})
    ->Args({static_cast<int>(BrushKind::Noise), 64})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_HydraulicErosion)->Args({1025, 100000})->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ThermalErosion)->Arg(1025)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
