// Heightmap files in and out at the largest side (4097) in each format, and mesh export at 1025,
// through the same entry points the editor uses (so a write includes the sync to disk).
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "formats/heightmap.h"
#include "formats/mesh_export.h"

namespace {

const char* const kHeightmapNames[] = {"heights.txt", "heights.png", "heights.r16", "heights.exr"};

// Rolling hills with a fine ripple, so the files do not compress to nothing.
Heightfield Hills(int side)
{
    Heightfield heights(side);
    for (int row = 0; row < side; ++row) {
        for (int column = 0; column < side; ++column) {
            const float x = static_cast<float>(column) / static_cast<float>(side - 1);
            const float z = static_cast<float>(row) / static_cast<float>(side - 1);
            heights.At(row, column) =
                4.0f + 5.0f * std::sin(9.0f * x) * std::cos(7.0f * z) + 0.05f * std::sin(900.0f * x * z);
        }
    }
    return heights;
}

// A folder of its own for the files, removed afterwards.
class BenchFolder {
public:
    BenchFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "relief-bench-XXXXXX").string();
        m_path = ::mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
    }
    ~BenchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    std::string Path(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

void BM_WriteHeightmap(benchmark::State& state)
{
    const Heightfield heights = Hills(4097);
    const BenchFolder folder;
    const std::string path = folder.Path(kHeightmapNames[state.range(0)]);
    for (auto _ : state) {
        const Result<> written = WriteHeightmap(path, heights, {std::nullopt, 1234});
        if (!written) {
            state.SkipWithError(written.reason().c_str());
            return;
        }
    }
    state.SetLabel(std::string(kHeightmapNames[state.range(0)]) + ", " +
                   std::to_string(std::filesystem::file_size(path) >> 20) + " MiB");
}

void BM_ReadHeightmap(benchmark::State& state)
{
    const BenchFolder folder;
    const std::string path = folder.Path(kHeightmapNames[state.range(0)]);
    if (!WriteHeightmap(path, Hills(4097), {}).ok()) {
        state.SkipWithError("the heightmap could not be written");
        return;
    }
    for (auto _ : state) {
        const Result<ImportedHeightmap> read = ReadHeightmap(path, {});
        if (!read) {
            state.SkipWithError(read.reason().c_str());
            return;
        }
        benchmark::DoNotOptimize(read.value().heights.Samples().data());
    }
    state.SetLabel(kHeightmapNames[state.range(0)]);
}

void BM_ExportMesh(benchmark::State& state)
{
    const char* const names[] = {"terrain.obj", "terrain.glb"};
    const Heightfield heights = Hills(1025);
    const BenchFolder folder;
    const std::string path = folder.Path(names[state.range(0)]);
    for (auto _ : state) {
        const Result<> exported = ExportMesh(path, heights, {});
        if (!exported) {
            state.SkipWithError(exported.reason().c_str());
            return;
        }
    }
    state.SetLabel(std::string(names[state.range(0)]) + ", " + std::to_string(std::filesystem::file_size(path) >> 20) +
                   " MiB");
}

} // namespace

BENCHMARK(BM_WriteHeightmap)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadHeightmap)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ExportMesh)->DenseRange(0, 1)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
