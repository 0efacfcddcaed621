#include "tools/procedural_textures.h"

#include "tools/airplane_skin_layout.h"
#include "tools/value_noise.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

constexpr int kSkinSize = 256;
constexpr int kGrassSize = 256;
constexpr std::uint32_t kGrassSeed = 1907;
constexpr std::uint32_t kEarthSeed = 2411;

const Colour kSkinWhite{236, 236, 232};
const Colour kBellyGrey{196, 200, 206};
const Colour kStripeRed{200, 40, 36};
const Colour kStripeBlue{30, 50, 110};
const Colour kNoseGrey{70, 72, 76};
const Colour kWingGrey{92, 108, 136}; // blue-grey, so the wings stand out against the light grey background
const Colour kGlassDark{20, 30, 50};
const Colour kGlassLight{110, 140, 180};
const Colour kFrameGrey{50, 50, 55};
constexpr float kPanelLineShade = 0.8f;

bool Within(float value, float first, float last) { return value >= first && value <= last; }

bool Near(float value, float at, float halfWidth) { return std::abs(value - at) < halfWidth; }

// True on a thin line at each multiple of 1 / count along t.
bool OnLineEvery(float t, int count, float width) { return t * count - std::floor(t * count) < width; }

Colour Fuselage(float alongBody, float fromBelly)
{
    Colour colour = fromBelly < 0.3f ? kBellyGrey : kSkinWhite;
    if (Within(fromBelly, 0.46f, 0.54f)) {
        colour = kStripeRed;
    } else if (Within(fromBelly, 0.56f, 0.59f) || (alongBody > 0.86f && fromBelly > 0.62f)) {
        colour = kStripeBlue; // a pin stripe above the cheat line, and the tail flash
    }
    if (alongBody < 0.05f) {
        colour = kNoseGrey;
    }
    const bool panelLine =
        OnLineEvery(alongBody, 14, 0.05f) || Near(fromBelly, 0.25f, 0.006f) || Near(fromBelly, 0.8f, 0.006f);
    return panelLine ? colour * kPanelLineShade : colour;
}

Colour Wing(float rootToTip, float chord)
{
    const Colour colour = rootToTip > 0.82f ? kStripeRed : kWingGrey;
    const bool panelLine = Near(chord, 0.2f, 0.01f) || Near(chord, 0.75f, 0.01f) || OnLineEvery(rootToTip, 8, 0.06f);
    return panelLine ? colour * kPanelLineShade : colour;
}

Colour Canopy(float frontToBack, float fromBottom)
{
    const bool frame = fromBottom < 0.45f || Near(frontToBack, 0.3f, 0.02f) || Near(frontToBack, 0.55f, 0.02f);
    return frame ? kFrameGrey : Mix(kGlassDark, kGlassLight, fromBottom * fromBottom);
}

// The colour at texture coordinates (u, v): each row belongs to the band it is nearest to.
Colour SkinAt(float u, float v)
{
    auto fraction = [v](const TextureBand& band) { return std::clamp(band.FractionOf(v), 0.0f, 1.0f); };
    if (v < (kFuselageBand.last + kWingBand.first) / 2) {
        return Fuselage(fraction(kFuselageBand), u);
    }
    if (v < (kWingBand.last + kCanopyBand.first) / 2) {
        return Wing(fraction(kWingBand), u);
    }
    return Canopy(fraction(kCanopyBand), u);
}

RgbImage Paint(int size, const std::function<Colour(float u, float v, int x, int y)>& colourAt)
{
    RgbImage image(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float u = (static_cast<float>(x) + 0.5f) / static_cast<float>(size);
            const float v = (static_cast<float>(y) + 0.5f) / static_cast<float>(size);
            image.Set(x, y, colourAt(u, v, x, y));
        }
    }
    return image;
}

float SmoothStep(float edge0, float edge1, float x)
{
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

} // namespace

RgbImage PaintAirplaneSkin()
{
    return Paint(kSkinSize, [](float u, float v, int, int) { return SkinAt(u, v); });
}

RgbImage PaintGrass()
{
    const ValueNoise noise(kGrassSeed);
    const ValueNoise earthNoise(kEarthSeed);
    const Colour darkGrass{46, 84, 30};
    const Colour lightGrass{108, 146, 56};
    const Colour earth{122, 100, 66};
    return Paint(kGrassSize, [&](float u, float v, int x, int y) {
        const float patches = noise.Fractal(u, v, 4, 5);
        const float bareness = SmoothStep(0.58f, 0.72f, earthNoise.Fractal(u, v, 2, 4));
        const float speckle = 0.85f + 0.3f * noise.Hash(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y));
        const Colour grass = Mix(darkGrass, lightGrass, SmoothStep(0.3f, 0.7f, patches));
        return Mix(grass, earth, bareness) * speckle;
    });
}
