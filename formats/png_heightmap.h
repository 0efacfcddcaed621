// 16-bit greyscale PNG heightmaps through Qt's image I/O (no display or application object is
// needed). Written files carry the side, the height range and the seed as text chunks
// ("relief:side", "relief:min", "relief:max", "relief:seed"); reading them back restores every
// height within (max - min) / 65535. A PNG without them, 8 or 16 bit, grey or colour (taken as
// its grey value), gets the caller's height range. At most 16384 pixels a side.
#pragma once

#include "base/result.h"
#include "formats/heightmap.h"

#include <span>
#include <string>

Result<ImportedHeightmap> DecodePngHeightmap(std::span<const char> bytes, const ImportOptions& options);
Result<std::string> EncodePngHeightmap(const Heightfield& heights, const HeightmapMetadata& metadata);
