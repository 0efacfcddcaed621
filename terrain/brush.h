// Painting on the terrain: a brush dab changes the samples within its radius of a (fractional)
// centre, each weighted by the falloff; a stroke is a sequence of dabs. The field is changed in
// place (a dab is small, a copy of the whole terrain per dab is not), and the rectangle that
// holds every change is returned, so a caller updates and records for undo only those samples.
// Implements: raise, lower, smooth, flatten, noise, set; smooth, linear and constant falloff.
// Leaves out: pressure, spacing of dabs along a path (the caller places the dabs), progress (a
// dab touches at most 513 x 513 samples).
#pragma once

#include <cstdint>
#include <span>

#include "base/result.h"
#include "terrain/heightfield.h"

enum class BrushKind {
    Raise,   // up by strength world units at full weight
    Lower,   // down by strength world units at full weight
    Smooth,  // strength of the way to the mean of the sample and its eight neighbours
    Flatten, // strength of the way to the brush's height
    Noise,   // up or down by up to strength world units, the same pattern for the same seed
    Set,     // to the brush's height, blended by the falloff only
};

enum class BrushFalloff {
    Smooth,   // weight 1 - 3t^2 + 2t^3 at t = distance / radius
    Linear,   // weight 1 - t
    Constant, // weight 1 within the radius
};

inline constexpr float kSmallestBrushRadius = 1.0f;
inline constexpr float kLargestBrushRadius = 256.0f;

struct Brush {
    BrushKind kind = BrushKind::Raise;
    BrushFalloff falloff = BrushFalloff::Smooth;
    // In samples, 1..256.
    float radius = 8.0f;
    // 0..1.
    float strength = 0.5f;
    // The target of flatten and set, in world units.
    float height = 0.0f;
    std::uint64_t seed = 0;
};

// A dab's centre in samples (row, column), fractional.
struct DabCentre {
    float row = 0.0f;
    float column = 0.0f;
};

// Rows row..row + rows - 1 and columns column..column + columns - 1.
struct SampleRect {
    int row = 0;
    int column = 0;
    int rows = 0;
    int columns = 0;

    bool Empty() const { return rows <= 0 || columns <= 0; }
    bool Contains(int r, int c) const { return r >= row && c >= column && r < row + rows && c < column + columns; }
    // The smallest rectangle that holds both.
    SampleRect United(const SampleRect& other) const;
    bool operator==(const SampleRect&) const = default;
};

// The samples a dab at centre may change on a terrain of side samples: those within the radius,
// clipped to the terrain. A caller that records undo saves these samples before the dab.
SampleRect DabFootprint(int side, const Brush& brush, DabCentre centre);

// Applies the dabs in order and returns the union of their footprints. Fails with a reason, and
// changes nothing, for a brush or a centre out of range.
Result<SampleRect> ApplyStroke(Heightfield& field, const Brush& brush, std::span<const DabCentre> dabs);
