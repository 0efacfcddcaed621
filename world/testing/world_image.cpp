#include "world/testing/world_image.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb_image_write.h>

#include <cstdlib>

WorldPixel WorldImage::At(int x, int y) const
{
    if (!Contains(x, y) || bgra.size() < static_cast<std::size_t>(width) * height * 4) {
        return {};
    }
    const std::uint8_t* pixel = bgra.data() + (static_cast<std::size_t>(y) * width + x) * 4;
    return {pixel[2], pixel[1], pixel[0]};
}

bool PixelNear(const WorldPixel& actual, const WorldPixel& expected, int tolerance)
{
    return std::abs(actual.r - expected.r) <= tolerance && std::abs(actual.g - expected.g) <= tolerance &&
           std::abs(actual.b - expected.b) <= tolerance;
}

bool SaveImagePng(const WorldImage& image, const std::string& path)
{
    if (image.IsEmpty()) {
        return false;
    }
    std::vector<std::uint8_t> rgba(image.bgra.size());
    for (std::size_t i = 0; i + 3 < rgba.size(); i += 4) {
        rgba[i] = image.bgra[i + 2];
        rgba[i + 1] = image.bgra[i + 1];
        rgba[i + 2] = image.bgra[i];
        rgba[i + 3] = 255;
    }
    return stbi_write_png(path.c_str(), image.width, image.height, 4, rgba.data(), image.width * 4) != 0;
}
