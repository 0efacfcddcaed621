#include "primitives/grid_layout.h"

#include <initializer_list>

namespace {

constexpr D3DCOLOR kSnowColor = 0xFFFFFFFF;
constexpr D3DCOLOR kLowlandColor = 0x138B4500;
constexpr D3DCOLOR kHillColor = 0x22228B00;
constexpr float kLowlandTop = 2.0f;
constexpr float kSnowLine = 4.0f;

} // namespace

D3DCOLOR GridHeightColor(float y)
{
    if (y > kSnowLine) {
        return kSnowColor;
    }
    if (y < kLowlandTop) {
        return kLowlandColor;
    }
    return kHillColor;
}

TQRD3D_ColorVertex GridVertexAt(int row, int column, float spacing, float height)
{
    TQRD3D_ColorVertex vertex;
    vertex.x = static_cast<float>(column) * spacing - 1.0f;
    vertex.y = height;
    vertex.z = 1.0f - static_cast<float>(row) * spacing;
    vertex.nx = 0.0f;
    vertex.ny = 1.0f;
    vertex.nz = 0.0f;
    vertex.diffuse = GridHeightColor(height);
    vertex.u = 0.5f * vertex.x + 0.5f;
    vertex.v = 0.5f * vertex.z + 0.5f;
    return vertex;
}

void WriteGridVertices(TQRD3D_ColorVertex* vertices, int verticesPerSide, float spacing)
{
    for (int row = 0; row < verticesPerSide; ++row) {
        for (int column = 0; column < verticesPerSide; ++column) {
            *vertices++ = GridVertexAt(row, column, spacing, 0.0f);
        }
    }
}

void WriteGridHeights(TQRD3D_ColorVertex* vertices, std::span<const float> heights)
{
    for (const float height : heights) {
        vertices->y = height;
        vertices->diffuse = GridHeightColor(height);
        ++vertices;
    }
}

namespace {

template <typename Index> void WriteCellIndices(Index* indices, int verticesPerSide)
{
    const auto n = static_cast<Index>(verticesPerSide);
    for (Index r = 0; r + 1 < n; ++r) {
        for (Index c = 0; c + 1 < n; ++c) {
            const Index topLeft = r * n + c;
            const Index topRight = topLeft + 1;
            const Index bottomLeft = topLeft + n;
            const Index bottomRight = bottomLeft + 1;
            for (const Index index : {topLeft, topRight, bottomLeft, bottomLeft, topRight, bottomRight}) {
                *indices++ = index;
            }
        }
    }
}

} // namespace

void WriteGridIndices(WORD* indices, int verticesPerSide) { WriteCellIndices(indices, verticesPerSide); }

void WriteGridIndices(DWORD* indices, int verticesPerSide) { WriteCellIndices(indices, verticesPerSide); }
