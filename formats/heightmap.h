// Heightmap files in and out, the format chosen by the file name's extension (any case):
//   .txt         the text height file: one number per line, row-major (text_heightmap.h)
//   .png         16-bit greyscale PNG with the side, height range and seed as text chunks;
//                foreign 8- and 16-bit PNGs are read too (png_heightmap.h)
//   .r16, .raw   16-bit little-endian samples, nothing else (raw_heightmap.h)
//   .exr         32-bit float OpenEXR, one channel (exr_heightmap.h)
// A file whose side is not one a terrain is made at is resampled to the nearest one, and the
// import says so. Leaves out: non-square images, asking the user anything (the caller passes the
// height range to use for files that do not carry one).
#pragma once

#include "base/result.h"
#include "formats/height_range.h"
#include "terrain/heightfield.h"
#include "terrain/progress.h"

#include <cstdint>
#include <optional>
#include <string>

struct ImportOptions {
    // The heights that the lowest and highest level of a PNG or RAW file stand for, when the
    // file does not say.
    HeightRange range{0.0f, 15.0f};
};

// What a file may say about its heights beyond the samples.
struct HeightmapMetadata {
    // PNG and RAW: the heights the lowest and highest level stand for. Given to a writer, it must
    // hold every height; without it a writer uses the terrain's own lowest and highest height.
    std::optional<HeightRange> range;
    // The seed the terrain was generated from, when known (PNG and EXR keep it).
    std::optional<std::uint64_t> seed;
};

// Where an import's heights got their scale from.
enum class HeightScale {
    Absolute,   // the file holds heights in world units (text, EXR)
    FromFile,   // levels scaled by the height range the file carries (PNG written by us)
    FromCaller, // levels scaled by ImportOptions::range (foreign PNG, RAW)
};

struct ImportedHeightmap {
    Heightfield heights;
    HeightScale scale = HeightScale::Absolute;
    HeightmapMetadata metadata; // range: the one applied to levels; seed: when the file has one
    // The side the file holds; differs from heights.Side() when the import resampled.
    int storedSide = 0;
    // A classic text height file: 64 x 64 numbers for a 65 x 65 grid. heights is a 65 grid whose
    // last row and column repeat their neighbours; KeepLastRowAndColumn gives them the values of
    // the terrain being replaced, as loading such a file always has.
    bool classic = false;

    bool Resampled() const { return storedSide != heights.Side(); }
};

// Reads path; the failure names the file: "cannot load "h.png": it is 30 x 20 pixels, not square".
// With progress, fails with "cancelled" when it is cancelled once the file is decoded.
Result<ImportedHeightmap> ReadHeightmap(const std::string& path, const ImportOptions& options,
                                        Progress* progress = nullptr);

// The format a file of that name is read and written as: "text height file", "PNG", "RAW16",
// "OpenEXR"; "" for a name no format takes.
std::string HeightmapFormatName(const std::string& path);

// Writes heights to path, replacing it only when the whole file is written. With progress, fails
// with "cancelled", leaving path as it was, when it is cancelled before the file replaces path.
Result<> WriteHeightmap(const std::string& path, const Heightfield& heights, const HeightmapMetadata& metadata,
                        Progress* progress = nullptr);

// What the user should be told about an import beyond its success, or "": "resampled from
// 1000 x 1000 to 1025 x 1025 samples", "heights 0 to 15 as chosen (the file does not say)".
std::string ImportNotice(const ImportedHeightmap& imported);

// For a classic import: heights with the last row and column taken from current when it is a
// 65 grid (otherwise unchanged).
Heightfield KeepLastRowAndColumn(const ImportedHeightmap& imported, const Heightfield& current);
