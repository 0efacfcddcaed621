// One timer tick of the main dialog: the world's Update, the Y-level slider's read of the
// selected height, and both views drawing the whole scene and presenting it. The tick runs
// every 25 ms, so the "budget" column is the share of that interval one tick takes.
#include "bench/bench_views.h"

#include <benchmark/benchmark.h>

#include <chrono>

#include "world/testing/world_folder.h"

namespace {

constexpr double kTickSeconds = 0.025;

// Wall time per tick as a percentage of the timer interval.
double BudgetShare(std::chrono::steady_clock::duration elapsed, benchmark::IterationCount ticks)
{
    const double seconds = std::chrono::duration<double>(elapsed).count();
    return ticks > 0 ? 100.0 * seconds / static_cast<double>(ticks) / kTickSeconds : 0.0;
}

void RunTicks(benchmark::State& state, bool flying)
{
    ScopedWorldFolder folder;
    BenchViews views;
    if (!folder.IsReady() || !views.IsReady()) {
        state.SkipWithError("no mesh data or no OpenGL device");
        return;
    }
    CTerrainWorld world;
    // As after pressing "Generate" on a rough setting: the floor shows all three height bands.
    world.SetRoughness(0.6f);
    world.GenerateTerrain();
    world.SetSelectedRow(20);
    world.SetSelectedColumn(30);
    world.SetAnimate(flying);
    world.ShowSelector(flying);
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        views.Tick(world);
    }
    state.counters["budget_%"] = BudgetShare(std::chrono::steady_clock::now() - start, state.iterations());
}

// The editor right after start and a generation: airplane visible and still, selector hidden.
void BM_TickStill(benchmark::State& state) { RunTicks(state, false); }
// The airplane flying and the selector sphere shown over the selected vertex.
void BM_TickFlying(benchmark::State& state) { RunTicks(state, true); }

} // namespace

BENCHMARK(BM_TickStill)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TickFlying)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
