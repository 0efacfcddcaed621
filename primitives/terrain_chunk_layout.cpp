#include "primitives/terrain_chunk_layout.h"

#include <algorithm>

namespace {

// 1 + the largest L <= kMaxLevels - 1 with 2^L dividing both counts.
int LevelsOf(int rows, int columns)
{
    int levels = 1;
    while (levels < TerrainChunkLayout::kMaxLevels && rows % (1 << levels) == 0 && columns % (1 << levels) == 0) {
        ++levels;
    }
    return levels;
}

// The chunk row or column holding a sample; a sample on a border between chunks k - 1 and k
// gives k - 1 (and k holds it too).
int ChunkOf(int sample) { return std::max(sample - 1, 0) / TerrainChunkLayout::kChunkCells; }

} // namespace

TerrainChunkLayout::TerrainChunkLayout(int side) : m_side(side)
{
    if (side < 2) {
        return;
    }
    const int cells = side - 1;
    m_chunksPerSide = (cells + kChunkCells - 1) / kChunkCells;
    for (int chunkRow = 0; chunkRow < m_chunksPerSide; ++chunkRow) {
        for (int chunkColumn = 0; chunkColumn < m_chunksPerSide; ++chunkColumn) {
            TerrainChunk chunk;
            chunk.firstRow = chunkRow * kChunkCells;
            chunk.firstColumn = chunkColumn * kChunkCells;
            chunk.rows = std::min(kChunkCells, cells - chunk.firstRow);
            chunk.columns = std::min(kChunkCells, cells - chunk.firstColumn);
            chunk.levels = LevelsOf(chunk.rows, chunk.columns);
            m_chunks.push_back(chunk);
        }
    }
}

int TerrainChunkLayout::ChunkAt(int chunkRow, int chunkColumn) const
{
    if (chunkRow < 0 || chunkColumn < 0 || chunkRow >= m_chunksPerSide || chunkColumn >= m_chunksPerSide) {
        return -1;
    }
    return chunkRow * m_chunksPerSide + chunkColumn;
}

std::vector<int> TerrainChunkLayout::ChunksHolding(const SampleBounds& samples) const
{
    std::vector<int> chunks;
    const int last = m_side - 1;
    const SampleBounds clipped{std::max(samples.firstRow, 0), std::max(samples.firstColumn, 0),
                               std::min(samples.lastRow, last), std::min(samples.lastColumn, last)};
    if (m_chunks.empty() || clipped.Empty()) {
        return chunks;
    }
    // A sample on the lower or right border of a chunk also starts the next one.
    const int firstChunkRow = ChunkOf(clipped.firstRow);
    const int firstChunkColumn = ChunkOf(clipped.firstColumn);
    const int lastChunkRow = std::min(clipped.lastRow / kChunkCells, m_chunksPerSide - 1);
    const int lastChunkColumn = std::min(clipped.lastColumn / kChunkCells, m_chunksPerSide - 1);
    for (int chunkRow = firstChunkRow; chunkRow <= lastChunkRow; ++chunkRow) {
        for (int chunkColumn = firstChunkColumn; chunkColumn <= lastChunkColumn; ++chunkColumn) {
            chunks.push_back(ChunkAt(chunkRow, chunkColumn));
        }
    }
    return chunks;
}
