// The arithmetic of the readable relief without a device: slopes measured in world units,
// the sun's light on slopes, the slope colours, the style's ranges, and the styled copy of a
// batch following edits and style changes.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "primitives/grid_layout.h"
#include "primitives/terrain_batch.h"
#include "primitives/terrain_chunk_geometry.h"
#include "primitives/terrain_relief.h"
#include "primitives/terrain_relief_drawing.h"

namespace {

constexpr float kPi = std::numbers::pi_v<float>;

// Heights rising by rise world units per world unit along x (columns) and along -z (rows).
Heightfield Ramp(int side, float riseAlongX, float riseAlongRows)
{
    Heightfield heights(side);
    for (int row = 0; row < side; ++row) {
        for (int column = 0; column < side; ++column) {
            heights.At(row, column) =
                heights.Spacing() * (riseAlongX * static_cast<float>(column) + riseAlongRows * static_cast<float>(row));
        }
    }
    return heights;
}

ReliefVector RampNormal(int side, float riseAlongX, float riseAlongRows)
{
    const Heightfield heights = Ramp(side, riseAlongX, riseAlongRows);
    return WorldNormal(TerrainVertex(heights, side / 2, side / 2, TerrainSpacing(heights)));
}

int Channel(D3DCOLOR colour, int shift) { return static_cast<int>((colour >> shift) & 0xFF); }

D3DCOLOR RgbOf(D3DCOLOR colour) { return colour & 0x00FFFFFFu; }

TEST(TerrainReliefTest, SlopeIsMeasuredInWorldUnitsWhateverTheSide)
{
    for (const int side : {33, 65, 257}) {
        for (const float rise : {0.0f, 0.25f, 1.0f, 4.0f}) {
            SCOPED_TRACE(testing::Message() << side << " samples, rise " << rise);
            const float expected = std::atan(rise) * 180.0f / kPi;
            EXPECT_NEAR(SlopeDegrees(RampNormal(side, rise, 0.0f)), expected, 0.05f);
            EXPECT_NEAR(SlopeDegrees(RampNormal(side, 0.0f, rise)), expected, 0.05f);
        }
    }
}

TEST(TerrainReliefTest, SlopesFacingTheSunAreBrighterThanSlopesFacingAway)
{
    // Sun in the east (+x), 30 degrees up. A slope rising towards -x faces east.
    const ReliefVector toSun = SunDirection(90.0f, 30.0f);
    EXPECT_NEAR(toSun.x, std::cos(kPi / 6.0f), 1e-5f);
    EXPECT_NEAR(toSun.y, 0.5f, 1e-5f);
    const float facing = ShadeFactor(RampNormal(65, -1.0f, 0.0f), toSun);
    const float flat = ShadeFactor(RampNormal(65, 0.0f, 0.0f), toSun);
    const float sideways = ShadeFactor(RampNormal(65, 0.0f, 1.0f), toSun);
    const float away = ShadeFactor(RampNormal(65, 1.0f, 0.0f), toSun);
    const float steepAway = ShadeFactor(RampNormal(65, 3.0f, 0.0f), toSun);
    EXPECT_GT(facing, flat);
    EXPECT_GT(flat, sideways);
    EXPECT_GT(sideways, away);
    EXPECT_FLOAT_EQ(steepAway, kReliefAmbient) << "steeper than the sun is high: ambient light only";
    EXPECT_FLOAT_EQ(ShadeFactor({0.0f, 1.0f, 0.0f}, SunDirection(0.0f, 90.0f)), 1.0f) << "clamped at full colour";
}

TEST(TerrainReliefTest, SlopeColoursRunFromGreenOnFlatGroundToRedOnSteepGround)
{
    int lastRedness = std::numeric_limits<int>::min();
    for (const float degrees : {0.0f, 10.0f, 20.0f, 30.0f, 40.0f, 50.0f, 60.0f}) {
        SCOPED_TRACE(degrees);
        const D3DCOLOR colour = SlopeColour(degrees);
        const int redness = Channel(colour, 16) - Channel(colour, 8);
        EXPECT_GT(redness, lastRedness);
        lastRedness = redness;
        EXPECT_EQ(colour >> 24, 0xFFu);
    }
    EXPECT_GT(Channel(SlopeColour(0.0f), 8), 2 * Channel(SlopeColour(0.0f), 16)) << "flat is green";
    EXPECT_GT(Channel(SlopeColour(75.0f), 16), 4 * Channel(SlopeColour(75.0f), 8)) << "steep is red";
    EXPECT_EQ(SlopeColour(89.0f), SlopeColour(60.0f));
}

TEST(TerrainReliefTest, SanitisedStyleKeepsEveryNumberInRange)
{
    constexpr float kNan = std::numeric_limits<float>::quiet_NaN();
    constexpr float kInfinity = std::numeric_limits<float>::infinity();
    const TerrainReliefStyle defaults;
    struct Case {
        const char* name;
        TerrainReliefStyle given;
        TerrainReliefStyle expected;
    };
    const auto with = [](auto change) {
        TerrainReliefStyle style;
        change(style);
        return style;
    };
    const Case cases[] = {
        {"defaults", defaults, defaults},
        {"negative azimuth", with([](auto& s) { s.sunAzimuth = -90.0f; }),
         with([](auto& s) { s.sunAzimuth = 270.0f; })},
        {"full turn", with([](auto& s) { s.sunAzimuth = 720.0f; }), with([](auto& s) { s.sunAzimuth = 0.0f; })},
        {"sun below", with([](auto& s) { s.sunElevation = -10.0f; }), with([](auto& s) { s.sunElevation = 0.0f; })},
        {"sun past zenith", with([](auto& s) { s.sunElevation = 120.0f; }),
         with([](auto& s) { s.sunElevation = 90.0f; })},
        {"zero interval", with([](auto& s) { s.contourInterval = 0.0f; }),
         with([](auto& s) { s.contourInterval = TerrainReliefStyle::kMinContourInterval; })},
        {"negative interval", with([](auto& s) { s.contourInterval = -3.0f; }),
         with([](auto& s) { s.contourInterval = TerrainReliefStyle::kMinContourInterval; })},
        {"not a number", with([](auto& s) { s.contourInterval = s.sunAzimuth = s.waterLevel = kNan; }), defaults},
        {"infinite level", with([](auto& s) { s.waterLevel = kInfinity; }), defaults},
        {"deep water", with([](auto& s) { s.waterLevel = -1e9f; }),
         with([](auto& s) { s.waterLevel = -TerrainReliefStyle::kWaterLevelLimit; })},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.given.Sanitised(), c.expected);
    }
}

TEST(TerrainReliefTest, StyledVerticesTakeSlopeColourShadeAndContourCoordinate)
{
    TQRD3D_ColorVertex plain = GridVertexAt(3, 4, 0.25f, 3.0f); // green band
    const auto with = [](auto change) {
        TerrainReliefStyle style;
        change(style);
        return style;
    };
    const float shade = ShadeFactor({0.0f, 1.0f, 0.0f}, SunDirection(0.0f, 30.0f));
    const auto scaled = [shade](D3DCOLOR colour) {
        return std::lround(static_cast<float>(Channel(colour, 8)) * shade);
    };
    struct Case {
        const char* name;
        TerrainReliefStyle style;
        long green;
        float u;
    };
    const Case cases[] = {
        {"contours", with([](auto& s) { s.contours = true, s.contourInterval = 0.5f; }), Channel(plain.diffuse, 8),
         6.0f + kContourOffset},
        {"slope", with([](auto& s) { s.slope = true; }), Channel(SlopeColour(0.0f), 8), plain.u},
        {"shading", with([](auto& s) { s.shading = true, s.sunElevation = 30.0f; }), scaled(plain.diffuse), plain.u},
        {"shaded slope", with([](auto& s) { s.shading = s.slope = true, s.sunElevation = 30.0f; }),
         scaled(SlopeColour(0.0f)), plain.u},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TQRD3D_ColorVertex styled{};
        StyleReliefVertices({&plain, 1}, c.style, {&styled, 1});
        EXPECT_EQ(Channel(styled.diffuse, 8), c.green);
        EXPECT_FLOAT_EQ(styled.u, c.u);
        EXPECT_EQ(styled.diffuse >> 24, plain.diffuse >> 24) << "the band's alpha stays";
        EXPECT_EQ(styled.y, plain.y);
    }
}

TEST(TerrainReliefTest, StyledCopyFollowsEditsAndStyleChanges)
{
    Heightfield heights(129, 0.0f);
    const TerrainChunkLayout layout(heights.Side());
    TerrainChunkCache cache;
    cache.Reset(layout.ChunkCount());
    ChunkIndexCache indexCache;
    TerrainBatch batch;
    batch.Build(std::vector<int>(static_cast<std::size_t>(layout.ChunkCount()), 0), layout, heights, cache, indexCache);
    TerrainReliefDrawing drawing;
    EXPECT_EQ(&drawing.VerticesFor(batch), &batch.Vertices()) << "no style: the batch's own vertices";

    TerrainReliefStyle style;
    style.slope = true;
    ASSERT_TRUE(drawing.SetStyle(style));
    EXPECT_FALSE(drawing.SetStyle(style)) << "the same style again is no change";
    // Vertex 0 is the corner sample (0, 0) of the first chunk.
    EXPECT_EQ(RgbOf(drawing.VerticesFor(batch).front().diffuse), RgbOf(SlopeColour(0.0f)));

    // A cliff at the corner: the batch brings in the chunk's new vertices.
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            heights.At(row, column) = 20.0f;
        }
    }
    const SampleBounds edited{0, 0, 3, 3};
    cache.Refresh(heights, layout.Chunk(0), 0, edited);
    batch.Refresh(0, layout, heights, cache);
    const TQRD3D_ColorVertex& edge = drawing.VerticesFor(batch)[2];
    EXPECT_EQ(RgbOf(edge.diffuse), RgbOf(SlopeColour(SlopeDegrees(WorldNormal(batch.Vertices()[2])))));
    EXPECT_NE(RgbOf(edge.diffuse), RgbOf(SlopeColour(0.0f))) << "the cliff's edge is steep";

    style.slope = false;
    style.contours = true;
    style.contourInterval = 4.0f;
    drawing.SetStyle(style);
    EXPECT_EQ(drawing.VerticesFor(batch)[2].diffuse, batch.Vertices()[2].diffuse) << "the band colour again";
    EXPECT_FLOAT_EQ(drawing.VerticesFor(batch)[2].u, 5.0f + kContourOffset);
}

} // namespace
