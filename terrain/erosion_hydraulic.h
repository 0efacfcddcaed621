// Hydraulic erosion with droplets: each droplet starts at a random place, runs downhill with some
// inertia, takes up sediment while it is fast and steep and has room for more, and lays it down
// where it slows, climbs or has more than it can carry; its water evaporates as it goes.
// Heights are read in units of the sample spacing, so a parameter set shapes a terrain the same
// way at every side. Material is accounted for: what the droplets take up is laid down again or
// carried off the border.
// Implements: erosion spread over a radius, deposition on the four samples around the droplet,
// same seed and parameters giving the same heights bit for bit (one droplet after another).
// Leaves out: rivers and lakes that persist, different materials.
#pragma once

#include <cstdint>

#include "base/result.h"
#include "terrain/heightfield.h"
#include "terrain/progress.h"

struct HydraulicErosionParameters {
    // 1..10,000,000 droplets, one after another.
    int droplets = 100000;
    std::uint64_t seed = 0;
    // 1..8 samples: the reach of a droplet's erosion around it.
    int erosionRadius = 3;
    // 0..1: how much of its direction a droplet keeps against the slope.
    float inertia = 0.05f;
    // 0..64: sediment a droplet can carry per unit of slope, speed and water.
    float sedimentCapacity = 4.0f;
    // 0..1: the slope used for the capacity on flatter ground, so slow water still carries some.
    float minSlope = 0.01f;
    // 0..1: the share of its spare capacity a droplet takes up per step.
    float erosion = 0.3f;
    // 0..1: the share of its excess sediment a droplet lays down per step.
    float deposition = 0.3f;
    // 0..1: the share of its water a droplet loses per step.
    float evaporation = 0.01f;
    // 0..64: how fast droplets gain speed going down.
    float gravity = 4.0f;
    // 1..1000 steps of one sample spacing before a droplet lays down what it carries.
    int maxLifetime = 30;
};

// Material moved by an erosion, in world height units summed over the samples. Counted as the
// droplets move it, apart from the heights: the heights' sum changes by deposited - removed, and
// removed = deposited + carriedAway.
struct ErosionReport {
    double removed = 0.0;
    double deposited = 0.0;
    // Sediment in droplets that ran off the terrain's border.
    double carriedAway = 0.0;
};

struct HydraulicErosion {
    Heightfield field;
    ErosionReport report;
};

// Fails with a reason for parameters out of range or an empty heightfield or one with heights
// that are not finite, and with "cancelled" when progress is cancelled (checked every 1000
// droplets).
Result<HydraulicErosion> ErodeHydraulically(const Heightfield& field, const HydraulicErosionParameters& parameters,
                                            Progress* progress = nullptr);
