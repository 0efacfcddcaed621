#include "platform/d3dx9/image_file.h"

#include "platform/d3dx9/file_access.h"

#include <climits>
#include <memory>
#include <utility>

// The decoder's functions stay inside this file, so they cannot clash with another copy of
// the library that a program links.
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_NO_STDIO
#define STBI_FAILURE_USERMSG
#include <stb/stb_image.h>

namespace {

struct StbFree {
    void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};

DecodedImage Rejected(std::string reason)
{
    DecodedImage image;
    image.error = std::move(reason);
    return image;
}

} // namespace

DecodedImage DecodedImage::FromBytes(std::span<const char> bytes)
{
    if (bytes.empty() || bytes.size() > INT_MAX) {
        return Rejected("the image file is empty or too large");
    }
    int width = 0;
    int height = 0;
    int channels = 0;
    const std::unique_ptr<stbi_uc, StbFree> rgba(stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(bytes.data()),
                                                                       static_cast<int>(bytes.size()), &width, &height,
                                                                       &channels, STBI_rgb_alpha));
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
    std::vector<char> bytes;
    std::string error;
    if (!ReadWholeFile(path, bytes, error)) {
        return Rejected(error);
    }
    DecodedImage image = FromBytes(bytes);
    if (!image.ok) {
        image.error = path + ": " + image.error;
    }
    return image;
}
