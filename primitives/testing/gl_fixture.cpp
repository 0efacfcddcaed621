#include "primitives/testing/gl_fixture.h"

#include <QImage>

#include <cstdlib>
#include <filesystem>

#include "graphics/draw_helper.h"
#include "graphics/graphics_system.h"
#include "platform/d3d9/testing/device_probe.h"

namespace {

// Depth 0.5 at the plane through the origin, nearer for points towards the viewer.
constexpr float kDepthPerUnit = 0.01f;

} // namespace

D3DXMATRIX TopView(float halfExtent)
{
    D3DXMATRIX view;
    view(0, 0) = 1.0f / halfExtent;
    view(2, 1) = 1.0f / halfExtent;
    view(1, 2) = -kDepthPerUnit;
    view(3, 2) = 0.5f;
    view(3, 3) = 1.0f;
    return view;
}

D3DXMATRIX FrontView(float halfExtent)
{
    D3DXMATRIX view;
    view(0, 0) = 1.0f / halfExtent;
    view(1, 1) = 1.0f / halfExtent;
    view(2, 2) = -kDepthPerUnit;
    view(3, 2) = 0.5f;
    view(3, 3) = 1.0f;
    return view;
}

const std::vector<std::uint8_t>& GlFixture::Image() const
{
    static const std::vector<std::uint8_t> none;
    const PresentedFrame* frame = m_windows.LastFrame(m_window);
    return frame != nullptr ? frame->bgra : none;
}

void GlFixture::SetUp()
{
    if (!CanCreateD3D9Device()) {
        GTEST_SKIP() << kNoDeviceReason;
    }
    ASSERT_TRUE(GetGraphicsSystem()->CreateGraphicsContext(m_window));
    m_chain = GetGraphicsSystem()->CreateSwapChain(m_window);
    ASSERT_NE(m_chain, nullptr);
    m_device = GetGraphicsSystem()->GetDevice();
    SetView(FrontView(1.0f));
}

void GlFixture::TearDown()
{
    if (HasFailure() && !Image().empty()) {
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        ADD_FAILURE() << "last frame saved as " << SaveImage(std::string(test->test_suite_name()) + "." + test->name());
    }
    m_chain.Reset();
    GetGraphicsSystem()->ReleaseResources();
}

void GlFixture::SetView(const D3DXMATRIX& view)
{
    m_view = view;
    if (m_device != nullptr) {
        m_device->SetTransform(D3DTS_VIEW, &m_view);
    }
}

void GlFixture::Render(const std::function<void(TQR_DrawHelper*)>& draw)
{
    m_device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kBackground, 1.0f, 0);
    m_device->BeginScene();
    {
        TQRD3D_DrawHelper helper;
        helper.InitializeModelTransform();
        draw(&helper);
    }
    m_device->EndScene();
    ASSERT_EQ(m_chain->Present(nullptr, nullptr, nullptr, nullptr, 0), D3D_OK);
    ASSERT_EQ(Image().size(), std::size_t{kSize} * kSize * 4);
}

Rgb GlFixture::PixelAt(int x, int y) const
{
    const std::uint8_t* pixel = Image().data() + (static_cast<std::size_t>(y) * kSize + x) * 4;
    return Rgb{pixel[2], pixel[1], pixel[0]};
}

::testing::AssertionResult GlFixture::PixelNear(int x, int y, Rgb expected, int tolerance) const
{
    if (x < 0 || y < 0 || x >= static_cast<int>(kSize) || y >= static_cast<int>(kSize)) {
        return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") lies outside the image";
    }
    const Rgb actual = PixelAt(x, y);
    if (std::abs(actual.r - expected.r) <= tolerance && std::abs(actual.g - expected.g) <= tolerance &&
        std::abs(actual.b - expected.b) <= tolerance) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is (" << actual.r << ", " << actual.g
                                         << ", " << actual.b << "), expected (" << expected.r << ", " << expected.g
                                         << ", " << expected.b << ")";
}

::testing::AssertionResult GlFixture::PixelNearAround(int x, int y, Rgb expected, int radius) const
{
    for (int dy = -radius; dy <= radius; ++dy) {
        for (int dx = -radius; dx <= radius; ++dx) {
            if (PixelNear(x + dx, y + dy, expected)) {
                return ::testing::AssertionSuccess();
            }
        }
    }
    return ::testing::AssertionFailure() << "no pixel within " << radius << " of "
                                         << PixelNear(x, y, expected).message();
}

std::pair<int, int> GlFixture::PixelOf(float x, float y, float z) const
{
    const D3DXVECTOR3 world(x, y, z);
    D3DXVECTOR3 clip;
    D3DXVec3TransformCoord(&clip, &world, &m_view);
    const float size = static_cast<float>(kSize);
    return {static_cast<int>((clip.x + 1.0f) * 0.5f * size), static_cast<int>((1.0f - clip.y) * 0.5f * size)};
}

std::string GlFixture::SaveImage(const std::string& name) const
{
    const std::filesystem::path folder = std::filesystem::path(RELIEF_TEST_OUTPUT_DIR) / "primitives";
    std::filesystem::create_directories(folder);
    const std::string path = (folder / (name + ".png")).string();
    // B, G, R, A in memory is an RGB32 pixel on this platform; RGB32 keeps the image opaque.
    QImage(Image().data(), kSize, kSize, kSize * 4, QImage::Format_RGB32).save(QString::fromStdString(path), "png");
    return path;
}
