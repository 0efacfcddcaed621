#include "graphics_fixture.h"

#include "graphics/draw_helper.h"
#include "graphics/graphics_system.h"
#include "platform/d3d9/testing/device_probe.h"

#include <QImage>

#include <cstdlib>
#include <fstream>
#include <functional>

namespace {

constexpr UINT kSize = 64;

// The graphics system on the real device, drawing into a test window with identity
// transforms, so positions are clip coordinates.
class GraphicsGlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!CanCreateD3D9Device()) {
            GTEST_SKIP() << kNoDeviceReason;
        }
        ASSERT_TRUE(GetGraphicsSystem()->CreateGraphicsContext(m_window));
        m_chain = GetGraphicsSystem()->CreateSwapChain(m_window);
        ASSERT_NE(m_chain, nullptr);
        m_device = GetGraphicsSystem()->GetDevice();
    }

    void TearDown() override
    {
        if (HasFailure() && m_windows.LastFrame(m_window) != nullptr) {
            SaveImage();
        }
        m_chain.Reset();
        GetGraphicsSystem()->ReleaseResources();
    }

    void Render(const std::function<void()>& draw)
    {
        m_device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF404040, 1.0f, 0);
        m_device->BeginScene();
        draw();
        m_device->EndScene();
        ASSERT_EQ(m_chain->Present(nullptr, nullptr, nullptr, nullptr, 0), D3D_OK);
        ASSERT_NE(m_windows.LastFrame(m_window), nullptr);
        ASSERT_EQ(m_windows.LastFrame(m_window)->width, kSize);
    }

    ::testing::AssertionResult PixelIs(UINT x, UINT y, int r, int g, int b) const
    {
        const std::uint8_t* p = m_windows.LastFrame(m_window)->bgra.data() + (std::size_t{y} * kSize + x) * 4;
        if (std::abs(p[2] - r) <= 6 && std::abs(p[1] - g) <= 6 && std::abs(p[0] - b) <= 6) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure()
               << "pixel (" << x << ", " << y << ") is (" << int{p[2]} << ", " << int{p[1]} << ", " << int{p[0]} << ")";
    }

    void SaveImage() const
    {
        const std::vector<std::uint8_t>& bgra = m_windows.LastFrame(m_window)->bgra;
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        const std::filesystem::path folder(RELIEF_TEST_OUTPUT_DIR);
        std::filesystem::create_directories(folder);
        const std::string name = std::string("graphics.") + test->name() + ".png";
        // B, G, R, A in memory is an ARGB32 pixel on this platform.
        QImage(bgra.data(), kSize, kSize, kSize * 4, QImage::Format_ARGB32)
            .save(QString::fromStdString((folder / name).string()), "png");
    }

    ScopedWorkingFolder m_folder;
    TestWindowHost m_windows;
    HWND m_window = m_windows.AddWindow(kSize, kSize);
    ComPtr<IDirect3DSwapChain9> m_chain;
    IDirect3DDevice9* m_device = nullptr;
};

TEST_F(GraphicsGlTest, MeshShowsMaterialLitAndPlainWhiteUnlit)
{
    // A square over the middle of the window, red diffuse, blue emissive.
    std::ofstream("square.x") << "xof 0303txt 0032\nMesh {\n4;\n-0.5;-0.5;0.5;,\n0.5;-0.5;0.5;,\n0.5;0.5;0.5;,\n"
                                 "-0.5;0.5;0.5;;\n2;\n3;0,1,2;,\n3;0,2,3;;\nMeshMaterialList {\n1;\n2;\n0,\n0;;\n"
                                 "Material {\n1.0;0.0;0.0;1.0;;\n1.0;\n0;0;0;;\n0;0;1;;\n}\n}\n}\n";
    const TQRD3D_MeshResource* mesh = GetGraphicsSystem()->FindMesh(L"square.x");
    ASSERT_NE(mesh, nullptr);

    // No light is on, so lit the square shows the material's emissive colour.
    m_device->SetRenderState(D3DRS_LIGHTING, TRUE);
    Render([&] { mesh->Draw(false, false, TQR_Color()); });
    EXPECT_TRUE(PixelIs(32, 32, 0, 0, 255));
    EXPECT_TRUE(PixelIs(4, 4, 64, 64, 64));

    // Unlit, a mesh without vertex colours is white whatever the blank material holds, and
    // lighting is on again afterwards.
    Render([&] { mesh->Draw(false, true, TQR_Color(255, 0, 0, 255)); });
    EXPECT_TRUE(PixelIs(32, 32, 255, 255, 255));
    DWORD lighting = FALSE;
    m_device->GetRenderState(D3DRS_LIGHTING, &lighting);
    EXPECT_EQ(lighting, DWORD{TRUE});
}

TEST_F(GraphicsGlTest, BoundTextureShowsItsTexelsOnRectangle)
{
    // Quadrants of the texture: red top left, green top right, blue bottom left, yellow bottom right.
    std::vector<DWORD> texels;
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const DWORD quadrant[2][2] = {{0xFF0000FF, 0xFF00FF00}, {0xFFFF0000, 0xFF00FFFF}};
            texels.push_back(quadrant[y / 4][x / 4]); // in memory R, G, B, A
        }
    }
    std::filesystem::create_directories("Textures");
    ASSERT_TRUE(QImage(reinterpret_cast<const uchar*>(texels.data()), 8, 8, 32, QImage::Format_RGBA8888)
                    .save("Textures/quadrants.png", "png"));

    TQRD3D_DrawHelper helper;
    helper.SetTextureFileName(L"quadrants.png");
    m_device->SetRenderState(D3DRS_LIGHTING, FALSE);
    Render([&] {
        EXPECT_TRUE(helper.EnableTexture(true));
        EXPECT_TRUE(helper.DrawRectangleXY(-0.8f, -0.8f, 0.0f, 0.8f, 0.8f, 0.0f));
    });
    // The rectangle's u runs from 1 at its left edge to 0 at its right; v from 0 at the top.
    EXPECT_TRUE(PixelIs(16, 16, 0, 255, 0));
    EXPECT_TRUE(PixelIs(48, 16, 255, 0, 0));
    EXPECT_TRUE(PixelIs(16, 48, 255, 255, 0));
    EXPECT_TRUE(PixelIs(48, 48, 0, 0, 255));

    // Unbound, the rectangle takes its vertex colour (white after the reset).
    Render([&] {
        helper.ResetAttributes();
        helper.DrawRectangleXY(-0.8f, -0.8f, 0.0f, 0.8f, 0.8f, 0.0f);
    });
    EXPECT_TRUE(PixelIs(16, 16, 255, 255, 255));
}

} // namespace
