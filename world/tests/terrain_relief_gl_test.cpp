// The floor's relief styles on the real device, seen through the small view's camera (nearly
// straight down) on a cone of height 8 and radius 10 on flat ground at 0. Every picture is
// written to the test output for a look.
#include "world_gl_fixture.h"

#include <cmath>
#include <string>

#include "primitives/grid_layout.h"
#include "primitives/terrain_relief.h"

namespace {

float ConeHeightAt(float x, float z) { return std::max(0.0f, 8.0f - 0.8f * std::hypot(x, z)); }

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
        if (!IsSkipped()) {
            m_world->ShowAirplane(false);
            ShowCone(129);
        }
    }

    void ShowCone(int side)
    {
        Heightfield heights(side);
        for (int row = 0; row < side; ++row) {
            for (int column = 0; column < side; ++column) {
                heights.At(row, column) = ConeHeightAt(static_cast<float>(column) * heights.Spacing() - 15.0f,
                                                       15.0f - static_cast<float>(row) * heights.Spacing());
            }
        }
        m_world->RestoreHeights(heights);
    }

    WorldImage Draw(const TerrainReliefStyle& style, const std::string& name)
    {
        m_world->GetFloorMesh().SetReliefStyle(style);
        const WorldImage image = Render(SmallViewCamera(), kSmallViewWidth, kSmallViewHeight);
        SaveImage(image, name);
        return image;
    }

    // The pixel of the cone's surface at (x, z).
    static WorldPixel At(const WorldImage& image, float x, float z)
    {
        const auto [column, row] =
            ProjectToImage(SmallViewCamera(), kSmallViewWidth, kSmallViewHeight, {x, ConeHeightAt(x, z), z});
        return image.At(column, row);
    }
};

TEST_F(TerrainReliefGlTest, WithoutAStyleTheFloorDrawsExactlyAsBeforeAndEveryChangeRedraws)
{
    const WorldImage before = Draw({}, "relief_plain");
    TerrainReliefStyle all;
    all.shading = all.slope = all.contours = all.water = true;
    all.waterLevel = 3.0f;
    const TQR_ChangeNumber drawn = m_world->LastChange();
    const WorldImage styled = Draw(all, "relief_all");
    EXPECT_GT(m_world->LastChange(), drawn) << "a change stamp, so the views draw again";
    const WorldImage after = Draw({}, "relief_plain_again");
    ASSERT_FALSE(before.IsEmpty());
    EXPECT_NE(styled.bgra, before.bgra);
    EXPECT_EQ(after.bgra, before.bgra);
}

TEST_F(TerrainReliefGlTest, ShadingLightsTheFlankFacingTheSunAndKeepsTheOtherReadable)
{
    TerrainReliefStyle style;
    style.shading = true;
    style.sunElevation = 30.0f;
    for (const float azimuth : {90.0f, 270.0f}) {
        SCOPED_TRACE(azimuth);
        style.sunAzimuth = azimuth;
        const WorldImage image = Draw(style, "relief_shading_" + std::to_string(static_cast<int>(azimuth)));
        const float sunX = azimuth == 90.0f ? 4.0f : -4.0f; // +x lies east; both points in the white band
        EXPECT_TRUE(PixelNear(At(image, sunX, 0.0f), {255, 255, 255}, 6));
        EXPECT_GT(Brightness(At(image, sunX, 0.0f)), Brightness(At(image, -sunX, 0.0f)) + 200);
        EXPECT_GT(Brightness(At(image, -sunX, 0.0f)), 3 * 90);
    }
}

TEST_F(TerrainReliefGlTest, SlopeOverlayColoursTheFlankByItsAngleAndTheFlatGroundGreen)
{
    TerrainReliefStyle style;
    style.slope = true;
    const WorldImage image = Draw(style, "relief_slope");
    for (const auto& [x, z, degrees] : {std::tuple{5.0f, 0.0f, 38.66f}, std::tuple{-3.0f, 4.0f, 38.66f},
                                        std::tuple{12.0f, 0.0f, 0.0f}, std::tuple{-12.0f, 3.0f, 0.0f}}) {
        SCOPED_TRACE(testing::Message() << x << ", " << z);
        EXPECT_TRUE(PixelNear(At(image, x, z), PixelOf(SlopeColour(degrees)), 12));
    }
}

// Lines cross the flank at every whole height, at full and at coarse levels of detail, and none
// fills the flat ground lying exactly at 0.
TEST_F(TerrainReliefGlTest, ContourLinesFollowTheHeightsAtEveryLevelOfDetail)
{
    TerrainReliefStyle style;
    style.contours = true;
    for (const auto& [side, pixelError] : {std::pair{129, 0.0f}, std::pair{513, 16.0f}}) {
        SCOPED_TRACE(side);
        ShowCone(side);
        m_world->GetFloorMesh().SetMaxPixelError(pixelError);
        const WorldImage image = Draw(style, "relief_contours_" + std::to_string(side));
        const auto& levels = m_world->GetFloorMesh().GetLastLevels();
        EXPECT_EQ(*std::max_element(levels.begin(), levels.end()) > 1, pixelError > 0.0f);
        EXPECT_TRUE(PixelNear(At(image, 12.0f, 0.0f), PixelOf(GridHeightColor(0.0f)), 4));
        for (int height = 1; height < 8; ++height) {
            SCOPED_TRACE(height);
            const float x = (8.0f - static_cast<float>(height)) / 0.8f;
            const auto [column, row] = ProjectToImage(SmallViewCamera(), kSmallViewWidth, kSmallViewHeight,
                                                      {x, static_cast<float>(height), 0.0f});
            int darkest = 3 * 255;
            for (int dx = -2; dx <= 2; ++dx) {
                darkest = std::min(darkest, Brightness(image.At(column + dx, row)));
            }
            EXPECT_LT(darkest, 3 * 70);
            const float between = x - 0.625f; // half a unit higher
            EXPECT_TRUE(PixelNear(At(image, between, 0.0f), PixelOf(GridHeightColor(ConeHeightAt(between, 0.0f))), 4));
        }
    }
}

TEST_F(TerrainReliefGlTest, WaterPlaneTintsTheGroundBelowItsLevelOnly)
{
    TerrainReliefStyle style;
    style.water = true;
    style.waterLevel = 3.0f;
    const WorldImage water = Draw(style, "relief_water");
    const WorldImage plain = Draw({}, "relief_water_off");
    const float alpha = static_cast<float>(kWaterColour >> 24) / 255.0f;
    const auto blend = [alpha](int top, int below) {
        return static_cast<int>(
            std::lround(alpha * static_cast<float>(top) + (1.0f - alpha) * static_cast<float>(below)));
    };
    // Under water: the flat ground (0) and the foot of the flank (2).
    for (const auto& [x, z] : {std::pair{12.0f, 0.0f}, std::pair{7.5f, 0.0f}}) {
        const WorldPixel ground = At(plain, x, z);
        const WorldPixel tint = PixelOf(kWaterColour);
        EXPECT_TRUE(
            PixelNear(At(water, x, z), {blend(tint.r, ground.r), blend(tint.g, ground.g), blend(tint.b, ground.b)}, 6));
    }
    for (const auto& [x, z] : {std::pair{4.0f, 0.0f}, std::pair{-2.0f, -3.0f}}) {
        EXPECT_TRUE(PixelNear(At(water, x, z), At(plain, x, z), 0)) << "above the water at " << x << ", " << z;
    }
}

} // namespace
