#include "primitives/terrain_relief.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "terrain/heightfield.h"

namespace {

// The floor's own -1..+1 in x and z is this many world units either way of the centre.
constexpr float kHalfExtent = kTerrainExtent / 2.0f;
constexpr float kDegrees = std::numbers::pi_v<float> / 180.0f;

constexpr std::uint32_t kLineTexel = 0xFF282018;
constexpr std::uint32_t kPlainTexel = 0xFFFFFFFF;

float Finite(float value, float fallback) { return std::isfinite(value) ? value : fallback; }

struct SlopeStop {
    float degrees;
    int r, g, b;
};
constexpr SlopeStop kSlopeStops[] = {
    {0.0f, 40, 160, 60}, {15.0f, 150, 200, 50}, {30.0f, 240, 210, 40}, {45.0f, 240, 120, 30}, {60.0f, 200, 30, 30},
};

D3DCOLOR Rgb(float r, float g, float b, std::uint32_t alpha)
{
    const auto channel = [](float value) {
        return static_cast<std::uint32_t>(std::lround(std::clamp(value, 0.0f, 255.0f)));
    };
    return (alpha << 24) | (channel(r) << 16) | (channel(g) << 8) | channel(b);
}

D3DCOLOR Scaled(D3DCOLOR colour, float factor)
{
    return Rgb(static_cast<float>((colour >> 16) & 0xFF) * factor, static_cast<float>((colour >> 8) & 0xFF) * factor,
               static_cast<float>(colour & 0xFF) * factor, colour >> 24);
}

} // namespace

TerrainReliefStyle TerrainReliefStyle::Sanitised() const
{
    const TerrainReliefStyle defaults;
    TerrainReliefStyle style = *this;
    const float azimuth = std::fmod(Finite(sunAzimuth, defaults.sunAzimuth), 360.0f);
    style.sunAzimuth = azimuth < 0.0f ? azimuth + 360.0f : azimuth;
    style.sunElevation = std::clamp(Finite(sunElevation, defaults.sunElevation), kMinSunElevation, kMaxSunElevation);
    style.contourInterval =
        std::clamp(Finite(contourInterval, defaults.contourInterval), kMinContourInterval, kMaxContourInterval);
    style.waterLevel = std::clamp(Finite(waterLevel, defaults.waterLevel), -kWaterLevelLimit, kWaterLevelLimit);
    return style;
}

ReliefVector SunDirection(float azimuthDegrees, float elevationDegrees)
{
    const float azimuth = azimuthDegrees * kDegrees;
    const float elevation = elevationDegrees * kDegrees;
    return {std::cos(elevation) * std::sin(azimuth), std::sin(elevation), std::cos(elevation) * std::cos(azimuth)};
}

ReliefVector WorldNormal(const TQRD3D_ColorVertex& vertex)
{
    // Stretching x and z by the half extent divides the normal's x and z by it.
    const ReliefVector n{vertex.nx / kHalfExtent, vertex.ny, vertex.nz / kHalfExtent};
    const float length = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
    if (length <= 0.0f) {
        return {0.0f, 1.0f, 0.0f};
    }
    return {n.x / length, n.y / length, n.z / length};
}

float SlopeDegrees(const ReliefVector& worldNormal)
{
    return std::acos(std::clamp(std::abs(worldNormal.y), 0.0f, 1.0f)) / kDegrees;
}

D3DCOLOR SlopeColour(float degrees)
{
    const SlopeStop* upper = std::find_if(std::begin(kSlopeStops), std::end(kSlopeStops),
                                          [degrees](const SlopeStop& stop) { return stop.degrees > degrees; });
    if (upper == std::begin(kSlopeStops)) {
        return Rgb(static_cast<float>(upper->r), static_cast<float>(upper->g), static_cast<float>(upper->b), 0xFF);
    }
    const SlopeStop& lower = *(upper - 1);
    if (upper == std::end(kSlopeStops)) {
        return Rgb(static_cast<float>(lower.r), static_cast<float>(lower.g), static_cast<float>(lower.b), 0xFF);
    }
    const float t = (degrees - lower.degrees) / (upper->degrees - lower.degrees);
    const auto mix = [t](int a, int b) { return static_cast<float>(a) + t * static_cast<float>(b - a); };
    return Rgb(mix(lower.r, upper->r), mix(lower.g, upper->g), mix(lower.b, upper->b), 0xFF);
}

float ShadeFactor(const ReliefVector& worldNormal, const ReliefVector& toSun)
{
    const float facing = worldNormal.x * toSun.x + worldNormal.y * toSun.y + worldNormal.z * toSun.z;
    return std::min(1.0f, kReliefAmbient + kReliefDiffuse * std::max(0.0f, facing));
}

void StyleReliefVertices(std::span<const TQRD3D_ColorVertex> plain, const TerrainReliefStyle& style,
                         std::span<TQRD3D_ColorVertex> styled)
{
    const ReliefVector toSun = SunDirection(style.sunAzimuth, style.sunElevation);
    const float perInterval = 1.0f / style.contourInterval;
    for (std::size_t i = 0; i < plain.size() && i < styled.size(); ++i) {
        TQRD3D_ColorVertex vertex = plain[i];
        const ReliefVector normal = WorldNormal(vertex);
        if (style.slope) {
            // The band's alpha stays, so a blended floor stays as translucent as it was.
            vertex.diffuse = (SlopeColour(SlopeDegrees(normal)) & 0x00FFFFFFu) | (vertex.diffuse & 0xFF000000u);
        }
        if (style.shading) {
            vertex.diffuse = Scaled(vertex.diffuse, ShadeFactor(normal, toSun));
        }
        if (style.contours) {
            vertex.u = vertex.y * perInterval + kContourOffset;
            const float tangent = std::sqrt(normal.x * normal.x + normal.z * normal.z) / std::max(normal.y, 1e-6f);
            vertex.v = (static_cast<float>(ContourRow(tangent, style.contourInterval)) + 0.5f) / kContourRows;
        }
        styled[i] = vertex;
    }
}

int ContourRow(float slopeTangent, float interval)
{
    // Below this a slope counts as flat.
    constexpr float kFlatTangent = 1e-3f;
    if (!(slopeTangent > kFlatTangent)) {
        return 0;
    }
    const float texels = kContourTexels * kContourLineWidth * slopeTangent / interval;
    return static_cast<int>(std::clamp(std::round(texels), 1.0f, static_cast<float>(kContourRows - 1)));
}

std::vector<std::uint32_t> ContourTexels()
{
    std::vector<std::uint32_t> texels(static_cast<std::size_t>(kContourTexels * kContourRows), kPlainTexel);
    for (int row = 0; row < kContourRows; ++row) {
        const auto end = texels.begin() + (row + 1) * kContourTexels;
        std::fill(end - row, end, kLineTexel);
    }
    return texels;
}
