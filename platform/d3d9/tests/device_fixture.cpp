#include "device_fixture.h"

#include "platform/d3d9/testing/device_probe.h"

#include <QImage>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

std::ostream& operator<<(std::ostream& out, const Rgb& colour)
{
    return out << "(" << colour.r << ", " << colour.g << ", " << colour.b << ")";
}

Rgb PixelAt(const PresentedFrame& frame, UINT x, UINT y)
{
    const std::size_t at = (static_cast<std::size_t>(y) * frame.width + x) * 4;
    return Rgb{frame.bgra[at + 2], frame.bgra[at + 1], frame.bgra[at]};
}

int Brightness(const Rgb& colour) { return colour.r + colour.g + colour.b; }

namespace {

bool IsNear(const Rgb& actual, const Rgb& expected, int tolerance)
{
    return std::abs(actual.r - expected.r) <= tolerance && std::abs(actual.g - expected.g) <= tolerance &&
           std::abs(actual.b - expected.b) <= tolerance;
}

} // namespace

::testing::AssertionResult RegionIs(const PresentedFrame& frame, UINT x0, UINT y0, UINT x1, UINT y1,
                                    const Rgb& expected, int tolerance)
{
    for (UINT y = y0; y < y1; ++y) {
        for (UINT x = x0; x < x1; ++x) {
            const Rgb actual = PixelAt(frame, x, y);
            if (!IsNear(actual, expected, tolerance)) {
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << ") is " << actual << ", expected " << expected;
            }
        }
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult RegionContains(const PresentedFrame& frame, UINT x0, UINT y0, UINT x1, UINT y1,
                                          const Rgb& expected, int tolerance)
{
    for (UINT y = y0; y < y1; ++y) {
        for (UINT x = x0; x < x1; ++x) {
            if (IsNear(PixelAt(frame, x, y), expected, tolerance)) {
                return ::testing::AssertionSuccess();
            }
        }
    }
    return ::testing::AssertionFailure() << "no pixel of [" << x0 << ", " << x1 << ") x [" << y0 << ", " << y1
                                         << ") is " << expected << "; the first is " << PixelAt(frame, x0, y0);
}

void SaveFrame(const PresentedFrame& frame, const std::string& suffix)
{
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(test->test_suite_name()) + "." + test->name() + suffix + ".png";
    std::replace(name.begin(), name.end(), '/', '_');
    const std::filesystem::path folder(RELIEF_TEST_OUTPUT_DIR);
    std::filesystem::create_directories(folder);
    // B, G, R, A in memory is an RGB32 pixel on this platform; RGB32 keeps the frame opaque.
    QImage(frame.bgra.data(), static_cast<int>(frame.width), static_cast<int>(frame.height),
           static_cast<qsizetype>(frame.width) * 4, QImage::Format_RGB32)
        .save(QString::fromStdString((folder / name).string()), "png");
}

std::vector<ColourVertex> Rectangle(float left, float top, float right, float bottom, float z, D3DCOLOR colour)
{
    return {{left, top, z, colour}, {right, top, z, colour},    {right, bottom, z, colour},
            {left, top, z, colour}, {right, bottom, z, colour}, {left, bottom, z, colour}};
}

void DeviceTest::SetUp()
{
    m_window = m_host.AddWindow(kSize, kSize);
    m_d3d = Direct3DCreate9(D3D_SDK_VERSION);
    if (m_d3d == nullptr) {
        GTEST_SKIP() << kNoDeviceReason;
    }
    D3DPRESENT_PARAMETERS parameters;
    parameters.Windowed = TRUE;
    parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
    parameters.EnableAutoDepthStencil = TRUE;
    parameters.AutoDepthStencilFormat = D3DFMT_D24S8;
    ASSERT_EQ(m_d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, m_window, D3DCREATE_SOFTWARE_VERTEXPROCESSING,
                                  &parameters, &m_device),
              D3D_OK);
    // The device starts as the platform's does; the pixel tests draw both windings unlit.
    m_device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    m_device->SetRenderState(D3DRS_LIGHTING, FALSE);
}

void DeviceTest::TearDown()
{
    if (HasFailure() && m_lastFrame != nullptr) {
        SaveFrame(*m_lastFrame);
    }
    if (m_device != nullptr) {
        m_device->Release();
    }
    if (m_d3d != nullptr) {
        m_d3d->Release();
    }
}

const PresentedFrame& DeviceTest::Render(const std::function<void()>& draw, D3DCOLOR clear)
{
    EXPECT_EQ(m_device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, clear, 1.0f, 0), D3D_OK);
    EXPECT_EQ(m_device->BeginScene(), D3D_OK);
    draw();
    EXPECT_EQ(m_device->EndScene(), D3D_OK);
    IDirect3DSwapChain9* chain = nullptr;
    EXPECT_EQ(m_device->GetSwapChain(0, &chain), D3D_OK);
    EXPECT_EQ(chain->Present(nullptr, nullptr, m_window, nullptr, 0), D3D_OK);
    chain->Release();
    m_lastFrame = m_host.LastFrame(m_window);
    return *m_lastFrame;
}
