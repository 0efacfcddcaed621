// The image formats textures are read from, through Qt's decoders (its own and those of the
// image formats plugins), and what those decoders need checked around them:
// - which format a file holds, asked of the decoders in a fixed order and only of those listed
//   (Qt's own guess takes an uncompressed TGA file for an icon);
// - how each decoder shows a file that ends too soon, when it does not refuse it by itself;
// - for TGA, that the pixels end before the footer, since Qt's decoder reads a pixel for every
//   one the header declares, from the footer and then from nothing, one byte at a time.
// Radiance HDR, Photoshop, TGA without the 2.0 footer or with run-length data, XBM and XPM are
// not read; the first two are named when refused.
#pragma once

#include "base/result.h"

#include <cstdint>
#include <span>

class ImageBytes;

// How a file cut short shows.
enum class CutShortSign {
    DecoderFails, // the decoder fails by itself
    ReadAtEnd,    // the decoder asks for more once nothing is left
    ShortRead,    // a read of the decoder's finds fewer bytes than it asked for
};

struct TextureFormat {
    const char* qtName; // the decoder's name in Qt: "jpeg"
    const char* name;   // as people know it: "JPEG"
    CutShortSign cutShort;
    // A check of the whole file before the decoder sees it, or null.
    Result<> (*checkBeforeDecoding)(std::span<const unsigned char> bytes);
};

// The format of the file the device holds, or why none of those read fits it.
Result<TextureFormat> DetectTextureFormat(ImageBytes& device);

// An uncompressed true-colour TGA 2.0 file whose pixels end before its footer.
Result<> CheckTgaPixels(std::span<const unsigned char> bytes);

// The fewest bytes in which a file of the format can hold width x height pixels, where the format
// has such a floor (data of at least one bit a pixel: PBM/PGM/PPM and BMP without run-length
// data), else 0. Their decoders allocate the whole image before they find the data missing.
std::uint64_t LeastPixelDataBytes(const TextureFormat& format, std::span<const unsigned char> bytes,
                                  std::uint64_t width, std::uint64_t height);
