// A heightfield at another side by bilinear interpolation: corner maps to corner, so the
// terrain keeps its extent and only the spacing of its samples changes.
// Implements: up- and down-sampling between any sides from 2 to 4097.
// Leaves out: filtering before down-sampling (a large reduction skips detail between samples).
#pragma once

#include "base/result.h"
#include "terrain/heightfield.h"
#include "terrain/progress.h"

// The largest side a heightfield is resampled to.
inline constexpr int kLargestResampledSide = 4097;

// Fails with a reason for an empty source or one with heights that are not finite, or a side
// outside 2..4097, and with "cancelled" when progress is cancelled.
Result<Heightfield> ResampleHeightfield(const Heightfield& source, int side, Progress* progress = nullptr);
