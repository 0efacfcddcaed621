// One view's terrain as a single draw call: the vertices of every chunk in view at its level,
// chunk after chunk, and each chunk's stitched triangles offset to its place; 16-bit indices
// while the vertices allow. Built again only when the levels change; an edit copies the new
// vertices of the chunks it touched into place.
#pragma once

#include <cstdint>
#include <vector>

#include "graphics/vertex_formats.h"
#include "primitives/chunk_stitching.h"
#include "primitives/terrain_chunk_cache.h"
#include "primitives/terrain_chunk_layout.h"
#include "terrain/heightfield.h"

class TerrainBatch {
public:
    bool IsFor(const std::vector<int>& levels) const { return m_built && m_levels == levels; }
    // levels holds a level or kChunkCulled per chunk of the layout.
    void Build(const std::vector<int>& levels, const TerrainChunkLayout& layout, const Heightfield& heights,
               TerrainChunkCache& cache, ChunkIndexCache& indexCache);
    // Copies the chunk's vertices, refreshed in the cache, into place again.
    void Refresh(int chunkIndex, const TerrainChunkLayout& layout, const Heightfield& heights,
                 TerrainChunkCache& cache);
    void Forget() { m_built = false; }
    // Grows with every Build and Refresh: what was derived from the vertices at another
    // revision is out of date.
    std::uint64_t Revision() const { return m_revision; }

    const std::vector<int>& Levels() const { return m_levels; }
    const std::vector<TQRD3D_ColorVertex>& Vertices() const { return m_vertices; }
    bool HasWideIndices() const { return !m_wideIndices.empty(); }
    const void* IndexData() const;
    std::size_t IndexCount() const { return HasWideIndices() ? m_wideIndices.size() : m_indices.size(); }

private:
    // The steps of the chunk's edges towards neighbours drawn at coarser levels.
    EdgeSteps StepsOf(int chunkIndex, const TerrainChunkLayout& layout) const;

    bool m_built = false;
    std::uint64_t m_revision = 0;
    std::vector<int> m_levels;
    std::vector<TQRD3D_ColorVertex> m_vertices;
    std::vector<WORD> m_indices;
    std::vector<DWORD> m_wideIndices;
    // The first vertex of each chunk drawn, by chunk index; -1 for a culled chunk.
    std::vector<long> m_firstVertex;
};
