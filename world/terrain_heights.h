// The world's terrain as data: the height grid (a heightfield of one of the supported sides, 33
// to 4097 samples), the roughness the next generation uses and the seed the current heights were
// generated from. Generation goes through terrain/generation.h, the height file through
// formats/text_heightmap.h. The world model owns one and copies its samples into the floor mesh.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "base/result.h"
#include "primitives/terrain_chunk_layout.h"
#include "terrain/heightfield.h"

class CTerrainHeights {
public:
    static constexpr int kDefaultGridSize = 65;

    // A flat grid of kDefaultGridSize samples a side at height 0, roughness 0, no seed.
    CTerrainHeights();

    // A new terrain of side x side samples from seed with roughness, which becomes the current
    // roughness. Fails with a reason, changing nothing, for a side that is not supported or a
    // roughness outside 0..1.
    Result<> Generate(int side, float roughness, std::uint64_t seed);
    // The grid resampled bilinearly to side x side: the same shape at another spacing. The seed
    // is forgotten, since it makes other heights at the new side. Fails with a reason, changing
    // nothing, for a side that is not supported.
    Result<> Resample(int side);
    // heights become the grid, with the seed they were generated from when known. False,
    // changing nothing, for a side that is not supported.
    bool Replace(Heightfield heights, std::optional<std::uint64_t> seed);

    // The roughness of the next generation that is given none.
    void SetRoughness(float roughness) { m_roughness = roughness; }
    float GetRoughness() const { return m_roughness; }

    int GetGridSize() const { return m_heights.Side(); }
    const Heightfield& GetHeightfield() const { return m_heights; }
    // The seed the grid was generated from; edits of single samples keep it.
    std::optional<std::uint64_t> GetSeed() const { return m_seed; }
    // 0 outside the grid.
    float GetSample(int row, int column) const;
    // Ignored outside the grid.
    void SetSample(int row, int column, float height);
    // Sets the samples of the rectangle from heights, row by row. False, changing nothing, when
    // the rectangle is empty or leaves the grid, or the count is not one per sample.
    bool SetRegion(const SampleBounds& region, std::span<const float> heights);

    // Writes the grid as a text height file to HeightFileName(path): for a 65 grid the classic
    // 4096 numbers (rows and columns 0..63), for any other side all n x n. A failure leaves any
    // existing file as it was.
    Result<> SaveHeights(const std::string& path) const;
    // Reads the text height file at path, whatever its name. The classic 4096 numbers give a 65
    // grid whose row and column 64 keep the values of the grid they replace (when that is a 65
    // grid); n x n numbers give a grid of side n. The seed is forgotten. On failure nothing
    // changes.
    Result<> LoadHeights(const std::string& path);

private:
    Heightfield m_heights;
    float m_roughness = 0.0f;
    std::optional<std::uint64_t> m_seed;
};
