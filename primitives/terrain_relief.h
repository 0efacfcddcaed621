// How the floor makes its relief readable, and the per-vertex arithmetic behind it: a sun that
// lights the height-band colours (ambient plus diffuse times the cosine towards the sun), a
// colour by slope angle in place of the bands, contour lines every so many units of height,
// and a translucent water plane at a level. Slopes and lighting use the terrain as the world
// shows it: its own x and z of -1..+1 span kTerrainExtent units, heights stay in units.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "graphics/vertex_formats.h"

struct TerrainReliefStyle {
    static constexpr float kMinContourInterval = 0.05f;
    static constexpr float kMaxContourInterval = 1000.0f;
    static constexpr float kWaterLevelLimit = 10000.0f;
    static constexpr float kMinSunElevation = 0.0f;
    static constexpr float kMaxSunElevation = 90.0f;

    bool shading = false;
    // Compass degrees: 0 towards +z (the grid's first row), 90 towards +x (its last column).
    float sunAzimuth = 315.0f;
    // Degrees above the horizon.
    float sunElevation = 45.0f;
    bool slope = false;
    bool contours = false;
    float contourInterval = 1.0f;
    bool water = false;
    float waterLevel = 0.0f;

    bool operator==(const TerrainReliefStyle&) const = default;

    // Whether the vertices the floor draws differ from the plain band-coloured ones.
    bool RecoloursVertices() const { return shading || slope || contours; }
    // The same style with every number brought into its range (azimuth wrapped into 0..360,
    // the rest clamped) and a number that is not finite replaced by its default.
    TerrainReliefStyle Sanitised() const;
};

// Ambient share of the shading: a slope turned away from the sun keeps this much of its colour.
inline constexpr float kReliefAmbient = 0.4f;
// Diffuse share, for a slope facing the sun squarely (the sum is clamped to 1).
inline constexpr float kReliefDiffuse = 0.7f;

struct ReliefVector {
    float x, y, z;
};

// The unit vector from the ground towards the sun.
ReliefVector SunDirection(float azimuthDegrees, float elevationDegrees);
// The unit normal in world units of a vertex normal of the floor's own coordinates.
ReliefVector WorldNormal(const TQRD3D_ColorVertex& vertex);
// The angle between the surface and the horizontal in degrees, 0 for flat ground.
float SlopeDegrees(const ReliefVector& worldNormal);
// Green on flat ground through yellow and orange to red from 60 degrees on (alpha opaque).
D3DCOLOR SlopeColour(float degrees);
// ambient + diffuse * max(0, n.l), at most 1.
float ShadeFactor(const ReliefVector& worldNormal, const ReliefVector& toSun);

// The vertices the floor draws for the style: colours by slope or band (the band's alpha kept),
// shaded when asked, and with contours the contour texture's coordinates: u = height / interval
// + kContourOffset (the texture repeats once per interval, so lines follow the surface drawn,
// at any level of detail) and v choosing the row whose line is as thick in height as
// kContourLineWidth of ground is at the vertex's slope.
void StyleReliefVertices(std::span<const TQRD3D_ColorVertex> plain, const TerrainReliefStyle& style,
                         std::span<TQRD3D_ColorVertex> styled);

// The contour texture, A8R8G8B8, row by row: white, with a dark line in the last texels of each
// row, so each line lies just below a whole multiple of the interval. Row n has n line texels:
// row 0 none (flat ground, where a line would fill the plateau), the last row the thickest.
inline constexpr int kContourTexels = 256;
inline constexpr int kContourRows = 32;
std::vector<std::uint32_t> ContourTexels();
// The width of ground a contour line covers where the texture's rows allow it: thinner in
// height on gentle slopes, so that a nearly flat area does not turn dark.
inline constexpr float kContourLineWidth = 0.12f;
// The contour texture's row for a slope (tangent) at an interval.
int ContourRow(float slopeTangent, float interval);
// Added to the contour coordinate: ground lying exactly on a multiple of the interval (a plateau
// set to a whole height, the flat ground at 0) samples the first texel, not the line, however
// the division rounds.
inline constexpr float kContourOffset = 0.5f / static_cast<float>(kContourTexels);

// The water plane's colour, translucent blue.
inline constexpr D3DCOLOR kWaterColour = 0x992060C0;
