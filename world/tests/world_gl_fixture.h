// Shared support of the world's tests on the OpenGL device: a scratch working folder with the
// mesh data, the headless renderer, a world on a settable clock, and access to the floor's
// vertices as its full-detail chunks draw them.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "graphics/vertex_formats.h"
#include "world/terrain_world.h"
#include "world/testing/headless_renderer.h"
#include "world/testing/manual_time.h"
#include "world/testing/world_folder.h"

class WorldGlTest : public ::testing::Test {
protected:
    // Skips without a device; otherwise draws one small frame, as the first timer tick does, so
    // the floor has drawn once.
    void SetUp() override;
    // Saves the last image under the test's name when the test failed.
    void TearDown() override;

    void Tick(double seconds);
    WorldImage Render(const WorldCamera& camera, int width, int height);
    // Writes image under name.png in this folder's part of the test output.
    std::string SaveImage(const WorldImage& image, const std::string& name) const;
    // The floor's vertices at full detail, row by row over the whole grid.
    std::vector<TQRD3D_ColorVertex> FloorVertices() const;
    // The world position of vertex (row, column) at the height the grid holds.
    TQR_Vector3 GridPoint(int row, int column) const;

    ScopedWorldFolder m_folder;
    ManualTime m_time;
    std::optional<HeadlessWorldRenderer> m_renderer;
    std::unique_ptr<CTerrainWorld> m_world;

private:
    WorldImage m_lastImage;
};
