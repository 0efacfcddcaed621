// Rays against the terrain's surface: the first triangle a ray meets, in front of its origin.
#include "world/terrain_picking.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

// A 33 grid (spacing 30 / 32 world units) at height 1 with a block at height 6 over rows and
// columns 10..12.
Heightfield BlockTerrain()
{
    Heightfield heights(33, 1.0f);
    for (int row = 10; row <= 12; ++row) {
        for (int column = 10; column <= 12; ++column) {
            heights.At(row, column) = 6.0f;
        }
    }
    return heights;
}

struct Vertex {
    int row;
    int column;
};

TEST(TerrainPickingTest, RaysHitTheFirstSurfaceTheyMeet)
{
    const Heightfield heights = BlockTerrain();
    const float spacing = heights.Spacing();
    const auto above = [&](float row, float column) {
        return TQR_Vector3{ColumnToWorldX(heights, column), 40.0f, RowToWorldZ(heights, row)};
    };
    const TQR_Vector3 down{0.0f, -1.0f, 0.0f};
    const struct {
        std::string name;
        TQR_Vector3 origin;
        TQR_Vector3 direction;
        std::optional<Vertex> nearest;
        float height; // of the hit, when there is one
    } cases[] = {
        {"straight down on a corner", above(0, 0), down, Vertex{0, 0}, 1.0f},
        {"straight down on the far corner", above(32, 32), down, Vertex{32, 32}, 1.0f},
        {"straight down on the block", above(11, 11), down, Vertex{11, 11}, 6.0f},
        {"straight down between samples", above(20.3f, 5.6f), down, Vertex{20, 6}, 1.0f},
        {"level, onto the near side of the block",
         {ColumnToWorldX(heights, 11), 4.0f, RowToWorldZ(heights, 0)},
         {0.0f, 0.0f, -1.0f},
         Vertex{10, 11},
         4.0f},
        {"down at a slant, passing over the block",
         {ColumnToWorldX(heights, 11), 20.0f, RowToWorldZ(heights, 0)},
         {0.0f, -1.0f, -spacing},
         Vertex{19, 11},
         1.0f},
        {"beside the terrain", {20.0f, 40.0f, 0.0f}, down, std::nullopt, 0.0f},
        {"pointing away", above(16, 16), {0.0f, 1.0f, 0.0f}, std::nullopt, 0.0f},
        {"level above every height", {-20.0f, 7.0f, 0.0f}, {1.0f, 0.0f, 0.0f}, std::nullopt, 0.0f},
        {"no direction", above(16, 16), {0.0f, 0.0f, 0.0f}, std::nullopt, 0.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<TerrainHit> hit = PickTerrain(heights, c.origin, c.direction);
        ASSERT_EQ(hit.has_value(), c.nearest.has_value());
        if (!hit) {
            continue;
        }
        EXPECT_EQ(hit->nearestRow, c.nearest->row);
        EXPECT_EQ(hit->nearestColumn, c.nearest->column);
        EXPECT_NEAR(hit->point.y, c.height, 1e-4f);
        EXPECT_NEAR(hit->point.x, ColumnToWorldX(heights, hit->column), 1e-4f);
        EXPECT_NEAR(hit->point.z, RowToWorldZ(heights, hit->row), 1e-4f);
    }
}

} // namespace
