// The views draw a frame only when something they show changed: an idle tick presents nothing,
// each kind of change makes each view that shows it present exactly once, and while the
// airplane flies every tick draws.
#include "view_dialog.h"
#include "views/mouse_handlers.h"

#include "graphics/graphics_system.h"
#include "platform/d3d9/testing/device_probe.h"
#include "platform/d3d9/testing/present_counter.h"
#include "platform/win/win_api.h"
#include "world/terrain_world.h"
#include "world/testing/manual_time.h"
#include "world/testing/world_folder.h"
#include "world/world_app.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace {

using Presents = std::pair<int, int>;

class TestApplication final : public IWorldApplication {
public:
    explicit TestApplication(const ManualTime& time) : m_world(time.MakeClock()) { SetWorldApplication(this); }
    ~TestApplication() { SetWorldApplication(nullptr); }
    TestApplication(const TestApplication&) = delete;
    TestApplication& operator=(const TestApplication&) = delete;

    CTerrainWorld& GetWorld() override { return m_world; }

private:
    CTerrainWorld m_world;
};

// One row of a table: a change and the frames it makes the big and the small view present.
struct Change {
    const char* what;
    std::function<void()> apply;
    Presents presents;
};

class RedrawGlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!CanCreateD3D9Device()) {
            GTEST_SKIP() << kNoDeviceReason;
        }
        ASSERT_TRUE(m_folder.IsReady());
        ASSERT_TRUE(IsWindow(m_dialog.m_hWnd));
        ASSERT_TRUE(GetGraphicsSystem()->CreateGraphicsContext(m_dialog.m_hWnd));
        m_application = std::make_unique<TestApplication>(m_time);
        ASSERT_TRUE(m_big.AttachToDialogControl(m_dialog.m_hWnd, kBigViewPlaceholder));
        ASSERT_TRUE(m_small.AttachToDialogControl(m_dialog.m_hWnd, kSmallViewPlaceholder));
    }
    void TearDown() override
    {
        m_application.reset();
        GetGraphicsSystem()->ReleaseResources();
    }

    CTerrainWorld& World() { return m_application->GetWorld(); }
    TQR_SceneNode& AirplaneNode() { return *World().GetRoot().GetChild(CTerrainWorld::kAirplaneChild); }

    // What the main dialog's timer does.
    void Tick()
    {
        m_time.AdvanceSeconds(0.025);
        World().Update();
        m_big.DrawIfChanged();
        m_small.DrawIfChanged();
    }
    // Frames presented into the big and the small view during the ticks.
    Presents PresentsDuring(int ticks)
    {
        m_presents.Clear();
        for (int i = 0; i < ticks; ++i) {
            Tick();
        }
        return {m_presents.Count(m_big.GetWindow()), m_presents.Count(m_small.GetWindow())};
    }
    // Runs the changes in order after a first tick that draws both views: each presents as its
    // row says on the next tick, and nothing more on the ticks after it.
    void ExpectEachChangeDrawnOnce(std::initializer_list<Change> changes)
    {
        ASSERT_EQ(PresentsDuring(1), Presents(1, 1)) << "the first tick draws both views";
        for (const Change& change : changes) {
            SCOPED_TRACE(change.what);
            change.apply();
            EXPECT_EQ(PresentsDuring(1), change.presents);
            EXPECT_EQ(PresentsDuring(3), Presents(0, 0)) << "and then nothing more";
        }
    }

    ScopedWorldFolder m_folder;
    ViewTestDialog m_dialog;
    ManualTime m_time;
    std::unique_ptr<TestApplication> m_application;
    CDrawAndMouseHandler m_big;
    CSVDrawAndMouseHandler m_small;
    PresentCounter m_presents;
};

TEST_F(RedrawGlTest, EveryChangeOfHeightsOrSelectionRedrawsBothViewsOnce)
{
    const std::string heightsPath = (m_folder.Path() / "heights.txt").string();
    ExpectEachChangeDrawnOnce({
        {"nothing", [] {}, {0, 0}},
        {"one height", [this] { World().SetHeightAt(3, 4, 6.5f); }, {1, 1}},
        {"the selected height", [this] { World().SetSelectedHeight(7); }, {1, 1}},
        {"the selected row", [this] { World().SetSelectedRow(9); }, {1, 1}},
        {"the selected column", [this] { World().SetSelectedColumn(12); }, {1, 1}},
        {"the same column again", [this] { World().SetSelectedColumn(12); }, {0, 0}},
        {"a height outside the grid", [this] { World().SetHeightAt(-1, 0, 3.0f); }, {0, 0}},
        {"a generated terrain", [this] { World().GenerateTerrain(); }, {1, 1}},
        {"a new terrain of another side", [this] { ASSERT_TRUE(World().NewTerrain(33, 0.5f, 7u).ok()); }, {1, 1}},
        {"a refused new terrain", [this] { ASSERT_FALSE(World().NewTerrain(34, 0.5f, 7u).ok()); }, {0, 0}},
        {"a resample", [this] { ASSERT_TRUE(World().Resample(65).ok()); }, {1, 1}},
        {"restored heights",
         [this] {
             Heightfield heights = World().HeightsSnapshot();
             heights.At(5, 5) += 2.0f;
             World().RestoreHeights(heights);
         },
         {1, 1}},
        {"loaded heights",
         [this, heightsPath] {
             ASSERT_TRUE(World().SaveHeights(heightsPath).ok());
             ASSERT_TRUE(World().LoadHeights(heightsPath).ok());
         },
         {1, 1}},
        {"a failed load", [this] { ASSERT_FALSE(World().LoadHeights("missing.txt").ok()); }, {0, 0}},
        {"a region of heights",
         [this] {
             ASSERT_TRUE(World().SetHeightsInRegion({2, 2, 3, 3}, std::vector<float>(4, 1.5f)).ok());
         },
         {1, 1}},
        {"a refused region",
         [this] {
             ASSERT_FALSE(World().SetHeightsInRegion({60, 60, 70, 70}, {}).ok());
         },
         {0, 0}},
    });
}

TEST_F(RedrawGlTest, EveryChangeOfTheSceneRedrawsTheViewsThatShowItOnce)
{
    const std::wstring texture = (std::filesystem::path(RELIEF_SOURCE_DIR) / "data/Textures/grass.png").wstring();
    ExpectEachChangeDrawnOnce({
        {"wire frame on", [this] { World().SetWireframe(true); }, {1, 1}},
        {"wire frame on again", [this] { World().SetWireframe(true); }, {0, 0}},
        {"a texture file", [this, texture] { World().SetTextureFile(texture); }, {1, 1}},
        {"the same texture file (its image may have changed)",
         [this, texture] { World().SetTextureFile(texture); },
         {1, 1}},
        {"texturing on", [this] { World().EnableFloorTexture(true); }, {1, 1}},
        {"the selector shown", [this] { World().ShowSelector(true); }, {1, 1}},
        {"the airplane hidden", [this] { World().ShowAirplane(false); }, {1, 1}},
        {"a primitive's colour", [this] { World().GetAirplaneMesh().SetFlatColor(TQR_Color(9, 9, 9, 255)); }, {1, 1}},
        {"a primitive's lighting", [this] { World().GetSphereMesh().SetLighting(true); }, {1, 1}},
        {"a light switched on", [this] { World().GetSpotLight().SwitchOn(); }, {1, 1}},
        {"a light's colour", [this] { World().GetSpotLight().SetDiffuseGray(0.7f); }, {1, 1}},
        {"a light's position", [this] { World().GetPointLight().SetPosition(1.0f, 9.0f, 1.0f); }, {1, 1}},
        {"a light's marker", [this] { World().GetSpotLight().EnableDrawLight(); }, {1, 1}},
        {"a node's transform",
         [this] {
             TQR_XformInfo xform = AirplaneNode().GetXformInfo();
             xform.RotateY(30.0f);
             AirplaneNode().SetXformInfo(xform);
         },
         {1, 1}},
        {"the same transform again", [this] { AirplaneNode().SetXformInfo(AirplaneNode().GetXformInfo()); }, {0, 0}},
        {"a node's pivot display", [this] { AirplaneNode().SetPivotVisible(true); }, {1, 1}},
        {"a node added to the tree", [this] { World().GetRoot().AddChild(new TQR_SceneNode(L"added")); }, {1, 1}},
        {"the big view's camera", [this] { m_big.GetCamera().SetPosition(1.0f, 12.0f, -20.0f); }, {1, 0}},
        {"the small view's camera", [this] { m_small.GetCamera().SetFov(40.0f); }, {0, 1}},
        {"the big view's size", [this] { m_big.SetWindowSize(200, 150); }, {1, 0}},
        {"the speed and direction of a still airplane",
         [this] {
             World().SetSpeed(2.0f);
             World().SetFlyDirection(TQR_FlyDirection::Right);
         },
         {0, 0}},
    });
}

TEST_F(RedrawGlTest, AnimationRedrawsOnEveryTickAndStoppingItEndsThat)
{
    PresentsDuring(1);
    World().SetAnimate(true);
    EXPECT_EQ(PresentsDuring(4), Presents(4, 4));
    World().SetAnimate(false);
    EXPECT_EQ(PresentsDuring(2), Presents(0, 0)) << "the airplane stopped where the last frame shows it";
}

// A window whose swap chain went away (detached and attached again) shows nothing drawn yet.
TEST_F(RedrawGlTest, AReattachedViewDrawsAgain)
{
    PresentsDuring(1);
    m_big.DetachWindow();
    ASSERT_TRUE(m_big.AttachWindow(m_big.GetViewWindow().m_hWnd));
    EXPECT_EQ(PresentsDuring(2), Presents(1, 0));
}

} // namespace
