// How large an image file the heightmap readers take: the largest terrain is 4097 samples a side,
// and foreign files that large or somewhat larger are resampled down to it.
#pragma once

#include "base/result.h"

#include <cstddef>
#include <string>

inline constexpr long long kMaxImageSide = 16384;
// The most memory a decoder may take for one image: a 16384-pixel square at 32 bits a pixel.
inline constexpr std::size_t kMaxDecodedBytes = std::size_t{1} << 30;
// The largest image file read (a poorly compressed 16-bit image of the largest size fits).
inline constexpr std::size_t kMaxImageFileBytes = std::size_t{1} << 30;

// Fails unless width x height is a square of 2 to kMaxImageSide pixels a side.
inline Result<int> SquareSide(long long width, long long height)
{
    const std::string size = std::to_string(width) + " x " + std::to_string(height) + " pixels";
    if (width > kMaxImageSide || height > kMaxImageSide) {
        return Failure{"it is " + size + ", larger than " + std::to_string(kMaxImageSide) + " a side"};
    }
    if (width != height) {
        return Failure{"it is " + size + ", not square"};
    }
    if (width < 2) {
        return Failure{"it is " + size + "; a heightmap is at least 2 x 2"};
    }
    return static_cast<int>(width);
}
