#include "primitives/chunk_stitching.h"

namespace {

struct GridPoint {
    int row;
    int column;
};

int SnapDown(int position, int step) { return position / step * step; }

int SnapUp(int position, int step) { return (position + step - 1) / step * step; }

} // namespace

std::vector<WORD> StitchedChunkIndices(int rows, int columns, const EdgeSteps& steps)
{
    // The vertex a grid vertex is drawn with: edge vertices snap along their edge, back towards
    // the first row or column, except on the last column, where they snap towards the last row.
    // Snapping both edges at the last corner away from it would lay the corner cell's first
    // triangle flat along the cell's diagonal, leaving the vertex inside it uncovered.
    const auto vertex = [&](int row, int column) {
        if (row == 0) {
            column = SnapDown(column, steps.top);
        } else if (row == rows) {
            column = SnapDown(column, steps.bottom);
        }
        if (column == 0) {
            row = SnapDown(row, steps.left);
        } else if (column == columns) {
            row = SnapUp(row, steps.right);
        }
        return GridPoint{row, column};
    };
    std::vector<WORD> indices;
    indices.reserve(static_cast<std::size_t>(6 * rows * columns));
    // Collapsed triangles cover nothing (a corner cell whose two edges both snap collapses to
    // a line without repeating a vertex).
    const auto addTriangle = [&](const GridPoint& a, const GridPoint& b, const GridPoint& c) {
        const int twiceArea = (b.column - a.column) * (c.row - a.row) - (c.column - a.column) * (b.row - a.row);
        if (twiceArea != 0) {
            for (const GridPoint& corner : {a, b, c}) {
                indices.push_back(static_cast<WORD>(corner.row * (columns + 1) + corner.column));
            }
        }
    };
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            const GridPoint topLeft = vertex(row, column);
            const GridPoint topRight = vertex(row, column + 1);
            const GridPoint bottomLeft = vertex(row + 1, column);
            const GridPoint bottomRight = vertex(row + 1, column + 1);
            addTriangle(topLeft, topRight, bottomLeft);
            addTriangle(bottomLeft, topRight, bottomRight);
        }
    }
    return indices;
}

const std::vector<WORD>& ChunkIndexCache::Indices(int rows, int columns, const EdgeSteps& steps)
{
    const std::array<int, 6> key{rows, columns, steps.top, steps.bottom, steps.left, steps.right};
    auto found = m_lists.find(key);
    if (found == m_lists.end()) {
        found = m_lists.emplace(key, StitchedChunkIndices(rows, columns, steps)).first;
    }
    return found->second;
}
