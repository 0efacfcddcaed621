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

void WriteGridVertices(TQRD3D_ColorVertex* vertices, int verticesPerSide, float spacing)
{
    int column = 0;
    int row = 0;
    const int count = verticesPerSide * verticesPerSide;
    for (int k = 0; k < count; ++k) {
        TQRD3D_ColorVertex& vertex = vertices[k];
        vertex.x = static_cast<float>(column) * spacing - 1.0f;
        vertex.y = 0.0f;
        vertex.z = 1.0f - static_cast<float>(row) * spacing;
        vertex.nx = 0.0f;
        vertex.ny = 1.0f;
        vertex.nz = 0.0f;
        vertex.diffuse = GridHeightColor(vertex.y);
        vertex.u = 0.5f * vertex.x + 0.5f;
        vertex.v = 0.5f * vertex.z + 0.5f;
        if (++column == verticesPerSide) {
            column = 0;
            ++row;
        }
    }
}

void WriteGridIndices(WORD* indices, int verticesPerSide)
{
    const int n = verticesPerSide;
    for (int r = 0; r < n - 1; ++r) {
        for (int c = 0; c < n - 1; ++c) {
            const WORD topLeft = static_cast<WORD>(r * n + c);
            const WORD topRight = static_cast<WORD>(topLeft + 1);
            const WORD bottomLeft = static_cast<WORD>(topLeft + n);
            const WORD bottomRight = static_cast<WORD>(bottomLeft + 1);
            for (WORD index : {topLeft, topRight, bottomLeft, bottomLeft, topRight, bottomRight}) {
                *indices++ = index;
            }
        }
    }
}
