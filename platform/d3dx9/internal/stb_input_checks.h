// Checks made on an image file's bytes before stb_image 2.27 decodes them, for the inputs that
// version mishandles and that cannot be mended inside the packaged library:
// - a JPEG Huffman table listing more than 256 codes, which it writes past its code list;
// - Radiance HDR run-length data that makes no progress (a count of zero; past the end of the
//   data every count reads as zero, so the decoder would never return);
// - pixel data (PNM, BMP, PSD, TGA, HDR; raw or run-length) that ends before the image its
//   header declares is filled: the decoder would silently fill an image of up to 8192 x 8192
//   texels with zeros;
// - PNM files with a header number beyond an int (added up without a check) or with two bytes
//   per sample (converted with the 8-bit conversion, then read past the buffer).
// The checks read headers and data as the decoder does (ByteCursor) and only need to agree with
// it on what it accepts: input the decoder refuses by itself is passed on to it. Everything
// here goes when textures move to another decoder.
#pragma once

#include "base/result.h"

#include <cstdint>
#include <span>

// The widest and tallest image the decoder takes (its STBI_MAX_DIMENSIONS); the checks pass
// larger ones on, for the decoder to refuse.
constexpr int kStbMaxSide = 8192;

// The formats in the order the decoder tries them: the first whose test passes decodes the file.
enum class StbImageFormat { Png, Bmp, Gif, Psd, Pic, Jpeg, Pnm, Hdr, Tga, Unknown };
StbImageFormat DetectStbImageFormat(std::span<const unsigned char> bytes);

// Success, or the reason the bytes must not reach the decoder.
Result<> CheckBeforeDecoding(std::span<const unsigned char> bytes);

// The per-format checks that CheckBeforeDecoding picks from; each takes a file of its format.
Result<> CheckJpegHuffmanTables(std::span<const unsigned char> bytes);
Result<> CheckRadianceData(std::span<const unsigned char> bytes);
Result<> CheckPnmData(std::span<const unsigned char> bytes);
Result<> CheckBmpData(std::span<const unsigned char> bytes);
Result<> CheckPsdData(std::span<const unsigned char> bytes);
Result<> CheckTgaData(std::span<const unsigned char> bytes);

// The refusals the data checks share.
struct DeclaredImage {
    const char* format; // "TGA"
    std::uint64_t width;
    std::uint64_t height;
};
// Success when available bytes hold needed bytes of uncompressed pixel data.
Result<> RequirePixelBytes(const DeclaredImage& image, std::uint64_t needed, std::uint64_t available);
// Run-length data that ends before the image is filled.
Failure RunLengthDataCutShort(const DeclaredImage& image);
