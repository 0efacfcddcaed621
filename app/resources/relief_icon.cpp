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

// The ridge line: two peaks, the higher one on the left, in pixel rows from the top.
float RidgeTop(int x)
{
    const float fx = static_cast<float>(x);
    const float leftPeak = 9.0f + 0.045f * (fx - 11.0f) * (fx - 11.0f);
    const float rightPeak = 14.0f + 0.06f * (fx - 24.0f) * (fx - 24.0f);
    return std::min({leftPeak, rightPeak, 26.0f});
}

Rgb Sky(int y) { return Mix(Rgb{70, 130, 210}, Rgb{190, 220, 250}, static_cast<float>(y) / kIconSize); }

// Height bands as the terrain shows them: snow near the peaks, grass, then darker soil.
Rgb Ground(int x, int y)
{
    const float depth = static_cast<float>(y) - RidgeTop(x);
    if (RidgeTop(x) < 12.0f && depth < 2.0f) {
        return {245, 245, 245};
    }
    const Rgb grass{70, 160, 60};
    const Rgb soil{110, 80, 40};
    const float shade = (x % 7 == 0 && depth > 1.0f) ? 0.15f : 0.0f; // furrows give the slope texture
    return Mix(grass, soil, std::clamp(depth / 18.0f + shade, 0.0f, 1.0f));
}

bool InSun(int x, int y)
{
    const float dx = static_cast<float>(x) - 24.5f;
    const float dy = static_cast<float>(y) - 6.5f;
    return dx * dx + dy * dy <= 16.0f;
}

} // namespace

IconImage ReliefIconImage()
{
    IconImage image;
    image.width = kIconSize;
    image.height = kIconSize;
    image.argb.reserve(kIconSize * kIconSize);
    for (int y = 0; y < kIconSize; ++y) {
        for (int x = 0; x < kIconSize; ++x) {
            Rgb colour = Sky(y);
            if (InSun(x, y)) {
                colour = {255, 210, 40};
            }
            if (static_cast<float>(y) >= RidgeTop(x)) {
                colour = Ground(x, y);
            }
            image.argb.push_back(Opaque(colour));
        }
    }
    return image;
}
