// The styled copy of a batch follows edits and style changes, and contour lines keep their width
// of ground (slopes in world units are checked on the device, in the world's relief test).
#include <gtest/gtest.h>

#include <algorithm>

#include "primitives/terrain_relief_drawing.h"

namespace {

TEST(TerrainReliefTest, StyledCopyFollowsEditsAndStyleChanges)
{
    Heightfield heights(129, 0.0f);
    const TerrainChunkLayout layout(heights.Side());
    TerrainChunkCache cache;
    cache.Reset(layout.ChunkCount());
    ChunkIndexCache indexCache;
    TerrainBatch batch;
    batch.Build(std::vector<int>(4, 0), layout, heights, cache, indexCache);
    TerrainReliefDrawing drawing;
    EXPECT_EQ(&drawing.VerticesFor(batch), &batch.Vertices()) << "no style: the batch's own vertices";
    TerrainReliefStyle style;
    style.slope = true;
    ASSERT_TRUE(drawing.SetStyle(style));
    EXPECT_FALSE(drawing.SetStyle(style)) << "the same style again is no change";
    const auto rgb = [](D3DCOLOR colour) { return colour & 0x00FFFFFFu; };
    EXPECT_EQ(rgb(drawing.VerticesFor(batch)[2].diffuse), rgb(SlopeColour(0.0f)));

    // A cliff at the corner (vertex 2 is sample (0, 2) on its edge) comes in as an edit.
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            heights.At(row, column) = 20.0f;
        }
    }
    cache.Refresh(heights, layout.Chunk(0), 0, {0, 0, 3, 3});
    batch.Refresh(0, layout, heights, cache);
    EXPECT_EQ(rgb(drawing.VerticesFor(batch)[2].diffuse), rgb(SlopeColour(90.0f))) << "the cliff's edge is steep";

    style.slope = false;
    style.contours = true;
    style.contourInterval = 4.0f;
    drawing.SetStyle(style);
    EXPECT_EQ(drawing.VerticesFor(batch)[2].diffuse, batch.Vertices()[2].diffuse) << "the band colour again";
    EXPECT_FLOAT_EQ(drawing.VerticesFor(batch)[2].u, 5.0f + kContourOffset);
}

// A line covers about the same width of ground on any slope, within the rows the texture has;
// flat ground gets none, so that a plateau at a multiple of the interval does not turn dark.
TEST(TerrainReliefTest, ContourLinesAreThinnerInHeightOnGentlerSlopes)
{
    const struct {
        float tangent, interval;
        int row;
    } cases[] = {{0.0f, 1.0f, 0},  {0.0005f, 0.05f, 0},           {0.01f, 1.0f, 1}, {0.8f, 1.0f, 25}, {0.8f, 2.0f, 12},
                 {0.4f, 1.0f, 12}, {5.0f, 1.0f, kContourRows - 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.tangent << " at " << c.interval);
        EXPECT_EQ(ContourRow(c.tangent, c.interval), c.row);
    }
    const std::vector<std::uint32_t> texels = ContourTexels();
    EXPECT_EQ(std::count(texels.begin(), texels.begin() + kContourTexels, 0xFFFFFFFFu), kContourTexels);
    EXPECT_EQ(std::count(texels.end() - kContourTexels, texels.end(), 0xFFFFFFFFu), kContourTexels - kContourRows + 1);
}

} // namespace
