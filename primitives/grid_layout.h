// The layout of the terrain grid: N x N vertices stored row by row, spanning -1 to +1 in x and
// z, and two clockwise (seen from above) triangles per cell. Also the colour a vertex takes
// from its height.
#pragma once

#include <span>

#include "graphics/vertex_formats.h"

// White above 4, brown below 2, green from 2 to 4 (both bounds included). The two lower bands
// carry alpha bytes 0x13 and 0x22, which show only when blending is on.
D3DCOLOR GridHeightColor(float y);

// The grid vertex of a row and column at a height: x = column * spacing - 1,
// z = 1 - row * spacing, normal up, (u, v) = (x / 2 + 1/2, z / 2 + 1/2), coloured by the height.
TQRD3D_ColorVertex GridVertexAt(int row, int column, float spacing, float height);

// The flat grid: vertex row * N + column is GridVertexAt(row, column, spacing, 0).
void WriteGridVertices(TQRD3D_ColorVertex* vertices, int verticesPerSide, float spacing);

// Gives vertex i the height heights[i] and its colour; x, z, the normal and (u, v) stay.
void WriteGridHeights(TQRD3D_ColorVertex* vertices, std::span<const float> heights);

// For each cell (r, c), row by row: (rN + c, rN + c + 1, (r+1)N + c) and
// ((r+1)N + c, rN + c + 1, (r+1)N + c + 1); 6 (N - 1)^2 indices. 16-bit indices reach grids of
// up to 256 x 256 vertices; larger grids need the 32-bit form.
void WriteGridIndices(WORD* indices, int verticesPerSide);
void WriteGridIndices(DWORD* indices, int verticesPerSide);
