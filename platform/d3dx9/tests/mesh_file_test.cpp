#include "platform/d3dx9/d3dx9.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct GridVertex {
    D3DXVECTOR3 position;
    D3DXVECTOR3 normal;
    D3DCOLOR diffuse;
    float u, v;
};

fs::path OutputFile(const std::string& name)
{
    const fs::path folder = fs::path(RELIEF_TEST_OUTPUT_DIR) / "d3dx9";
    fs::create_directories(folder);
    return folder / name;
}

// The terrain grid as the editor builds it: N x N vertices over -1..1, rows from z = +1, two
// clockwise triangles per cell, with heights and colours written into a few vertices.
ID3DXMesh* CreateGrid(int n)
{
    ID3DXMesh* mesh = nullptr;
    EXPECT_EQ(D3DXCreateMeshFVF(2 * (n - 1) * (n - 1), n * n, D3DXMESH_SYSTEMMEM, 0x152, nullptr, &mesh), D3D_OK);
    const float spacing = 2.0f / static_cast<float>(n - 1);
    GridVertex* vertices = nullptr;
    mesh->LockVertexBuffer(0, reinterpret_cast<void**>(&vertices));
    for (int k = 0; k < n * n; ++k) {
        GridVertex& v = vertices[k];
        v.position = {static_cast<float>(k % n) * spacing - 1, 0.0f, 1 - static_cast<float>(k / n) * spacing};
        v.normal = {0, 1, 0};
        v.u = 0.5f * v.position.x + 0.5f;
        v.v = 0.5f * v.position.z + 0.5f;
    }
    vertices[7].position.y = 4.5f;
    vertices[7].diffuse = 0xFFFFFFFF;
    vertices[8].position.y = 1.0f / 3.0f;
    vertices[8].diffuse = 0x138B4500;
    mesh->UnlockVertexBuffer();
    WORD* indices = nullptr;
    mesh->LockIndexBuffer(0, reinterpret_cast<void**>(&indices));
    for (int r = 0; r < n - 1; ++r) {
        for (int c = 0; c < n - 1; ++c) {
            const WORD cell[6] = {WORD(r * n + c),       WORD(r * n + c + 1), WORD((r + 1) * n + c),
                                  WORD((r + 1) * n + c), WORD(r * n + c + 1), WORD((r + 1) * n + c + 1)};
            indices = std::copy(std::begin(cell), std::end(cell), indices);
        }
    }
    mesh->UnlockIndexBuffer();
    return mesh;
}

std::vector<BYTE> Contents(ID3DXMesh* mesh, bool indices)
{
    void* data = nullptr;
    indices ? mesh->LockIndexBuffer(D3DLOCK_READONLY, &data) : mesh->LockVertexBuffer(D3DLOCK_READONLY, &data);
    const size_t size = indices ? mesh->GetNumFaces() * 3 * 2 : mesh->GetNumVertices() * mesh->GetNumBytesPerVertex();
    std::vector<BYTE> bytes(static_cast<BYTE*>(data), static_cast<BYTE*>(data) + size);
    indices ? mesh->UnlockIndexBuffer() : mesh->UnlockVertexBuffer();
    return bytes;
}

std::vector<DWORD> Attributes(ID3DXMesh* mesh)
{
    DWORD* data = nullptr;
    mesh->LockAttributeBuffer(D3DLOCK_READONLY, &data);
    std::vector<DWORD> attributes(data, data + mesh->GetNumFaces());
    mesh->UnlockAttributeBuffer();
    return attributes;
}

struct Loaded {
    HRESULT result = E_FAIL;
    ID3DXMesh* mesh = nullptr;
    ID3DXBuffer* materials = nullptr;
    DWORD materialCount = 0;

    explicit Loaded(const fs::path& path)
    {
        result = D3DXLoadMeshFromXW(path.wstring().c_str(), D3DXMESH_SYSTEMMEM, nullptr, nullptr, &materials, nullptr,
                                    &materialCount, &mesh);
    }
    ~Loaded()
    {
        if (mesh != nullptr) {
            mesh->Release();
        }
        if (materials != nullptr) {
            materials->Release();
        }
    }
    const D3DXMATERIAL& Material(size_t i) const
    {
        return static_cast<const D3DXMATERIAL*>(materials->GetBufferPointer())[i];
    }
};

TEST(MeshFile, GridSavedWithoutMaterialsReloadsAsOneSubsetWithTheSameVertices)
{
    const fs::path path = OutputFile("grid.x");
    ID3DXMesh* grid = CreateGrid(65);
    ASSERT_EQ(D3DXSaveMeshToXW(path.wstring().c_str(), grid, nullptr, nullptr, nullptr, 0, D3DXF_FILEFORMAT_TEXT),
              D3D_OK)
        << D3DXGetLastErrorMessage();

    const Loaded loaded(path);
    ASSERT_EQ(loaded.result, D3D_OK) << D3DXGetLastErrorMessage();
    EXPECT_EQ(loaded.mesh->GetFVF(), 0x152u);
    EXPECT_EQ(loaded.mesh->GetNumVertices(), 4225u);
    EXPECT_EQ(loaded.mesh->GetNumFaces(), 8192u);
    EXPECT_EQ(loaded.mesh->GetOptions() & D3DXMESH_32BIT, 0u);
    EXPECT_TRUE(Contents(loaded.mesh, false) == Contents(grid, false)) << "vertex bytes differ";
    EXPECT_TRUE(Contents(loaded.mesh, true) == Contents(grid, true)) << "indices differ";
    EXPECT_EQ(Attributes(loaded.mesh), std::vector<DWORD>(8192, 0));
    ASSERT_EQ(loaded.materialCount, 1u);
    EXPECT_EQ(loaded.Material(0).pTextureFilename, nullptr);
    grid->Release();
}

TEST(MeshFile, MaterialsTexturesAndSubsetsSurviveARoundTrip)
{
    const fs::path path = OutputFile("two materials.x");
    ID3DXMesh* grid = CreateGrid(3);
    DWORD* attributes = nullptr;
    grid->LockAttributeBuffer(0, &attributes);
    const std::vector<DWORD> subsets = {1, 0, 1, 1, 0, 0, 1, 0};
    std::copy(subsets.begin(), subsets.end(), attributes);
    grid->UnlockAttributeBuffer();
    char textureName[] = "maps\\rock \"dark\".png";
    D3DXMATERIAL materials[2] = {};
    materials[0].MatD3D.Diffuse = {0.1f, 0.2f, 0.3f, 0.4f};
    materials[0].MatD3D.Power = 12.5f;
    materials[0].MatD3D.Specular = {0.5f, 0.6f, 0.7f, 1.0f};
    materials[0].MatD3D.Emissive = {0.01f, 0.02f, 0.03f, 1.0f};
    materials[1].MatD3D.Diffuse = {1, 1, 1, 1};
    materials[1].pTextureFilename = textureName;
    ASSERT_EQ(D3DXSaveMeshToXW(path.wstring().c_str(), grid, nullptr, materials, nullptr, 2, D3DXF_FILEFORMAT_TEXT),
              D3D_OK);

    const Loaded loaded(path);
    ASSERT_EQ(loaded.result, D3D_OK) << D3DXGetLastErrorMessage();
    EXPECT_EQ(Attributes(loaded.mesh), subsets);
    ASSERT_EQ(loaded.materialCount, 2u);
    const D3DMATERIAL9& first = loaded.Material(0).MatD3D;
    EXPECT_EQ(first.Diffuse.b, 0.3f);
    EXPECT_EQ(first.Diffuse.a, 0.4f);
    EXPECT_EQ(first.Power, 12.5f);
    EXPECT_EQ(first.Specular.g, 0.6f);
    EXPECT_EQ(first.Emissive.b, 0.03f);
    EXPECT_EQ(loaded.Material(0).pTextureFilename, nullptr);
    EXPECT_STREQ(loaded.Material(1).pTextureFilename, textureName);
    EXPECT_TRUE(Contents(loaded.mesh, false) == Contents(grid, false));
    grid->Release();
}

TEST(MeshFile, SavingRefusesSubsetsWithoutMaterialAndUnwritablePaths)
{
    const fs::path kept = OutputFile("kept.x");
    ID3DXMesh* grid = CreateGrid(3);
    ASSERT_EQ(D3DXSaveMeshToXW(kept.wstring().c_str(), grid, nullptr, nullptr, nullptr, 0, D3DXF_FILEFORMAT_TEXT),
              D3D_OK);
    const auto keptSize = fs::file_size(kept);

    DWORD* attributes = nullptr;
    grid->LockAttributeBuffer(0, &attributes);
    attributes[3] = 1;
    grid->UnlockAttributeBuffer();
    D3DXMATERIAL one = {};
    EXPECT_EQ(D3DXSaveMeshToXW(kept.wstring().c_str(), grid, nullptr, &one, nullptr, 1, D3DXF_FILEFORMAT_TEXT),
              D3DERR_INVALIDCALL);
    EXPECT_STREQ(D3DXGetLastErrorMessage(), "a face uses subset 1 of only 1 materials");
    EXPECT_EQ(D3DXSaveMeshToXW(kept.wstring().c_str(), grid, nullptr, nullptr, nullptr, 0, D3DXF_FILEFORMAT_BINARY),
              E_NOTIMPL);

    const fs::path unwritable = OutputFile("no such folder") / "grid.x";
    EXPECT_EQ(D3DXSaveMeshToXW(unwritable.wstring().c_str(), grid, nullptr, nullptr, nullptr, 0, D3DXF_FILEFORMAT_TEXT),
              E_FAIL);
    EXPECT_EQ(std::string(D3DXGetLastErrorMessage()),
              "cannot create a file beside \"" + unwritable.string() + "\": No such file or directory");
    // A directory in the way: the write fails and leaves no temporary file behind.
    const fs::path folder = OutputFile("a folder.x");
    fs::create_directories(folder);
    EXPECT_EQ(D3DXSaveMeshToXW(folder.wstring().c_str(), grid, nullptr, nullptr, nullptr, 0, D3DXF_FILEFORMAT_TEXT),
              E_FAIL);
    EXPECT_FALSE(fs::exists(folder.string() + ".tmp"));
    EXPECT_EQ(fs::file_size(kept), keptSize);
    grid->Release();
}

TEST(MeshFile, LoadingFailsCleanlyWithAReason)
{
    const fs::path missing = OutputFile("missing.x");
    fs::remove(missing);
    const Loaded notFound(missing);
    EXPECT_EQ(notFound.result, E_FAIL);
    EXPECT_EQ(notFound.mesh, nullptr);
    EXPECT_EQ(notFound.materials, nullptr);
    EXPECT_EQ(std::string(D3DXGetLastErrorMessage()),
              "cannot open \"" + missing.string() + "\": No such file or directory");

    const fs::path bad = OutputFile("bad.x");
    std::ofstream(bad) << "xof 0303txt 0032\nMesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,5;; }\n";
    const Loaded outOfRange(bad);
    EXPECT_EQ(outOfRange.result, D3DXERR_INVALIDDATA);
    EXPECT_EQ(outOfRange.mesh, nullptr);
    EXPECT_EQ(std::string(D3DXGetLastErrorMessage()),
              bad.string() + ": line 2: face 0 uses index 5 of only 3 vertices");

    ID3DXMesh* mesh = nullptr;
    EXPECT_EQ(D3DXLoadMeshFromXW(nullptr, 0, nullptr, nullptr, nullptr, nullptr, nullptr, &mesh), D3DERR_INVALIDCALL);
}

TEST(MeshFile, VertexColoursAndTextureCoordinatesOfAFileReachTheVertices)
{
    const fs::path path = OutputFile("coloured.x");
    std::ofstream(path) << "xof 0302txt 0064\nMesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;;\n"
                           "MeshVertexColors { 3; 2;1;0;0;1;;, 0;0;0;1;0.5;;, 1;0;1;0;0;;; }\n"
                           "MeshTextureCoords { 3; 0;0;, 1;0;, 0.25;0.75;; } }\n";
    const Loaded loaded(path);
    ASSERT_EQ(loaded.result, D3D_OK) << D3DXGetLastErrorMessage();
    ASSERT_EQ(loaded.mesh->GetFVF(), D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1);
    struct Vertex {
        D3DXVECTOR3 position;
        D3DCOLOR diffuse;
        float u, v;
    };
    const std::vector<BYTE> bytes = Contents(loaded.mesh, false);
    ASSERT_EQ(bytes.size(), 3 * sizeof(Vertex));
    Vertex v[3];
    std::memcpy(v, bytes.data(), bytes.size());
    EXPECT_EQ(v[0].diffuse, 0x800000FFu);
    EXPECT_EQ(v[1].diffuse, 0x0000FF00u);
    EXPECT_EQ(v[2].diffuse, 0xFFFF0000u);
    EXPECT_EQ(v[2].u, 0.25f);
    EXPECT_EQ(v[2].v, 0.75f);
    EXPECT_EQ(loaded.materialCount, 1u);
}

} // namespace
