// Where the parts of a flexible-format vertex lie, for the vertex formats meshes use.
#pragma once

#include "platform/d3d9/d3d9types.h"

#include <optional>

struct VertexLayout {
    static constexpr UINT kAbsent = ~0u;

    // Empty for formats without a position or with position kinds other than XYZ.
    static std::optional<VertexLayout> ForFvf(DWORD fvf);

    UINT stride = 0;
    UINT normal = kAbsent;
    UINT diffuse = kAbsent;
    UINT texCoord = kAbsent; // first coordinate set, when it has two components

    bool Has(UINT offset) const { return offset != kAbsent; }
};
