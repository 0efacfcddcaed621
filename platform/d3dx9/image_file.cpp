#include "platform/d3dx9/image_file.h"

#include "base/file_access.h"

#include <climits>
#include <memory>
#include <utility>

// The decoder's functions stay inside this file, so they cannot clash with another copy of
// the library that a program links.
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_NO_STDIO
#define STBI_FAILURE_USERMSG
// A few hundred bytes of a run-length TGA or a cut-off JPEG can declare an image of gigabytes,
// which the decoder would allocate and fill texel by texel. A terrain texture needs nothing near
// this size and many devices take nothing larger, so wider or taller images are refused before
// anything is allocated for them.
#define STBI_MAX_DIMENSIONS 8192
#include <stb/stb_image.h>

namespace {

// An uncompressed 8192 x 8192 image of 32-bit texels, with room for its header.
constexpr std::size_t kMaxImageFileBytes = std::size_t{257} << 20;

struct StbFree {
    void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};

DecodedImage Rejected(std::string reason)
{
    DecodedImage image;
    image.error = std::move(reason);
    return image;
}

// The byte at index, or 0 past the end, as the decoder reads it.
unsigned ByteAt(std::span<const unsigned char> bytes, size_t index) { return index < bytes.size() ? bytes[index] : 0u; }

// True when one of the Huffman tables of the DHT segment at start (its length field) lists more
// than 256 codes. Tables are walked as the decoder walks them; where the decoder would refuse
// the segment first (a bad table class or slot), the walk stops.
bool DefinesOversizedHuffmanTable(std::span<const unsigned char> bytes, size_t start)
{
    constexpr unsigned kMaxCodes = 256;
    long remaining = static_cast<long>(ByteAt(bytes, start) << 8 | ByteAt(bytes, start + 1)) - 2;
    size_t table = start + 2;
    while (remaining > 0) {
        const unsigned classAndSlot = ByteAt(bytes, table);
        if ((classAndSlot >> 4) > 1 || (classAndSlot & 15) > 3) {
            return false;
        }
        unsigned codes = 0;
        for (size_t length = 1; length <= 16; ++length) {
            codes += ByteAt(bytes, table + length);
        }
        if (codes > kMaxCodes) {
            return true;
        }
        table += 17 + codes;
        remaining -= static_cast<long>(17 + codes);
    }
    return false;
}

// stb_image 2.27 builds a Huffman table's code-size list (257 entries) from a DHT segment's
// sixteen code counts without checking that they add up to at most 256, so a corrupt JPEG
// writes past the list. Such files are refused here before the decoder sees them.
// The walk goes from marker to marker as the decoder does: fill bytes 0xFF before a marker,
// segments skipped by their length, scan data searched for the next marker (0xFF 0x00 is a
// stuffed byte, restart markers carry no length). Where the decoder would give up on the file
// anyway, the walk just goes on, so it never passes over a table the decoder would build.
bool HasOversizedJpegHuffmanTable(std::span<const unsigned char> bytes)
{
    constexpr unsigned kFill = 0xFF;
    constexpr unsigned kStartOfImage = 0xD8;
    constexpr unsigned kEndOfImage = 0xD9;
    constexpr unsigned kDefineHuffmanTable = 0xC4;
    size_t at = 0;
    const auto nextMarker = [&]() {
        while (at < bytes.size() && bytes[at] != kFill) {
            ++at;
        }
        while (at < bytes.size() && bytes[at] == kFill) {
            ++at;
        }
        return at < bytes.size() ? bytes[at++] : kEndOfImage;
    };
    if (ByteAt(bytes, 0) != kFill || nextMarker() != kStartOfImage) {
        return false;
    }
    for (unsigned marker = nextMarker(); marker != kEndOfImage; marker = nextMarker()) {
        const bool withoutLength = marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= kStartOfImage);
        if (withoutLength) {
            continue;
        }
        if (marker == kDefineHuffmanTable && DefinesOversizedHuffmanTable(bytes, at)) {
            return true;
        }
        at += ByteAt(bytes, at) << 8 | ByteAt(bytes, at + 1);
    }
    return false;
}

} // namespace

DecodedImage DecodedImage::FromBytes(std::span<const char> bytes)
{
    if (bytes.empty() || bytes.size() > INT_MAX) {
        return Rejected("the image file is empty or too large");
    }
    const std::span<const unsigned char> unsignedBytes(reinterpret_cast<const unsigned char*>(bytes.data()),
                                                       bytes.size());
    if (HasOversizedJpegHuffmanTable(unsignedBytes)) {
        return Rejected("the image cannot be decoded: a JPEG Huffman table lists more than 256 codes");
    }
    int width = 0;
    int height = 0;
    int channels = 0;
    const std::unique_ptr<stbi_uc, StbFree> rgba(stbi_load_from_memory(
        unsignedBytes.data(), static_cast<int>(unsignedBytes.size()), &width, &height, &channels, STBI_rgb_alpha));
    if (!rgba) {
        return Rejected(std::string("the image cannot be decoded: ") + stbi_failure_reason());
    }
    DecodedImage image;
    image.ok = true;
    image.width = static_cast<UINT>(width);
    image.height = static_cast<UINT>(height);
    image.texels.assign(rgba.get(), rgba.get() + size_t{image.width} * image.height * 4);
    for (size_t i = 0; i < image.texels.size(); i += 4) {
        std::swap(image.texels[i], image.texels[i + 2]);
    }
    return image;
}

DecodedImage DecodedImage::FromFile(const std::string& path)
{
    const Result<std::vector<char>> bytes = ReadRegularFile(path, kMaxImageFileBytes);
    if (!bytes) {
        return Rejected("cannot open " + QuotedPath(path) + ": " + bytes.reason());
    }
    DecodedImage image = FromBytes(bytes.value());
    if (!image.ok) {
        image.error = path + ": " + image.error;
    }
    return image;
}
