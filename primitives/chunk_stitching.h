// The triangles of a chunk drawn at one level next to neighbours drawn at coarser levels. Each
// edge takes a step: the neighbour along it keeps every step-th vertex of the edge, so the
// chunk's edge vertices between those are moved onto one of the neighbour's vertices. The
// cells along that edge then fan out from the neighbour's vertices, the chunk's edge runs
// straight between them as the neighbour's does, and no crack opens (stitching by collapsing
// edge vertices, without changing the vertices themselves). Triangles that collapse to a line
// or a point are left out; the others keep the grid's order and corner order (grid_layout.h), so a chunk
// with every step 1 draws exactly the grid's triangles.
#pragma once

#include <array>
#include <map>
#include <vector>

#include "platform/d3d9/d3d9types.h"

struct EdgeSteps {
    // Powers of two: top (row 0), bottom (last row), left (column 0) and right (last column).
    int top = 1;
    int bottom = 1;
    int left = 1;
    int right = 1;

    auto operator<=>(const EdgeSteps&) const = default;
};

// Indices into the chunk's (rows + 1) x (columns + 1) vertices, row by row; rows and columns are
// cells at the level drawn, and each step divides the length of its edge.
std::vector<WORD> StitchedChunkIndices(int rows, int columns, const EdgeSteps& steps);

// The index lists made so far, by cell counts and steps; a terrain needs few distinct ones.
class ChunkIndexCache {
public:
    const std::vector<WORD>& Indices(int rows, int columns, const EdgeSteps& steps);

private:
    std::map<std::array<int, 6>, std::vector<WORD>> m_lists;
};
