#include <gtest/gtest.h>

#include "primitives/primitive_mesh_custom.h"
#include "primitives/testing/gl_fixture.h"
#include "scene/scene_node.h"

namespace {

constexpr Rgb kLowland{0x8B, 0x45, 0x00};
constexpr Rgb kHill{0x22, 0x8B, 0x00};
constexpr Rgb kWhite{255, 255, 255};

class GridGlTest : public GlFixture {
protected:
    // A floor as the world draws it: unlit, so the vertex colours show.
    static void Raise(TQRD3D_PrimitiveMeshCustom& grid, int first, int last, float y)
    {
        for (int row = first; row <= last; ++row) {
            for (int column = first; column <= last; ++column) {
                grid.SelectVertex(row, column);
                const TQR_Vector3 position = grid.GetSelectedVertex();
                grid.SetSelectedVertex(position.x, y, position.z);
            }
        }
        grid.ReleaseSelection();
    }
};

TEST_F(GridGlTest, FlatFloorShowsOneBandAndRaisedVerticesTheOthers)
{
    SetView(TopView(1.0f));
    TQRD3D_PrimitiveMeshCustom grid(65, L"HiResFloor.x");
    grid.SetLighting(false);
    Render([&](TQR_DrawHelper* helper) { grid.Draw(2, helper); });
    for (const auto& [x, y] : {std::pair{4, 4}, {64, 64}, {123, 10}, {10, 123}}) {
        EXPECT_TRUE(PixelNear(x, y, kLowland));
    }

    Raise(grid, 8, 24, 3.0f);
    Raise(grid, 40, 56, 5.0f);
    Render([&](TQR_DrawHelper* helper) { grid.Draw(2, helper); });
    // Vertex (r, c) lies at pixel (2c, 2r) in this view.
    EXPECT_TRUE(PixelNear(32, 32, kHill));
    EXPECT_TRUE(PixelNear(96, 96, kWhite));
    EXPECT_TRUE(PixelNear(96, 20, kLowland));
}

TEST_F(GridGlTest, WireFrameShowsBackgroundBetweenEdges)
{
    SetView(TopView(1.0f));
    TQRD3D_PrimitiveMeshCustom grid(9, L"wire.x");
    grid.SetLighting(false);
    grid.SetFillMode(TQR_FillMode::Wireframe);
    Render([&](TQR_DrawHelper* helper) { grid.Draw(2, helper); });
    // Cells are 16 pixels wide; a quarter in from a cell's top left corner lies inside its first
    // triangle, away from every edge.
    int edgePixels = 0;
    for (int y = 0; y < static_cast<int>(kSize); ++y) {
        for (int x = 0; x < static_cast<int>(kSize); ++x) {
            edgePixels += PixelNear(x, y, kLowland) ? 1 : 0;
        }
    }
    EXPECT_TRUE(PixelNear(16 * 3 + 4, 16 * 2 + 4, kBackgroundRgb));
    EXPECT_GT(edgePixels, static_cast<int>(kSize)) << "the edges are drawn";
    EXPECT_LT(edgePixels, static_cast<int>(kSize * kSize) / 3) << "the cells are not filled";
}

class PivotGlTest : public GlFixture {};

// The pivot display through a node: a disc blue at the centre fading to white at its rim of
// 0.2, and red, green and blue axes 1.3 long.
TEST_F(PivotGlTest, PivotDiscAndAxisFrameShowTheirColours)
{
    SetView(FrontView(1.6f));
    TQR_SceneNode node(L"pivot");
    node.SetPivotVisible(true);
    // The disc takes the lighting state left by what was drawn before it: off, as after the
    // unlit floor.
    m_device->SetRenderState(D3DRS_LIGHTING, FALSE);
    Render([&](TQR_DrawHelper* helper) { node.Draw(2, helper); });

    const auto [innerX, innerY] = PixelOf(-0.05f, -0.05f, 0.0f);
    EXPECT_TRUE(PixelNear(innerX, innerY, {90, 90, 255}, 40)) << "mostly blue near the centre";
    const auto [rimX, rimY] = PixelOf(-0.13f, -0.13f, 0.0f);
    EXPECT_TRUE(PixelNear(rimX, rimY, {235, 235, 255}, 30)) << "nearly white at the rim";
    const auto [redX, redY] = PixelOf(1.0f, 0.0f, 0.0f);
    EXPECT_TRUE(PixelNearAround(redX, redY, {255, 0, 0}));
    const auto [greenX, greenY] = PixelOf(0.0f, 1.2f, 0.0f);
    EXPECT_TRUE(PixelNearAround(greenX, greenY, {0, 255, 0}));
    const auto [beyondX, beyondY] = PixelOf(1.45f, 0.0f, 0.0f);
    EXPECT_TRUE(PixelNear(beyondX, beyondY, kBackgroundRgb)) << "the axes end at 1.3";
}

} // namespace
