// The memory an editing session at the largest side takes: a 4097 x 4097 terrain shown in both
// views, then 200 single-vertex edits, each its own undo step. The peak resident set of the
// process is the counter that matters (target: below 1 GiB); the history's own bytes show what
// the undo steps add to it.
#include "bench/bench_views.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include "editor/terrain_document.h"

namespace {

constexpr int kSide = 4097;
constexpr int kEdits = 200;

double PeakResidentMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0; // ru_maxrss is in KiB on Linux
}

void BM_SessionMemory4097(benchmark::State& state)
{
    BenchStage stage;
    if (!stage.Ready(state)) {
        return;
    }
    BenchViews& views = stage.Views();
    CTerrainWorld world;
    CTerrainDocument document(world, L"start", L"start");
    for (auto _ : state) {
        if (const Result<> made = document.New(kSide, 42); !made) {
            state.SkipWithError(made.reason().c_str());
            return;
        }
        views.Tick(world);
        for (int edit = 0; edit < kEdits; ++edit) {
            // Vertices spread over the grid, so that no two edits merge.
            world.SetSelectedRow((edit * 131) % kSide);
            world.SetSelectedColumn((edit * 197) % kSide);
            document.SetSelectedHeight(static_cast<float>(edit % 15), false);
        }
        views.Tick(world);
    }
    state.counters["peak_rss_MiB"] = PeakResidentMiB();
    state.counters["history_KiB"] = static_cast<double>(document.HistoryBytes()) / 1024.0;
    state.counters["undo_steps"] = document.StepCount();
}

} // namespace

BENCHMARK(BM_SessionMemory4097)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
