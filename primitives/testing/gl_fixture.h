// Shared support of the pixel tests of the primitives and the lights: the graphics system on the
// real device, drawing through a fresh device draw helper into the swap chain of a square test
// window, and reading back what was presented. View matrices map the world straight to clip
// space (the projection stays the identity), so tests know where things land.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "graphics/testing/device_fixture.h"
#include "platform/d3d9/com_ptr.h"
#include "platform/d3d9/testing/test_window_host.h"
#include "platform/d3dx9/d3dx9.h"

class TQR_DrawHelper;

struct Rgb {
    int r, g, b;
};

// Looking down the y axis from above: world x to the right, world z upwards in the image, so
// z = +h is the top edge and x = -h the left edge; higher y lies nearer.
D3DXMATRIX TopView(float halfExtent);
// Looking down the z axis from +z: world x to the right, world y upwards.
D3DXMATRIX FrontView(float halfExtent);

class GlFixture : public ::testing::Test {
protected:
    static constexpr UINT kSize = 128;
    // Dark blue: no marker, band or frame colour comes close to it.
    static constexpr D3DCOLOR kBackground = 0xFF102040;
    static constexpr Rgb kBackgroundRgb{0x10, 0x20, 0x40};

    void SetUp() override;
    // Saves the last frame under the test's name when the test failed, then releases the
    // graphics system.
    void TearDown() override;

    void SetView(const D3DXMATRIX& view);
    // Clears, draws with a fresh device draw helper inside a scene, and presents.
    void Render(const std::function<void(TQR_DrawHelper*)>& draw);

    Rgb PixelAt(int x, int y) const;
    // Pixel (x, y) of the image is within the tolerance of the colour on every channel.
    ::testing::AssertionResult PixelNear(int x, int y, Rgb expected, int tolerance = 8) const;
    // Some pixel within radius of (x, y) is near the colour: for lines one pixel wide.
    ::testing::AssertionResult PixelNearAround(int x, int y, Rgb expected, int radius = 1) const;
    // The pixel of a world point seen through the current view, as (column, row).
    std::pair<int, int> PixelOf(float x, float y, float z) const;
    // Writes the last frame as a PNG into the test output folder; returns its path.
    std::string SaveImage(const std::string& name) const;

    IDirect3DDevice9* m_device = nullptr;

private:
    ScopedWorkingFolder m_folder;
    // B, G, R, A per pixel of the last presented frame, row 0 at the top; empty before one.
    const std::vector<std::uint8_t>& Image() const;

    static constexpr std::uintptr_t kWindowHandle = 0x2000;
    TestWindowHost m_windows{kWindowHandle};
    HWND m_window = m_windows.AddWindow(kSize, kSize);
    ComPtr<IDirect3DSwapChain9> m_chain;
    D3DXMATRIX m_view;
};
