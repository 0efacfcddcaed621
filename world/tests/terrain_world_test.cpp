// The world model without an OpenGL device: the scene it builds, its setters, loading failures,
// and what each drawing pass sends to a recording device.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/testing/temp_folder.h"
#include "graphics/graphics_system.h"
#include "graphics/testing/device_fixture.h"
#include "platform/d3dx9/testing/image_samples.h"
#include "primitives/primitive_mesh_custom.h"
#include "primitives/testing/mesh_files.h"
#include "terrain/generation.h"
#include "terrain/testing/heightfield_hash.h"
#include "world/terrain_world.h"
#include "world/testing/manual_time.h"

namespace {

std::vector<float> AllSamples(const CTerrainHeights& heights)
{
    std::vector<float> samples;
    for (int row = 0; row < heights.GetGridSize(); ++row) {
        for (int column = 0; column < heights.GetGridSize(); ++column) {
            samples.push_back(heights.GetSample(row, column));
        }
    }
    return samples;
}

TEST(TerrainWorldTest, BuildsFloorAirplaneAndSphereUnderTheRootInThatOrder)
{
    struct Child {
        const wchar_t* name;
        TQR_Vector3 scale;
        TQR_Vector3 translation;
        bool visible;
        bool texturing;
        bool lighting;
    };
    const Child expected[] = {
        {L"floor", {15.0f, 1.0f, 15.0f}, {0.0f, 0.0f, 0.0f}, true, false, false},
        {L"Airplane mesh", {0.2f, 0.2f, 0.2f}, {-2.0f, 6.0f, -2.0f}, true, true, true},
        {L"sphere", {0.3f, 0.3f, 0.3f}, {0.0f, 10.0f, 0.0f}, false, false, false},
    };
    CTerrainWorld world;
    EXPECT_EQ(std::wstring(world.GetRoot().GetName()), L"root node");
    ASSERT_EQ(world.GetRoot().NumChildren(), 3);
    for (int index = 0; index < 3; ++index) {
        const Child& child = expected[index];
        SCOPED_TRACE(testing::Message() << "child " << index);
        const TQR_SceneNode& node = *world.GetRoot().GetChild(index);
        EXPECT_EQ(std::wstring(node.GetName()), child.name);
        EXPECT_EQ(node.GetXformInfo().GetScale(), child.scale);
        EXPECT_EQ(node.GetXformInfo().GetTranslation(), child.translation);
        EXPECT_EQ(node.GetXformInfo().GetRotation(), TQR_Quaternion());
        const TQR_Primitive& primitive = *node.GetPrimitive();
        EXPECT_EQ(primitive.IsVisible(), child.visible);
        EXPECT_EQ(primitive.IsTexturing(), child.texturing);
        EXPECT_EQ(primitive.IsLighting(), child.lighting);
        EXPECT_EQ(primitive.GetFillMode(), TQR_FillMode::Solid);
    }
    EXPECT_EQ(world.GetRoot().GetChild(0)->GetPrimitive(), &world.GetFloorMesh());
    EXPECT_EQ(world.GetFloorMesh().GetLayout().Side(), 65);
    EXPECT_EQ(world.GetAirplaneMesh().GetMeshFileName(), L"airplane 2.x");
    EXPECT_EQ(world.GetSphereMesh().GetMeshFileName(), L"sphere.x");
}

TEST(TerrainWorldTest, StartsWithVertexZeroSelectedAndEveryLightOff)
{
    struct Light {
        const TQRD3D_Light& light;
        int index;
        TQR_Vector3 position;
        TQR_Color diffuse;
    };
    CTerrainWorld world;
    EXPECT_EQ(world.GetSelectedRow(), 0);
    EXPECT_EQ(world.GetSelectedColumn(), 0);
    EXPECT_FALSE(world.IsAnimating());
    EXPECT_EQ(world.GetFlyDirection(), TQR_FlyDirection::Left);
    EXPECT_FLOAT_EQ(world.GetSpeed(), 0.4f);
    for (const Light& expected : {Light{world.GetPointLight(), 1, {2, 12, 2}, TQR_Color(0.2f, 0.2f, 0.2f, 1.0f)},
                                  Light{world.GetDirectionalLight(), 2, {0, 12, 0}, TQR_Color(0.2f, 0.1f, 0.1f, 1.0f)},
                                  Light{world.GetSpotLight(), 3, {-2, 12, 2}, TQR_Color(0.2f, 0.2f, 0.5f, 1.0f)}}) {
        SCOPED_TRACE(testing::Message() << "light " << expected.index);
        EXPECT_FALSE(expected.light.IsOn());
        EXPECT_FALSE(expected.light.IsDrawLight());
        EXPECT_EQ(expected.light.GetIndex(), expected.index);
        EXPECT_EQ(expected.light.GetPosition(), expected.position);
        EXPECT_EQ(expected.light.GetDiffuse(), expected.diffuse);
    }
}

// Seeds 100, 101, ... and how many were taken.
struct CountingSeeds {
    std::shared_ptr<int> taken = std::make_shared<int>(0);
    CTerrainWorld::SeedSource Source() const
    {
        return [taken = taken] { return static_cast<std::uint64_t>(100 + (*taken)++); };
    }
};

TEST(TerrainWorldTest, FirstTerrainIsGeneratedAtConstructionFromANewSeedWithRoughnessZero)
{
    const CountingSeeds seeds;
    CTerrainWorld world(nullptr, seeds.Source());
    EXPECT_EQ(*seeds.taken, 1);
    EXPECT_EQ(world.CurrentSeed(), std::optional<std::uint64_t>(100));
    EXPECT_EQ(world.Side(), 65);
    EXPECT_EQ(world.GetRoughness(), 0.0f);
    EXPECT_EQ(world.HeightsSnapshot(), GenerateHeightfield({65, 0.0f, 100}).value());
    // Roughness 0 leaves only the corners random: the centre is their mean.
    const float corners = world.HeightAt(0, 0) + world.HeightAt(0, 64) + world.HeightAt(64, 0) + world.HeightAt(64, 64);
    EXPECT_FLOAT_EQ(world.HeightAt(32, 32), corners / 4.0f);
}

// The heights of a seed are pinned through the world: the same side, roughness and seed give the
// same terrain bit for bit, at every side and whatever the terrain before.
TEST(TerrainWorldTest, SeededTerrainGivesThePinnedHeightsAtItsSide)
{
    const std::pair<int, std::uint64_t> cases[] = {{65, 0x5c2cc808320fffeaULL}, {257, 0x630a28f5efb52bafULL}};
    CTerrainWorld world;
    for (const auto& [side, hash] : cases) {
        SCOPED_TRACE(side);
        ASSERT_TRUE(world.NewTerrain(side, 0.55f, 42).ok());
        EXPECT_EQ(world.Side(), side);
        EXPECT_EQ(world.GetFloorMesh().GetLayout().Side(), side);
        EXPECT_EQ(world.CurrentSeed(), std::optional<std::uint64_t>(42));
        EXPECT_EQ(world.GetRoughness(), 0.55f);
        EXPECT_EQ(HashOf(world.HeightsSnapshot()), hash) << std::hex << HashOf(world.HeightsSnapshot());
    }
    // The extent stays 30 units at every side: the corner vertices of the floor stay in place.
    EXPECT_FLOAT_EQ(world.HeightsSnapshot().Spacing() * 256.0f, 30.0f);
}

TEST(TerrainWorldTest, GenerationWithoutASeedTakesANewOneEachTime)
{
    const CountingSeeds seeds;
    CTerrainWorld world(nullptr, seeds.Source());
    world.SetRoughness(0.6f);
    std::vector<Heightfield> terrains;
    for (std::uint64_t expected = 101; expected <= 103; ++expected) {
        world.GenerateTerrain();
        EXPECT_EQ(world.CurrentSeed(), std::optional<std::uint64_t>(expected));
        terrains.push_back(world.HeightsSnapshot());
    }
    ASSERT_TRUE(world.NewTerrain(129, 0.6f, std::nullopt).ok());
    EXPECT_EQ(world.CurrentSeed(), std::optional<std::uint64_t>(104));
    EXPECT_NE(terrains[0], terrains[1]);
    EXPECT_NE(terrains[1], terrains[2]);
    // The operating system's seeds by default.
    CTerrainWorld system;
    const std::optional<std::uint64_t> first = system.CurrentSeed();
    system.GenerateTerrain();
    ASSERT_TRUE(first.has_value());
    EXPECT_NE(system.CurrentSeed(), first);
}

TEST(TerrainWorldTest, RefusedSizeOrRoughnessChangesNothing)
{
    struct Case {
        const char* name;
        std::function<Result<>(CTerrainWorld&)> change;
        std::string reason;
    };
    const std::string sides = "33, 65, 129, 257, 513, 1025, 2049 and 4097";
    const Case cases[] = {
        {"generate at 64", [](CTerrainWorld& w) { return w.NewTerrain(64, 0.5f, 1); },
         "cannot generate a terrain: side 64 is not one of " + sides},
        {"generate at 17", [](CTerrainWorld& w) { return w.NewTerrain(17, 0.5f, std::nullopt); },
         "cannot generate a terrain: side 17 is not one of " + sides},
        {"generate at 8193", [](CTerrainWorld& w) { return w.NewTerrain(8193, 0.5f, 1); },
         "cannot generate a terrain: side 8193 is not one of " + sides},
        {"roughness 1.5", [](CTerrainWorld& w) { return w.NewTerrain(129, 1.5f, 1); },
         "cannot generate a terrain: roughness 1.5 is not between 0 and 1"},
        {"resample to 100", [](CTerrainWorld& w) { return w.Resample(100); },
         "cannot resample the terrain: side 100 is not one of " + sides},
        {"resample to 0", [](CTerrainWorld& w) { return w.Resample(0); },
         "cannot resample the terrain: side 0 is not one of " + sides},
    };
    CTerrainWorld world;
    ASSERT_TRUE(world.NewTerrain(65, 0.4f, 9).ok());
    const Heightfield before = world.HeightsSnapshot();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.change(world).reason(), c.reason);
        EXPECT_EQ(world.HeightsSnapshot(), before);
        EXPECT_EQ(world.CurrentSeed(), std::optional<std::uint64_t>(9));
        EXPECT_EQ(world.GetRoughness(), 0.4f);
        EXPECT_EQ(world.GetFloorMesh().GetLayout().Side(), 65);
    }
}

TEST(TerrainWorldTest, ResampleKeepsTheShapeAtTheNewSideAndForgetsTheSeed)
{
    CTerrainWorld world;
    ASSERT_TRUE(world.NewTerrain(65, 0.5f, 7).ok());
    const Heightfield before = world.HeightsSnapshot();
    world.SetSelectedRow(64);
    world.SetSelectedColumn(40);
    ASSERT_TRUE(world.Resample(129).ok());
    EXPECT_EQ(world.Side(), 129);
    EXPECT_EQ(world.GetFloorMesh().GetLayout().Side(), 129);
    EXPECT_EQ(world.CurrentSeed(), std::nullopt);
    // Every old sample sits on an even row and column of the finer grid.
    for (const auto& [row, column] : {std::pair{0, 0}, {64, 64}, {0, 64}, {31, 17}, {50, 3}}) {
        SCOPED_TRACE(testing::Message() << row << ", " << column);
        EXPECT_FLOAT_EQ(world.HeightAt(2 * row, 2 * column), before.At(row, column));
    }
    EXPECT_EQ(world.GetSelectedRow(), 64) << "a selection inside the new grid stays";
    ASSERT_TRUE(world.Resample(33).ok());
    EXPECT_EQ(world.GetSelectedRow(), 32) << "the selection is clamped into the smaller grid";
    EXPECT_EQ(world.GetSelectedColumn(), 32);
    EXPECT_FLOAT_EQ(world.HeightAt(32, 32), before.At(64, 64));
}

TEST(TerrainWorldTest, SelectionRangeFollowsTheSide)
{
    const std::pair<int, int> cases[] = {{33, 32}, {65, 64}, {257, 256}};
    CTerrainWorld world;
    for (const auto& [side, last] : cases) {
        SCOPED_TRACE(side);
        ASSERT_TRUE(world.NewTerrain(side, 0.5f, 3).ok());
        world.SetSelectedRow(100000);
        world.SetSelectedColumn(last);
        EXPECT_EQ(world.GetSelectedRow(), last);
        EXPECT_EQ(world.GetSelectedColumn(), last);
        world.SetSelectedRow(-3);
        EXPECT_EQ(world.GetSelectedRow(), 0);
        world.SetSelectedHeight(9);
        EXPECT_EQ(world.HeightAt(0, last), 9.0f);
        EXPECT_EQ(world.CurrentSeed(), std::optional<std::uint64_t>(3)) << "an edit keeps the seed";
    }
}

// A region edit takes its heights row by row; a rectangle that leaves the grid or a count that
// does not fit it changes nothing.
TEST(TerrainWorldTest, RegionEditSetsItsRectangleOrNothing)
{
    CTerrainWorld world;
    ASSERT_TRUE(world.NewTerrain(129, 0.5f, 4).ok());
    const Heightfield before = world.HeightsSnapshot();
    const std::string refused = "The region does not fit the grid of 129 samples a side.";
    const std::vector<float> six = {1, 2, 3, 4, 5, 6};
    struct Case {
        const char* name;
        SampleBounds region;
        std::size_t count;
    };
    const Case cases[] = {{"too few heights", {10, 20, 11, 22}, 5},
                          {"too many heights", {10, 20, 11, 22}, 7},
                          {"past the last row", {127, 0, 129, 1}, 6},
                          {"before the first column", {0, -1, 1, 1}, 6},
                          {"empty", {5, 5, 4, 5}, 0}};
    const std::vector<float> seven(7, 1.0f);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Result<> result = world.SetHeightsInRegion(c.region, std::span(seven).first(c.count));
        EXPECT_EQ(result.reason(), refused);
        EXPECT_EQ(world.HeightsSnapshot(), before);
    }
    ASSERT_TRUE(world.SetHeightsInRegion({127, 126, 128, 128}, six).ok());
    Heightfield expected = before;
    for (int i = 0; i < 6; ++i) {
        expected.At(127 + i / 3, 126 + i % 3) = six[static_cast<std::size_t>(i)];
    }
    EXPECT_EQ(world.HeightsSnapshot(), expected);
    EXPECT_EQ(world.CurrentSeed(), std::optional<std::uint64_t>(4)) << "an edit keeps the seed";
}

TEST(TerrainWorldTest, RestoreTakesASnapshotOfAnySupportedSideWithItsSeed)
{
    CTerrainWorld world;
    ASSERT_TRUE(world.NewTerrain(65, 0.5f, 5).ok());
    world.SetHeightAt(3, 4, 12.0f);
    const Heightfield small = world.HeightsSnapshot();
    ASSERT_TRUE(world.NewTerrain(257, 0.5f, 6).ok());
    const Heightfield large = world.HeightsSnapshot();

    world.RestoreHeights(small, 5);
    EXPECT_EQ(world.HeightsSnapshot(), small);
    EXPECT_EQ(world.CurrentSeed(), std::optional<std::uint64_t>(5));
    EXPECT_EQ(world.GetFloorMesh().GetLayout().Side(), 65);
    world.RestoreHeights(large);
    EXPECT_EQ(world.HeightsSnapshot(), large);
    EXPECT_EQ(world.CurrentSeed(), std::nullopt);
    // Sides no terrain is made at change nothing.
    for (const int side : {2, 20, 64, 66}) {
        SCOPED_TRACE(side);
        world.RestoreHeights(Heightfield(side, 1.0f), 1);
        EXPECT_EQ(world.HeightsSnapshot(), large);
        EXPECT_EQ(world.CurrentSeed(), std::nullopt);
    }
}

TEST(TerrainWorldTest, WireframeSwitchesTheFloorBetweenFillModesOneAndTwo)
{
    CTerrainWorld world;
    world.SetWireframe(true);
    EXPECT_EQ(world.GetFloorMesh().GetFillMode(), TQR_FillMode::Wireframe);
    world.SetWireframe(false);
    EXPECT_EQ(world.GetFloorMesh().GetFillMode(), TQR_FillMode::Solid);
}

TEST(TerrainWorldTest, FailedLoadKeepsTheGridAndSaysWhy)
{
    TempFolder folder;
    TempFolder::Write(folder.Path("short.txt"), "1\n2\n3\n");
    TempFolder::Write(folder.Path("words.txt"), std::string(100, '1') + "\nhello\n");
    CTerrainWorld world;
    world.SetRoughness(0.4f);
    world.GenerateTerrain();
    const std::vector<float> before = AllSamples(world.GetHeights());
    for (const char* name : {"missing.txt", "short.txt", "words.txt"}) {
        SCOPED_TRACE(name);
        const Result<> result = world.LoadHeights(folder.Path(name));
        EXPECT_FALSE(result.ok());
        EXPECT_FALSE(result.reason().empty());
        EXPECT_EQ(AllSamples(world.GetHeights()), before);
    }
}

// Drawing passes on the recording device.
class WorldDrawTest : public DeviceFixture {
protected:
    // Which marker a draw belongs to, by where its world transform puts it: the markers stand
    // at height 12 (the arrow reaches down from there), the scene below 7.
    static std::string PartOf(const RecordedDraw& draw)
    {
        const float x = draw.world._41;
        const float y = draw.world._42;
        if (y < 7.0f) {
            return "scene";
        }
        if (x < -1.0f) {
            return "spot";
        }
        return x > 1.0f ? "point" : "directional";
    }
    // The device calls whose text starts with prefix, in order.
    std::vector<std::string> LogOf(const std::string& prefix) const
    {
        std::vector<std::string> calls;
        for (const std::string& call : m_device.log) {
            if (call.rfind(prefix, 0) == 0) {
                calls.push_back(call);
            }
        }
        return calls;
    }
    // A world on a flat floor at height 0: this device draws without a camera, so a random
    // terrain could lie wholly outside its clip space and be culled, drawing no scene at all.
    static void FlattenFloor(CTerrainWorld& world) { world.RestoreHeights(Heightfield(world.Side())); }
    // The parts in drawing order, repeats folded.
    std::vector<std::string> DrawnParts() const
    {
        std::vector<std::string> parts;
        for (const RecordedDraw& draw : m_device.draws) {
            const std::string part = PartOf(draw);
            if (parts.empty() || parts.back() != part) {
                parts.push_back(part);
            }
        }
        return parts;
    }
};

TEST_F(WorldDrawTest, LightsThatAreOffAreDisabledEveryPassAndShowNoMarker)
{
    ASSERT_TRUE(CopyMarkerMeshes());
    CreateDevice();
    CTerrainWorld world;
    FlattenFloor(world);
    world.GetPointLight().EnableDrawLight();
    world.Draw();
    world.Draw();
    const std::vector<std::string> disabled = {"LightEnable(1, 0)", "LightEnable(2, 0)", "LightEnable(3, 0)"};
    std::vector<std::string> twice = disabled;
    twice.insert(twice.end(), disabled.begin(), disabled.end());
    EXPECT_EQ(LogOf("LightEnable"), twice);
    EXPECT_TRUE(LogOf("SetLight").empty());
    EXPECT_EQ(DrawnParts(), std::vector<std::string>{"scene"});
}

TEST_F(WorldDrawTest, LightsThatAreOnAreSetAndTheirMarkersDrawnBeforeTheScene)
{
    ASSERT_TRUE(CopyMarkerMeshes());
    CreateDevice();
    CTerrainWorld world;
    FlattenFloor(world);
    for (TQRD3D_Light* light :
         {static_cast<TQRD3D_Light*>(&world.GetPointLight()), static_cast<TQRD3D_Light*>(&world.GetDirectionalLight()),
          static_cast<TQRD3D_Light*>(&world.GetSpotLight())}) {
        light->SwitchOn();
        light->EnableDrawLight();
    }
    world.Draw();
    EXPECT_EQ(LogOf("SetLight"), (std::vector<std::string>{"SetLight(1)", "SetLight(2)", "SetLight(3)"}));
    EXPECT_EQ(LogOf("LightEnable"),
              (std::vector<std::string>{"LightEnable(1, 1)", "LightEnable(2, 1)", "LightEnable(3, 1)"}));
    EXPECT_EQ(DrawnParts(), (std::vector<std::string>{"directional", "spot", "point", "scene"}));
}

// Textures chosen for the floor, which shows its texture.
class FloorTextureTest : public WorldDrawTest {
protected:
    void SetUp() override
    {
        WorldDrawTest::SetUp();
        CreateDevice();
    }
    // Writes a one-colour image under the name, chooses it and draws.
    static void Choose(CTerrainWorld& world, const std::wstring& name, int red, int blue)
    {
        std::ofstream(std::filesystem::path(name), std::ios::binary) << image_samples::OneColourPpm(red, 0, blue);
        world.EnableFloorTexture(true);
        world.SetTextureFile(name);
        world.Draw();
    }
    static std::vector<std::wstring> LoadedTextures()
    {
        std::vector<std::wstring> names;
        for (int i = 0; i < GetGraphicsSystem()->GetTextures().Count(); ++i) {
            names.push_back(GetGraphicsSystem()->GetTextures().Get(i)->GetFileName());
        }
        return names;
    }
};

TEST_F(FloorTextureTest, OnlyTexturesThatAPrimitiveNamesStayLoaded)
{
    CTerrainWorld world;
    const int texturesBefore = RecordingTexture::LiveCount();
    for (const wchar_t* name : {L"a.ppm", L"b.ppm", L"c.ppm", L"d.ppm"}) {
        Choose(world, name, 255, 0);
    }
    EXPECT_EQ(LoadedTextures(), std::vector<std::wstring>{L"d.ppm"});
    EXPECT_EQ(RecordingTexture::LiveCount() - texturesBefore, 1);

    // The hidden sphere names the floor's texture, so choosing another keeps it.
    world.GetSphereMesh().SetTextureFileName(L"d.ppm");
    Choose(world, L"a.ppm", 255, 0);
    EXPECT_EQ(LoadedTextures(), (std::vector<std::wstring>{L"a.ppm", L"d.ppm"}));
}

TEST_F(FloorTextureTest, ChoosingTheSameFileAgainShowsWhatItHoldsNow)
{
    const auto firstTexel = [] {
        const TQRD3D_TextureResource* entry = GetGraphicsSystem()->FindTexture(L"floor.ppm", false);
        return entry == nullptr ? 0u : static_cast<const RecordingTexture*>(entry->GetTexture())->Texel(0, 0);
    };
    CTerrainWorld world;
    Choose(world, L"floor.ppm", 255, 0);
    EXPECT_EQ(firstTexel(), 0xFFFF0000u);
    Choose(world, L"floor.ppm", 0, 255);
    EXPECT_EQ(firstTexel(), 0xFF0000FFu);
}

} // namespace
