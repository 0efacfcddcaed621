// Resampling an imported heightmap to a side a terrain is made at.
// The bilinear resample here is a stand-in until terrain/ has its own; then this forwards to it.
#pragma once

#include "terrain/heightfield.h"

// heights resampled bilinearly to side x side, the corners kept (side at least 2).
Heightfield ResampleForImport(const Heightfield& heights, int side);
