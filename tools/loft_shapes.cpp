#include "tools/loft_shapes.h"

#include <cmath>
#include <numbers>

namespace {

// Rounding leaves values like 6e-17 where a point lies exactly on an axis; they are written
// as 0 so the files read cleanly.
float Snapped(double value) { return std::abs(value) < 1e-12 ? 0.0f : static_cast<float>(value); }

// Half thickness of the classic symmetric four-digit profile of thickness t at chord
// position x. It leaves the trailing edge a sliver thick, so the upper and lower faces meet
// there at a crease instead of sharing one vertex whose normal would point backwards.
double HalfThickness(double x, double t)
{
    const double x2 = x * x;
    return 5.0 * t * (0.2969 * std::sqrt(x) - 0.1260 * x - 0.3516 * x2 + 0.2843 * x2 * x - 0.1015 * x2 * x2);
}

} // namespace

std::vector<Station> EllipsoidStations(const D3DXVECTOR3& centre, const D3DXVECTOR3& halfSize, int bands, float firstV,
                                       float lastV)
{
    std::vector<Station> stations;
    for (int i = 0; i <= bands; ++i) {
        const double latitude = std::numbers::pi * i / bands;
        const bool pole = i == 0 || i == bands;
        const float across = pole ? 0.0f : static_cast<float>(std::sin(latitude));
        const float along = static_cast<float>(-std::cos(latitude));
        const float t = static_cast<float>(i) / bands;
        stations.push_back(Station{centre + D3DXVECTOR3(0.0f, 0.0f, halfSize.z * along),
                                   D3DXVECTOR3(halfSize.x * across, 0.0f, 0.0f),
                                   D3DXVECTOR3(0.0f, halfSize.y * across, 0.0f), firstV + t * (lastV - firstV)});
    }
    return stations;
}

CrossSection CircleSection(int points)
{
    CrossSection section;
    for (int k = 0; k < points; ++k) {
        const double turn = static_cast<double>(k) / points; // 0 at the bottom, 0.5 at the top
        const double angle = 2.0 * std::numbers::pi * turn - std::numbers::pi / 2.0;
        const double fromBottom = turn <= 0.5 ? turn : 1.0 - turn;
        section.push_back(
            SectionPoint{Snapped(std::cos(angle)), Snapped(std::sin(angle)), static_cast<float>(2.0 * fromBottom)});
    }
    return section;
}

CrossSection AirfoilSection(int pointsPerFace, float thickness)
{
    // Cosine spacing crowds points at the round leading edge.
    auto chordAt = [pointsPerFace](int i) { return 0.5 * (1.0 - std::cos(std::numbers::pi * i / pointsPerFace)); };
    CrossSection section;
    auto add = [&](int i, double side) {
        const double x = chordAt(i);
        section.push_back(SectionPoint{static_cast<float>(x), static_cast<float>(side * HalfThickness(x, thickness)),
                                       static_cast<float>(x)});
    };
    for (int i = pointsPerFace; i >= 0; --i) { // upper face, trailing edge to leading edge
        add(i, 1.0);
    }
    for (int i = 1; i <= pointsPerFace; ++i) { // lower face, back to the trailing edge
        add(i, -1.0);
    }
    return section;
}
