// How the airplane's skin texture is shared among its parts. Only the fuselage's material
// names the texture, but the device keeps a subset's texture bound while it draws the
// subsets after it, so every part has its own band of the texture, painted in its colours,
// and its texture coordinates stay inside that band.
#pragma once

// A horizontal band of the texture, as a range of v (0 at the top row).
struct TextureBand {
    float first;
    float last;

    // v at the fraction t (0 to 1) of the band.
    constexpr float At(float t) const { return first + t * (last - first); }
    // The fraction of the band at v; outside 0 to 1 when v is outside the band.
    constexpr float FractionOf(float v) const { return (v - first) / (last - first); }
};

inline constexpr char kAirplaneSkinFileName[] = "airplane_skin.png";

// Fuselage: v runs from the nose to the tail, u from the belly (0) to the spine (1).
inline constexpr TextureBand kFuselageBand{0.01f, 0.49f};
// Wings, tailplane and fin: v runs from the root to the tip, u from the leading edge to the
// trailing edge.
inline constexpr TextureBand kWingBand{0.52f, 0.73f};
// Canopy: v runs from front to back, u from the bottom to the top.
inline constexpr TextureBand kCanopyBand{0.77f, 0.98f};
