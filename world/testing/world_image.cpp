#include "world/testing/world_image.h"

#include <QImage>

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
    // B, G, R, A in memory is an RGB32 pixel on this platform; RGB32 keeps the image opaque.
    return QImage(image.bgra.data(), image.width, image.height, static_cast<qsizetype>(image.width) * 4,
                  QImage::Format_RGB32)
        .save(QString::fromStdString(path), "png");
}
