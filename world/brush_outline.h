// The brush's outline on the terrain: a closed line of points around the pointer's sample at the
// brush's radius, each lifted a little above the surface so that the floor does not hide it.
#pragma once

#include <vector>

#include "scene/vector_math.h"
#include "terrain/heightfield.h"

struct BrushOutline {
    // The centre in samples, fractional, and the radius in samples.
    float row = 0.0f;
    float column = 0.0f;
    float radius = 1.0f;

    bool operator==(const BrushOutline&) const = default;
};

// The loop's points in world units, the first not repeated at the end; heights follow the
// surface (at the nearest edge beyond the terrain).
std::vector<TQR_Vector3> BrushOutlinePoints(const Heightfield& heights, const BrushOutline& outline);
