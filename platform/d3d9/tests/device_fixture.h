// Shared support of the pixel tests: a device on a fake window, rendering one frame and
// presenting it, colour checks on regions of the presented image, and test vertices.
#pragma once

#include "platform/d3d9/d3d9.h"
#include "platform/d3d9/testing/test_window_host.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
};
std::ostream& operator<<(std::ostream& out, const Rgb& colour);

// Pixel (x, y) counted from the top-left corner.
Rgb PixelAt(const PresentedFrame& frame, UINT x, UINT y);
int Brightness(const Rgb& colour);
// Every pixel of [x0, x1) x [y0, y1) within tolerance of expected in each channel.
::testing::AssertionResult RegionIs(const PresentedFrame& frame, UINT x0, UINT y0, UINT x1, UINT y1,
                                    const Rgb& expected, int tolerance = 6);
// Some pixel of [x0, x1) x [y0, y1) within tolerance of expected: for thin lines and edges.
::testing::AssertionResult RegionContains(const PresentedFrame& frame, UINT x0, UINT y0, UINT x1, UINT y1,
                                          const Rgb& expected, int tolerance = 6);
// Writes the frame as a PNG named after the running test into the test output folder.
void SaveFrame(const PresentedFrame& frame, const std::string& suffix = "");

struct ColourVertex {
    static constexpr DWORD kFvf = D3DFVF_XYZ | D3DFVF_DIFFUSE;
    float x, y, z;
    D3DCOLOR colour;
};

// Two triangles covering the rectangle (clip coordinates, y up), clockwise on screen.
std::vector<ColourVertex> Rectangle(float left, float top, float right, float bottom, float z, D3DCOLOR colour);

class DeviceTest : public ::testing::Test {
protected:
    static constexpr UINT kSize = 128;
    static constexpr D3DCOLOR kClear = 0xFF202020;

    void SetUp() override;
    void TearDown() override;

    // Clears colour and depth, runs draw inside a scene, presents into the window.
    const PresentedFrame& Render(const std::function<void()>& draw, D3DCOLOR clear = kClear);

    template <typename Vertex>
    HRESULT Draw(D3DPRIMITIVETYPE type, const std::vector<Vertex>& vertices, UINT primitiveCount)
    {
        m_device->SetFVF(Vertex::kFvf);
        return m_device->DrawPrimitiveUP(type, primitiveCount, vertices.data(), sizeof(Vertex));
    }
    template <typename Vertex> HRESULT DrawTriangles(const std::vector<Vertex>& vertices)
    {
        return Draw(D3DPT_TRIANGLELIST, vertices, static_cast<UINT>(vertices.size() / 3));
    }

    TestWindowHost m_host;
    HWND m_window = nullptr;
    IDirect3D9* m_d3d = nullptr;
    IDirect3DDevice9* m_device = nullptr;
    const PresentedFrame* m_lastFrame = nullptr;
};
