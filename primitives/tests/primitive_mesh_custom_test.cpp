#include "primitives/primitive_mesh_custom.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "graphics/graphics_system.h"
#include "graphics/testing/device_fixture.h"
#include "graphics/vertex_formats.h"
#include "scene/bounding_box.h"
#include "scene/testing/recording_draw_helper.h"

namespace {

constexpr D3DCOLOR kLowland = 0x138B4500;
constexpr D3DCOLOR kHill = 0x22228B00;
constexpr D3DCOLOR kSnow = 0xFFFFFFFF;

class GridTest : public DeviceFixture {
protected:
    // The vertices and indices of the table's mesh of that name, copied out.
    static std::vector<TQRD3D_ColorVertex> Vertices(const wchar_t* name)
    {
        ID3DXMesh* mesh = GetGraphicsSystem()->FindMesh(name, false)->GetMesh();
        void* data = nullptr;
        mesh->LockVertexBuffer(0, &data);
        const auto* first = static_cast<const TQRD3D_ColorVertex*>(data);
        std::vector<TQRD3D_ColorVertex> vertices(first, first + mesh->GetNumVertices());
        mesh->UnlockVertexBuffer();
        return vertices;
    }
    // Index is WORD for a mesh of 16-bit indices, DWORD for one of 32-bit indices.
    template <typename Index = WORD> static std::vector<Index> Indices(const wchar_t* name)
    {
        ID3DXMesh* mesh = GetGraphicsSystem()->FindMesh(name, false)->GetMesh();
        void* data = nullptr;
        mesh->LockIndexBuffer(0, &data);
        const auto* first = static_cast<const Index*>(data);
        std::vector<Index> indices(first, first + 3 * mesh->GetNumFaces());
        mesh->UnlockIndexBuffer();
        return indices;
    }
    // Select, read, set the height, and let the next selection write it back.
    static void SetHeight(TQRD3D_PrimitiveMeshCustom& grid, int row, int column, float y)
    {
        grid.SelectVertex(row, column);
        const TQR_Vector3 position = grid.GetSelectedVertex();
        grid.SetSelectedVertex(position.x, y, position.z);
    }
};

TEST_F(GridTest, GridOf65IsWrittenReadBackAndLaidOutRowByRow)
{
    CreateDevice();
    TQRD3D_PrimitiveMeshCustom grid(65, L"HiResFloor.x");
    EXPECT_EQ(grid.GetSpacing(), 0.03125f);
    ASSERT_TRUE(grid.CreateMesh());
    EXPECT_TRUE(std::filesystem::exists("HiResFloor.x"));

    const std::vector<TQRD3D_ColorVertex> vertices = Vertices(L"HiResFloor.x");
    const std::vector<WORD> indices = Indices(L"HiResFloor.x");
    ASSERT_EQ(vertices.size(), 4225u);
    ASSERT_EQ(indices.size(), 24576u);
    EXPECT_EQ(std::vector<WORD>(indices.begin(), indices.begin() + 6), (std::vector<WORD>{0, 1, 65, 65, 1, 66}));
    EXPECT_EQ(std::vector<WORD>(indices.end() - 6, indices.end()),
              (std::vector<WORD>{4158, 4159, 4223, 4223, 4159, 4224}));
    const TQRD3D_ColorVertex& first = vertices.front();
    const TQRD3D_ColorVertex& last = vertices.back();
    EXPECT_EQ((std::vector<float>{first.x, first.y, first.z, first.u, first.v}), (std::vector<float>{-1, 0, 1, 0, 1}));
    EXPECT_EQ((std::vector<float>{last.x, last.y, last.z, last.u, last.v}), (std::vector<float>{1, 0, -1, 1, 0}));
    // Every triangle covers half a cell with the same winding, and the flat floor is one band.
    const float halfCell = 0.5f * 0.03125f * 0.03125f;
    for (std::size_t i = 0; i < indices.size(); i += 3) {
        const TQRD3D_ColorVertex& a = vertices[indices[i]];
        const TQRD3D_ColorVertex& b = vertices[indices[i + 1]];
        const TQRD3D_ColorVertex& c = vertices[indices[i + 2]];
        const float upward = (b.z - a.z) * (c.x - a.x) - (b.x - a.x) * (c.z - a.z);
        ASSERT_FLOAT_EQ(upward * 0.5f, halfCell) << "triangle " << i / 3;
    }
    for (const TQRD3D_ColorVertex& vertex : vertices) {
        ASSERT_EQ(vertex.diffuse, kLowland);
    }
}

TEST_F(GridTest, StoredHeightPicksTheBandColourWithStrictThresholds)
{
    CreateDevice();
    TQRD3D_PrimitiveMeshCustom grid(3, L"grid.x");
    const std::pair<float, D3DCOLOR> bands[] = {{4.5f, kSnow},    {4.0001f, kSnow}, {4.0f, kHill},
                                                {3.0f, kHill},    {2.0f, kHill},    {1.9999f, kLowland},
                                                {1.0f, kLowland}, {-5.0f, kLowland}};
    for (const auto& [height, color] : bands) {
        SCOPED_TRACE(height);
        SetHeight(grid, 1, 2, height);
        grid.ReleaseSelection();
        const TQRD3D_ColorVertex stored = Vertices(L"grid.x")[5];
        EXPECT_EQ(stored.y, height);
        EXPECT_EQ(stored.diffuse, color);
    }
}

TEST_F(GridTest, SetHeightReachesTheMeshOnlyAtTheNextWriteBack)
{
    CreateDevice();
    const std::vector<std::pair<const char*, std::function<void(TQRD3D_PrimitiveMeshCustom&)>>> writeBacks = {
        {"select", [](TQRD3D_PrimitiveMeshCustom& grid) { grid.SelectVertex(0, 0); }},
        {"release", [](TQRD3D_PrimitiveMeshCustom& grid) { grid.ReleaseSelection(); }},
        {"draw",
         [](TQRD3D_PrimitiveMeshCustom& grid) {
             TQR_RecordingDrawHelper helper;
             grid.Draw(2, &helper);
         }},
    };
    for (const auto& [name, writeBack] : writeBacks) {
        SCOPED_TRACE(name);
        TQRD3D_PrimitiveMeshCustom grid(3, L"grid.x");
        SetHeight(grid, 2, 1, 3.0f);
        EXPECT_EQ(grid.GetSelectedVertex().y, 3.0f);
        EXPECT_EQ(Vertices(L"grid.x")[7].y, 0.0f);
        writeBack(grid);
        EXPECT_EQ(Vertices(L"grid.x")[7].y, 3.0f);
        SetHeight(grid, 2, 1, 0.0f);
        grid.ReleaseSelection();
    }
}

TEST_F(GridTest, BeforeTheDeviceOnlyTheCacheChangesAndAPendingVertexIsWrittenOnceReady)
{
    TQRD3D_PrimitiveMeshCustom grid(3, L"grid.x");
    grid.SelectVertex(1, 1);
    grid.SetSelectedVertex(0.5f, 7.0f, -0.5f);
    grid.ReleaseSelection();
    grid.SelectVertex(0, 2);
    grid.SetSelectedVertex(0.0f, 5.0f, 0.0f);
    EXPECT_EQ(grid.GetSelectedIndex(), 2);
    EXPECT_EQ(grid.GetSelectedVertex(), (TQR_Vector3{0.0f, 5.0f, 0.0f}));
    EXPECT_FALSE(std::filesystem::exists("grid.x"));

    CreateDevice();
    grid.ReleaseSelection();
    const std::vector<TQRD3D_ColorVertex> vertices = Vertices(L"grid.x");
    EXPECT_EQ(vertices[2].y, 5.0f) << "the vertex still selected takes the cached position";
    EXPECT_EQ(vertices[4].y, 0.0f) << "the released one was lost before the device existed";
}

TEST_F(GridTest, AnEntryOfTheSameNameIsTakenOverWhenItIsAGridOfThatSizeAndReplacedOtherwise)
{
    CreateDevice();
    TQRD3D_PrimitiveMeshCustom first(3, L"grid.x");
    SetHeight(first, 1, 1, 2.5f);
    first.ReleaseSelection();
    std::filesystem::remove("grid.x");

    TQRD3D_PrimitiveMeshCustom second(3, L"grid.x");
    second.SelectVertex(1, 1);
    EXPECT_EQ(second.GetSelectedVertex().y, 2.5f) << "the entry's mesh, not the file just written";
    EXPECT_TRUE(std::filesystem::exists("grid.x"));
    EXPECT_EQ(GetGraphicsSystem()->GetMeshes().Count(), 1);

    // A mesh of another vertex count is never edited as this grid: it gives way to a new one.
    TQRD3D_PrimitiveMeshCustom larger(4, L"grid.x");
    ASSERT_TRUE(larger.CreateMesh());
    EXPECT_EQ(GetGraphicsSystem()->GetMeshes().Count(), 1);
    EXPECT_EQ(Vertices(L"grid.x").size(), 16u);
    EXPECT_EQ(Vertices(L"grid.x")[5].y, 0.0f);
}

TEST_F(GridTest, NullNameWritesTheDefaultFileAndReleasingNothingSelectedWritesNothing)
{
    CreateDevice();
    TQRD3D_PrimitiveMeshCustom grid(3, nullptr);
    grid.SetSelectedVertex(0.0f, 9.0f, 0.0f);
    grid.ReleaseSelection();
    EXPECT_FALSE(grid.IsMeshReady()) << "nothing was touched, not even made";
    ASSERT_TRUE(grid.CreateMesh());
    EXPECT_TRUE(std::filesystem::exists("YourMeshFileName.x"));
    grid.ReleaseSelection();
    for (const TQRD3D_ColorVertex& vertex : Vertices(L"YourMeshFileName.x")) {
        EXPECT_EQ(vertex.y, 0.0f);
    }
}

TEST_F(GridTest, BoxIsTheFlatFloorsAndDrawingRecomputesNormalsAfterAVertexMoved)
{
    CreateDevice();
    TQRD3D_PrimitiveMeshCustom grid(3, L"grid.x");
    grid.SetLighting(false);
    SetHeight(grid, 1, 1, 1.0f);
    TQR_RecordingDrawHelper helper;
    grid.Draw(2, &helper);

    const auto* box = dynamic_cast<const TQR_BoundingBox*>(grid.GetBoundingVolume(2));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->GetMin(), (TQR_Vector3{-1, 0, -1}));
    EXPECT_EQ(box->GetMax(), (TQR_Vector3{1, 0, 1}));
    ASSERT_EQ(m_device.draws.size(), 1u);
    EXPECT_EQ(m_device.draws[0].primitiveCount, 8u);
    EXPECT_EQ(m_device.draws[0].lighting, static_cast<DWORD>(FALSE));
    const TQRD3D_ColorVertex edge = Vertices(L"grid.x")[3];
    EXPECT_LT(edge.ny, 0.99f) << "the vertex left of the raised centre leans away from it";
    EXPECT_LT(edge.nx, 0.0f);

    grid.Draw(2, &helper);
    EXPECT_EQ(Vertices(L"grid.x")[3].nx, edge.nx) << "nothing moved: the normals stay";
    SetHeight(grid, 1, 1, -1.0f);
    grid.Draw(2, &helper);
    EXPECT_GT(Vertices(L"grid.x")[3].nx, 0.0f) << "the centre sank: the left vertex leans towards it";
}

TEST_F(GridTest, ReleasedResourcesSendTheGridBackToNotReady)
{
    CreateDevice();
    TQRD3D_PrimitiveMeshCustom grid(3, L"grid.x");
    ASSERT_TRUE(grid.CreateMesh());
    GetGraphicsSystem()->ReleaseResources();
    SetHeight(grid, 1, 1, 3.0f);
    TQR_RecordingDrawHelper helper;
    grid.Draw(2, &helper);
    EXPECT_FALSE(grid.IsMeshReady());
    EXPECT_TRUE(m_device.draws.empty());
}

// The last cell's two triangles of a grid of side n, as WriteGridIndices lays them out.
template <typename Index> std::vector<Index> LastCell(int n)
{
    const auto topLeft = static_cast<Index>((n - 2) * n + n - 2);
    const auto bottomLeft = static_cast<Index>(topLeft + n);
    return {topLeft,    static_cast<Index>(topLeft + 1), bottomLeft,
            bottomLeft, static_cast<Index>(topLeft + 1), static_cast<Index>(bottomLeft + 1)};
}

TEST_F(GridTest, LargeGridsUseThirtyTwoBitIndicesAndSidesOutOfRangeNeverBecomeReady)
{
    struct Case {
        int side;
        bool ready;
        bool wideIndices;
        bool fileWritten;
    } const cases[] = {
        {1, false, false, false}, {4098, false, false, false}, {100000, false, false, false},
        {256, true, false, true}, {257, true, true, true},     {513, true, true, false},
    };
    CreateDevice();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.side);
        std::filesystem::remove("side.x");
        TQRD3D_PrimitiveMeshCustom grid(c.side, L"side.x");
        SetHeight(grid, 0, 0, 1.0f);
        ASSERT_EQ(grid.CreateMesh(), c.ready);
        EXPECT_EQ(std::filesystem::exists("side.x"), c.fileWritten);
        if (!c.ready) {
            continue;
        }
        ID3DXMesh* mesh = GetGraphicsSystem()->FindMesh(L"side.x", false)->GetMesh();
        EXPECT_EQ((mesh->GetOptions() & D3DXMESH_32BIT) != 0, c.wideIndices);
        if (c.wideIndices) {
            const std::vector<DWORD> indices = Indices<DWORD>(L"side.x");
            EXPECT_EQ(std::vector<DWORD>(indices.end() - 6, indices.end()), LastCell<DWORD>(c.side));
        } else {
            const std::vector<WORD> indices = Indices(L"side.x");
            EXPECT_EQ(std::vector<WORD>(indices.end() - 6, indices.end()), LastCell<WORD>(c.side));
        }
        GetGraphicsSystem()->ReleaseMesh(L"side.x");
    }
}

TEST_F(GridTest, SetHeightsWritesEveryVertexWithItsColourOrNothingForAWrongCount)
{
    CreateDevice();
    TQRD3D_PrimitiveMeshCustom grid(3, L"grid.x");
    const std::vector<float> heights = {0.0f, 1.0f, 2.0f, 3.0f, 4.0f, 5.0f, -1.0f, 1.5f, 4.5f};
    SetHeight(grid, 1, 1, 9.0f);
    ASSERT_TRUE(grid.SetHeights(heights));
    EXPECT_EQ(grid.GetSelectedIndex(), -1) << "the pending vertex was written back before the heights";
    const std::vector<TQRD3D_ColorVertex> vertices = Vertices(L"grid.x");
    for (std::size_t i = 0; i < heights.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(vertices[i].y, heights[i]);
        EXPECT_EQ(vertices[i].diffuse, heights[i] > 4.0f ? kSnow : heights[i] < 2.0f ? kLowland : kHill);
    }
    EXPECT_EQ(vertices[5].x, 1.0f) << "x, z and (u, v) stay";
    EXPECT_FALSE(grid.SetHeights(std::vector<float>(8, 7.0f)));
    EXPECT_FALSE(grid.SetHeights(std::vector<float>(10, 7.0f)));
    EXPECT_EQ(Vertices(L"grid.x")[0].y, 0.0f);
}

TEST_F(GridTest, ANewSideDropsTheOldMeshAtOnceAndBuildsTheNewOneAtItsNextUse)
{
    CreateDevice();
    TQRD3D_PrimitiveMeshCustom grid(3, L"grid.x");
    ASSERT_TRUE(grid.SetHeights(std::vector<float>(9, 3.0f)));
    SetHeight(grid, 1, 1, 9.0f);
    grid.SetVerticesPerSide(5);
    EXPECT_FALSE(grid.IsMeshReady());
    EXPECT_EQ(grid.GetSelectedIndex(), -1);
    EXPECT_EQ(GetGraphicsSystem()->GetMeshes().Count(), 0) << "the old grid is gone before the new one is made";
    EXPECT_EQ(grid.GetSpacing(), 0.5f);
    EXPECT_EQ(grid.GetFaceCount(), 32);

    std::vector<float> heights(25, 0.0f);
    heights[24] = 6.0f;
    ASSERT_TRUE(grid.SetHeights(heights));
    const std::vector<TQRD3D_ColorVertex> vertices = Vertices(L"grid.x");
    ASSERT_EQ(vertices.size(), 25u);
    EXPECT_EQ(vertices[24].y, 6.0f);
    EXPECT_EQ(vertices[12].y, 0.0f) << "nothing of the old grid's selection reaches the new one";
    EXPECT_EQ((std::vector<float>{vertices[6].x, vertices[6].z}), (std::vector<float>{-0.5f, 0.5f}));
    grid.SetVerticesPerSide(5);
    EXPECT_TRUE(grid.IsMeshReady()) << "the same side changes nothing";
}

} // namespace
