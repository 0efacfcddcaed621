// The terrain drawn in chunks with levels of detail, seen through the views' cameras: at 65
// samples it draws exactly the grid mesh's picture, at 1025 its picture stays within 1% of the
// full-detail one, and an edit brought in piece by piece draws what a rebuild draws.
#include <gtest/gtest.h>

#include <functional>
#include <iostream>
#include <memory>
#include <string>

#include "graphics/draw_helper.h"
#include "platform/d3d9/testing/device_probe.h"
#include "primitives/primitive_mesh_custom.h"
#include "primitives/primitive_terrain.h"
#include "scene/scene_node.h"
#include "terrain/generation.h"
#include "terrain/resample.h"
#include "world/testing/headless_renderer.h"
#include "world/testing/world_folder.h"

namespace {

struct ViewSize {
    const char* name;
    WorldCamera camera;
    int width;
    int height;
};

const ViewSize kViews[] = {{"big view", BigViewCamera(), kBigViewWidth, kBigViewHeight},
                           {"small view", SmallViewCamera(), kSmallViewWidth, kSmallViewHeight}};

// The floor as the world holds it: the primitive scaled to 30 x 30 units, unlit.
std::unique_ptr<TQR_SceneNode> FloorNode(TQR_Primitive* primitive)
{
    auto node = std::make_unique<TQR_SceneNode>(L"floor");
    primitive->SetLighting(false);
    node->SetPrimitive(primitive);
    TQR_XformInfo xform;
    xform.SetScale(15.0f, 1.0f, 15.0f);
    node->SetXformInfo(xform);
    return node;
}

std::function<void()> Drawing(TQR_SceneNode& node)
{
    return [&node] {
        TQRD3D_DrawHelper helper;
        node.Draw(helper.GetLevelOfDetail(), &helper);
    };
}

// Pixels whose colour differs in any channel.
int DifferingPixels(const WorldImage& a, const WorldImage& b)
{
    int differing = 0;
    for (std::size_t i = 0; i + 3 < a.bgra.size() && i + 3 < b.bgra.size(); i += 4) {
        differing += a.bgra[i] != b.bgra[i] || a.bgra[i + 1] != b.bgra[i + 1] || a.bgra[i + 2] != b.bgra[i + 2];
    }
    return differing;
}

class TerrainLodGlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!CanCreateD3D9Device()) {
            GTEST_SKIP() << kNoDeviceReason;
        }
        ASSERT_TRUE(m_folder.IsReady());
    }

    WorldImage Render(TQR_SceneNode& node, const ViewSize& view, const std::string& saveAs)
    {
        WorldImage image = m_renderer.RenderScene(Drawing(node), view.camera, view.width, view.height);
        if (HasFailure()) {
            SaveImagePng(image, std::string(RELIEF_TEST_OUTPUT_DIR) + "/" + saveAs + ".png");
        }
        return image;
    }

    ScopedWorldFolder m_folder;
    HeadlessWorldRenderer m_renderer;
};

// The same triangles in the same order with the same vertices and states give the same
// pixels, so the comparison is exact.
TEST_F(TerrainLodGlTest, OneChunkDrawsExactlyTheGridMeshsPicture)
{
    const Heightfield heights = GenerateHeightfield({65, 0.7f, 5}).value();
    // The grid mesh is made on the device.
    ASSERT_TRUE(m_renderer.PrepareView(kSmallViewWidth, kSmallViewHeight));
    auto* grid = new TQRD3D_PrimitiveMeshCustom(65, L"grid65.x");
    ASSERT_TRUE(grid->SetHeights(heights.Samples()));
    auto* terrain = new TQRD3D_PrimitiveTerrain(heights);
    const auto gridNode = FloorNode(grid);
    const auto terrainNode = FloorNode(terrain);
    for (const TQR_FillMode fill : {TQR_FillMode::Solid, TQR_FillMode::Wireframe}) {
        grid->SetFillMode(fill);
        terrain->SetFillMode(fill);
        for (const ViewSize& view : kViews) {
            SCOPED_TRACE(testing::Message() << view.name << (fill == TQR_FillMode::Solid ? ", solid" : ", wire frame"));
            const WorldImage expected = Render(*gridNode, view, "grid65");
            const WorldImage actual = Render(*terrainNode, view, "terrain65");
            ASSERT_FALSE(expected.IsEmpty());
            EXPECT_EQ(DifferingPixels(expected, actual), 0);
            EXPECT_EQ(terrain->GetLastLevels(), std::vector<int>{0});
        }
    }
}

// A generated terrain is rough down to its samples (the subdivision leaves creases along every
// square's edges), so within one pixel of error most of it stays at full detail; a terrain
// resampled from a coarse one is smooth between the coarse samples and loses many of its
// triangles. Either way the picture stays within 1% of the full-detail one.
TEST_F(TerrainLodGlTest, LevelsOfDetailAt1025ChangeAtMostOnePercentOfThePicture)
{
    struct Case {
        const char* name;
        Heightfield heights;
        bool mostlyCoarser;
    };
    const Case cases[] = {
        {"generated", GenerateHeightfield({1025, 0.8f, 3}).value(), false},
        {"resampled from 65", ResampleHeightfield(GenerateHeightfield({65, 0.8f, 3}).value(), 1025).value(), true},
    };
    for (const Case& c : cases) {
        auto* terrain = new TQRD3D_PrimitiveTerrain(c.heights);
        terrain->SetPinnedSample(500, 700);
        const auto node = FloorNode(terrain);
        for (const ViewSize& view : kViews) {
            SCOPED_TRACE(testing::Message() << c.name << ", " << view.name);
            terrain->SetMaxPixelError(0.0f);
            const WorldImage full = Render(*node, view, std::string("full_") + view.name);
            const std::size_t fullTriangles = terrain->GetLastTriangleCount();
            terrain->SetMaxPixelError(TQRD3D_PrimitiveTerrain::kDefaultMaxPixelError);
            const WorldImage reduced = Render(*node, view, std::string("lod_") + view.name);
            ASSERT_FALSE(full.IsEmpty());
            const int differing = DifferingPixels(full, reduced);
            EXPECT_LE(differing, full.width * full.height / 100);
            EXPECT_LE(terrain->GetLastTriangleCount(), fullTriangles);
            if (c.mostlyCoarser) {
                EXPECT_LT(terrain->GetLastTriangleCount() * 4, fullTriangles * 3) << "a quarter left out at least";
            }
            const TerrainChunkLayout& layout = terrain->GetLayout();
            for (const int pinned : layout.ChunksHolding({500, 700, 500, 700})) {
                EXPECT_EQ(terrain->GetLastLevels()[static_cast<std::size_t>(pinned)], 0)
                    << "the selected vertex's chunk";
            }
            std::cout << c.name << ", " << view.name << ": " << differing << " of " << full.width * full.height
                      << " pixels differ, " << terrain->GetLastTriangleCount() << " of " << fullTriangles
                      << " triangles drawn\n";
        }
    }
}

// Seen whole, a rough 2049 terrain would need all its 8 million triangles for one pixel of
// error; the view draws no more than the budget, with the selected vertex still at full detail.
TEST_F(TerrainLodGlTest, AViewDrawsNoMoreThanTheTriangleBudget)
{
    const Heightfield heights = GenerateHeightfield({2049, 0.8f, 4}).value();
    auto* terrain = new TQRD3D_PrimitiveTerrain(heights);
    terrain->SetPinnedSample(1000, 1000);
    const auto node = FloorNode(terrain);
    for (const ViewSize& view : kViews) {
        SCOPED_TRACE(view.name);
        ASSERT_FALSE(Render(*node, view, std::string("budget_") + view.name).IsEmpty());
        EXPECT_LE(terrain->GetLastTriangleCount(), TQRD3D_PrimitiveTerrain::kTriangleBudget);
        EXPECT_GT(terrain->GetLastTriangleCount(), TQRD3D_PrimitiveTerrain::kTriangleBudget / 4);
        for (const int pinned : terrain->GetLayout().ChunksHolding({1000, 1000, 1000, 1000})) {
            EXPECT_EQ(terrain->GetLastLevels()[static_cast<std::size_t>(pinned)], 0) << "the selected vertex's chunk";
        }
    }
}

TEST_F(TerrainLodGlTest, AnEditDrawsWhatARebuildDraws)
{
    Heightfield heights = GenerateHeightfield({1025, 0.8f, 9}).value();
    auto* edited = new TQRD3D_PrimitiveTerrain(heights);
    const auto editedNode = FloorNode(edited);
    for (const ViewSize& view : kViews) {
        Render(*editedNode, view, "before_edit");
    }
    // A raised square in the middle and one vertex near a corner, on chunk borders.
    const SampleBounds square{448, 448, 576, 576};
    for (int row = square.firstRow; row <= square.lastRow; ++row) {
        for (int column = square.firstColumn; column <= square.lastColumn; ++column) {
            heights.At(row, column) += 3.0f;
        }
    }
    heights.At(64, 960) = 9.0f;
    edited->HeightsChanged(square);
    edited->HeightsChanged({64, 960, 64, 960});
    auto* rebuilt = new TQRD3D_PrimitiveTerrain(heights);
    const auto rebuiltNode = FloorNode(rebuilt);
    for (const ViewSize& view : kViews) {
        SCOPED_TRACE(view.name);
        const WorldImage expected = Render(*rebuiltNode, view, "rebuilt");
        const WorldImage actual = Render(*editedNode, view, "edited");
        EXPECT_EQ(edited->GetLastLevels(), rebuilt->GetLastLevels());
        EXPECT_EQ(DifferingPixels(expected, actual), 0);
    }
}

} // namespace
