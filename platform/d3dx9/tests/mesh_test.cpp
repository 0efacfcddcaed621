#include "platform/d3d9/testing/recording_device.h"
#include "platform/d3dx9/d3dx9.h"
#include "platform/d3dx9/mesh_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace {

struct GridVertex {
    D3DXVECTOR3 position;
    D3DXVECTOR3 normal;
    D3DCOLOR diffuse;
    float u, v;
};
static_assert(sizeof(GridVertex) == 36);

ID3DXMesh* CreateTriangles(IDirect3DDevice9* device, const std::vector<WORD>& indices,
                           const std::vector<DWORD>& attributes)
{
    ID3DXMesh* mesh = nullptr;
    EXPECT_EQ(D3DXCreateMeshFVF(static_cast<DWORD>(attributes.size()), 4, D3DXMESH_SYSTEMMEM, 0x152, device, &mesh),
              D3D_OK);
    void* data = nullptr;
    mesh->LockIndexBuffer(0, &data);
    std::memcpy(data, indices.data(), indices.size() * sizeof(WORD));
    mesh->UnlockIndexBuffer();
    DWORD* faces = nullptr;
    mesh->LockAttributeBuffer(0, &faces);
    std::copy(attributes.begin(), attributes.end(), faces);
    mesh->UnlockAttributeBuffer();
    return mesh;
}

TEST(Mesh, DrawSubsetDrawsTheSubsetsTrianglesAndFollowsBufferWrites)
{
    RecordingDevice device;
    ID3DXMesh* mesh = CreateTriangles(&device, {0, 1, 2, 1, 2, 3, 2, 3, 0}, {0, 1, 0});
    EXPECT_EQ(device.references, 2u);

    ASSERT_EQ(mesh->DrawSubset(0), D3D_OK);
    ASSERT_EQ(mesh->DrawSubset(1), D3D_OK);
    ASSERT_EQ(mesh->DrawSubset(7), D3D_OK); // no face has it: nothing drawn
    ASSERT_EQ(device.draws.size(), 2u);
    EXPECT_EQ(device.draws[0].fvf, 0x152u);
    EXPECT_EQ(device.draws[0].type, D3DPT_TRIANGLELIST);
    EXPECT_EQ(device.draws[0].numVertices, 4u);
    EXPECT_EQ(device.draws[0].stride, 36u);
    EXPECT_EQ(device.draws[0].indices, (std::vector<DWORD>{0, 1, 2, 2, 3, 0}));
    EXPECT_EQ(device.draws[1].indices, (std::vector<DWORD>{1, 2, 3}));

    DWORD* attributes = nullptr;
    mesh->LockAttributeBuffer(0, &attributes);
    attributes[2] = 1;
    mesh->UnlockAttributeBuffer();
    mesh->DrawSubset(1);
    EXPECT_EQ(device.draws.back().indices, (std::vector<DWORD>{1, 2, 3, 2, 3, 0}));

    IDirect3DIndexBuffer9* indexBuffer = nullptr;
    ASSERT_EQ(mesh->GetIndexBuffer(&indexBuffer), D3D_OK);
    void* indices = nullptr;
    indexBuffer->Lock(0, 0, &indices, 0);
    static_cast<WORD*>(indices)[3] = 3;
    indexBuffer->Unlock();
    indexBuffer->Release();
    mesh->DrawSubset(1);
    EXPECT_EQ(device.draws.back().indices, (std::vector<DWORD>{3, 2, 3, 2, 3, 0}));

    mesh->Release();
    EXPECT_EQ(device.references, 1u);
}

TEST(Mesh, MeshWithoutDeviceHoldsDataButCannotDraw)
{
    ID3DXMesh* mesh = CreateTriangles(nullptr, {0, 1, 2}, {0});
    EXPECT_EQ(mesh->DrawSubset(0), D3DERR_INVALIDCALL);
    EXPECT_EQ(mesh->GetNumBytesPerVertex(), 36u);
    auto* device = reinterpret_cast<IDirect3DDevice9*>(1);
    EXPECT_EQ(mesh->GetDevice(&device), D3DERR_INVALIDCALL);
    EXPECT_EQ(device, nullptr);
    mesh->Release();
}

TEST(Mesh, CreationRefusesImpossibleMeshes)
{
    struct Case {
        const char* name;
        DWORD faces, vertices, options, fvf;
    };
    const Case cases[] = {
        {"no faces", 0, 3, 0, D3DFVF_XYZ},
        {"no vertices", 1, 0, 0, D3DFVF_XYZ},
        {"no position", 1, 3, 0, D3DFVF_NORMAL},
        {"too many vertices for 16-bit indices", 1, 65537, 0, D3DFVF_XYZ},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ID3DXMesh* mesh = reinterpret_cast<ID3DXMesh*>(1);
        EXPECT_EQ(D3DXCreateMeshFVF(c.faces, c.vertices, c.options, c.fvf, nullptr, &mesh), D3DERR_INVALIDCALL);
        EXPECT_EQ(mesh, nullptr);
    }
    ID3DXMesh* wide = nullptr;
    ASSERT_EQ(D3DXCreateMeshFVF(1, 65537, D3DXMESH_32BIT, D3DFVF_XYZ, nullptr, &wide), D3D_OK);
    wide->Release();
}

// A bent strip: a large triangle in the plane y = 0 and a small one in the plane x = 0 share
// the edge from vertex 0 to vertex 1; the shared vertices lean towards the larger face.
TEST(Mesh, ComputeNormalsWeighsFacesByArea)
{
    ID3DXMesh* mesh = nullptr;
    ASSERT_EQ(D3DXCreateMeshFVF(2, 4, 0, 0x152, nullptr, &mesh), D3D_OK);
    GridVertex* v = nullptr;
    mesh->LockVertexBuffer(0, reinterpret_cast<void**>(&v));
    v[0].position = {0, 0, 0};
    v[1].position = {0, 0, 1};
    v[2].position = {4, 0, 0};
    v[3].position = {0, 1, 0};
    mesh->UnlockVertexBuffer();
    WORD* indices = nullptr;
    mesh->LockIndexBuffer(0, reinterpret_cast<void**>(&indices));
    const WORD triangles[] = {0, 1, 2, 0, 3, 1};
    std::memcpy(indices, triangles, sizeof triangles);
    mesh->UnlockIndexBuffer();

    ASSERT_EQ(D3DXComputeNormals(mesh, nullptr), D3D_OK);
    mesh->LockVertexBuffer(D3DLOCK_READONLY, reinterpret_cast<void**>(&v));
    // Face normals: (0,4,0) for the large face (area 2), (1,0,0) for the small one (area 0.5).
    const float length = std::sqrt(17.0f);
    EXPECT_NEAR(v[0].normal.x, 1 / length, 1e-6f);
    EXPECT_NEAR(v[0].normal.y, 4 / length, 1e-6f);
    EXPECT_EQ(v[2].normal, D3DXVECTOR3(0, 1, 0));
    EXPECT_EQ(v[3].normal, D3DXVECTOR3(1, 0, 0));
    mesh->UnlockVertexBuffer();
    mesh->Release();

    ID3DXMesh* noNormals = nullptr;
    ASSERT_EQ(D3DXCreateMeshFVF(1, 3, 0, D3DFVF_XYZ | D3DFVF_DIFFUSE, nullptr, &noNormals), D3D_OK);
    EXPECT_EQ(D3DXComputeNormals(noNormals, nullptr), D3DERR_INVALIDCALL);
    noNormals->Release();
}

TEST(Mesh, BoundingBoxSpansPositionsAtTheStride)
{
    GridVertex vertices[3] = {};
    vertices[0].position = {1, -2, 3};
    vertices[1].position = {-4, 5, 0};
    vertices[2].position = {2, 0, -6};
    vertices[1].normal = {100, 100, 100}; // not a position: must not count
    D3DXVECTOR3 min;
    D3DXVECTOR3 max;
    ASSERT_EQ(D3DXComputeBoundingBox(&vertices[0].position, 3, sizeof(GridVertex), &min, &max), D3D_OK);
    EXPECT_EQ(min, D3DXVECTOR3(-4, -2, -6));
    EXPECT_EQ(max, D3DXVECTOR3(2, 5, 3));
    EXPECT_EQ(D3DXComputeBoundingBox(&vertices[0].position, 0, sizeof(GridVertex), &min, &max), D3DERR_INVALIDCALL);
}

TEST(Mesh, VertexSizesFollowTheFormatBits)
{
    const std::pair<DWORD, UINT> sizes[] = {
        {0x152, 36},                                        // XYZ | NORMAL | DIFFUSE | TEX1
        {0x072, 32},                                        // XYZ | NORMAL | PSIZE | DIFFUSE
        {D3DFVF_XYZ, 12},                                   //
        {0x004 | D3DFVF_DIFFUSE, 20},                       // XYZRHW
        {0x00C, 28},                                        // XYZB4
        {D3DFVF_XYZ | D3DFVF_SPECULAR | 0x200, 32},         // two sets of two floats
        {D3DFVF_XYZ | 0x200 | (1u << 16) | (3u << 18), 28}, // sets of three floats and of one
    };
    for (const auto& [fvf, size] : sizes) {
        SCOPED_TRACE(fvf);
        EXPECT_EQ(D3DXGetFVFVertexSize(fvf), size);
    }
}

TEST(Mesh, MaterialBufferHoldsItsTextureNames)
{
    MeshMaterial textured = MeshMaterial::Default();
    textured.textureFileName = "grass.png";
    ID3DXBuffer* buffer = CreateMaterialBuffer({MeshMaterial::Default(), textured});
    const auto* materials = static_cast<const D3DXMATERIAL*>(buffer->GetBufferPointer());
    const char* begin = static_cast<const char*>(buffer->GetBufferPointer());
    EXPECT_EQ(materials[0].pTextureFilename, nullptr);
    ASSERT_NE(materials[1].pTextureFilename, nullptr);
    EXPECT_STREQ(materials[1].pTextureFilename, "grass.png");
    EXPECT_GE(materials[1].pTextureFilename, begin + 2 * sizeof(D3DXMATERIAL));
    EXPECT_LE(materials[1].pTextureFilename + sizeof "grass.png", begin + buffer->GetBufferSize());
    buffer->Release();
}

} // namespace
