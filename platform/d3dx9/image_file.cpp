#include "platform/d3dx9/image_file.h"

#include "base/file_access.h"
#include "platform/d3dx9/internal/stb_input_checks.h"

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
#define STBI_MAX_DIMENSIONS kStbMaxSide
#include <stb/stb_image.h>

namespace {

// An uncompressed 8192 x 8192 image of 32-bit texels, with room for its header.
constexpr std::size_t kMaxImageFileBytes = std::size_t{257} << 20;

struct StbFree {
    void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};

} // namespace

Result<DecodedImage> DecodedImage::FromBytes(std::span<const char> bytes)
{
    if (bytes.empty() || bytes.size() > INT_MAX) {
        return Failure{"the image file is empty or too large"};
    }
    const std::span<const unsigned char> unsignedBytes(reinterpret_cast<const unsigned char*>(bytes.data()),
                                                       bytes.size());
    if (const Result<> checked = CheckBeforeDecoding(unsignedBytes); !checked) {
        return Failure{"the image cannot be decoded: " + checked.reason()};
    }
    int width = 0;
    int height = 0;
    int channels = 0;
    const std::unique_ptr<stbi_uc, StbFree> rgba(stbi_load_from_memory(
        unsignedBytes.data(), static_cast<int>(unsignedBytes.size()), &width, &height, &channels, STBI_rgb_alpha));
    if (!rgba) {
        return Failure{std::string("the image cannot be decoded: ") + stbi_failure_reason()};
    }
    if (width < 1 || height < 1) {
        return Failure{"the image has no pixels"};
    }
    DecodedImage image;
    image.width = static_cast<UINT>(width);
    image.height = static_cast<UINT>(height);
    image.texels.assign(rgba.get(), rgba.get() + size_t{image.width} * image.height * 4);
    for (size_t i = 0; i < image.texels.size(); i += 4) {
        std::swap(image.texels[i], image.texels[i + 2]);
    }
    return image;
}

Result<DecodedImage> DecodedImage::FromFile(const std::string& path)
{
    const Result<std::vector<char>> bytes = ReadRegularFile(path, kMaxImageFileBytes);
    if (!bytes) {
        return Failure{"cannot open " + QuotedPath(path) + ": " + bytes.reason()};
    }
    Result<DecodedImage> image = FromBytes(bytes.value());
    if (!image) {
        return Failure{path + ": " + image.reason()};
    }
    return image;
}
