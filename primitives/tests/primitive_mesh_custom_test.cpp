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
    static std::vector<WORD> Indices(const wchar_t* name)
    {
        ID3DXMesh* mesh = GetGraphicsSystem()->FindMesh(name, false)->GetMesh();
        void* data = nullptr;
        mesh->LockIndexBuffer(0, &data);
        const auto* first = static_cast<const WORD*>(data);
        std::vector<WORD> indices(first, first + 3 * mesh->GetNumFaces());
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

TEST_F(GridTest, AnEntryOfTheSameNameIsTakenOverWhenItIsAGridOfThatSize)
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

    TQRD3D_PrimitiveMeshCustom larger(4, L"grid.x");
    EXPECT_FALSE(larger.CreateMesh()) << "a mesh of another vertex count is never edited as this grid";
    larger.SelectVertex(3, 3);
    EXPECT_FALSE(larger.IsMeshReady());
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

TEST_F(GridTest, SizeOutsideSixteenBitIndicesNeverBecomesReady)
{
    CreateDevice();
    for (int side : {1, 257, 100000}) {
        SCOPED_TRACE(side);
        TQRD3D_PrimitiveMeshCustom grid(side, L"odd.x");
        SetHeight(grid, 0, 0, 1.0f);
        EXPECT_FALSE(grid.CreateMesh());
        EXPECT_FALSE(std::filesystem::exists("odd.x"));
    }
}

} // namespace
