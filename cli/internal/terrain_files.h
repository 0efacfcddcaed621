// The terrain files a command reads and writes: the --height-range option for files that do not
// say which heights their levels stand for, and reading and writing with progress, the reader's
// notice ("resampled from 1000 x 1000 ...") going to stderr.
#pragma once

#include "base/result.h"
#include "cli/command_line.h"
#include "formats/heightmap.h"

#include <CLI/CLI.hpp>

#include <optional>
#include <string>
#include <string_view>

// "LO:HI": two finite numbers with LO <= HI.
std::optional<HeightRange> ParseHeightRange(std::string_view text);
// Adds --height-range LO:HI to command, stored in range (which holds the default).
void AddHeightRangeOption(CLI::App& command, HeightRange& range);

// Reads path; options.range scales the levels of a file that carries no height range (foreign PNG, RAW).
Result<ImportedHeightmap> ReadTerrainFile(const Console& console, const std::string& path,
                                          const ImportOptions& options);
// Writes heights to path in the format its extension names; nothing is left behind on failure.
Result<> WriteTerrainFile(const Console& console, const std::string& path, const Heightfield& heights,
                          const HeightmapMetadata& metadata);
