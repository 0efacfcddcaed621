#include "platform/d3dx9/internal/texture_formats.h"

#include "platform/d3dx9/internal/image_bytes.h"

#include <QImageReader>

#include <cstdint>
#include <string>
#include <string_view>

namespace {

// In the order they are asked: each of these decoders knows its files by their first bytes.
// - libpng and libjpeg ask for more once the data has run out (libjpeg then pads the image with
//   grey and only warns); Qt's GIF decoder returns the part of the frame it has.
// - Qt's BMP decoder stops at the first row it cannot read in full and keeps the rest blank.
// - A PBM/PGM/PPM file in text may end with its last number, read up to the end; the decoder
//   fails by itself when numbers or binary rows are missing, as the WebP and TIFF decoders do.
constexpr TextureFormat kRecognisedFormats[] = {
    {"png", "PNG", CutShortSign::ReadAtEnd, nullptr},
    {"jpeg", "JPEG", CutShortSign::ReadAtEnd, nullptr},
    {"gif", "GIF", CutShortSign::ReadAtEnd, nullptr},
    {"bmp", "BMP", CutShortSign::ShortRead, nullptr},
    {"webp", "WebP", CutShortSign::DecoderFails, nullptr},
    {"tiff", "TIFF", CutShortSign::DecoderFails, nullptr},
    {"ppm", "PBM/PGM/PPM", CutShortSign::DecoderFails, nullptr},
};
// Known by its footer alone: Qt reads no TGA file without one.
constexpr TextureFormat kTga = {"tga", "TGA", CutShortSign::DecoderFails, CheckTgaPixels};

constexpr std::size_t kTgaHeaderBytes = 18;
constexpr std::size_t kTgaFooterBytes = 26;
constexpr std::string_view kTgaSignature("TRUEVISION-XFILE.\0", 18);

const std::string kFormatsRead = "PNG, JPEG, GIF, BMP, WebP, TIFF, PBM/PGM/PPM and uncompressed TGA 2.0";

bool StartsWith(std::span<const unsigned char> bytes, std::string_view start)
{
    return std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()).starts_with(start);
}

bool HasTgaFooter(std::span<const unsigned char> bytes)
{
    return bytes.size() >= kTgaHeaderBytes + kTgaFooterBytes &&
           std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()).ends_with(kTgaSignature);
}

bool Recognises(ImageBytes& device, const TextureFormat& format)
{
    device.seek(0);
    QImageReader reader(&device, format.qtName);
    reader.setAutoDetectImageFormat(false);
    const bool recognised = reader.canRead();
    device.seek(0);
    return recognised;
}

Failure NotRead(const std::string& what)
{
    return Failure{what + " is not an image format the texture loader reads (it reads " + kFormatsRead + ")"};
}

unsigned Le16(std::span<const unsigned char> bytes, std::size_t at) { return bytes[at] | bytes[at + 1] << 8; }

// BMP's compression field (of every header version but the oldest): 1 and 2 are run-length data,
// which may end the image early and leave the rest blank.
bool IsRunLengthBmp(std::span<const unsigned char> bytes)
{
    constexpr std::size_t kCompressionAt = 30;
    if (bytes.size() < kCompressionAt + 4) {
        return false;
    }
    const unsigned compression = Le16(bytes, kCompressionAt) | Le16(bytes, kCompressionAt + 2) << 16;
    return compression == 1 || compression == 2;
}

} // namespace

Result<TextureFormat> DetectTextureFormat(ImageBytes& device)
{
    for (const TextureFormat& format : kRecognisedFormats) {
        if (Recognises(device, format)) {
            return format;
        }
    }
    const std::span<const unsigned char> bytes = device.Bytes();
    if (HasTgaFooter(bytes)) {
        return kTga;
    }
    if (StartsWith(bytes, "#?RADIANCE\n") || StartsWith(bytes, "#?RGBE\n")) {
        return NotRead("Radiance HDR");
    }
    if (StartsWith(bytes, "8BPS")) {
        return NotRead("Photoshop (PSD)");
    }
    return NotRead("the file's format");
}

// Qt skips an identification field and a colour map (its entries of 15 bits taken as 16), then
// reads the pixels from the rows on.
Result<> CheckTgaPixels(std::span<const unsigned char> bytes)
{
    const unsigned type = bytes[2];
    const unsigned depth = bytes[16];
    if (type != 2 || (depth != 16 && depth != 24 && depth != 32)) {
        return Failure{"the TGA image is of type " + std::to_string(type) + " with " + std::to_string(depth) +
                       " bits a pixel; only uncompressed true-colour images of 16, 24 or 32 bits a pixel are read"};
    }
    const unsigned mapDepth = bytes[7] == 15 ? 16 : bytes[7];
    const std::uint64_t mapBytes = bytes[1] == 1 ? std::uint64_t{Le16(bytes, 5)} * mapDepth / 8 : 0;
    const std::uint64_t width = Le16(bytes, 12);
    const std::uint64_t height = Le16(bytes, 14);
    const std::uint64_t needed = width * height * (depth / 8);
    const std::uint64_t start = kTgaHeaderBytes + bytes[0] + mapBytes;
    const std::uint64_t end = bytes.size() - kTgaFooterBytes;
    const std::uint64_t held = end > start ? end - start : 0;
    if (held < needed) {
        return Failure{"the TGA image is cut short: its " + std::to_string(width) + " x " + std::to_string(height) +
                       " pixels need " + std::to_string(needed) + " bytes, the file holds " + std::to_string(held)};
    }
    return Result<>::Success();
}

std::uint64_t LeastPixelDataBytes(const TextureFormat& format, std::span<const unsigned char> bytes,
                                  std::uint64_t width, std::uint64_t height)
{
    const std::string_view name(format.qtName);
    const bool atLeastABitAPixel = name == "ppm" || (name == "bmp" && !IsRunLengthBmp(bytes));
    return atLeastABitAPixel ? (width * height + 7) / 8 : 0;
}
