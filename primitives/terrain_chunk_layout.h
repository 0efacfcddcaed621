// How a terrain of side x side samples is cut into chunks for drawing with levels of detail:
// square chunks of kChunkCells x kChunkCells cells, row by row from the corner of sample (0, 0);
// the last row and column of chunks are smaller when the cells do not divide evenly. Level L of
// a chunk keeps every 2^L-th sample in each direction, so a chunk has a level L only when 2^L
// divides both its cell counts. Neighbouring chunks share their border samples.
#pragma once

#include <vector>

// Samples firstRow..lastRow by firstColumn..lastColumn, both ends included.
struct SampleBounds {
    int firstRow = 0;
    int firstColumn = 0;
    int lastRow = -1;
    int lastColumn = -1;

    bool Contains(int row, int column) const
    {
        return row >= firstRow && row <= lastRow && column >= firstColumn && column <= lastColumn;
    }
    bool Empty() const { return lastRow < firstRow || lastColumn < firstColumn; }
    // Grown by margin samples on every side.
    SampleBounds Grown(int margin) const
    {
        return {firstRow - margin, firstColumn - margin, lastRow + margin, lastColumn + margin};
    }
};

struct TerrainChunk {
    // The sample at the chunk's top left corner.
    int firstRow = 0;
    int firstColumn = 0;
    // Cells down and across; the chunk holds (rows + 1) x (columns + 1) samples.
    int rows = 0;
    int columns = 0;
    // Levels 0 .. levels - 1 exist.
    int levels = 1;

    SampleBounds Samples() const { return {firstRow, firstColumn, firstRow + rows, firstColumn + columns}; }
    // Samples per row and per column at a level.
    int RowsAt(int level) const { return rows >> level; }
    int ColumnsAt(int level) const { return columns >> level; }
    int VertexCountAt(int level) const { return (RowsAt(level) + 1) * (ColumnsAt(level) + 1); }
};

class TerrainChunkLayout {
public:
    static constexpr int kChunkCells = 64;
    // log2(kChunkCells) + 1.
    static constexpr int kMaxLevels = 7;

    // No chunks for a side below 2.
    explicit TerrainChunkLayout(int side = 0);

    int Side() const { return m_side; }
    int ChunksPerSide() const { return m_chunksPerSide; }
    int ChunkCount() const { return static_cast<int>(m_chunks.size()); }
    const TerrainChunk& Chunk(int index) const { return m_chunks[static_cast<std::size_t>(index)]; }
    // The chunk in that chunk row and column; -1 outside the layout.
    int ChunkAt(int chunkRow, int chunkColumn) const;
    // The chunks holding any sample of the rectangle, in index order.
    std::vector<int> ChunksHolding(const SampleBounds& samples) const;

private:
    int m_side = 0;
    int m_chunksPerSide = 0;
    std::vector<TerrainChunk> m_chunks;
};
