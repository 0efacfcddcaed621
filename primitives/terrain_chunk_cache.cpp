#include "primitives/terrain_chunk_cache.h"

#include <algorithm>
#include <tuple>

#include "primitives/terrain_chunk_geometry.h"

void TerrainChunkCache::Reset(int chunkCount)
{
    m_levels.clear();
    m_levels.resize(static_cast<std::size_t>(chunkCount));
    m_bytes = 0;
}

std::span<const TQRD3D_ColorVertex> TerrainChunkCache::Vertices(const Heightfield& heights, const TerrainChunk& chunk,
                                                                int chunkIndex, int level)
{
    Level& entry = m_levels[static_cast<std::size_t>(chunkIndex)][static_cast<std::size_t>(level)];
    if (entry.vertices.empty()) {
        entry.vertices.resize(static_cast<std::size_t>(chunk.VertexCountAt(level)));
        WriteChunkVertices(heights, chunk, level, entry.vertices);
        m_bytes += entry.vertices.size() * sizeof(TQRD3D_ColorVertex);
    }
    entry.lastFrame = m_frame;
    return entry.vertices;
}

void TerrainChunkCache::Refresh(const Heightfield& heights, const TerrainChunk& chunk, int chunkIndex,
                                const SampleBounds& samples)
{
    for (int level = 0; level < chunk.levels; ++level) {
        Level& entry = m_levels[static_cast<std::size_t>(chunkIndex)][static_cast<std::size_t>(level)];
        if (!entry.vertices.empty()) {
            RefreshChunkVertices(heights, chunk, level, samples, entry.vertices);
        }
    }
}

void TerrainChunkCache::Trim(int keptFrames)
{
    const std::uint64_t firstKept = m_frame > static_cast<std::uint64_t>(keptFrames) ? m_frame + 1 - keptFrames : 0;
    ++m_frame;
    if (m_bytes <= m_budgetBytes) {
        return;
    }
    std::vector<std::tuple<std::uint64_t, std::size_t, std::size_t>> candidates;
    for (std::size_t chunk = 0; chunk < m_levels.size(); ++chunk) {
        for (std::size_t level = 0; level < m_levels[chunk].size(); ++level) {
            const Level& entry = m_levels[chunk][level];
            if (!entry.vertices.empty() && entry.lastFrame < firstKept) {
                candidates.emplace_back(entry.lastFrame, chunk, level);
            }
        }
    }
    std::sort(candidates.begin(), candidates.end());
    for (const auto& [frame, chunk, level] : candidates) {
        if (m_bytes <= m_budgetBytes) {
            break;
        }
        Release(m_levels[chunk][level]);
    }
}

void TerrainChunkCache::Release(Level& level)
{
    m_bytes -= level.vertices.size() * sizeof(TQRD3D_ColorVertex);
    level.vertices = {};
}
