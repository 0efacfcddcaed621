#include "world_gl_fixture.h"

#include <filesystem>

#include "graphics/graphics_system.h"
#include "platform/d3d9/testing/device_probe.h"

void WorldGlTest::SetUp()
{
    if (!CanCreateD3D9Device()) {
        GTEST_SKIP() << kNoDeviceReason;
    }
    ASSERT_TRUE(m_folder.IsReady()) << "no working folder with the mesh data";
    m_renderer.emplace();
    m_world = std::make_unique<CTerrainWorld>(m_time.MakeClock());
    ASSERT_FALSE(Render(SmallViewCamera(), kSmallViewWidth, kSmallViewHeight).IsEmpty());
    ASSERT_GT(m_world->GetFloorMesh().GetLastTriangleCount(), 0u) << "the floor drew nothing";
}

void WorldGlTest::TearDown()
{
    if (HasFailure() && !m_lastImage.IsEmpty()) {
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        ADD_FAILURE() << "last frame saved as "
                      << SaveImage(m_lastImage, std::string(test->test_suite_name()) + "." + test->name());
    }
    // The world lets go of its meshes before the graphics system releases them.
    m_world.reset();
    m_renderer.reset();
}

void WorldGlTest::Tick(double seconds)
{
    m_time.AdvanceSeconds(seconds);
    m_world->Update();
}

WorldImage WorldGlTest::Render(const WorldCamera& camera, int width, int height)
{
    m_lastImage = m_renderer->Render(*m_world, camera, width, height);
    return m_lastImage;
}

std::string WorldGlTest::SaveImage(const WorldImage& image, const std::string& name) const
{
    const std::filesystem::path folder = std::filesystem::path(RELIEF_TEST_OUTPUT_DIR) / "world";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    const std::string path = (folder / (name + ".png")).string();
    return SaveImagePng(image, path) ? path : "(not saved: " + path + ")";
}

std::vector<TQRD3D_ColorVertex> WorldGlTest::FloorVertices() const
{
    TQRD3D_PrimitiveTerrain& floor = m_world->GetFloorMesh();
    const int side = floor.GetLayout().Side();
    std::vector<TQRD3D_ColorVertex> vertices;
    vertices.reserve(static_cast<std::size_t>(side * side));
    for (int row = 0; row < side; ++row) {
        for (int column = 0; column < side; ++column) {
            vertices.push_back(floor.FullDetailVertex(row, column));
        }
    }
    return vertices;
}

TQR_Vector3 WorldGlTest::GridPoint(int row, int column) const
{
    const auto last = static_cast<float>(m_world->Side() - 1);
    return {30.0f * static_cast<float>(column) / last - 15.0f, m_world->GetHeights().GetSample(row, column),
            15.0f - 30.0f * static_cast<float>(row) / last};
}
