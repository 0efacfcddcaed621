#include "tools/rgb_image.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageWriter>

#include <algorithm>
#include <cmath>
#include <fstream>

namespace {

std::uint8_t ToByte(float channel) { return static_cast<std::uint8_t>(std::clamp(std::lround(channel), 0L, 255L)); }

} // namespace

Colour Mix(const Colour& a, const Colour& b, float t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

RgbImage::RgbImage(int width, int height)
    : m_width(width), m_height(height), m_bytes(static_cast<size_t>(width) * height * 3, 0)
{
}

void RgbImage::Set(int x, int y, const Colour& colour)
{
    const size_t at = (static_cast<size_t>(y) * m_width + x) * 3;
    m_bytes[at] = ToByte(colour.r);
    m_bytes[at + 1] = ToByte(colour.g);
    m_bytes[at + 2] = ToByte(colour.b);
}

std::vector<std::uint8_t> EncodePng(const RgbImage& image)
{
    const QImage rgb(image.Bytes().data(), image.Width(), image.Height(), static_cast<qsizetype>(image.Width()) * 3,
                     QImage::Format_RGB888);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!QImageWriter(&buffer, "png").write(rgb)) {
        return {};
    }
    return std::vector<std::uint8_t>(png.begin(), png.end());
}

Result<> WritePngFile(const std::filesystem::path& path, const RgbImage& image)
{
    const std::vector<std::uint8_t> png = EncodePng(image);
    if (png.empty()) {
        return Failure{"cannot encode " + path.string() + " as PNG"};
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    out.close();
    if (!out) {
        return Failure{"cannot write " + path.string()};
    }
    return {};
}
