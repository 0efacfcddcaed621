// Decoding image files (PNG, JPEG, BMP, TGA, GIF, PSD, HDR, PIC, PNM) into 32-bit texels.
#pragma once

#include "base/win_types.h"

#include <span>
#include <string>
#include <vector>

struct DecodedImage {
    bool ok = false;
    std::string error;
    UINT width = 0;
    UINT height = 0;
    // Bytes B, G, R, A per texel (an A8R8G8B8 texel in memory), rows top first, no padding.
    std::vector<BYTE> texels;

    static DecodedImage FromBytes(std::span<const char> bytes);
    static DecodedImage FromFile(const std::string& path);
};
