// The floor's readable relief drawn on the real device and seen through the small view's camera
// (nearly straight down): a cone of height 8 and radius 10 on flat ground, shaded by a sun in
// the east, coloured by slope, with contour lines every unit (also at coarse levels of detail)
// and a water plane. Every picture is written to the test output for a look.
#include "world_gl_fixture.h"

#include <cmath>
#include <string>

#include "primitives/grid_layout.h"
#include "primitives/terrain_relief.h"

namespace {

constexpr float kConeHeight = 8.0f;
constexpr float kConeRadius = 10.0f;

float ConeHeightAt(float x, float z) { return std::max(0.0f, kConeHeight * (1.0f - std::hypot(x, z) / kConeRadius)); }

Heightfield Cone(int side)
{
    Heightfield heights(side);
    for (int row = 0; row < side; ++row) {
        for (int column = 0; column < side; ++column) {
            const float x = static_cast<float>(column) * heights.Spacing() - kTerrainExtent / 2.0f;
            const float z = kTerrainExtent / 2.0f - static_cast<float>(row) * heights.Spacing();
            heights.At(row, column) = ConeHeightAt(x, z);
        }
    }
    return heights;
}

WorldPixel PixelOf(D3DCOLOR colour)
{
    return {static_cast<int>((colour >> 16) & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
            static_cast<int>(colour & 0xFF)};
}

int Brightness(const WorldPixel& pixel) { return pixel.r + pixel.g + pixel.b; }

class TerrainReliefGlTest : public WorldGlTest {
protected:
    void SetUp() override
    {
        WorldGlTest::SetUp();
        if (IsSkipped()) {
            return;
        }
        m_world->ShowAirplane(false);
        m_world->ShowSelector(false);
        ShowCone(129);
    }

    void ShowCone(int side) { m_world->RestoreHeights(Cone(side)); }

    WorldImage Draw(const TerrainReliefStyle& style, const std::string& name)
    {
        m_world->GetFloorMesh().SetReliefStyle(style);
        const WorldImage image = Render(SmallViewCamera(), kSmallViewWidth, kSmallViewHeight);
        SaveImage(image, name);
        return image;
    }

    // The pixel of the cone's surface at (x, z).
    WorldPixel At(const WorldImage& image, float x, float z) const
    {
        const auto [column, row] =
            ProjectToImage(SmallViewCamera(), kSmallViewWidth, kSmallViewHeight, {x, ConeHeightAt(x, z), z});
        return image.At(column, row);
    }
};

TEST_F(TerrainReliefGlTest, WithoutAStyleTheFloorDrawsExactlyAsBefore)
{
    const WorldImage before = Draw({}, "relief_plain");
    TerrainReliefStyle everything;
    everything.shading = everything.slope = everything.contours = everything.water = true;
    everything.waterLevel = 3.0f;
    const WorldImage styled = Draw(everything, "relief_everything");
    const WorldImage after = Draw({}, "relief_plain_again");
    ASSERT_FALSE(before.IsEmpty());
    EXPECT_NE(styled.bgra, before.bgra);
    EXPECT_EQ(after.bgra, before.bgra);
}

TEST_F(TerrainReliefGlTest, StyleChangesTakeAChangeStampSoTheViewsRedraw)
{
    TerrainReliefStyle style;
    const auto toggles = {&TerrainReliefStyle::shading, &TerrainReliefStyle::slope, &TerrainReliefStyle::contours,
                          &TerrainReliefStyle::water};
    for (bool TerrainReliefStyle::*toggle : toggles) {
        for (const bool on : {true, false}) {
            const TQR_ChangeNumber drawn = m_world->LastChange();
            style.*toggle = on;
            m_world->GetFloorMesh().SetReliefStyle(style);
            EXPECT_GT(m_world->LastChange(), drawn);
        }
    }
    const TQR_ChangeNumber drawn = m_world->LastChange();
    m_world->GetFloorMesh().SetReliefStyle(style);
    EXPECT_EQ(m_world->LastChange(), drawn) << "the same style is no change";
}

TEST_F(TerrainReliefGlTest, ShadingLightsTheFlankFacingTheSun)
{
    TerrainReliefStyle style;
    style.shading = true;
    style.sunAzimuth = 90.0f; // east, +x
    style.sunElevation = 30.0f;
    const WorldImage east = Draw(style, "relief_shading_east");
    style.sunAzimuth = 270.0f;
    const WorldImage west = Draw(style, "relief_shading_west");
    const WorldImage plain = Draw({}, "relief_shading_off");
    // Both flank points are in the white band (height 4.8).
    struct Case {
        const char* name;
        const WorldImage& image;
        float litX;
    };
    for (const Case& c : {Case{"sun in the east", east, 4.0f}, Case{"sun in the west", west, -4.0f}}) {
        SCOPED_TRACE(c.name);
        const WorldPixel lit = At(c.image, c.litX, 0.0f);
        const WorldPixel shadowed = At(c.image, -c.litX, 0.0f);
        EXPECT_TRUE(PixelNear(lit, {255, 255, 255}, 6)) << lit.r << "," << lit.g << "," << lit.b;
        EXPECT_GT(Brightness(lit), Brightness(shadowed) + 200);
        EXPECT_GT(Brightness(shadowed), 3 * 60) << "a slope away from the sun stays readable";
    }
    EXPECT_TRUE(PixelNear(At(plain, 4.0f, 0.0f), At(plain, -4.0f, 0.0f), 0)) << "unlit, both flanks alike";
}

TEST_F(TerrainReliefGlTest, SlopeOverlayColoursTheFlankWarmAndTheFlatGroundGreen)
{
    TerrainReliefStyle style;
    style.slope = true;
    const WorldImage image = Draw(style, "relief_slope");
    // The flank rises 8 in 10: 38.7 degrees, between yellow and orange.
    for (const auto& [x, z] : {std::pair{5.0f, 0.0f}, std::pair{-3.0f, 4.0f}, std::pair{0.0f, -6.0f}}) {
        SCOPED_TRACE(testing::Message() << "flank at " << x << ", " << z);
        EXPECT_TRUE(PixelNear(At(image, x, z), PixelOf(SlopeColour(38.66f)), 12));
    }
    for (const auto& [x, z] : {std::pair{12.0f, 0.0f}, std::pair{-12.0f, 3.0f}}) {
        SCOPED_TRACE(testing::Message() << "flat at " << x << ", " << z);
        EXPECT_TRUE(PixelNear(At(image, x, z), PixelOf(SlopeColour(0.0f)), 6));
    }
}

// Lines lie where the cone crosses each whole height, whatever level of detail draws it.
TEST_F(TerrainReliefGlTest, ContourLinesFollowTheHeightsAtEveryLevelOfDetail)
{
    TerrainReliefStyle style;
    style.contours = true;
    style.contourInterval = 1.0f;
    struct Case {
        const char* name;
        int side;
        float maxPixelError;
    };
    for (const Case& c : {Case{"129 at full detail", 129, 0.0f}, Case{"513 coarse", 513, 16.0f}}) {
        SCOPED_TRACE(c.name);
        ShowCone(c.side);
        m_world->GetFloorMesh().SetMaxPixelError(c.maxPixelError);
        const WorldImage image = Draw(style, std::string("relief_contours_") + std::to_string(c.side));
        if (c.maxPixelError > 0.0f) {
            const auto& levels = m_world->GetFloorMesh().GetLastLevels();
            EXPECT_GT(*std::max_element(levels.begin(), levels.end()), 1) << "coarse levels drawn";
        }
        for (const auto& [x, z] : {std::pair{12.0f, 0.0f}, std::pair{-12.0f, 8.0f}}) {
            SCOPED_TRACE(testing::Message() << "flat ground at height 0, " << x << ", " << z);
            EXPECT_TRUE(PixelNear(At(image, x, z), PixelOf(GridHeightColor(0.0f)), 4)) << "no line fills a plateau";
        }
        for (int height = 1; height < static_cast<int>(kConeHeight); ++height) {
            SCOPED_TRACE(height);
            const float radius = kConeRadius * (1.0f - static_cast<float>(height) / kConeHeight);
            const float between = kConeRadius * (1.0f - (static_cast<float>(height) + 0.5f) / kConeHeight);
            const D3DCOLOR band = GridHeightColor(static_cast<float>(height) + 0.5f);
            for (const float direction : {1.0f, -1.0f}) {
                // A dark pixel within a pixel's reach of the line, on both sides of the peak.
                const auto [column, row] = ProjectToImage(SmallViewCamera(), kSmallViewWidth, kSmallViewHeight,
                                                          {direction * radius, static_cast<float>(height), 0.0f});
                int darkest = 3 * 255;
                for (int dx = -2; dx <= 2; ++dx) {
                    darkest = std::min(darkest, Brightness(image.At(column + dx, row)));
                }
                EXPECT_LT(darkest, 3 * 70) << "line at x " << direction * radius;
                EXPECT_TRUE(PixelNear(At(image, direction * between, 0.0f), PixelOf(band), 4))
                    << "plain band colour between lines";
            }
        }
    }
}

TEST_F(TerrainReliefGlTest, WaterPlaneTintsGroundBelowItsLevelOnly)
{
    TerrainReliefStyle style;
    style.water = true;
    style.waterLevel = 3.0f;
    const WorldImage water = Draw(style, "relief_water");
    const WorldImage plain = Draw({}, "relief_water_off");
    const float alpha = static_cast<float>(kWaterColour >> 24) / 255.0f;
    const auto blend = [alpha](const WorldPixel& ground) {
        const WorldPixel tint = PixelOf(kWaterColour);
        const auto mix = [alpha](int top, int below) {
            return static_cast<int>(std::lround(alpha * static_cast<float>(top) + (1.0f - alpha) * below));
        };
        return WorldPixel{mix(tint.r, ground.r), mix(tint.g, ground.g), mix(tint.b, ground.b)};
    };
    // Below: the flat ground (0) and the foot of the flank (2); above: the upper flank and the peak.
    for (const auto& [x, z] : {std::pair{12.0f, 0.0f}, std::pair{-11.0f, 5.0f}, std::pair{7.5f, 0.0f}}) {
        SCOPED_TRACE(testing::Message() << "under water at " << x << ", " << z);
        EXPECT_TRUE(PixelNear(At(water, x, z), blend(At(plain, x, z)), 6));
    }
    for (const auto& [x, z] : {std::pair{4.0f, 0.0f}, std::pair{0.0f, 1.0f}, std::pair{-2.0f, -3.0f}}) {
        SCOPED_TRACE(testing::Message() << "above water at " << x << ", " << z);
        EXPECT_TRUE(PixelNear(At(water, x, z), At(plain, x, z), 0));
    }
}

} // namespace
