// Decoding image files into 32-bit texels, through Qt's image decoders: PNG, JPEG, GIF (its
// first frame), BMP, WebP, TIFF (its first page), PBM/PGM/PPM and uncompressed TGA 2.0.
// Leaves out: Radiance HDR, Photoshop, run-length TGA and TGA files without the 2.0 footer.
#pragma once

#include "base/result.h"
#include "base/win_types.h"

#include <span>
#include <string>
#include <vector>

struct DecodedImage {
    UINT width = 0;
    UINT height = 0;
    // Bytes B, G, R, A per texel (an A8R8G8B8 texel in memory), rows top first, no padding.
    std::vector<BYTE> texels;

    // The image, or why it cannot be decoded: a file that is corrupt, cut short, in a format not
    // read, without pixels or wider or taller than 8192 texels.
    static Result<DecodedImage> FromBytes(std::span<const char> bytes);
    // As FromBytes; the reason starts with the path.
    static Result<DecodedImage> FromFile(const std::string& path);
};
