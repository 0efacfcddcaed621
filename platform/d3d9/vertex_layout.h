// Where each part of a vertex lies for a flexible vertex format: position (three floats),
// normal (three floats), point size (one float), diffuse and specular colours (D3DCOLOR each,
// B, G, R, A bytes in memory), then the texture coordinate sets (two floats each), in that order.
// Leaves out: pre-transformed positions, blend weights and texture coordinate sets of other sizes.
#pragma once

#include "platform/d3d9/d3d9types.h"

#include <optional>

struct VertexLayout {
    UINT size = 0;
    std::optional<UINT> normal;
    std::optional<UINT> pointSize;
    std::optional<UINT> diffuse;
    std::optional<UINT> specular;
    std::optional<UINT> texCoord0;
};

// Nullopt for a format the device cannot draw (no XYZ position, or bits it does not know).
std::optional<VertexLayout> LayoutOfFvf(DWORD fvf);
