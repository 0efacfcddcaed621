#include "world/terrain_heights.h"

#include <algorithm>
#include <utility>

#include "base/file_access.h"
#include "formats/heightmap.h"
#include "formats/text_heightmap.h"
#include "terrain/generation.h"
#include "terrain/resample.h"
#include "world/height_file.h"

namespace {

std::string SizeText(int side) { return std::to_string(side) + " x " + std::to_string(side); }

// "cannot <action>: side 100 is not one of 33, 65, ... and 4097", or nothing for a supported side.
Result<> CheckSide(const std::string& action, int side)
{
    if (IsSupportedSide(side)) {
        return Result<>::Success();
    }
    std::string sides;
    for (const int supported : SupportedSides()) {
        sides += (sides.empty()                          ? ""
                  : supported == SupportedSides().back() ? " and "
                                                         : ", ") +
                 std::to_string(supported);
    }
    return Failure{"cannot " + action + ": side " + std::to_string(side) + " is not one of " + sides};
}

} // namespace

CTerrainHeights::CTerrainHeights() : m_heights(kDefaultGridSize) {}

Result<> CTerrainHeights::Generate(int side, float roughness, std::uint64_t seed)
{
    if (const Result<> check = CheckSide("generate a terrain", side); !check) {
        return check;
    }
    Result<Heightfield> generated = GenerateHeightfield({side, roughness, seed});
    if (!generated) {
        return Failure{generated.reason()};
    }
    m_heights = std::move(generated).value();
    m_roughness = roughness;
    m_seed = seed;
    return Result<>::Success();
}

Result<> CTerrainHeights::Resample(int side)
{
    if (const Result<> check = CheckSide("resample the terrain", side); !check) {
        return check;
    }
    Result<Heightfield> resampled = ResampleHeightfield(m_heights, side);
    if (!resampled) {
        return Failure{resampled.reason()};
    }
    m_heights = std::move(resampled).value();
    m_seed.reset();
    return Result<>::Success();
}

bool CTerrainHeights::Replace(Heightfield heights, std::optional<std::uint64_t> seed)
{
    if (!IsSupportedSide(heights.Side())) {
        return false;
    }
    m_heights = std::move(heights);
    m_seed = seed;
    return true;
}

float CTerrainHeights::GetSample(int row, int column) const
{
    return m_heights.Contains(row, column) ? m_heights.At(row, column) : 0.0f;
}

void CTerrainHeights::SetSample(int row, int column, float height)
{
    if (m_heights.Contains(row, column)) {
        m_heights.At(row, column) = height;
    }
}

bool CTerrainHeights::SetRegion(const SampleBounds& region, std::span<const float> heights)
{
    if (region.Empty() || !m_heights.Contains(region.firstRow, region.firstColumn) ||
        !m_heights.Contains(region.lastRow, region.lastColumn)) {
        return false;
    }
    const auto columns = static_cast<std::size_t>(region.lastColumn - region.firstColumn + 1);
    if (heights.size() != columns * static_cast<std::size_t>(region.lastRow - region.firstRow + 1)) {
        return false;
    }
    for (int row = region.firstRow; row <= region.lastRow; ++row) {
        const auto source = heights.subspan(static_cast<std::size_t>(row - region.firstRow) * columns, columns);
        std::copy(source.begin(), source.end(), &m_heights.At(row, region.firstColumn));
    }
    return true;
}

Result<> CTerrainHeights::SaveHeights(const std::string& path) const
{
    return WriteHeightmap(HeightFileName(path), m_heights, {});
}

Result<> CTerrainHeights::LoadHeights(const std::string& path)
{
    const std::string cannot = "cannot load " + QuotedPath(path) + ": ";
    const Result<ImportedHeightmap> imported = ReadTextHeightmap(path);
    if (!imported) {
        return Failure{cannot + imported.reason()};
    }
    const int side = imported.value().heights.Side();
    if (!IsSupportedSide(side)) {
        return Failure{cannot + "it holds a " + SizeText(side) + " grid, smaller than the smallest terrain (" +
                       SizeText(SupportedSides().front()) + ")"};
    }
    Replace(KeepLastRowAndColumn(imported.value(), m_heights), std::nullopt);
    return Result<>::Success();
}
