// A new terrain by recursive midpoint displacement: four random corners, then a square step and
// four edge steps per square, depth first, the displacement scale squared at every level.
// Implements: generation at every side 2^k + 1 from 3 to 4097, driven by Pcg32 so that the same
// side, roughness and seed give the same heights bit for bit on every build.
// Leaves out: wrap-around borders, other noise models.
#pragma once

#include <cstdint>
#include <functional>

#include "base/result.h"
#include "terrain/heightfield.h"
#include "terrain/progress.h"

struct GenerationParameters {
    int side = 65;
    // 0..1: the displacement scale of the whole terrain's square; level k uses roughness^(2^k).
    float roughness = 0.5f;
    std::uint64_t seed = 0;
};

// The largest side a terrain is generated at.
inline constexpr int kLargestGeneratedSide = 4097;

// Draws the displacement steps from Pcg32(seed): k = Below(7), displacement (k - 2) * scale.
// Fails with a reason for a side that is not 2^k + 1 in 3..4097 or a roughness outside 0..1, and
// with "cancelled" when progress is cancelled.
Result<Heightfield> GenerateHeightfield(const GenerationParameters& parameters, Progress* progress = nullptr);

// The same subdivision with each displacement step k (0..6) taken from nextStep, in the order the
// steps are drawn, so that tests can script them.
using DisplacementSteps = std::function<int()>;
Result<Heightfield> GenerateHeightfieldWithSteps(int side, float roughness, const DisplacementSteps& nextStep,
                                                 Progress* progress = nullptr);
