// The world's floor on the real device: every vertex at its sample's height and band colour, the
// selector sphere over the selected vertex, height edits that reach the grid, loads that fail,
// and no full-resolution mesh of the grid at any side.
#include "world_gl_fixture.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "graphics/graphics_system.h"
#include "platform/d3d9/testing/device_probe.h"
#include "scene/status.h"

namespace {

// Height colours of the grid mesh (ARGB).
D3DCOLOR BandColor(float height)
{
    if (height > 4.0f) {
        return 0xFFFFFFFF;
    }
    return height < 2.0f ? 0x138B4500 : 0x22228B00;
}

using FloorMeshGlTest = WorldGlTest;

TEST_F(FloorMeshGlTest, GeneratedTerrainIsCopiedIntoEveryFloorVertexWithItsBandColour)
{
    m_world->SetRoughness(0.9f);
    m_world->GenerateTerrain();
    const std::vector<TQRD3D_ColorVertex> vertices = FloorVertices();
    ASSERT_EQ(vertices.size(), 65u * 65u);
    for (int row = 0; row < 65; ++row) {
        for (int column = 0; column < 65; ++column) {
            const TQRD3D_ColorVertex& vertex = vertices[static_cast<std::size_t>(row * 65 + column)];
            const float height = m_world->GetHeights().GetSample(row, column);
            SCOPED_TRACE(testing::Message() << "vertex (" << row << ", " << column << ")");
            ASSERT_FLOAT_EQ(vertex.y, height);
            ASSERT_FLOAT_EQ(vertex.x, static_cast<float>(column) * 0.03125f - 1.0f);
            ASSERT_FLOAT_EQ(vertex.z, 1.0f - static_cast<float>(row) * 0.03125f);
            ASSERT_EQ(vertex.diffuse, BandColor(height));
        }
    }
}

TEST_F(FloorMeshGlTest, SelectorFloatsHalfAUnitAboveTheSelectedVertex)
{
    struct Case {
        int row;
        int column;
        float x;
        float z;
    };
    m_world->SetRoughness(0.4f);
    m_world->GenerateTerrain();
    for (const Case& selection :
         {Case{0, 0, -15.0f, 15.0f}, Case{62, 62, 14.0625f, -14.0625f}, Case{10, 40, 3.75f, 10.3125f}}) {
        SCOPED_TRACE(testing::Message() << "vertex (" << selection.row << ", " << selection.column << ")");
        m_world->SetSelectedRow(selection.row);
        m_world->SetSelectedColumn(selection.column);
        Tick(0.025);
        const TQR_XformInfo sphere = m_world->GetRoot().GetChild(CTerrainWorld::kSphereChild)->GetXformInfo();
        EXPECT_FLOAT_EQ(sphere.GetTranslation().x, selection.x);
        EXPECT_FLOAT_EQ(sphere.GetTranslation().z, selection.z);
        const float height = m_world->GetHeights().GetSample(selection.row, selection.column);
        EXPECT_FLOAT_EQ(sphere.GetTranslation().y, height + 0.5f);
        EXPECT_EQ(sphere.GetScale(), (TQR_Vector3{0.3f, 0.3f, 0.3f}));
    }
}

TEST_F(FloorMeshGlTest, EditedHeightIsInTheGridIsSavedAndLoadsIntoAFreshWorld)
{
    m_world->SetRoughness(0.4f);
    m_world->GenerateTerrain();
    const int row = 10;
    const int column = 20;
    ASSERT_NE(m_world->GetHeights().GetSample(row, column), 5.0f);
    m_world->SetSelectedRow(row);
    m_world->SetSelectedColumn(column);
    m_world->SetSelectedHeight(5);
    Tick(0.025);
    EXPECT_FLOAT_EQ(m_world->GetSelectedY(), 5.0f);
    EXPECT_FLOAT_EQ(m_world->GetRoot().GetChild(CTerrainWorld::kSphereChild)->GetXformInfo().GetTranslation().y, 5.5f);
    EXPECT_EQ(FloorVertices()[static_cast<std::size_t>(row * 65 + column)].diffuse, 0xFFFFFFFFu);
    EXPECT_EQ(m_world->GetHeights().GetSample(row, column), 5.0f);
    ASSERT_TRUE(m_world->SaveHeights("heights").ok());

    CTerrainWorld fresh(m_time.MakeClock());
    ASSERT_TRUE(fresh.LoadHeights("heights.txt").ok());
    EXPECT_EQ(fresh.HeightAt(row, column), 5.0f);
}

// The world is made before the device; the floor must show the world's grid from the first tick.
TEST_F(FloorMeshGlTest, FloorShowsTheGridFromTheFirstTick)
{
    m_world.reset();
    m_renderer.reset();
    m_world = std::make_unique<CTerrainWorld>(m_time.MakeClock(), [] { return std::uint64_t{6}; });
    ASSERT_NE(m_world->HeightAt(0, 0), 0.0f) << "a terrain the flat grid could be taken for";
    m_renderer.emplace();
    ASSERT_TRUE(m_renderer->PrepareView(kSmallViewWidth, kSmallViewHeight));
    Tick(0.025);
    const std::vector<TQRD3D_ColorVertex> vertices = FloorVertices();
    ASSERT_EQ(vertices.size(), 65u * 65u);
    for (int row = 0; row < 65; ++row) {
        for (int column = 0; column < 65; ++column) {
            ASSERT_FLOAT_EQ(vertices[static_cast<std::size_t>(row * 65 + column)].y, m_world->HeightAt(row, column))
                << "vertex (" << row << ", " << column << ")";
        }
    }
}

// Every way the side changes reaches the floor: chunks of the new side and no mesh of the whole
// grid, every vertex at its sample's height, the corners at the same place in the world.
TEST_F(FloorMeshGlTest, FloorFollowsTheSideOfEveryNewTerrain)
{
    struct Change {
        const char* name;
        int side;
        std::function<void(CTerrainWorld&)> apply;
    };
    const Change changes[] = {
        {"generate", 257, [](CTerrainWorld& world) { ASSERT_TRUE(world.NewTerrain(257, 0.6f, 11).ok()); }},
        {"resample", 513, [](CTerrainWorld& world) { ASSERT_TRUE(world.Resample(513).ok()); }},
        {"restore", 33, [](CTerrainWorld& world) { world.RestoreHeights(Heightfield(33, 2.5f)); }},
        {"load", 129,
         [](CTerrainWorld& world) {
             std::ofstream file("h129.txt");
             for (int i = 0; i < 129 * 129; ++i) {
                 file << (i % 7) << "\n";
             }
             file.close();
             ASSERT_TRUE(world.LoadHeights("h129.txt").ok());
         }},
        {"generate the default side", 65,
         [](CTerrainWorld& world) { ASSERT_TRUE(world.NewTerrain(65, 0.6f, 12).ok()); }},
    };
    for (const Change& change : changes) {
        SCOPED_TRACE(change.name);
        change.apply(*m_world);
        Tick(0.025);
        ASSERT_FALSE(Render(BigViewCamera(), kBigViewWidth, kBigViewHeight).IsEmpty());
        EXPECT_EQ(m_world->GetFloorMesh().GetLayout().Side(), change.side);
        EXPECT_EQ(GetGraphicsSystem()->FindMesh(L"HiResFloor.x", false), nullptr) << "a mesh of the whole grid";
        const std::vector<TQRD3D_ColorVertex> vertices = FloorVertices();
        const int side = change.side;
        ASSERT_EQ(vertices.size(), static_cast<std::size_t>(side * side));
        for (int row = 0; row < side; ++row) {
            for (int column = 0; column < side; ++column) {
                ASSERT_EQ(vertices[static_cast<std::size_t>(row * side + column)].y, m_world->HeightAt(row, column))
                    << "vertex (" << row << ", " << column << ")";
            }
        }
        EXPECT_EQ((std::vector<float>{vertices.back().x, vertices.back().z}), (std::vector<float>{1.0f, -1.0f}));
        const TQR_Vector3 corner = GridPoint(side - 1, side - 1);
        EXPECT_EQ((std::vector<float>{corner.x, corner.z}), (std::vector<float>{15.0f, -15.0f}));
    }
}

TEST_F(FloorMeshGlTest, FailedLoadLeavesTheFloorUntouched)
{
    m_world->SetRoughness(0.4f);
    m_world->GenerateTerrain();
    m_world->SetSelectedHeight(-7);
    std::ofstream("short.txt") << "1\n2\n3\n";
    const std::vector<TQRD3D_ColorVertex> before = FloorVertices();
    ASSERT_FALSE(before.empty());
    for (const char* path : {"missing.txt", "short.txt"}) {
        SCOPED_TRACE(path);
        EXPECT_FALSE(m_world->LoadHeights(path).ok());
        const std::vector<TQRD3D_ColorVertex> after = FloorVertices();
        ASSERT_EQ(after.size(), before.size());
        for (std::size_t index = 0; index < after.size(); ++index) {
            ASSERT_EQ(after[index].y, before[index].y) << "vertex " << index;
            ASSERT_EQ(after[index].diffuse, before[index].diffuse) << "vertex " << index;
        }
    }
    EXPECT_FLOAT_EQ(m_world->GetSelectedY(), -7.0f);
}

// A region edit and a one-vertex edit reach the floor piece by piece; the views then show what a
// world given the same heights at once shows, pixel for pixel.
TEST_F(FloorMeshGlTest, EditsDrawWhatTheSameHeightsRestoredDraw)
{
    ASSERT_TRUE(m_world->NewTerrain(1025, 0.7f, 8).ok());
    const WorldCamera cameras[] = {BigViewCamera(), SmallViewCamera()};
    for (const WorldCamera& camera : cameras) {
        Render(camera, kSmallViewWidth, kSmallViewHeight);
    }
    ASSERT_TRUE(m_world->SetHeightsInRegion({500, 500, 520, 530}, std::vector<float>(21 * 31, 9.0f)).ok());
    m_world->SetHeightAt(64, 960, 7.5f);
    CTerrainWorld rebuilt(m_time.MakeClock());
    rebuilt.RestoreHeights(m_world->HeightsSnapshot());
    for (const WorldCamera& camera : cameras) {
        const WorldImage expected = m_renderer->Render(rebuilt, camera, kSmallViewWidth, kSmallViewHeight);
        const WorldImage edited = Render(camera, kSmallViewWidth, kSmallViewHeight);
        ASSERT_FALSE(expected.IsEmpty());
        EXPECT_TRUE(edited.bgra == expected.bgra);
    }
}

// The floor needs no file: where "HiResFloor.x" cannot be written (whoever runs the test: a
// folder or a read-only file in its place; a read-only working folder for anyone but root) the
// terrain still shows and no missing file is reported.
TEST(FloorMeshFolderGlTest, FloorAppearsWhereItsFileCannotBeWritten)
{
    if (!CanCreateD3D9Device()) {
        GTEST_SKIP() << kNoDeviceReason;
    }
    namespace fs = std::filesystem;
    struct Case {
        const char* name;
        std::function<void(const fs::path&)> block;
    };
    const Case cases[] = {
        {"a folder in its place", [](const fs::path& folder) { fs::create_directory(folder / "HiResFloor.x"); }},
        {"a read-only file in its place",
         [](const fs::path& folder) {
             std::ofstream(folder / "HiResFloor.x") << "not a mesh\n";
             fs::permissions(folder / "HiResFloor.x", fs::perms::owner_read | fs::perms::group_read);
         }},
        {"a read-only working folder",
         [](const fs::path& folder) {
             fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                         fs::perms::group_exec);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScopedWorldFolder folder;
        ASSERT_TRUE(folder.IsReady());
        c.block(folder.Path());
        std::vector<std::wstring> statuses;
        SetStatusSink([&statuses](const std::wstring& text) { statuses.push_back(text); });
        {
            HeadlessWorldRenderer renderer;
            ManualTime time;
            CTerrainWorld world(time.MakeClock());
            const WorldImage image = renderer.Render(world, BigViewCamera(), kBigViewWidth, kBigViewHeight);
            EXPECT_EQ(world.GetFloorMesh().GetLastLevels(), std::vector<int>{0});
            // A quarter of the way in from the near left corner lies terrain, not background.
            const TQR_Vector3 point{-7.5f, world.GetHeights().GetSample(48, 16), -7.5f};
            const auto [x, y] = ProjectToImage(BigViewCamera(), kBigViewWidth, kBigViewHeight, point);
            EXPECT_FALSE(PixelNear(image.At(x, y), WorldPixel{0xCC, 0xCC, 0xCC}, 6)) << "at " << x << ", " << y;
        }
        SetStatusSink({});
        for (const std::wstring& status : statuses) {
            EXPECT_EQ(status.find(L"ERROR"), std::wstring::npos) << std::string(status.begin(), status.end());
        }
        fs::permissions(folder.Path(), fs::perms::owner_all);
    }
}

} // namespace
