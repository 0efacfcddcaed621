// Feeds arbitrary text to the world's height file loading: a load agrees with the text parser,
// takes every number of the file in order or changes nothing (neither the heights nor the seed),
// and what loads saves and loads back.
#include "formats/text_heightmap.h"
#include "fuzz/fuzz_support.h"
#include "world/terrain_heights.h"

#include <cstdint>
#include <string_view>

namespace {

constexpr std::uint64_t kSeed = 7;

// A 65 grid whose samples all differ, so that a load that moves or drops one is seen.
Heightfield KnownGrid()
{
    Heightfield grid(CTerrainHeights::kDefaultGridSize);
    for (std::size_t i = 0; i < grid.Samples().size(); ++i) {
        grid.Samples()[i] = static_cast<float>(i);
    }
    return grid;
}

Result<ImportedHeightmap> Parse(const uint8_t* data, size_t size)
{
    TextHeightParser parser;
    parser.Feed(std::string_view(reinterpret_cast<const char*>(data), size));
    return parser.Finish();
}

void CheckSavedLoadsBack(const CTerrainHeights& heights)
{
    static const ScratchFile saved("saved.txt");
    Require(heights.SaveHeights(saved.Path().string()).ok(), "loaded heights save");
    CTerrainHeights again;
    Require(again.LoadHeights(saved.Path().string()).ok(), "saved heights load");
    Require(again.GetGridSize() == heights.GetGridSize(), "saved heights keep their side");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const ScratchFile file("heights.txt");
    if (!file.Write(reinterpret_cast<const char*>(data), size)) {
        return 0;
    }
    const Result<ImportedHeightmap> parsed = Parse(data, size);
    static const Heightfield before = KnownGrid();
    CTerrainHeights heights;
    Require(heights.Replace(before, kSeed), "the known grid is a terrain");
    const Result<> loaded = heights.LoadHeights(file.Path().string());
    Require(loaded.ok() == loaded.reason().empty(), "a failure has a reason and a success none");
    Require(!loaded.ok() || parsed.ok(), "the loader takes only what the parser reads");
    if (!loaded) {
        Require(heights.GetHeightfield() == before && heights.GetSeed() == kSeed, "a failed load changes nothing");
        return 0;
    }
    const ImportedHeightmap& imported = parsed.value();
    const Heightfield expected = imported.classic ? KeepLastRowAndColumn(imported, before) : imported.heights;
    Require(heights.GetHeightfield() == expected, "a load takes every number in order");
    Require(!heights.GetSeed().has_value(), "a loaded terrain has no seed");
    CheckSavedLoadsBack(heights);
    return 0;
}
