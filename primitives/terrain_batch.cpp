#include "primitives/terrain_batch.h"

#include <algorithm>

#include "primitives/terrain_lod_selection.h"

namespace {

constexpr std::size_t kNarrowIndexLimit = 65536;

} // namespace

EdgeSteps TerrainBatch::StepsOf(int chunkIndex, const TerrainChunkLayout& layout) const
{
    const int level = m_levels[static_cast<std::size_t>(chunkIndex)];
    const int chunkRow = chunkIndex / layout.ChunksPerSide();
    const int chunkColumn = chunkIndex % layout.ChunksPerSide();
    // A neighbour outside the layout or out of view does not constrain the edge.
    const auto stepTowards = [&](int rowOffset, int columnOffset) {
        const int neighbour = layout.ChunkAt(chunkRow + rowOffset, chunkColumn + columnOffset);
        const int neighbourLevel = neighbour < 0 ? kChunkCulled : m_levels[static_cast<std::size_t>(neighbour)];
        return 1 << std::max(neighbourLevel - level, 0);
    };
    return EdgeSteps{stepTowards(-1, 0), stepTowards(1, 0), stepTowards(0, -1), stepTowards(0, 1)};
}

void TerrainBatch::Build(const std::vector<int>& levels, const TerrainChunkLayout& layout, const Heightfield& heights,
                         TerrainChunkCache& cache, ChunkIndexCache& indexCache)
{
    m_levels = levels;
    ++m_revision;
    m_vertices.clear();
    m_firstVertex.assign(levels.size(), -1);
    std::vector<DWORD> indices;
    for (int chunkIndex = 0; chunkIndex < layout.ChunkCount(); ++chunkIndex) {
        const int level = levels[static_cast<std::size_t>(chunkIndex)];
        if (level == kChunkCulled) {
            continue;
        }
        const TerrainChunk& chunk = layout.Chunk(chunkIndex);
        const auto first = static_cast<DWORD>(m_vertices.size());
        m_firstVertex[static_cast<std::size_t>(chunkIndex)] = static_cast<long>(first);
        const auto vertices = cache.Vertices(heights, chunk, chunkIndex, level);
        m_vertices.insert(m_vertices.end(), vertices.begin(), vertices.end());
        for (const WORD index :
             indexCache.Indices(chunk.RowsAt(level), chunk.ColumnsAt(level), StepsOf(chunkIndex, layout))) {
            indices.push_back(first + index);
        }
    }
    m_indices.clear();
    m_wideIndices.clear();
    if (m_vertices.size() <= kNarrowIndexLimit) {
        m_indices.assign(indices.begin(), indices.end());
    } else {
        m_wideIndices = std::move(indices);
    }
    m_built = true;
}

void TerrainBatch::Refresh(int chunkIndex, const TerrainChunkLayout& layout, const Heightfield& heights,
                           TerrainChunkCache& cache)
{
    if (!m_built || m_firstVertex[static_cast<std::size_t>(chunkIndex)] < 0) {
        return;
    }
    const auto vertices =
        cache.Vertices(heights, layout.Chunk(chunkIndex), chunkIndex, m_levels[static_cast<std::size_t>(chunkIndex)]);
    ++m_revision;
    std::copy(vertices.begin(), vertices.end(),
              m_vertices.begin() + m_firstVertex[static_cast<std::size_t>(chunkIndex)]);
}

const void* TerrainBatch::IndexData() const
{
    return HasWideIndices() ? static_cast<const void*>(m_wideIndices.data())
                            : static_cast<const void*>(m_indices.data());
}
