#include "platform/d3dx9/testing/binary_x_file.h"
#include "platform/d3dx9/x_file_parser.h"
#include "platform/d3dx9/x_file_writer.h"
#include "platform/d3dx9/x_mesh_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

Result<XFileContent> Parse(const std::string& text)
{
    return ParseXFile(std::span<const char>(text.data(), text.size()));
}

// Parsing and building, as loading a mesh file does.
Result<MeshGeometry> ParseAndBuild(std::span<const char> bytes)
{
    const Result<XFileContent> parsed = ParseXFile(bytes);
    if (!parsed) {
        return Failure{parsed.reason()};
    }
    return BuildMeshGeometry(parsed.value());
}

bool Loads(std::span<const char> bytes) { return ParseAndBuild(bytes).ok(); }

MeshGeometry Build(const std::string& text)
{
    Result<MeshGeometry> built = ParseAndBuild(text);
    EXPECT_TRUE(built) << built.reason();
    return built ? std::move(built).value() : MeshGeometry();
}

const std::string kHeader = "xof 0303txt 0032\n";

// A unit cube: 8 corners, 6 quads, normals per corner (one per face), texture coordinates,
// two materials, all inside a frame.
const std::string kCube = kHeader + R"(Frame Box {
 FrameTransformMatrix { 1,0,0,0, 0,1,0,0, 0,0,1,0, 0,0,0,1;; }
 Mesh Cube {
  8;
  0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;, 0;0;1;, 1;0;1;, 1;1;1;, 0;1;1;;
  6;
  4;0,3,2,1;, 4;4,5,6,7;, 4;0,1,5,4;, 4;2,3,7,6;, 4;0,4,7,3;, 4;1,2,6,5;;
  MeshNormals {
   6; 0;0;-1;, 0;0;1;, 0;-1;0;, 0;1;0;, -1;0;0;, 1;0;0;;
   6; 4;0,0,0,0;, 4;1,1,1,1;, 4;2,2,2,2;, 4;3,3,3,3;, 4;4,4,4,4;, 4;5,5,5,5;;
  }
  MeshTextureCoords { 8; 0;0;, 1;0;, 1;1;, 0;1;, 0;0;, 1;0;, 1;1;, 0;1;; }
  MeshMaterialList {
   2; 6; 0,0,1,1,0,1;
   Material Red { 1;0;0;1;; 5; 1;1;1;; 0;0;0;; TextureFilename { "red.png"; } }
   Material { 0;0;1;0.5;; 0; 0;0;0;; 0;0;0;; }
  }
 }
}
)";

// The same small mesh written in the strict style and in the ways real files drift from it.
const std::string kStrictTriangle = kHeader + R"(Mesh {
 4;
 0.0;0.0;0.0;,
 1.0;0.0;0.0;,
 1.0;1.0;0.0;,
 0.0;1.0;0.0;;
 2;
 3;0,1,2;,
 3;0,2,3;;
 MeshMaterialList {
  1;
  2;
  0,
  0;;
  Material {
   0.5;0.25;1.0;1.0;;
   2.0;
   0.0;0.0;0.0;;
   0.0;0.0;0.0;;
   TextureFilename {
    "stone.bmp";
   }
  }
 }
}
)";

void ExpectSameMesh(const XFileContent& expected, const XFileContent& actual)
{
    ASSERT_EQ(expected.meshes.size(), actual.meshes.size());
    for (size_t m = 0; m < expected.meshes.size(); ++m) {
        const XMesh& a = expected.meshes[m];
        const XMesh& b = actual.meshes[m];
        EXPECT_EQ(a.positions, b.positions);
        EXPECT_EQ(a.faces, b.faces);
        EXPECT_EQ(a.faceMaterials, b.faceMaterials);
        ASSERT_EQ(a.materials.size(), b.materials.size());
        for (size_t i = 0; i < a.materials.size(); ++i) {
            EXPECT_EQ(a.materials[i].textureFileName, b.materials[i].textureFileName);
            EXPECT_EQ(a.materials[i].material.Diffuse.b, b.materials[i].material.Diffuse.b);
            EXPECT_EQ(a.materials[i].material.Power, b.materials[i].material.Power);
        }
    }
}

TEST(XFileReader, CubeQuadsAreFanTriangulatedWithFaceMaterials)
{
    const MeshGeometry cube = Build(kCube);
    ASSERT_EQ(cube.TriangleCount(), 12u);
    // Face 0 is the quad 0,3,2,1: its fan is (0,3,2), (0,2,1).
    const std::vector<DWORD> firstFace(cube.indices.begin(), cube.indices.begin() + 6);
    EXPECT_EQ(firstFace, (std::vector<DWORD>{0, 3, 2, 0, 2, 1}));
    EXPECT_EQ(cube.attributes, (std::vector<DWORD>{0, 0, 0, 0, 1, 1, 1, 1, 0, 0, 1, 1}));
    ASSERT_EQ(cube.materials.size(), 2u);
    EXPECT_EQ(cube.materials[0].textureFileName, "red.png");
    EXPECT_EQ(cube.materials[0].material.Power, 5.0f);
    EXPECT_EQ(cube.materials[0].material.Specular.g, 1.0f);
    EXPECT_EQ(cube.materials[1].material.Diffuse.a, 0.5f);
    EXPECT_TRUE(cube.materials[1].textureFileName.empty());
    EXPECT_EQ(cube.Fvf(), D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1);
}

// Each corner of the cube meets three faces with three different normals: the file's eight
// vertices keep their place with the first normal they meet, and two copies of each follow.
TEST(XFileReader, VerticesAreSplitOnlyWhereCornerNormalsDiffer)
{
    const MeshGeometry cube = Build(kCube);
    ASSERT_EQ(cube.positions.size(), 24u);
    const Result<XFileContent> parsed = Parse(kCube);
    for (size_t v = 0; v < 8; ++v) {
        EXPECT_EQ(cube.positions[v], parsed.value().meshes[0].positions[v]) << "vertex " << v;
    }
    EXPECT_EQ(cube.normals[0], D3DXVECTOR3(0, 0, -1)); // first met in face 0
    EXPECT_EQ(cube.normals[4], D3DXVECTOR3(0, 0, 1));  // first met in face 1
    // Face 2 (0,1,5,4) has normal (0,-1,0): vertex 0 is copied, as vertex 8.
    EXPECT_EQ(cube.indices[12], 8u);
    EXPECT_EQ(cube.positions[8], cube.positions[0]);
    EXPECT_EQ(cube.normals[8], D3DXVECTOR3(0, -1, 0));
    EXPECT_EQ(cube.texCoords[8], cube.texCoords[0]);

    const std::string perVertexNormals = kHeader + "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; "
                                                   "MeshNormals { 3; 0;0;1;, 0;0;1;, 0;0;1;; 1; 3;0,1,2;; } }";
    EXPECT_EQ(Build(perVertexNormals).positions.size(), 3u);
}

TEST(XFileReader, DriftingSyntaxReadsAsTheStrictForm)
{
    const Result<XFileContent> strict = Parse(kStrictTriangle);
    ASSERT_TRUE(strict.ok()) << strict.reason();
    const std::vector<std::pair<const char*, std::string>> variants = {
        {"no separators", kHeader + "Mesh { 4 0 0 0 1 0 0 1 1 0 0 1 0 2 3 0 1 2 3 0 2 3 MeshMaterialList { 1 2 0 0 "
                                    "Material { 0.5 0.25 1 1 2 0 0 0 0 0 0 TextureFilename { \"stone.bmp\" } } } }"},
        {"extra separators", kHeader + "Mesh {;; 4;;; 0;0;0;;, 1,0,0;,, 1;1;0;;; 0;1;0;;;; 2;; 3;0,1,2;;; 3;0;2;3;;;"
                                       " MeshMaterialList { 1;; 2;; 0;, 0;;; Material { 0.5;0.25;1;1;;; 2;; 0;0;0;;;"
                                       " 0;0;0;;; TextureFilename { \"stone.bmp\";; } } } }"},
        {"comments and CR LF", kHeader + "// exported\r\nMesh { # vertices\r\n 4; 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;; "
                                         "// faces\r\n 2; 3;0,1,2;, 3;0,2,3;; MeshMaterialList { 1; 2; 0,0; "
                                         "Material { 0.5;0.25;1;1;; 2; 0;0;0;; 0;0;0;; TextureFilename { "
                                         "\"stone.bmp\"; } } } }\r\n"},
        {"header without newline and templates",
         "xof 0303txt 0032template Mesh { <3D82AB44-62DA-11cf-AB39-0020AF71E433> DWORD nVertices; "
         "array Vector vertices[nVertices]; [...] }\n" +
             kStrictTriangle.substr(kHeader.size())},
        {"unknown objects", kHeader + "Header { 1; 0; 1; } AnimationSet { Animation { { Cube } } }\n"
                                      "Mesh named { <01234567-0000-0000-0000-000000000000> 4; 0;0;0;, 1;0;0;, 1;1;0;, "
                                      "0;1;0;; 2; 3;0,1,2;, 3;0,2,3;; VertexDuplicationIndices { 4; 4; 0,1,2,3; } "
                                      "XSkinMeshHeader { 1; 2; 3; } MeshMaterialList { 1; 2; 0,0; Material { "
                                      "0.5;0.25;1;1;; 2; 0;0;0;; 0;0;0;; EffectInstance { \"x.fx\"; } "
                                      "TextureFilename { \"stone.bmp\"; } } } }"},
        {"names in other cases", kHeader + "MESH { 4; 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;; 2; 3;0,1,2;, 3;0,2,3;; "
                                           "meshmateriallist { 1; 2; 0,0; material { 0.5;0.25;1;1;; 2; 0;0;0;; "
                                           "0;0;0;; TextureFileName { \"stone.bmp\"; } } } }"},
    };
    for (const auto& [name, text] : variants) {
        SCOPED_TRACE(name);
        const Result<XFileContent> parsed = Parse(text);
        ASSERT_TRUE(parsed.ok()) << parsed.reason();
        ExpectSameMesh(strict.value(), parsed.value());
    }
}

TEST(XFileReader, StringsUndoubleBackslashesAndEscapedQuotes)
{
    const Result<XFileContent> parsed = Parse(kHeader + R"(Material M { 1;1;1;1;; 0; 0;0;0;; 0;0;0;;
        TextureFilename { "maps\\rock \"big\".png"; } }
        Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; MeshMaterialList { 1; 1; 0; { M } } })");
    ASSERT_TRUE(parsed.ok()) << parsed.reason();
    EXPECT_EQ(parsed.value().meshes[0].materials[0].textureFileName, "maps\\rock \"big\".png");
}

TEST(XFileReader, MaterialReferencesResolveByNameCaseOrGuid)
{
    const std::string text = kHeader + R"(
Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 3; 3;0,1,2;, 3;0,2,1;, 3;1,2,0;;
 MeshMaterialList { 3; 3; 0,1,2; { Later } { later } { <AAAA0000-0000-0000-0000-000000000001> } }
}
Material Later { 0;1;0;1;; 7; 0;0;0;; 0;0;0;; TextureFilename { "late.png"; } }
Material Other { <AAAA0000-0000-0000-0000-000000000001> 0;0;1;1;; 3; 0;0;0;; 0;0;0;; }
)";
    const Result<XFileContent> parsed = Parse(text);
    ASSERT_TRUE(parsed.ok()) << parsed.reason();
    const std::vector<MeshMaterial>& materials = parsed.value().meshes[0].materials;
    ASSERT_EQ(materials.size(), 3u);
    EXPECT_EQ(materials[0].textureFileName, "late.png");
    EXPECT_EQ(materials[1].material.Power, 7.0f);
    EXPECT_EQ(materials[2].material.Diffuse.b, 1.0f);
    EXPECT_EQ(materials[2].material.Power, 3.0f);
}

TEST(XFileReader, UndefinedNumberSpellingsReadAsZero)
{
    const Result<XFileContent> parsed = Parse(kHeader + "Mesh { 3; -1.#IND00;1.#QNAN0;2.5;, 1.#INF00;-1.#SNAN;1e1;, "
                                                        "0;1;-2.5e-1;; 1; 3;0,1,2;; }");
    ASSERT_TRUE(parsed.ok()) << parsed.reason();
    const std::vector<D3DXVECTOR3>& p = parsed.value().meshes[0].positions;
    EXPECT_EQ(p[0], D3DXVECTOR3(0, 0, 2.5f));
    EXPECT_EQ(p[1], D3DXVECTOR3(0, 0, 10));
    EXPECT_EQ(p[2], D3DXVECTOR3(0, 1, -0.25f));
}

// FLT_MAX's shortest digits ("3.4028235e+38") lie just above it. A binary file with -FLT_MAX
// in its positions (found by fuzzing) once built a mesh whose written text did not read back.
TEST(XFileReader, FloatsThatRoundToFltMaxReadAndSurviveARoundTrip)
{
    const Result<XFileContent> text = Parse(kHeader + "Mesh { 3; 3.4028235e+38;-3.4028235e+38;0;, 1;0;0;, 0;1;0;; "
                                                      "1; 3;0,1,2;; }");
    ASSERT_TRUE(text.ok()) << text.reason();
    EXPECT_EQ(text.value().meshes[0].positions[0], D3DXVECTOR3(FLT_MAX, -FLT_MAX, 0));

    std::ifstream in(std::string(RELIEF_SOURCE_DIR) + "/platform/d3dx9/tests/data/float_max_binary.x",
                     std::ios::binary);
    const std::string binary((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const Result<MeshGeometry> built = ParseAndBuild(binary);
    ASSERT_TRUE(built) << built.reason();
    const MeshGeometry& geometry = built.value();
    ASSERT_TRUE(std::any_of(geometry.positions.begin(), geometry.positions.end(),
                            [](const D3DXVECTOR3& p) { return p.x == -FLT_MAX; }));
    const MeshGeometry again = Build(WriteXText(geometry));
    EXPECT_EQ(again.positions, geometry.positions);
    EXPECT_EQ(again.indices, geometry.indices);
}

TEST(XFileReader, ShortFaceMaterialListRepeatsTheLastIndex)
{
    const Result<XFileContent> parsed =
        Parse(kHeader + "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 4; 3;0,1,2;, 3;0,2,1;, 3;1,2,0;, "
                        "3;2,1,0;; MeshMaterialList { 2; 2; 0,1; Material { 1;1;1;1;; 0; "
                        "0;0;0;; 0;0;0;; } Material { 1;0;0;1;; 0; 0;0;0;; 0;0;0;; } } }");
    ASSERT_TRUE(parsed.ok()) << parsed.reason();
    EXPECT_EQ(parsed.value().meshes[0].faceMaterials, (std::vector<DWORD>{0, 1, 1, 1}));
}

// Two meshes: one in a scaled frame inside a translated frame, one at the top level without
// materials. They merge into one mesh with the placed positions and three subsets.
TEST(XFileReader, FrameTransformsPlaceMergedMeshes)
{
    const MeshGeometry merged = Build(kHeader + R"(
Frame Outer {
 FrameTransformMatrix { 1,0,0,0, 0,1,0,0, 0,0,1,0, 10,20,30,1;; }
 Frame Inner {
  Mesh { 3; 1;0;0;, 0;1;0;, 0;0;1;; 1; 3;0,1,2;;
   MeshNormals { 1; 1;1;0;; 1; 3;0,0,0;; }
   MeshMaterialList { 2; 1; 1; Material { 1;0;0;1;; 0; 0;0;0;; 0;0;0;; } Material { 0;1;0;1;; 0; 0;0;0;; 0;0;0;; } }
  }
  FrameTransformMatrix { 2,0,0,0, 0,4,0,0, 0,0,1,0, 0,0,0,1;; }
 }
}
Mesh { 3; 5;5;5;, 6;5;5;, 5;6;5;; 1; 3;0,1,2;; }
)");
    ASSERT_EQ(merged.positions.size(), 6u);
    EXPECT_EQ(merged.positions[0], D3DXVECTOR3(12, 20, 30));
    EXPECT_EQ(merged.positions[1], D3DXVECTOR3(10, 24, 30));
    EXPECT_EQ(merged.positions[2], D3DXVECTOR3(10, 20, 31));
    EXPECT_EQ(merged.positions[3], D3DXVECTOR3(5, 5, 5));
    // The normal (1,1,0) under scaling (2,4,1) follows the inverse transpose: (1/2, 1/4, 0).
    EXPECT_NEAR(merged.normals[0].x, 2.0f / std::sqrt(5.0f), 1e-6f);
    EXPECT_NEAR(merged.normals[0].y, 1.0f / std::sqrt(5.0f), 1e-6f);
    EXPECT_EQ(merged.normals[3], D3DXVECTOR3(0, 0, 0));
    EXPECT_EQ(merged.indices, (std::vector<DWORD>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(merged.attributes, (std::vector<DWORD>{1, 2}));
    ASSERT_EQ(merged.materials.size(), 3u);
    EXPECT_EQ(merged.materials[2].material.Diffuse.r, 1.0f); // the default material
}

struct BadInput {
    const char* name;
    std::string text;
    const char* error;
};

TEST(XFileReader, MalformedInputFailsWithAReason)
{
    const std::string mesh3 = "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; ";
    std::string deepFrames;
    for (int i = 0; i < 200; ++i) {
        deepFrames += "Frame { ";
    }
    const std::vector<BadInput> inputs = {
        {"empty", "", "too short"},
        {"wrong magic case", "xOf 0303txt 0032 Mesh {}", "not an X file"},
        {"unknown version", "xof 0304txt 0032", "version '0304'"},
        {"unknown format", "xof 0303abc 0032", "format 'abc '"},
        {"float size", "xof 0303txt 0016", "float size '0016'"},
        {"compressed", "xof 0303tzip0032", "compressed X files are not supported"},
        {"huge vertex count", kHeader + "Mesh { 1000000; 0;0;0;; }", "exceeds what is left"},
        {"huge face corner count", kHeader + "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 4000000000; 0,1,2;; }",
         "exceeds what is left"},
        {"index out of range", kHeader + "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,3;; }", "index 3 of only 3"},
        {"face with two indices", kHeader + "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 2;0,1;; }", "at least 3"},
        {"name where a number belongs", kHeader + "Mesh { 3; 0;0;0;, 1;0;0;, 0;one;0;; }", "found 'one'"},
        {"brace where a number belongs", kHeader + "Mesh { 3; 0;0;0;, 1;0;0; }", "found '}'"},
        {"negative count", kHeader + "Mesh { -3; }", "whole number"},
        {"fractional count", kHeader + "Mesh { 2.5; }", "whole number"},
        {"float out of range", kHeader + "Mesh { 1; 1e39;0;0;; }", "vertex 0's x coordinate is 1e39, out of the range"},
        {"float rounding past FLT_MAX", kHeader + "Mesh { 1; 3.4028236e+38;0;0;; }", "out of the range"},
        {"unterminated string",
         kHeader + mesh3 +
             "MeshMaterialList { 1; 1; 0; Material { 1;1;1;1;; 0; 0;0;0;; "
             "0;0;0;; TextureFilename { \"a.png",
         "unterminated string"},
        {"missing closing brace", kHeader + mesh3, "end of file inside 'Mesh'"},
        {"stray character", kHeader + "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; } @", "unexpected character"},
        {"texture coordinate count", kHeader + mesh3 + "MeshTextureCoords { 2; 0;0;, 1;1;; } }", "2 coordinates for 3"},
        {"vertex colour count", kHeader + mesh3 + "MeshVertexColors { 1; 0;1;1;1;1;;; } }", "1 colours for 3"},
        {"normal face count", kHeader + mesh3 + "MeshNormals { 1; 0;0;1;; 2; 3;0,0,0;, 3;0,0,0;; } }", "2 faces for 1"},
        {"normal face corners", kHeader + mesh3 + "MeshNormals { 1; 0;0;1;; 1; 4;0,0,0,0;; } }", "4 indices"},
        {"normal index", kHeader + mesh3 + "MeshNormals { 1; 0;0;1;; 1; 3;0,1,0;; } }", "index 1 of only 1"},
        {"material index",
         kHeader + mesh3 + "MeshMaterialList { 1; 1; 1; Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; } } }",
         "face material index 1"},
        {"material count",
         kHeader + mesh3 + "MeshMaterialList { 2; 1; 0; Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; } } }",
         "declares 2 materials but holds 1"},
        {"unresolved reference", kHeader + mesh3 + "MeshMaterialList { 1; 1; 0; { Missing } } }",
         "no material named 'Missing'"},
        {"frames nested too deeply", kHeader + deepFrames, "objects nested more than 128 deep"},
        {"no mesh", kHeader + "Frame { }", "holds no mesh"},
    };
    for (const BadInput& input : inputs) {
        SCOPED_TRACE(input.name);
        const Result<MeshGeometry> built = ParseAndBuild(input.text);
        ASSERT_FALSE(built);
        EXPECT_NE(built.reason().find(input.error), std::string::npos) << built.reason();
    }
}

TEST(XFileReader, ErrorsNameTheLine)
{
    const Result<XFileContent> parsed = Parse(kHeader + "Mesh {\n 3;\n 0;0;0;,\n 1;0;0;,\n 0;x;0;;\n}");
    EXPECT_EQ(parsed.reason(), "line 6: expected a number for vertex 2's y coordinate, found 'x'");
}

// A number a float cannot hold is named by what it is and where, with its value.
TEST(XFileReader, OutOfRangeNumbersAreNamed)
{
    const std::string mesh3 = "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; ";
    BinaryXFile binary;
    binary.Name("Mesh").Open().Integers({2}).Floats({0, 0, 0, 1, 0, -INFINITY});
    const std::vector<std::pair<std::string, std::string>> rows = {
        {kHeader + "Mesh { 4; 0;0;0;, 1;0;0;, 0;1;0;,\n 1e39;0;0;; }",
         "line 3: vertex 3's x coordinate is 1e39, out of the range of a float"},
        {kHeader + mesh3 + "MeshNormals { 1; 0;-4e38;1;; } }",
         "line 2: normal 0's y coordinate is -4e38, out of the range of a float"},
        {kHeader + mesh3 + "MeshTextureCoords { 3; 0;0;, 1;0;, 0;1e300;; } }",
         "line 2: texture coordinate 2's v is 1e300, out of the range of a float"},
        {kHeader + mesh3 + "MeshMaterialList { 1; 1; 0; Material { 1;1;1;1;; 1e40; 0;0;0;; 0;0;0;; } } }",
         "line 2: the material's power is 1e40, out of the range of a float"},
        {kHeader + "Frame { FrameTransformMatrix { 1,0,0,0, 0,1,0,0, 0,0,1,0, 0,9e99,0,1;; } }",
         "line 2: frame transform element 13 is 9e99, out of the range of a float"},
        {binary.Bytes(), "byte 64: vertex 1's z coordinate is -inf, out of the range of a float"},
    };
    for (const auto& [file, reason] : rows) {
        SCOPED_TRACE(reason);
        EXPECT_EQ(Parse(file).reason(), reason);
    }
}

TEST(XFileReader, EveryTruncationOfAValidFileFails)
{
    ASSERT_TRUE(Loads(kCube));
    const size_t complete = kCube.rfind('}') + 1;
    for (size_t length = 0; length < complete; ++length) {
        ASSERT_FALSE(Loads(std::span<const char>(kCube.data(), length))) << "length " << length;
    }
}

// What a mesh built from any accepted file must satisfy before it reaches the mesh buffers.
::testing::AssertionResult IsConsistent(const MeshGeometry& g)
{
    const size_t vertices = g.positions.size();
    auto fits = [vertices](size_t size) { return size == 0 || size == vertices; };
    if (!fits(g.normals.size()) || !fits(g.colors.size()) || !fits(g.texCoords.size())) {
        return ::testing::AssertionFailure() << "a vertex part's size differs from " << vertices << " vertices";
    }
    for (DWORD index : g.indices) {
        if (index >= vertices) {
            return ::testing::AssertionFailure() << "index " << index << " of " << vertices << " vertices";
        }
    }
    for (DWORD attribute : g.attributes) {
        if (attribute >= g.materials.size()) {
            return ::testing::AssertionFailure() << "subset " << attribute << " of " << g.materials.size();
        }
    }
    return ::testing::AssertionResult(g.attributes.size() * 3 == g.indices.size());
}

// Every byte of a valid file replaced by syntax, digits or junk: reading never goes wrong
// silently; what is accepted builds a consistent mesh and what is refused says why.
void ExpectEveryCorruptionHandled(const std::string& valid)
{
    const char replacements[] = {'{', '}', '"', '<', '9', '-', ';', '#', '\0', '\xFF', '\x07'};
    for (size_t i = 0; i < valid.size(); ++i) {
        for (char c : replacements) {
            std::string bytes = valid;
            bytes[i] = c;
            const Result<MeshGeometry> built = ParseAndBuild(bytes);
            ASSERT_NE(built.ok(), !built.reason().empty()) << "byte " << i << " = " << int(c);
            if (built) {
                ASSERT_TRUE(IsConsistent(built.value())) << "byte " << i << " = " << int(c);
            }
        }
    }
}

TEST(XFileReader, CorruptedTextBytesAreHandled) { ExpectEveryCorruptionHandled(kCube); }

// Number lists ignore the structure: one integer list holds the face count and every face.
TEST(XFileReader, BinaryFilesReadNumbersAcrossListBoundaries)
{
    BinaryXFile file;
    file.Word(31).Name("Mesh").Open().Word(16).Word(40).Word(17).Close(); // a template, skipped
    file.Name("Mesh").Name("quad").Open().Integers({4}).Floats({0, 0, 0, 1, 0, 0, 1, 1, 0}).Floats({0, 1, 0});
    file.Integers({1, 4, 0, 1, 2, 3});
    file.Name("MeshMaterialList").Open().Integers({1, 1, 0});
    file.Name("Material").Open().Floats({1, 0.5f, 0.25f, 1, 8, 0, 0, 0, 0, 0, 0});
    file.Name("TextureFilename").Open().String("quad.png").Close().Close().Close().Close();

    const std::string& bytes = file.Bytes();
    const Result<XFileContent> parsed = ParseXFile(std::span<const char>(bytes.data(), bytes.size()));
    ASSERT_TRUE(parsed.ok()) << parsed.reason();
    const XMesh& mesh = parsed.value().meshes.at(0);
    EXPECT_EQ(mesh.name, "quad");
    EXPECT_EQ(mesh.positions[2], D3DXVECTOR3(1, 1, 0));
    EXPECT_EQ(mesh.faces, (std::vector<std::vector<DWORD>>{{0, 1, 2, 3}}));
    EXPECT_EQ(mesh.materials.at(0).textureFileName, "quad.png");
    EXPECT_EQ(mesh.materials.at(0).material.Power, 8.0f);

    for (size_t length = 0; length < bytes.size(); ++length) {
        ASSERT_FALSE(Loads(std::span<const char>(bytes.data(), length))) << "length " << length;
    }
    ExpectEveryCorruptionHandled(bytes);
}

} // namespace
