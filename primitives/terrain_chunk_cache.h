// The vertices of the chunk levels the terrain has drawn: each is built from the heightfield the
// first time it is drawn and kept, so a later frame at the same level copies it instead of
// building it again; an edit rewrites only the vertices it touches. When the kept levels take
// more memory than the budget, those drawn longest ago are let go (the full-detail levels of a
// 4097-sample terrain alone would take 600 MB).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "graphics/vertex_formats.h"
#include "primitives/terrain_chunk_layout.h"
#include "terrain/heightfield.h"

class TerrainChunkCache {
public:
    static constexpr std::size_t kDefaultBudgetBytes = std::size_t{192} << 20;

    explicit TerrainChunkCache(std::size_t budgetBytes = kDefaultBudgetBytes) : m_budgetBytes(budgetBytes) {}

    // Lets every level go, for a layout of that many chunks.
    void Reset(int chunkCount);
    // The chunk's vertices at the level (WriteChunkVertices), built now when not kept; valid
    // until the next Reset, Trim or call for a level not kept.
    std::span<const TQRD3D_ColorVertex> Vertices(const Heightfield& heights, const TerrainChunk& chunk, int chunkIndex,
                                                 int level);
    // Rewrites the kept levels of the chunk where they show the samples.
    void Refresh(const Heightfield& heights, const TerrainChunk& chunk, int chunkIndex, const SampleBounds& samples);
    // Ends a frame; while over the budget, lets go of the levels drawn longest ago, keeping
    // those drawn in the last keptFrames frames (the views drawn in one tick).
    void Trim(int keptFrames);

    bool IsKept(int chunkIndex, int level) const { return !Entry(chunkIndex, level).vertices.empty(); }
    std::size_t Bytes() const { return m_bytes; }

private:
    struct Level {
        std::vector<TQRD3D_ColorVertex> vertices;
        std::uint64_t lastFrame = 0;
    };
    const Level& Entry(int chunkIndex, int level) const
    {
        return m_levels[static_cast<std::size_t>(chunkIndex)][static_cast<std::size_t>(level)];
    }
    void Release(Level& level);

    std::size_t m_budgetBytes;
    std::size_t m_bytes = 0;
    std::uint64_t m_frame = 1;
    std::vector<std::array<Level, TerrainChunkLayout::kMaxLevels>> m_levels;
};
