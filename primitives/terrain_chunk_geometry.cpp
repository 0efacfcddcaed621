#include "primitives/terrain_chunk_geometry.h"

#include <algorithm>
#include <cmath>

#include "primitives/grid_layout.h"

namespace {

struct Point {
    float x, y, z;
};

Point Minus(const Point& a, const Point& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }

Point Cross(const Point& a, const Point& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// The grid's two triangles per cell (grid_layout.h), by their corners as offsets from the
// cell's top left sample.
struct CornerOffset {
    int row, column;
};
constexpr CornerOffset kFirstTriangle[3] = {{0, 0}, {0, 1}, {1, 0}};
constexpr CornerOffset kSecondTriangle[3] = {{1, 0}, {0, 1}, {1, 1}};

class SurfaceReader {
public:
    SurfaceReader(const Heightfield& heights, float spacing) : m_heights(heights), m_spacing(spacing) {}

    Point At(int row, int column) const
    {
        const TQRD3D_ColorVertex vertex = GridVertexAt(row, column, m_spacing, m_heights.At(row, column));
        return {vertex.x, vertex.y, vertex.z};
    }

    // The unnormalised normal of one triangle of cell (row, column); zero for a cell outside.
    Point FaceNormal(int row, int column, const CornerOffset (&corners)[3]) const
    {
        const int side = m_heights.Side();
        if (row < 0 || column < 0 || row + 1 >= side || column + 1 >= side) {
            return {0.0f, 0.0f, 0.0f};
        }
        const Point p0 = At(row + corners[0].row, column + corners[0].column);
        const Point p1 = At(row + corners[1].row, column + corners[1].column);
        const Point p2 = At(row + corners[2].row, column + corners[2].column);
        return Cross(Minus(p1, p0), Minus(p2, p0));
    }

private:
    const Heightfield& m_heights;
    float m_spacing;
};

// The sum of the face normals of the triangles that have the sample as a corner: the first
// triangle of its own cell, both of the cells to the left and above, and the second triangle
// of the cell above to the left.
Point SummedNormal(const SurfaceReader& surface, int row, int column)
{
    const Point faces[] = {
        surface.FaceNormal(row, column, kFirstTriangle),      surface.FaceNormal(row, column - 1, kFirstTriangle),
        surface.FaceNormal(row, column - 1, kSecondTriangle), surface.FaceNormal(row - 1, column, kFirstTriangle),
        surface.FaceNormal(row - 1, column, kSecondTriangle), surface.FaceNormal(row - 1, column - 1, kSecondTriangle),
    };
    Point sum{0.0f, 0.0f, 0.0f};
    for (const Point& face : faces) {
        sum = {sum.x + face.x, sum.y + face.y, sum.z + face.z};
    }
    return sum;
}

// The height of the chunk's surface at a level, at a sample of the next finer level given by
// its position in that level's samples (fineRow, fineColumn). A sample between two coarse
// samples along a row or column lies on their edge; one in the middle of a coarse cell lies on
// the cell's diagonal from its top right to its bottom left corner.
float CoarseSurfaceAt(const Heightfield& heights, const TerrainChunk& chunk, int level, int fineRow, int fineColumn)
{
    const int coarseStep = 1 << level;
    const int fineStep = coarseStep / 2;
    const auto sample = [&](int coarseRow, int coarseColumn) {
        return heights.At(chunk.firstRow + coarseRow * coarseStep, chunk.firstColumn + coarseColumn * coarseStep);
    };
    const int row = fineRow / 2;
    const int column = fineColumn / 2;
    const bool oddRow = fineRow % 2 != 0;
    const bool oddColumn = fineColumn % 2 != 0;
    if (!oddRow && !oddColumn) {
        return heights.At(chunk.firstRow + fineRow * fineStep, chunk.firstColumn + fineColumn * fineStep);
    }
    if (!oddRow) {
        return 0.5f * (sample(row, column) + sample(row, column + 1));
    }
    if (!oddColumn) {
        return 0.5f * (sample(row, column) + sample(row + 1, column));
    }
    return 0.5f * (sample(row, column + 1) + sample(row + 1, column));
}

} // namespace

float TerrainSpacing(const Heightfield& heights) { return 2.0f / static_cast<float>(heights.Side() - 1); }

TQRD3D_ColorVertex TerrainVertex(const Heightfield& heights, int row, int column, float spacing)
{
    TQRD3D_ColorVertex vertex = GridVertexAt(row, column, spacing, heights.At(row, column));
    const Point sum = SummedNormal(SurfaceReader(heights, spacing), row, column);
    const float length = std::sqrt(sum.x * sum.x + sum.y * sum.y + sum.z * sum.z);
    if (length > 0.0f) {
        vertex.nx = sum.x / length;
        vertex.ny = sum.y / length;
        vertex.nz = sum.z / length;
    }
    return vertex;
}

void WriteChunkVertices(const Heightfield& heights, const TerrainChunk& chunk, int level,
                        std::span<TQRD3D_ColorVertex> vertices)
{
    const float spacing = TerrainSpacing(heights);
    const int step = 1 << level;
    auto out = vertices.begin();
    for (int row = 0; row <= chunk.RowsAt(level); ++row) {
        for (int column = 0; column <= chunk.ColumnsAt(level); ++column) {
            *out++ = TerrainVertex(heights, chunk.firstRow + row * step, chunk.firstColumn + column * step, spacing);
        }
    }
}

void RefreshChunkVertices(const Heightfield& heights, const TerrainChunk& chunk, int level, const SampleBounds& samples,
                          std::span<TQRD3D_ColorVertex> vertices)
{
    const float spacing = TerrainSpacing(heights);
    const int step = 1 << level;
    const int columns = chunk.ColumnsAt(level) + 1;
    // Only the rows and columns of the level that fall inside the rectangle.
    const auto firstIndex = [step](int first, int origin) { return std::max(0, (first - origin + step - 1) / step); };
    const auto lastIndex = [step](int last, int origin, int count) {
        return last < origin ? -1 : std::min(count, (last - origin) / step);
    };
    const int firstRow = firstIndex(samples.firstRow, chunk.firstRow);
    const int lastRow = lastIndex(samples.lastRow, chunk.firstRow, chunk.RowsAt(level));
    const int firstColumn = firstIndex(samples.firstColumn, chunk.firstColumn);
    const int lastColumn = lastIndex(samples.lastColumn, chunk.firstColumn, chunk.ColumnsAt(level));
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int column = firstColumn; column <= lastColumn; ++column) {
            vertices[static_cast<std::size_t>(row * columns + column)] =
                TerrainVertex(heights, chunk.firstRow + row * step, chunk.firstColumn + column * step, spacing);
        }
    }
}

std::vector<float> ChunkLevelErrors(const Heightfield& heights, const TerrainChunk& chunk)
{
    std::vector<float> errors(static_cast<std::size_t>(chunk.levels), 0.0f);
    for (int level = 1; level < chunk.levels; ++level) {
        const int fineStep = 1 << (level - 1);
        float largest = 0.0f;
        for (int row = 0; row <= chunk.RowsAt(level - 1); ++row) {
            for (int column = 0; column <= chunk.ColumnsAt(level - 1); ++column) {
                const float fine = heights.At(chunk.firstRow + row * fineStep, chunk.firstColumn + column * fineStep);
                largest = std::max(largest, std::abs(fine - CoarseSurfaceAt(heights, chunk, level, row, column)));
            }
        }
        errors[static_cast<std::size_t>(level)] = errors[static_cast<std::size_t>(level - 1)] + largest;
    }
    return errors;
}

std::pair<float, float> ChunkHeightRange(const Heightfield& heights, const TerrainChunk& chunk)
{
    float lowest = heights.At(chunk.firstRow, chunk.firstColumn);
    float highest = lowest;
    for (int row = chunk.firstRow; row <= chunk.firstRow + chunk.rows; ++row) {
        const auto samples = heights.Row(row).subspan(static_cast<std::size_t>(chunk.firstColumn),
                                                      static_cast<std::size_t>(chunk.columns + 1));
        const auto [low, high] = std::minmax_element(samples.begin(), samples.end());
        lowest = std::min(lowest, *low);
        highest = std::max(highest, *high);
    }
    return {lowest, highest};
}
