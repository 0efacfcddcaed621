// RAW heightmaps: 16-bit little-endian levels, row-major, nothing else in the file. The side
// comes from the length, which must make a square; the height range is the caller's.
#pragma once

#include "base/result.h"
#include "formats/heightmap.h"

#include <span>
#include <string>

Result<ImportedHeightmap> DecodeRawHeightmap(std::span<const char> bytes, const ImportOptions& options);
// The levels span metadata.range when given, else the heights' own lowest to highest.
Result<std::string> EncodeRawHeightmap(const Heightfield& heights, const HeightmapMetadata& metadata);
