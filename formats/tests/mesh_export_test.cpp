#include "formats/mesh_export.h"

#include "base/testing/temp_folder.h"
#include "formats/height_range.h"
#include "formats/tests/obj_test_reader.h"
#include "formats/tests/test_terrain.h"

#include <QImage>
#include <gtest/gtest.h>
#include <tiny_gltf.h>

#include <cmath>
#include <cstring>
#include <filesystem>

namespace {

struct Box {
    std::array<float, 3> low{1e30f, 1e30f, 1e30f};
    std::array<float, 3> high{-1e30f, -1e30f, -1e30f};

    void Add(const float* point)
    {
        for (int i = 0; i < 3; ++i) {
            low[i] = std::min(low[i], point[i]);
            high[i] = std::max(high[i], point[i]);
        }
    }
    bool operator==(const Box&) const = default;
    friend std::ostream& operator<<(std::ostream& out, const Box& box)
    {
        return out << "(" << box.low[0] << ", " << box.low[1] << ", " << box.low[2] << ") to (" << box.high[0] << ", "
                   << box.high[1] << ", " << box.high[2] << ")";
    }
};

Box TerrainBox(const Heightfield& heights)
{
    const HeightRange range = RangeOf(heights).value();
    return Box{{-15.0f, range.low, -15.0f}, {15.0f, range.high, 15.0f}};
}

Box MeshBox(const TerrainMesh& mesh)
{
    Box box;
    for (std::size_t i = 0; i < mesh.VertexCount(); ++i) {
        box.Add(&mesh.positions[3 * i]);
    }
    return box;
}

float Length(const float* v) { return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); }

// A texture file in the given Qt format.
std::string SaveTexture(const TempFolder& folder, const char* name, const char* format)
{
    QImage image(8, 4, QImage::Format_RGB32);
    image.fill(QColor(200, 120, 40));
    const std::string path = folder.Path(name);
    image.save(QString::fromStdString(path), format);
    return path;
}

// An uncompressed 24-bit TGA 2.0 file, written by hand (Qt reads TGA only through its plugin,
// and only files with the 2.0 footer).
std::string SaveTga(const TempFolder& folder)
{
    std::string tga(18, '\0');
    tga[2] = 2;
    tga[12] = 2;
    tga[14] = 2;
    tga[16] = 24;
    tga += std::string(2 * 2 * 3, '\x7f');
    tga += std::string(8, '\0') + "TRUEVISION-XFILE." + '\0';
    const std::string path = folder.Path("texture.tga");
    TempFolder::Write(path, tga);
    return path;
}

struct GlbContents {
    tinygltf::Model model;
    std::string error;
};

GlbContents ReadGlb(const std::string& path)
{
    GlbContents glb;
    const std::string bytes = TempFolder::Read(path);
    std::string warning;
    tinygltf::TinyGLTF loader;
    loader.LoadBinaryFromMemory(&glb.model, &glb.error, &warning, reinterpret_cast<const unsigned char*>(bytes.data()),
                                static_cast<unsigned>(bytes.size()));
    return glb;
}

// The floats of an accessor (tightly packed, as the exporter writes them).
std::vector<float> Floats(const tinygltf::Model& model, int accessorIndex)
{
    const tinygltf::Accessor& accessor = model.accessors[static_cast<std::size_t>(accessorIndex)];
    const tinygltf::BufferView& view = model.bufferViews[static_cast<std::size_t>(accessor.bufferView)];
    const int components = accessor.type == TINYGLTF_TYPE_VEC3 ? 3 : 2;
    std::vector<float> values(accessor.count * static_cast<std::size_t>(components));
    std::memcpy(values.data(), model.buffers[0].data.data() + view.byteOffset + accessor.byteOffset,
                values.size() * sizeof(float));
    return values;
}

} // namespace

TEST(ExportMesh, ObjReadsBackWithTheTerrainsVerticesBoxAndUnitNormals)
{
    TempFolder folder;
    const Heightfield heights = TestTerrain(65);
    const std::string texture = SaveTexture(folder, "grass.png", "png");
    for (const bool textured : {false, true}) {
        SCOPED_TRACE(textured ? "textured" : "plain");
        const std::string path = folder.Path(textured ? "textured.obj" : "plain.OBJ");
        const Result<> exported = ExportMesh(path, heights, {textured ? texture : "", {}});
        ASSERT_TRUE(exported.ok()) << exported.reason();
        const ObjContents obj = ReadObj(TempFolder::Read(path));
        ASSERT_EQ(obj.error, "");
        ASSERT_EQ(obj.positions.size(), 65u * 65u);
        EXPECT_EQ(obj.normals.size(), obj.positions.size());
        EXPECT_EQ(obj.texCoords.size(), obj.positions.size());
        EXPECT_EQ(obj.faces.size(), 2u * 64u * 64u);
        Box box;
        for (const auto& position : obj.positions) {
            box.Add(position.data());
        }
        EXPECT_EQ(box, TerrainBox(heights));
        for (const auto& normal : obj.normals) {
            EXPECT_NEAR(Length(normal.data()), 1.0f, 1e-5f);
        }
        for (const auto& face : obj.faces) {
            for (const int index : face) {
                ASSERT_TRUE(index >= 1 && index <= static_cast<int>(obj.positions.size()));
            }
        }
        // Sample (0, 0) is the corner at x = -15, z = 15, the texture's top-left (OBJ's v = 1).
        EXPECT_EQ(obj.positions[0], (std::array<float, 3>{-15.0f, heights.At(0, 0), 15.0f}));
        EXPECT_EQ(obj.texCoords[0], (std::array<float, 2>{0.0f, 1.0f}));
        // A flat-ish region's normal points up; the first triangle winds counter-clockwise from above.
        const auto& f = obj.faces[0];
        const auto& a = obj.positions[f[0] - 1];
        const auto& b = obj.positions[f[3] - 1];
        const auto& c = obj.positions[f[6] - 1];
        EXPECT_GT((b[2] - a[2]) * (c[0] - a[0]) - (b[0] - a[0]) * (c[2] - a[2]), 0.0f);
        EXPECT_EQ(obj.materialFile, textured ? "textured.mtl" : "");
    }
    const std::string material = TempFolder::Read(folder.Path("textured.mtl"));
    EXPECT_NE(material.find("map_Kd textured_texture.png\n"), std::string::npos) << material;
    EXPECT_EQ(TempFolder::Read(folder.Path("textured_texture.png")), TempFolder::Read(texture));
}

TEST(ExportMesh, GlbReadsBackWithTheTextureEmbedded)
{
    TempFolder folder;
    const Heightfield heights = TestTerrain(33);
    struct Case {
        const char* name;
        std::string texture;
        std::string mimeType; // "" for no texture
    } const cases[] = {
        {"plain", "", ""},
        {"png", SaveTexture(folder, "t.png", "png"), "image/png"},
        {"jpeg", SaveTexture(folder, "t.jpg", "jpeg"), "image/jpeg"},
        {"bmp", SaveTexture(folder, "t.bmp", "bmp"), "image/png"},
        {"tga", SaveTga(folder), "image/png"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = folder.Path(std::string(c.name) + ".glb");
        const Result<> exported = ExportMesh(path, heights, {c.texture, {}});
        ASSERT_TRUE(exported.ok()) << exported.reason();
        const GlbContents glb = ReadGlb(path);
        ASSERT_EQ(glb.error, "");
        ASSERT_EQ(glb.model.meshes.size(), 1u);
        const tinygltf::Primitive& primitive = glb.model.meshes[0].primitives.at(0);
        const tinygltf::Accessor& positions = glb.model.accessors[primitive.attributes.at("POSITION")];
        EXPECT_EQ(positions.count, 33u * 33u);
        EXPECT_EQ(glb.model.accessors[primitive.indices].count, 6u * 32u * 32u);
        const Box expected = TerrainBox(heights);
        EXPECT_EQ(positions.minValues, (std::vector<double>{expected.low[0], expected.low[1], expected.low[2]}));
        EXPECT_EQ(positions.maxValues, (std::vector<double>{expected.high[0], expected.high[1], expected.high[2]}));
        const std::vector<float> normals = Floats(glb.model, primitive.attributes.at("NORMAL"));
        for (std::size_t i = 0; i < normals.size(); i += 3) {
            ASSERT_NEAR(Length(&normals[i]), 1.0f, 1e-5f);
        }
        const std::vector<float> texCoords = Floats(glb.model, primitive.attributes.at("TEXCOORD_0"));
        EXPECT_EQ(texCoords[2 * 33 * 33 - 1], 1.0f);
        ASSERT_EQ(glb.model.images.size(), c.mimeType.empty() ? 0u : 1u);
        if (!c.mimeType.empty()) {
            EXPECT_EQ(glb.model.images[0].mimeType, c.mimeType);
            EXPECT_GT(glb.model.images[0].width, 0);
            EXPECT_EQ(glb.model.materials[0].pbrMetallicRoughness.baseColorTexture.index, 0);
        }
    }
}

TEST(BuildTerrainMesh, SimplifiedMeshKeepsTheTerrainsBox)
{
    // Nearly flat with a faint dip and bump inside: the simplifier would flatten them away.
    Heightfield faint(129, 1.0f);
    faint.At(40, 70) = 1.001f;
    faint.At(90, 20) = 0.999f;
    struct Case {
        const char* name;
        Heightfield heights;
        MeshSimplification simplification;
        std::size_t mostTriangles;
    } const cases[] = {
        {"faint extremes, fewest triangles", faint, {2, 0.0f}, 2000},
        {"hills, to a count", TestTerrain(129), {3000, 0.0f}, 3000},
        {"hills, to an error", TestTerrain(129), {0, 0.5f}, 2 * 128 * 128 - 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TerrainMesh mesh = BuildTerrainMesh(c.heights, c.simplification);
        EXPECT_LE(mesh.TriangleCount(), c.mostTriangles);
        EXPECT_EQ(MeshBox(mesh), TerrainBox(c.heights));
        EXPECT_EQ(mesh.normals.size(), mesh.positions.size());
        EXPECT_EQ(mesh.texCoords.size(), 2 * mesh.VertexCount());
        // Every vertex is used, and only vertices that exist are.
        std::vector<bool> used(mesh.VertexCount());
        for (const std::uint32_t index : mesh.indices) {
            ASSERT_LT(index, mesh.VertexCount());
            used[index] = true;
        }
        EXPECT_EQ(std::count(used.begin(), used.end(), false), 0);
    }
}

TEST(ExportMesh, RefusesBadRequestsAndWritesNothing)
{
    TempFolder folder;
    TempFolder::Write(folder.Path("not_an_image.png"), "text");
    std::filesystem::create_directory(folder.Path("folder.obj"));
    struct Case {
        std::string path;
        std::string texture;
        std::string reason;
    } const cases[] = {
        {folder.Path("mesh.stl"), "", "its name does not end in .obj or .glb"},
        {folder.Path("mesh.obj"), folder.Path("missing.png"),
         "the texture \"" + folder.Path("missing.png") + "\" cannot be read: No such file or directory"},
        {folder.Path("mesh.glb"), folder.Path("not_an_image.png"),
         "the texture \"" + folder.Path("not_an_image.png") + "\" cannot be read: "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const Result<> exported = ExportMesh(c.path, TestTerrain(33), {c.texture, {}});
        EXPECT_TRUE(exported.reason().starts_with("cannot export \"" + c.path + "\": " + c.reason))
            << exported.reason();
    }
    EXPECT_EQ(ExportMesh(folder.Path("folder.obj"), TestTerrain(33), {}).reason(),
              "cannot write \"" + folder.Path("folder.obj") + "\": it is a folder");
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Root())) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"folder.obj", "not_an_image.png"}));
}
