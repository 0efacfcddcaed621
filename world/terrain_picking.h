// Where a ray meets the terrain as the floor draws it: the grid's two triangles per cell, with
// the terrain spanning -15..15 in x and z (row 0 at z = +15, column 0 at x = -15) and heights in
// world units. Pure geometry on a heightfield, no device: a view turns a pixel into a ray
// (its camera) and asks here which sample lies under it.
#pragma once

#include <optional>

#include "scene/vector_math.h"
#include "terrain/heightfield.h"

struct TerrainHit {
    // Where the ray meets the surface, in samples (fractional) and in world units.
    float row = 0.0f;
    float column = 0.0f;
    TQR_Vector3 point;
    // The sample nearest to the hit.
    int nearestRow = 0;
    int nearestColumn = 0;
};

// The first point in front of origin (direction need not be normalised) where the ray meets the
// surface; none when it passes beside or above the terrain, or the direction is zero.
std::optional<TerrainHit> PickTerrain(const Heightfield& heights, const TQR_Vector3& origin,
                                      const TQR_Vector3& direction);

// The surface height at a fractional sample position, bilinear between the four samples around
// it; positions outside the grid take the nearest edge.
float SurfaceHeight(const Heightfield& heights, float row, float column);

// A fractional sample position in world x and z.
float ColumnToWorldX(const Heightfield& heights, float column);
float RowToWorldZ(const Heightfield& heights, float row);
