// The vertex layouts the draw helper builds and the terrain grid stores, as the device reads
// them for their flexible vertex formats.
#pragma once

#include "platform/d3d9/d3d9types.h"

// Position, normal, point size, diffuse colour.
struct TQRD3D_PointVertex {
    static constexpr DWORD kFvf = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_PSIZE | D3DFVF_DIFFUSE;

    float x, y, z;
    float nx, ny, nz;
    float size;
    D3DCOLOR diffuse;
};
static_assert(TQRD3D_PointVertex::kFvf == 0x72 && sizeof(TQRD3D_PointVertex) == 32);

// Position, normal, diffuse colour, one texture coordinate pair: lines, discs, rectangles and
// the terrain grid.
struct TQRD3D_ColorVertex {
    static constexpr DWORD kFvf = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_DIFFUSE | D3DFVF_TEX1;

    float x, y, z;
    float nx, ny, nz;
    D3DCOLOR diffuse;
    float u, v;
};
static_assert(TQRD3D_ColorVertex::kFvf == 0x152 && sizeof(TQRD3D_ColorVertex) == 36);
