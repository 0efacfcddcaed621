// One timer tick of the main dialog: the world's Update, the Y-level slider's read of the
// selected height, and both views drawing the whole scene and presenting it; and the tick of an
// editor nobody touches, where neither view has anything new to draw. The tick runs every
// 25 ms, so the "budget" column is the share of that interval one tick takes.
#include "bench/bench_views.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

constexpr double kTickSeconds = 0.025;

// Wall time per tick as a percentage of the timer interval.
double BudgetShare(std::chrono::steady_clock::duration elapsed, benchmark::IterationCount ticks)
{
    const double seconds = std::chrono::duration<double>(elapsed).count();
    return ticks > 0 ? 100.0 * seconds / static_cast<double>(ticks) / kTickSeconds : 0.0;
}

// What a tick draws: both views always, as before views kept their last frame, or each view
// only when its frame changed, as the editor does.
enum class Drawing { Always, WhenChanged };

void RunTicks(benchmark::State& state, bool flying, Drawing drawing)
{
    BenchStage stage;
    if (!stage.Ready(state)) {
        return;
    }
    BenchViews& views = stage.Views();
    CTerrainWorld world;
    // As after pressing "Generate" on a rough setting: the floor shows all three height bands.
    world.SetRoughness(0.6f);
    world.GenerateTerrain();
    world.SetSelectedRow(20);
    world.SetSelectedColumn(30);
    world.SetAnimate(flying);
    world.ShowSelector(flying);
    // The first frames, drawn either way.
    views.TickIfChanged(world);
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        if (drawing == Drawing::Always) {
            views.Tick(world);
        } else {
            views.TickIfChanged(world);
        }
    }
    state.counters["budget_%"] = BudgetShare(std::chrono::steady_clock::now() - start, state.iterations());
}

// The editor right after start and a generation: airplane visible and still, selector hidden.
void BM_TickStill(benchmark::State& state) { RunTicks(state, false, Drawing::Always); }
// The airplane flying and the selector sphere shown over the selected vertex.
void BM_TickFlying(benchmark::State& state) { RunTicks(state, true, Drawing::Always); }
// The still editor as it runs now: nothing changed since both views drew, so each tick only asks.
void BM_TickIdle(benchmark::State& state) { RunTicks(state, false, Drawing::WhenChanged); }

} // namespace

BENCHMARK(BM_TickStill)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TickFlying)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TickIdle)->Unit(benchmark::kMicrosecond)->UseRealTime();

BENCHMARK_MAIN();
