#include "graphics_fixture.h"

#include "graphics/graphics_system.h"
#include "graphics/resource_files.h"
#include "platform/d3dx9/d3dx9.h"

#include <gmock/gmock.h>

#include <fstream>

using ::testing::AllOf;
using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::StartsWith;

namespace {

using ResourceTest = GraphicsTest;

TQRD3D_GraphicsSystem& Graphics() { return *GetGraphicsSystem(); }

TEST_F(ResourceTest, SameNameGivesSameEntryAndFileIsReadOnce)
{
    WriteMeshFile("sphere.x", 1.0f);
    EXPECT_EQ(Graphics().FindMesh(L"sphere.x"), nullptr) << "loaded before the device exists";
    EXPECT_EQ(Graphics().FindTexture(L"sphere.x", true), nullptr) << "loaded before the device exists";
    CreateDevice(m_mainWindow);
    EXPECT_EQ(Graphics().FindMesh(L"sphere.x", false), nullptr) << "loaded without create";
    TQRD3D_MeshResource* first = Graphics().FindMesh(L"sphere.x");
    ASSERT_NE(first, nullptr);
    std::filesystem::remove("sphere.x");
    EXPECT_EQ(Graphics().FindMesh(L"sphere.x"), first) << "the file was looked for again";
    EXPECT_EQ(Graphics().GetMeshes().Count(), 1);
    EXPECT_TRUE(m_statusTexts.empty());
}

TEST_F(ResourceTest, EntriesStayInOrdinalOrder)
{
    const std::vector<std::wstring> names = {L"b.x", L"a.x", L"Zebra.x", L"./a.x", L"ab.x", L"B.x", L"a"};
    CreateDevice(m_mainWindow);
    for (const std::wstring& name : names) {
        WriteMeshFile(std::string(name.begin(), name.end()), 1.0f);
        ASSERT_NE(Graphics().FindMesh(name), nullptr);
    }
    std::vector<std::wstring> order;
    for (int i = 0; i < Graphics().GetMeshes().Count(); ++i) {
        order.push_back(Graphics().GetMeshes().Get(i)->GetFileName());
        EXPECT_EQ(Graphics().FindMesh(order.back(), false), Graphics().GetMeshes().Get(i));
    }
    EXPECT_THAT(order, ElementsAre(L"./a.x", L"B.x", L"Zebra.x", L"a", L"a.x", L"ab.x", L"b.x"));
}

TEST_F(ResourceTest, FailuresAreReportedOnEveryRequestAndNotRemembered)
{
    std::ofstream("broken.x") << "xof 0303txt 0032\nMesh { 3; 0;0;0;, oops }";
    std::ofstream("broken.png") << "not an image";
    CreateDevice(m_mainWindow);
    EXPECT_EQ(Graphics().FindMesh(L""), nullptr);
    EXPECT_EQ(Graphics().FindTexture(L"", true), nullptr);
    for (int frame = 0; frame < 2; ++frame) {
        EXPECT_EQ(Graphics().FindMesh(L"gone.x"), nullptr);
        EXPECT_EQ(Graphics().FindMesh(L"broken.x"), nullptr);
        EXPECT_EQ(Graphics().FindTexture(L"broken.png", true), nullptr);
    }
    const std::wstring notFound = L"**ERROR** [gone.x]: file not found!";
    // The loader's reason follows in parentheses; the image decoder's own words are not pinned.
    const std::wstring meshFailed = L"**ERROR** [broken.x]: open for loading failed! (broken.x: line 2: expected a "
                                    L"number for vertex 1's x coordinate, found 'oops')";
    const auto textureFailed =
        AllOf(StartsWith(L"**ERROR** [broken.png]: open for loading failed! (broken.png: "), EndsWith(L")"));
    EXPECT_THAT(m_statusTexts, ElementsAre(notFound, meshFailed, textureFailed, notFound, meshFailed, textureFailed));
    WriteMeshFile("MeshFiles/gone.x", 1.0f);
    EXPECT_NE(Graphics().FindMesh(L"gone.x"), nullptr);
    EXPECT_EQ(Graphics().GetMeshes().Count(), 1);
}

TEST_F(ResourceTest, SearchFoldersAreTriedInOrder)
{
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"", "MeshFiles/"}, {"", "Textures/"}, {"Textures/", "MeshFiles/"}, {"MeshFiles/", ""}};
    for (const auto& [earlier, later] : rows) {
        SCOPED_TRACE("'" + earlier + "' before '" + later + "'");
        if (later.empty()) {
            std::filesystem::create_directories("m.x"); // a folder of that name is not the file
        } else {
            WriteMeshFile(later + "m.x", 7.0f);
        }
        WriteMeshFile(earlier + "m.x", 2.0f);
        CreateDevice(m_mainWindow);
        const TQRD3D_MeshResource* mesh = Graphics().FindMesh(L"m.x");
        ASSERT_NE(mesh, nullptr);
        EXPECT_EQ(mesh->GetBoundingBox()->GetMax().x, 2.0f);
        EXPECT_EQ(mesh->GetFileName(), L"m.x");
        Graphics().ReleaseResources();
        std::filesystem::remove(earlier + "m.x");
        std::filesystem::remove(later + "m.x");
    }
    WriteImageFile("MeshFiles/t.png", 1, 1, 0xFF000000);
    EXPECT_EQ(LocateResourceFile(L"t.png"), L"./MeshFiles/t.png");
}

TEST_F(ResourceTest, MeshTexturesComeFromNextToTheMeshAndBelongToIt)
{
    WriteImageFile("MeshFiles/skin.png", 2, 2, 0xFFFF0000);
    WriteImageFile("skin.png", 2, 2, 0xFF0000FF);
    WriteMeshFile("MeshFiles/plane.x", 1.0f, {"skin.png", "", "nowhere.png"});
    WriteMeshFile("near.x", 1.0f, {"skin.png"});
    // No fixed-size path buffer: a texture path of over 300 characters loads.
    const std::string deep = "MeshFiles/" + std::string(150, 'f') + "/" + std::string(150, 'g');
    WriteImageFile(deep + "/skin.png", 1, 1, 0xFF00FF00);
    WriteMeshFile(deep + "/deep.x", 1.0f, {"skin.png"});
    CreateDevice(m_mainWindow);

    const TQRD3D_MeshResource* plane = Graphics().FindMesh(L"plane.x");
    ASSERT_NE(plane, nullptr);
    ASSERT_EQ(plane->GetMaterialCount(), 3);
    ASSERT_NE(plane->GetSubsetTexture(0), nullptr);
    EXPECT_EQ(static_cast<RecordingTexture*>(plane->GetSubsetTexture(0))->Texel(1, 1), 0xFFFF0000u);
    EXPECT_EQ(plane->GetSubsetTexture(1), nullptr);
    EXPECT_EQ(plane->GetSubsetTexture(2), nullptr);
    const TQRD3D_MeshResource* near = Graphics().FindMesh(L"near.x");
    ASSERT_NE(near, nullptr);
    ASSERT_NE(near->GetSubsetTexture(0), nullptr);
    EXPECT_EQ(static_cast<RecordingTexture*>(near->GetSubsetTexture(0))->Texel(0, 0), 0xFF0000FFu);
    const TQRD3D_MeshResource* deepMesh = Graphics().FindMesh(std::wstring(deep.begin() + 10, deep.end()) + L"/deep.x");
    ASSERT_NE(deepMesh, nullptr);
    EXPECT_NE(deepMesh->GetSubsetTexture(0), nullptr);

    EXPECT_EQ(Graphics().GetTextures().Count(), 0);
    EXPECT_TRUE(m_statusTexts.empty()) << "a missing mesh texture is not reported";
}

// Names written on Windows find their texture by the last component too: next to the mesh, then
// in the search folders. Each row's texture has its own colour, so the texel shows which file
// was found.
TEST_F(ResourceTest, MeshTexturesNamedWithWindowsPathsAreFound)
{
    struct Row {
        std::string name;  // as the mesh file writes it
        std::string found; // where the texture is, relative to the working folder
    };
    const std::vector<Row> rows = {
        {R"(C:\art\skin.tga)", "MeshFiles/skin.tga"},
        {R"(C:\art\skin.tga)", "Textures/skin.tga"},
        {R"(.\skin.png)", "MeshFiles/skin.png"},
        {R"(sub\skin.png)", "MeshFiles/sub/skin.png"},
        {R"(sub\skin.png)", "MeshFiles/skin.png"},
        {"skin.png", "MeshFiles/skin.png"},
        {"skin.png", "Textures/skin.png"},
        {"sub/skin.png", "MeshFiles/sub/skin.png"},
        {"sub/skin.png", "Textures/skin.png"},
    };
    CreateDevice(m_mainWindow);
    for (size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(rows[i].name + " in " + rows[i].found);
        const DWORD colour = 0xFF000000u | static_cast<DWORD>(i + 1);
        WriteImageFile(rows[i].found, 1, 1, colour);
        WriteMeshFile("MeshFiles/plane.x", 1.0f, {rows[i].name});
        const TQRD3D_MeshResource* plane = Graphics().FindMesh(L"plane.x");
        ASSERT_NE(plane, nullptr);
        ASSERT_NE(plane->GetSubsetTexture(0), nullptr);
        EXPECT_EQ(static_cast<RecordingTexture*>(plane->GetSubsetTexture(0))->Texel(0, 0), colour);
        Graphics().ReleaseResources();
        CreateDevice(m_mainWindow);
        std::filesystem::remove_all("MeshFiles");
        std::filesystem::remove_all("Textures");
    }
}

TEST_F(ResourceTest, FirstMaterialAndBoundingBoxComeFromTheFile)
{
    WriteMeshFile("two.x", 4.0f, {"", ""});
    CreateDevice(m_mainWindow);
    TQRD3D_MeshResource* mesh = Graphics().FindMesh(L"two.x");
    ASSERT_NE(mesh, nullptr);
    EXPECT_EQ(mesh->GetBoundingBox()->GetMin(), (TQR_Vector3{0.0f, 0.0f, 0.0f}));
    EXPECT_EQ(mesh->GetBoundingBox()->GetMax(), (TQR_Vector3{4.0f, 4.0f, 1.0f}));
    // 0.1, 0.5 and 0.25 times 255, rounded half away from zero.
    EXPECT_EQ(mesh->GetFirstMaterial().m_diffuse, TQR_Color(26, 128, 64, 255));
    EXPECT_EQ(mesh->GetFirstMaterial().m_power, 5.0f);

    TQR_Material replacement;
    replacement.m_diffuse = TQR_Color(255, 0, 51, 255);
    replacement.m_power = 9.0f;
    mesh->SetFirstMaterial(replacement);
    EXPECT_EQ(mesh->GetFirstMaterial(), replacement);
    mesh->Draw(false, false, TQR_Color());
    ASSERT_EQ(m_device.materials.size(), 2u);
    EXPECT_FLOAT_EQ(m_device.materials[0].Diffuse.b, 0.2f);
    EXPECT_FLOAT_EQ(m_device.materials[1].Diffuse.r, 0.2f) << "material 1 keeps its file value";
}

TEST_F(ResourceTest, DrawSetsSubsetStatesAndUnlitDrawRestoresLighting)
{
    WriteImageFile("skin.png", 2, 2, 0xFFFF0000);
    WriteMeshFile("m.x", 1.0f, {"skin.png", ""});
    CreateDevice(m_mainWindow);
    const TQRD3D_MeshResource* mesh = Graphics().FindMesh(L"m.x");
    ASSERT_NE(mesh, nullptr);
    mesh->Draw(true, false, TQR_Color());
    EXPECT_THAT(m_device.log,
                ElementsAre("SetMaterial", "SetTextureStageState(0, 2, 2)", "SetTextureStageState(0, 1, 2)",
                            "SetTexture(0, texture)", "SetFVF(2)", "DrawIndexedPrimitiveUP", "SetMaterial", "SetFVF(2)",
                            "DrawIndexedPrimitiveUP"));
    EXPECT_FLOAT_EQ(m_device.materials.at(0).Diffuse.r, 0.1f);

    // Unlit without textures: the blank material, and lighting back as it was.
    for (DWORD lighting : {TRUE, FALSE}) {
        m_device.SetRenderState(D3DRS_LIGHTING, lighting);
        m_device.ClearRecords();
        mesh->Draw(false, true, TQR_Color(255, 0, 51, 102));
        EXPECT_THAT(m_device.log,
                    ElementsAre("SetRenderState(137, 0)", "SetMaterial", "SetFVF(2)", "DrawIndexedPrimitiveUP",
                                "SetMaterial", "SetFVF(2)", "DrawIndexedPrimitiveUP",
                                "SetRenderState(137, " + std::to_string(lighting) + ")"));
    }
    const D3DMATERIAL9& blank = m_device.materials.at(0);
    EXPECT_EQ(blank.Diffuse.r + blank.Diffuse.a + blank.Ambient.g + blank.Specular.b + blank.Power, 0.0f);
    EXPECT_EQ((std::array{blank.Emissive.r, blank.Emissive.g, blank.Emissive.b, blank.Emissive.a}),
              (std::array{1.0f, 0.0f, 0.2f, 0.4f}));
    // Unlit with textures keeps the file's materials.
    m_device.ClearRecords();
    mesh->Draw(true, true, TQR_Color(255, 0, 51, 102));
    EXPECT_EQ((std::tuple{m_device.materials.at(0).Diffuse.r, m_device.textures.size()}), (std::tuple{0.1f, 1u}));
}

// Our mesh loader always yields at least one material; this entry adopts a mesh without any.
class MaterialFreeMesh : public TQRD3D_MeshResource {
public:
    bool LoadFromFile(const std::wstring& path) override
    {
        ID3DXMesh* mesh = nullptr;
        D3DXCreateMeshFVF(1, 3, D3DXMESH_SYSTEMMEM, D3DFVF_XYZ, m_device.Get(), &mesh);
        Adopt(mesh, nullptr, 0, path);
        return mesh != nullptr;
    }
};

TEST_F(ResourceTest, MeshWithoutMaterialsDrawsNothingAndHasDefaultMaterial)
{
    WriteMeshFile("bare.x", 1.0f);
    CreateDevice(m_mainWindow);
    MaterialFreeMesh mesh;
    ASSERT_TRUE(mesh.Load(&m_device, L"bare.x"));
    mesh.Draw(true, true, TQR_Color(255, 255, 255, 255));
    EXPECT_TRUE(m_device.draws.empty());
    mesh.SetFirstMaterial(TQR_Material{TQR_Color(1, 2, 3, 4)});
    EXPECT_EQ(mesh.GetFirstMaterial(), TQR_Material());
    mesh.Unload();
}

TEST(ResourceNamesTest, TextureFolderAndNarrowNames)
{
    EXPECT_EQ(FolderOfPath(L"plane.x"), L"");
    EXPECT_EQ(FolderOfPath(L"./MeshFiles/plane.x"), L"./MeshFiles/");
    EXPECT_EQ(FolderOfPath(L"a\\b\\plane.x"), L"a\\b/");
    EXPECT_EQ(FolderOfPath(L"a\\b/c\\plane.x"), L"a\\b/") << "a slash is preferred to a backslash";
    EXPECT_EQ(WideFromNarrow("h\xC3\xA4ut.png"), L"h\u00E4ut.png") << "UTF-8 is decoded";
    EXPECT_EQ(WideFromNarrow("h\xE4ut.png"), L"h\u00E4ut.png") << "a stray byte stands for itself";
    EXPECT_EQ(WideFromNarrow("\xE2\x82"), L"\u00E2\u0082") << "a cut sequence is not read past its end";
}

} // namespace
