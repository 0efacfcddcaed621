// The terrain as a triangle mesh for export, in the coordinates the views show: y up, world
// units, sample (row, column) at x = -15 + 30 column / (side - 1), z = 15 - 30 row / (side - 1).
// Optionally simplified with meshoptimizer; the border and the lowest and highest vertex never
// move, so the bounding box stays the terrain's.
#pragma once

#include "terrain/heightfield.h"

#include <cstddef>
#include <cstdint>
#include <vector>

struct MeshSimplification {
    std::size_t targetTriangles = 0; // at most this many triangles where the border allows (0: no limit)
    float targetError = 0.0f;        // how far the surface may move, world units (0: no limit)

    bool Wanted() const { return targetTriangles > 0 || targetError > 0.0f; }
};

struct TerrainMesh {
    std::vector<float> positions;       // x, y, z per vertex
    std::vector<float> normals;         // x, y, z per vertex, unit length
    std::vector<float> texCoords;       // u = column / (side - 1), v = row / (side - 1)
    std::vector<std::uint32_t> indices; // three per triangle, counter-clockwise seen from above

    std::size_t VertexCount() const { return positions.size() / 3; }
    std::size_t TriangleCount() const { return indices.size() / 3; }
};

// One vertex per sample, two triangles per grid square, normals from central differences of the
// heights (one-sided at the border). heights has a side of at least 2.
TerrainMesh BuildTerrainMesh(const Heightfield& heights, const MeshSimplification& simplification = {});
