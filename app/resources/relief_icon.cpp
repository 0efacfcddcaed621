#include "app/resources/resources.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr int kIconSize = 32;

struct Rgb {
    int r;
    int g;
    int b;
};

std::uint32_t Opaque(Rgb c)
{
    return 0xFF000000u | (static_cast<std::uint32_t>(c.r) << 16) | (static_cast<std::uint32_t>(c.g) << 8) |
           static_cast<std::uint32_t>(c.b);
}

Rgb Mix(Rgb a, Rgb b, float t)
{
    const auto channel = [t](int from, int to) { return static_cast<int>(std::lround(from + (to - from) * t)); };
    return {channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b)};
}

// The picture is drawn on a 32 by 32 grid; coordinates are in its pixels, (0, 0) the centre of
// the top-left one.

// The ridge line: two peaks, the higher one on the left, in pixel rows from the top.
float RidgeTop(float x)
{
    const float leftPeak = 9.0f + 0.045f * (x - 11.0f) * (x - 11.0f);
    const float rightPeak = 14.0f + 0.06f * (x - 24.0f) * (x - 24.0f);
    return std::min({leftPeak, rightPeak, 26.0f});
}

Rgb Sky(float y) { return Mix(Rgb{70, 130, 210}, Rgb{190, 220, 250}, y / kIconSize); }

// Height bands as the terrain shows them: snow near the peaks, grass, then darker soil.
Rgb Ground(float x, float y)
{
    const float depth = y - RidgeTop(x);
    if (RidgeTop(x) < 12.0f && depth < 2.0f) {
        return {245, 245, 245};
    }
    const Rgb grass{70, 160, 60};
    const Rgb soil{110, 80, 40};
    // Furrows give the slope texture.
    const float shade = (static_cast<int>(std::lround(x)) % 7 == 0 && depth > 1.0f) ? 0.15f : 0.0f;
    return Mix(grass, soil, std::clamp(depth / 18.0f + shade, 0.0f, 1.0f));
}

bool InSun(float x, float y)
{
    const float dx = x - 24.5f;
    const float dy = y - 6.5f;
    return dx * dx + dy * dy <= 16.0f;
}

Rgb ColourAt(float x, float y)
{
    if (y >= RidgeTop(x)) {
        return Ground(x, y);
    }
    return InSun(x, y) ? Rgb{255, 210, 40} : Sky(y);
}

// The pixel of an icon of the size: the average of samples x samples points of the picture.
Rgb PixelOf(int x, int y, int size, int samples)
{
    const float scale = static_cast<float>(kIconSize) / static_cast<float>(size);
    int r = 0;
    int g = 0;
    int b = 0;
    for (int i = 0; i < samples; ++i) {
        for (int j = 0; j < samples; ++j) {
            const float px =
                (static_cast<float>(x) + (static_cast<float>(i) + 0.5f) / static_cast<float>(samples)) * scale - 0.5f;
            const float py =
                (static_cast<float>(y) + (static_cast<float>(j) + 0.5f) / static_cast<float>(samples)) * scale - 0.5f;
            const Rgb c = ColourAt(px, py);
            r += c.r;
            g += c.g;
            b += c.b;
        }
    }
    const int n = samples * samples;
    return {(r + n / 2) / n, (g + n / 2) / n, (b + n / 2) / n};
}

} // namespace

IconImage ReliefIconImage(int size)
{
    // At its own size the picture is sampled once per pixel, as it was drawn.
    const int samples = size == kIconSize ? 1 : 3;
    IconImage image;
    image.width = size;
    image.height = size;
    image.argb.reserve(static_cast<std::size_t>(size) * static_cast<std::size_t>(size));
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            image.argb.push_back(Opaque(PixelOf(x, y, size, samples)));
        }
    }
    return image;
}
