#include "graphics_fixture.h"

#include "graphics/graphics_system.h"
#include "graphics/material_conversion.h"
#include "graphics/resource_files.h"

#include <gmock/gmock.h>

#include <filesystem>
#include <fstream>

using ::testing::ElementsAre;

namespace {

using ResourceTableTest = GraphicsTest;

std::vector<std::wstring> MeshNames()
{
    std::vector<std::wstring> names;
    const auto& meshes = GetGraphicsSystem()->GetMeshes();
    for (int i = 0; i < meshes.Count(); ++i) {
        names.push_back(meshes.Get(i)->GetFileName());
    }
    return names;
}

const std::wstring kNotFound = L"**ERROR** [gone.x]: file not found!";

TEST_F(ResourceTableTest, LookupsBeforeContextReturnNullAndRecordNothing)
{
    WriteMeshFile("sphere.x", 1.0f);
    EXPECT_EQ(GetGraphicsSystem()->FindMesh(L"sphere.x"), nullptr);
    EXPECT_EQ(GetGraphicsSystem()->FindTexture(L"sphere.x", true), nullptr);
    EXPECT_EQ(GetGraphicsSystem()->GetMeshes().Count(), 0);
    EXPECT_TRUE(m_statusTexts.empty());
}

TEST_F(ResourceTableTest, SameNameGivesSameEntryAndFileIsReadOnce)
{
    WriteMeshFile("sphere.x", 1.0f);
    CreateContext();
    TQRD3D_MeshResource* first = GetGraphicsSystem()->FindMesh(L"sphere.x");
    ASSERT_NE(first, nullptr);
    // Without the file a second load would fail: the entry must come from the table.
    std::filesystem::remove("sphere.x");
    EXPECT_EQ(GetGraphicsSystem()->FindMesh(L"sphere.x"), first);
    EXPECT_EQ(GetGraphicsSystem()->FindMesh(L"sphere.x", false), first);
    EXPECT_EQ(GetGraphicsSystem()->GetMeshes().Count(), 1);
    EXPECT_TRUE(m_statusTexts.empty());
}

TEST_F(ResourceTableTest, LookupWithoutCreateDoesNotLoad)
{
    WriteMeshFile("sphere.x", 1.0f);
    CreateContext();
    EXPECT_EQ(GetGraphicsSystem()->FindMesh(L"sphere.x", false), nullptr);
    EXPECT_EQ(GetGraphicsSystem()->GetMeshes().Count(), 0);
}

TEST_F(ResourceTableTest, EntriesStayInOrdinalOrder)
{
    const std::vector<std::string> names = {"b.x", "a.x", "Zebra.x", "./a.x", "ab.x", "B.x", "a"};
    for (const std::string& name : names) {
        WriteMeshFile(name, 1.0f);
    }
    CreateContext();
    for (const std::string& name : names) {
        ASSERT_NE(GetGraphicsSystem()->FindMesh(std::wstring(name.begin(), name.end())), nullptr) << name;
    }
    EXPECT_THAT(MeshNames(), ElementsAre(L"./a.x", L"B.x", L"Zebra.x", L"a", L"a.x", L"ab.x", L"b.x"));
    // Every entry is found again by the halving search, without loading anything.
    for (const std::wstring& name : MeshNames()) {
        EXPECT_NE(GetGraphicsSystem()->FindMesh(name, false), nullptr);
    }
    EXPECT_EQ(GetGraphicsSystem()->GetMeshes().Count(), 7);
}

TEST_F(ResourceTableTest, EmptyNameGivesNullWithoutMessage)
{
    CreateContext();
    EXPECT_EQ(GetGraphicsSystem()->FindMesh(L""), nullptr);
    EXPECT_EQ(GetGraphicsSystem()->FindTexture(L"", true), nullptr);
    EXPECT_TRUE(m_statusTexts.empty());
}

TEST_F(ResourceTableTest, MissingFileIsSearchedAndReportedOnEveryRequest)
{
    CreateContext();
    for (int frame = 0; frame < 3; ++frame) {
        EXPECT_EQ(GetGraphicsSystem()->FindMesh(L"gone.x"), nullptr);
    }
    EXPECT_THAT(m_statusTexts, ElementsAre(kNotFound, kNotFound, kNotFound));
    EXPECT_EQ(GetGraphicsSystem()->GetMeshes().Count(), 0);
    // Found once it appears: the failure was not remembered.
    WriteMeshFile("MeshFiles/gone.x", 1.0f);
    EXPECT_NE(GetGraphicsSystem()->FindMesh(L"gone.x"), nullptr);
}

TEST_F(ResourceTableTest, UnloadableFileReportsOpenForLoadingFailed)
{
    std::ofstream("broken.x") << "xof 0303txt 0032\nMesh { 3; 0;0;0;, oops }";
    std::ofstream("broken.png") << "not an image";
    CreateContext();
    EXPECT_EQ(GetGraphicsSystem()->FindMesh(L"broken.x"), nullptr);
    EXPECT_EQ(GetGraphicsSystem()->FindTexture(L"broken.png", true), nullptr);
    EXPECT_THAT(m_statusTexts, ElementsAre(L"**ERROR** [broken.x]: open for loading failed!",
                                           L"**ERROR** [broken.png]: open for loading failed!"));
}

TEST_F(ResourceTableTest, SearchFoldersAreTriedInOrder)
{
    // Each row puts the same name in two places with different sizes; the first place wins.
    const struct {
        const char* earlier;
        const char* later;
    } rows[] = {
        {"", "MeshFiles/"},
        {"", "Textures/"},
        {"Textures/", "MeshFiles/"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.earlier) + " before " + row.later);
        WriteMeshFile(std::string(row.earlier) + "m.x", 2.0f);
        WriteMeshFile(std::string(row.later) + "m.x", 7.0f);
        CreateContext();
        const TQRD3D_MeshResource* mesh = GetGraphicsSystem()->FindMesh(L"m.x");
        ASSERT_NE(mesh, nullptr);
        EXPECT_EQ(mesh->GetBoundingBox()->GetMax().x, 2.0f);
        EXPECT_EQ(mesh->GetFileName(), L"m.x");
        GetGraphicsSystem()->ReleaseResources();
        std::filesystem::remove(std::string(row.earlier) + "m.x");
        std::filesystem::remove(std::string(row.later) + "m.x");
    }
}

TEST_F(ResourceTableTest, FileOnlyInMeshFolderIsFound)
{
    WriteMeshFile("MeshFiles/cone.x", 3.0f);
    EXPECT_EQ(LocateResourceFile(L"cone.x"), L"./MeshFiles/cone.x");
    WriteImageFile("MeshFiles/t.png", 1, 1, 0xFF000000);
    CreateContext();
    EXPECT_NE(GetGraphicsSystem()->FindMesh(L"cone.x"), nullptr);
    EXPECT_NE(GetGraphicsSystem()->FindTexture(L"t.png", true), nullptr) << "textures are found in mesh folders";
    EXPECT_TRUE(m_statusTexts.empty());
}

TEST_F(ResourceTableTest, FolderOfSameNameDoesNotCountAsFile)
{
    std::filesystem::create_directories("cone.x");
    WriteMeshFile("MeshFiles/cone.x", 3.0f);
    EXPECT_EQ(LocateResourceFile(L"cone.x"), L"./MeshFiles/cone.x");
}

using MeshResourceTest = GraphicsTest;

TEST_F(MeshResourceTest, TexturesAreLoadedFromNextToTheMesh)
{
    WriteImageFile("MeshFiles/skin.png", 2, 2, 0xFFFF0000);
    WriteImageFile("skin.png", 2, 2, 0xFF0000FF);
    WriteMeshFile("MeshFiles/plane.x", 1.0f, {"skin.png", "", "nowhere.png"});
    WriteMeshFile("near.x", 1.0f, {"skin.png"});
    CreateContext();

    const TQRD3D_MeshResource* plane = GetGraphicsSystem()->FindMesh(L"plane.x");
    ASSERT_NE(plane, nullptr);
    ASSERT_EQ(plane->GetMaterialCount(), 3);
    ASSERT_NE(plane->GetSubsetTexture(0), nullptr);
    EXPECT_EQ(static_cast<FakeTexture*>(plane->GetSubsetTexture(0))->Texel(1, 1), 0xFFFF0000u);
    EXPECT_EQ(plane->GetSubsetTexture(1), nullptr);
    EXPECT_EQ(plane->GetSubsetTexture(2), nullptr);

    const TQRD3D_MeshResource* near = GetGraphicsSystem()->FindMesh(L"near.x");
    ASSERT_NE(near, nullptr);
    ASSERT_NE(near->GetSubsetTexture(0), nullptr);
    EXPECT_EQ(static_cast<FakeTexture*>(near->GetSubsetTexture(0))->Texel(0, 0), 0xFF0000FFu);
    EXPECT_EQ(GetGraphicsSystem()->GetTextures().Count(), 0) << "mesh textures belong to the mesh entry";
    EXPECT_TRUE(m_statusTexts.empty()) << "a missing mesh texture is not reported";
}

TEST_F(MeshResourceTest, LongTexturePathsLoad)
{
    const std::string folder = "MeshFiles/" + std::string(150, 'f') + "/" + std::string(150, 'g');
    WriteImageFile(folder + "/skin.png", 1, 1, 0xFF00FF00);
    WriteMeshFile(folder + "/deep.x", 1.0f, {"skin.png"});
    CreateContext();
    const std::wstring name(folder.begin() + 10, folder.end());
    const TQRD3D_MeshResource* mesh = GetGraphicsSystem()->FindMesh(name + L"/deep.x");
    ASSERT_NE(mesh, nullptr);
    EXPECT_NE(mesh->GetSubsetTexture(0), nullptr);
}

TEST_F(MeshResourceTest, BoundingBoxAndMaterialsComeFromTheFile)
{
    WriteMeshFile("two.x", 4.0f, {"", ""});
    CreateContext();
    TQRD3D_MeshResource* mesh = GetGraphicsSystem()->FindMesh(L"two.x");
    ASSERT_NE(mesh, nullptr);
    EXPECT_EQ(mesh->GetBoundingBox()->GetMin(), (TQR_Vector3{0.0f, 0.0f, 0.0f}));
    EXPECT_EQ(mesh->GetBoundingBox()->GetMax(), (TQR_Vector3{4.0f, 4.0f, 1.0f}));

    const TQR_Material first = mesh->GetFirstMaterial();
    EXPECT_EQ(first.m_diffuse, TQR_Color(26, 128, 64, 255)) << "0.1, 0.5, 0.25 rounded half away from zero";
    EXPECT_EQ(first.m_power, 5.0f);

    TQR_Material replacement;
    replacement.m_diffuse = TQR_Color(255, 0, 51, 255);
    replacement.m_power = 9.0f;
    mesh->SetFirstMaterial(replacement);
    EXPECT_EQ(mesh->GetFirstMaterial(), replacement);

    m_device.ClearRecords();
    mesh->Draw(false, false, TQR_Color());
    ASSERT_EQ(m_device.materials.size(), 2u);
    EXPECT_FLOAT_EQ(m_device.materials[0].Diffuse.b, 0.2f);
    EXPECT_FLOAT_EQ(m_device.materials[1].Diffuse.r, 0.2f) << "material 1 keeps its file value";
}

TEST_F(MeshResourceTest, DrawSetsMaterialTextureAndDrawsEachSubset)
{
    WriteImageFile("skin.png", 2, 2, 0xFFFF0000);
    WriteMeshFile("m.x", 1.0f, {"skin.png", ""});
    CreateContext();
    const TQRD3D_MeshResource* mesh = GetGraphicsSystem()->FindMesh(L"m.x");
    ASSERT_NE(mesh, nullptr);

    mesh->Draw(true, false, TQR_Color());
    EXPECT_THAT(m_device.log,
                ElementsAre("SetMaterial", "SetTextureStageState(0, 2, 2)", "SetTextureStageState(0, 1, 2)",
                            "SetTexture(0, texture)", "SetFVF(0x2)", "DrawIndexedPrimitiveUP", "SetMaterial",
                            "SetFVF(0x2)", "DrawIndexedPrimitiveUP"));
    m_device.ClearRecords();

    mesh->Draw(false, false, TQR_Color());
    EXPECT_TRUE(m_device.textures.empty()) << "textures are set only when used";
    EXPECT_EQ(m_device.draws.size(), 2u);
}

TEST_F(MeshResourceTest, UnlitDrawUsesBlankMaterialAndRestoresLighting)
{
    WriteImageFile("skin.png", 2, 2, 0xFFFF0000);
    WriteMeshFile("m.x", 1.0f, {"skin.png"});
    CreateContext();
    const TQRD3D_MeshResource* mesh = GetGraphicsSystem()->FindMesh(L"m.x");
    ASSERT_NE(mesh, nullptr);

    for (DWORD lighting : {TRUE, FALSE}) {
        SCOPED_TRACE(lighting);
        m_device.SetRenderState(D3DRS_LIGHTING, lighting);
        m_device.ClearRecords();
        mesh->Draw(false, true, TQR_Color(255, 0, 51, 102));
        EXPECT_THAT(m_device.log, ElementsAre("SetRenderState(137, 0)", "SetMaterial", "SetFVF(0x2)",
                                              "DrawIndexedPrimitiveUP",
                                              "SetRenderState(137, " + std::to_string(lighting) + ")"));
        ASSERT_EQ(m_device.materials.size(), 1u);
        const D3DMATERIAL9& blank = m_device.materials[0];
        EXPECT_EQ(blank.Diffuse.r + blank.Diffuse.a + blank.Ambient.g + blank.Specular.b + blank.Power, 0.0f);
        EXPECT_FLOAT_EQ(blank.Emissive.r, 1.0f);
        EXPECT_FLOAT_EQ(blank.Emissive.b, 0.2f);
        EXPECT_FLOAT_EQ(blank.Emissive.a, 0.4f);
    }

    // Unlit with textures keeps the file's material and shows the texture.
    m_device.ClearRecords();
    mesh->Draw(true, true, TQR_Color(255, 0, 51, 102));
    ASSERT_EQ(m_device.materials.size(), 1u);
    EXPECT_FLOAT_EQ(m_device.materials[0].Diffuse.r, 0.1f);
    EXPECT_EQ(m_device.textures.size(), 1u);
}

// Our mesh loader always yields at least one material; an entry that adopts a mesh without any
// shows what the drawing does then.
class MaterialFreeMesh : public TQRD3D_MeshResource {
public:
    bool LoadFromFile(const std::wstring& path) override
    {
        ID3DXMesh* mesh = nullptr;
        if (FAILED(D3DXCreateMeshFVF(1, 3, D3DXMESH_SYSTEMMEM, D3DFVF_XYZ, m_device, &mesh))) {
            return false;
        }
        Adopt(mesh, nullptr, 0, path);
        return true;
    }
};

TEST_F(MeshResourceTest, MeshWithoutMaterialsDrawsNothingAndHasDefaultMaterial)
{
    WriteMeshFile("bare.x", 1.0f);
    CreateContext();
    MaterialFreeMesh mesh;
    ASSERT_TRUE(mesh.Load(&m_device, L"bare.x"));
    mesh.Draw(true, true, TQR_Color(255, 255, 255, 255));
    EXPECT_TRUE(m_device.draws.empty());
    EXPECT_EQ(mesh.GetFirstMaterial(), TQR_Material());
    mesh.SetFirstMaterial(TQR_Material{TQR_Color(1, 2, 3, 4)});
    EXPECT_EQ(mesh.GetFirstMaterial(), TQR_Material());
    mesh.Unload();
}

TEST(ResourceNamesTest, FolderOfPathAndNarrowNames)
{
    const struct {
        std::wstring path;
        std::wstring folder;
    } folders[] = {
        {L"plane.x", L""},
        {L"./MeshFiles/plane.x", L"./MeshFiles/"},
        {L"a\\b\\plane.x", L"a\\b/"},
        {L"a\\b/c\\plane.x", L"a\\b/"},
    };
    for (const auto& row : folders) {
        SCOPED_TRACE(std::string(row.path.begin(), row.path.end()));
        EXPECT_EQ(FolderOfPath(row.path), row.folder);
    }
    EXPECT_EQ(WideFromNarrow("skin.png"), L"skin.png");
    EXPECT_EQ(WideFromNarrow("h\xC3\xA4ut.png"), L"h\u00E4ut.png") << "UTF-8 is decoded";
    EXPECT_EQ(WideFromNarrow("h\xE4ut.png"), L"h\u00E4ut.png") << "a stray byte stands for itself";
    EXPECT_EQ(WideFromNarrow("\xE2\x82"), L"\u00E2\u0082") << "a cut sequence is not read past its end";
}

TEST(MaterialConversionTest, ColoursRoundTripThroughDeviceMaterial)
{
    TQR_Material material;
    material.m_specular = TQR_Color(0, 127, 128, 255);
    material.m_power = 12.5f;
    const D3DMATERIAL9 converted = ToD3DMaterial(material);
    EXPECT_FLOAT_EQ(converted.Specular.g, 127.0f / 255.0f);
    EXPECT_FLOAT_EQ(converted.Ambient.a, 1.0f);
    EXPECT_EQ(FromD3DMaterial(converted), material);
}

} // namespace
