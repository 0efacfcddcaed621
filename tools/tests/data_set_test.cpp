#include "mesh_checks.h"

#include "platform/d3d9/com_ptr.h"
#include "tools/airplane_model.h"
#include "tools/airplane_skin_layout.h"
#include "tools/data_set.h"
#include "tools/mesh_builder.h"

#include <QImageReader>
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <numbers>
#include <string>

namespace fs = std::filesystem;

namespace {

struct LoadedMesh {
    ComPtr<ID3DXMesh> mesh;
    std::vector<std::string> textureNames; // "" where a material names none
    MeshArrays arrays;
    D3DXVECTOR3 min;
    D3DXVECTOR3 max;
};

// Generates the data set once into a fresh folder for the whole suite.
class DataSetTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_root = fs::temp_directory_path() / ("relief_data_set_" + std::to_string(::getpid()));
        fs::remove_all(s_root);
        const Result<> written = WriteDataSet(s_root);
        s_written = written.ok();
        s_error = written.reason();
    }
    static void TearDownTestSuite() { fs::remove_all(s_root); }

    void SetUp() override { ASSERT_TRUE(s_written) << s_error; }

    static LoadedMesh Load(const std::string& name)
    {
        LoadedMesh loaded;
        ID3DXMesh* mesh = nullptr;
        ID3DXBuffer* materials = nullptr;
        DWORD count = 0;
        const fs::path path = s_root / kMeshFolder / name;
        EXPECT_EQ(D3DXLoadMeshFromXW(path.wstring().c_str(), D3DXMESH_SYSTEMMEM, nullptr, nullptr, &materials, nullptr,
                                     &count, &mesh),
                  D3D_OK)
            << D3DXGetLastErrorMessage();
        loaded.mesh = ComPtr<ID3DXMesh>::Adopt(mesh);
        if (mesh == nullptr) {
            return loaded;
        }
        const auto* entries = static_cast<const D3DXMATERIAL*>(materials->GetBufferPointer());
        for (DWORD i = 0; i < count; ++i) {
            loaded.textureNames.push_back(entries[i].pTextureFilename == nullptr ? "" : entries[i].pTextureFilename);
        }
        materials->Release();
        loaded.arrays = ReadMeshArrays(mesh);
        D3DXComputeBoundingBox(loaded.arrays.positions.data(), static_cast<DWORD>(loaded.arrays.positions.size()),
                               sizeof(D3DXVECTOR3), &loaded.min, &loaded.max);
        return loaded;
    }

    static inline fs::path s_root;
    static inline bool s_written = false;
    static inline std::string s_error;
};

struct UnitShape {
    const char* file;
    double volume; // of the ideal shape; the faceted one is slightly smaller
};

const UnitShape kUnitShapes[] = {
    {"sphere.x", 4.0 / 3.0 * std::numbers::pi},
    {"cylinder.x", 2.0 * std::numbers::pi},
    {"cone.x", 2.0 / 3.0 * std::numbers::pi},
};

std::string Contents(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every regular file below root, by its path relative to root.
std::map<std::string, fs::path> FilesBelow(const fs::path& root)
{
    std::map<std::string, fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) {
            files[fs::relative(entry.path(), root).generic_string()] = entry.path();
        }
    }
    return files;
}

} // namespace

TEST_F(DataSetTest, UnitShapesFillTheCubeFromMinusOneToOneAndFaceOutwards)
{
    for (const UnitShape& shape : kUnitShapes) {
        SCOPED_TRACE(shape.file);
        const LoadedMesh loaded = Load(shape.file);
        ASSERT_NE(loaded.mesh.Get(), nullptr);
        EXPECT_EQ(loaded.arrays.fvf, MeshBuilder::kFvf);
        EXPECT_EQ(loaded.textureNames, std::vector<std::string>{""});
        for (float coordinate : {loaded.min.x, loaded.min.y, loaded.min.z}) {
            EXPECT_FLOAT_EQ(coordinate, -1.0f);
        }
        for (float coordinate : {loaded.max.x, loaded.max.y, loaded.max.z}) {
            EXPECT_FLOAT_EQ(coordinate, 1.0f);
        }
        EXPECT_EQ(UnpairedEdges(loaded.arrays), 0u);
        EXPECT_NEAR(SignedVolume(loaded.arrays), shape.volume, 0.05 * shape.volume);
        EXPECT_LE(loaded.mesh->GetNumFaces(), 2000u);
    }
}

TEST_F(DataSetTest, EveryFaceAgreesWithTheNormalsOfItsCorners)
{
    for (const char* file : {"sphere.x", "cylinder.x", "cone.x", "airplane 2.x"}) {
        SCOPED_TRACE(file);
        const LoadedMesh loaded = Load(file);
        ASSERT_EQ(loaded.arrays.normals.size(), loaded.arrays.positions.size());
        size_t disagreeing = 0;
        for (size_t t = 0; t < loaded.arrays.subsets.size(); ++t) {
            const D3DXVECTOR3 face = FaceNormal(loaded.arrays, t);
            for (size_t corner = 0; corner < 3; ++corner) {
                const D3DXVECTOR3& normal = loaded.arrays.normals[loaded.arrays.indices[3 * t + corner]];
                EXPECT_NEAR(D3DXVec3Length(&normal), 1.0f, 1e-4f);
                disagreeing += D3DXVec3Dot(&face, &normal) <= 0.0f ? 1 : 0;
            }
        }
        EXPECT_EQ(disagreeing, 0u);
    }
}

TEST_F(DataSetTest, SphereNormalsPointAwayFromItsCentre)
{
    const LoadedMesh sphere = Load("sphere.x");
    for (size_t i = 0; i < sphere.arrays.positions.size(); ++i) {
        EXPECT_GT(D3DXVec3Dot(&sphere.arrays.normals[i], &sphere.arrays.positions[i]), 0.99f) << "vertex " << i;
    }
}

TEST_F(DataSetTest, AirplaneIsAClosedPlaneNoseTowardsMinusZWithFinOnTop)
{
    const LoadedMesh plane = Load("airplane 2.x");
    ASSERT_NE(plane.mesh.Get(), nullptr);
    const D3DXVECTOR3 size = plane.max - plane.min;
    EXPECT_GT(size.z, 9.0f);
    EXPECT_LT(size.z, 11.0f);
    EXPECT_GT(size.z, 2.0f * size.y) << "longer than tall";
    EXPECT_GT(size.x, 2.0f * size.y) << "wings wider than the plane is tall";
    EXPECT_NEAR(plane.min.x, -plane.max.x, 1e-4f) << "symmetric about the centre plane";
    const auto& positions = plane.arrays.positions;
    const auto highest = std::max_element(positions.begin(), positions.end(),
                                          [](const D3DXVECTOR3& a, const D3DXVECTOR3& b) { return a.y < b.y; });
    const auto foremost = std::min_element(positions.begin(), positions.end(),
                                           [](const D3DXVECTOR3& a, const D3DXVECTOR3& b) { return a.z < b.z; });
    EXPECT_GT(highest->z, 0.3f * plane.max.z) << "the fin is at the tail, the +z end";
    EXPECT_NEAR(foremost->x, 0.0f, 1e-4f) << "the nose is on the centre line";
    EXPECT_EQ(UnpairedEdges(plane.arrays), 0u);
    EXPECT_GT(SignedVolume(plane.arrays), 0.0);
    EXPECT_GE(plane.mesh->GetNumFaces(), 300u);
    EXPECT_LE(plane.mesh->GetNumFaces(), 2000u);
}

TEST_F(DataSetTest, AirplaneFuselageNamesTheSkinBesideItsFile)
{
    const LoadedMesh plane = Load("airplane 2.x");
    ASSERT_EQ(plane.textureNames.size(), 3u);
    EXPECT_EQ(plane.textureNames[kAirplaneFuselage], kAirplaneSkinFileName);
    EXPECT_EQ(plane.textureNames[kAirplaneWings], "");
    EXPECT_EQ(plane.textureNames[kAirplaneCanopy], "");
    const fs::path skin = s_root / kMeshFolder / kAirplaneSkinFileName;
    const QSize size = QImageReader(QString::fromStdString(skin.string()), "png").size();
    EXPECT_GT(size.width(), 0) << skin;
    EXPECT_GT(size.height(), 0) << skin;
    for (DWORD subset : {kAirplaneFuselage, kAirplaneWings, kAirplaneCanopy}) {
        EXPECT_NE(std::count(plane.arrays.subsets.begin(), plane.arrays.subsets.end(), subset), 0) << subset;
    }
}

// Only the fuselage names the texture, and it stays bound while the other parts draw, so each
// part must take its colours from its own band of the skin.
TEST_F(DataSetTest, AirplanePartsTakeTextureCoordinatesFromTheirOwnBand)
{
    const std::map<DWORD, TextureBand> bands{
        {kAirplaneFuselage, kFuselageBand}, {kAirplaneWings, kWingBand}, {kAirplaneCanopy, kCanopyBand}};
    const LoadedMesh plane = Load("airplane 2.x");
    const MeshArrays& arrays = plane.arrays;
    ASSERT_EQ(arrays.v.size(), arrays.positions.size());
    size_t outside = 0;
    for (size_t t = 0; t < arrays.subsets.size(); ++t) {
        const TextureBand& band = bands.at(arrays.subsets[t]);
        for (size_t corner = 0; corner < 3; ++corner) {
            const DWORD vertex = arrays.indices[3 * t + corner];
            const bool inside = arrays.v[vertex] >= band.first && arrays.v[vertex] <= band.last &&
                                arrays.u[vertex] >= 0.0f && arrays.u[vertex] <= 1.0f;
            outside += inside ? 0 : 1;
        }
    }
    EXPECT_EQ(outside, 0u);
}

TEST_F(DataSetTest, CommittedDataMatchesWhatTheToolWrites)
{
    const fs::path committed = fs::path(RELIEF_SOURCE_DIR) / "data";
    const auto expected = FilesBelow(s_root);
    const auto actual = FilesBelow(committed);
    std::vector<std::string> expectedNames, actualNames;
    for (const auto& [name, path] : expected) {
        expectedNames.push_back(name);
    }
    for (const auto& [name, path] : actual) {
        actualNames.push_back(name);
    }
    ASSERT_EQ(actualNames, expectedNames) << "data/ is out of date: run relief_make_data data";
    for (const auto& [name, path] : expected) {
        EXPECT_TRUE(Contents(path) == Contents(actual.at(name)))
            << "data/" << name << " differs from the tool's output: run relief_make_data data";
    }
}

TEST(WriteDataSet, ReportsAFolderThatCannotBeCreated)
{
    const fs::path file = fs::temp_directory_path() / ("relief_data_set_file_" + std::to_string(::getpid()));
    std::ofstream(file) << "not a folder";
    const Result<> written = WriteDataSet(file);
    EXPECT_FALSE(written.ok());
    EXPECT_EQ(written.reason().rfind("cannot create folder " + (file / kMeshFolder).string() + ": ", 0), 0u)
        << written.reason();
    fs::remove(file);
}

TEST(WriteDataSet, ReportsAMeshFileThatCannotBeWritten)
{
    const fs::path root = fs::temp_directory_path() / ("relief_data_set_blocked_" + std::to_string(::getpid()));
    const fs::path blocked = root / kMeshFolder / "sphere.x";
    fs::create_directories(blocked); // a folder where the file should go
    const Result<> written = WriteDataSet(root);
    EXPECT_FALSE(written.ok());
    EXPECT_EQ(written.reason().rfind("cannot write " + blocked.string() + ": ", 0), 0u) << written.reason();
    fs::remove_all(root);
}
