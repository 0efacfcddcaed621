// OpenEXR heightmaps: one 32-bit float channel "Y" holding heights in world units, so a round
// trip is exact. The seed is kept as the string attribute "reliefSeed". Foreign files are read
// when they have a "Y" channel or just one channel (half, float or unsigned int, converted to
// float), at most 16384 pixels a side.
#pragma once

#include "base/result.h"
#include "formats/heightmap.h"

#include <span>
#include <string>

Result<ImportedHeightmap> DecodeExrHeightmap(std::span<const char> bytes);
Result<std::string> EncodeExrHeightmap(const Heightfield& heights, const HeightmapMetadata& metadata);
