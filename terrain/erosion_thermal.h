// Thermal erosion: material slides from a sample to a lower neighbour wherever the slope between
// them is steeper than the talus angle, until the slopes settle at that angle. Slopes use the
// terrain's real spacing (diagonal neighbours are sqrt(2) spacings apart), so the same angle
// means the same steepness at every side.
// Implements: eight neighbours, material conserved, sweeps alternating in direction so that
// neither direction is favoured.
// Leaves out: different materials, erosion by rain (see erosion_hydraulic.h).
#pragma once

#include "base/result.h"
#include "terrain/heightfield.h"
#include "terrain/progress.h"

struct ThermalErosionParameters {
    // 0..89: the steepest slope that stays as it is.
    float talusAngleDegrees = 35.0f;
    // 1..10000 sweeps over the terrain.
    int iterations = 50;
    // 0..1: the share of a slope's excess that one sweep settles; 1 settles fastest, lower values
    // give softer shapes.
    float rate = 0.5f;
};

// Fails with a reason for parameters out of range or an empty heightfield or one with heights
// that are not finite, and with "cancelled" when progress is cancelled (after any sweep).
Result<Heightfield> ErodeThermally(const Heightfield& field, const ThermalErosionParameters& parameters,
                                   Progress* progress = nullptr);
