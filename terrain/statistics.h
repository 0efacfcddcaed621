// Figures that describe a terrain: its height range and mean, how steep it is, and how much of
// it lies under water.
// Implements: slopes from the central-difference gradient with the terrain's real spacing
// (one-sided at the border), water share on the triangles the terrain is drawn with.
// Leaves out: curvature, drainage.
#pragma once

#include <array>
#include <cstdint>

#include "base/result.h"
#include "terrain/heightfield.h"
#include "terrain/progress.h"

inline constexpr int kSlopeBinDegrees = 5;
inline constexpr int kSlopeBins = 90 / kSlopeBinDegrees;

struct TerrainStatistics {
    float minimum = 0.0f;
    float maximum = 0.0f;
    // Over the samples.
    double mean = 0.0;
    // Bin i counts the samples whose slope is at least 5i and below 5(i + 1) degrees.
    std::array<std::uint64_t, kSlopeBins> slopeHistogram{};
    // 0..1: the share of the terrain's map area below the water level, each triangle of the
    // drawn surface counting the part of it below the level.
    double waterShare = 0.0;
};

// Fails with a reason for an empty heightfield or one with heights that are not finite, or a
// water level that is not a number, and with "cancelled" when progress is cancelled.
Result<TerrainStatistics> ComputeTerrainStatistics(const Heightfield& field, float waterLevel,
                                                   Progress* progress = nullptr);
