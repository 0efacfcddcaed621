// Pixel tests of swap chains: additional chains with depth buffers of their own, render target
// switching, and presenting (scaling, row order, destination windows).
#include "device_fixture.h"

#include "platform/d3d9/ref_counted.h"

namespace {

constexpr D3DCOLOR kRed = 0xFFFF0000;
constexpr D3DCOLOR kGreen = 0xFF00FF00;
constexpr D3DCOLOR kBlue = 0xFF0000FF;
constexpr D3DCOLOR kWhite = 0xFFFFFFFF;
constexpr Rgb kRedRgb{255, 0, 0};
constexpr Rgb kGreenRgb{0, 255, 0};
constexpr Rgb kBlueRgb{0, 0, 255};
constexpr Rgb kWhiteRgb{255, 255, 255};

D3DPRESENT_PARAMETERS WindowedParameters(HWND window)
{
    D3DPRESENT_PARAMETERS parameters;
    parameters.Windowed = TRUE;
    parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
    parameters.hDeviceWindow = window;
    return parameters;
}

class SwapChainTest : public DeviceTest {
protected:
    ComPtr<IDirect3DSwapChain9> AdditionalChain(HWND window)
    {
        D3DPRESENT_PARAMETERS parameters = WindowedParameters(window);
        IDirect3DSwapChain9* chain = nullptr;
        EXPECT_EQ(m_device->CreateAdditionalSwapChain(&parameters, &chain), D3D_OK);
        return ComPtr<IDirect3DSwapChain9>::Adopt(chain);
    }

    void DrawInto(IDirect3DSwapChain9* chain, const std::function<void()>& draw)
    {
        IDirect3DSurface9* backBuffer = nullptr;
        ASSERT_EQ(chain->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &backBuffer), D3D_OK);
        ASSERT_EQ(m_device->SetRenderTarget(0, backBuffer), D3D_OK);
        backBuffer->Release();
        m_device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kClear, 1.0f, 0);
        m_device->BeginScene();
        draw();
        m_device->EndScene();
    }

    ComPtr<IDirect3DSwapChain9> ImplicitChain()
    {
        IDirect3DSwapChain9* chain = nullptr;
        EXPECT_EQ(m_device->GetSwapChain(0, &chain), D3D_OK);
        return ComPtr<IDirect3DSwapChain9>::Adopt(chain);
    }

    // Quadrants red, green / blue, white, rows top first.
    void DrawQuadrants()
    {
        DrawTriangles(Rectangle(-1.0f, 1.0f, 0.0f, 0.0f, 0.5f, kRed));
        DrawTriangles(Rectangle(0.0f, 1.0f, 1.0f, 0.0f, 0.5f, kGreen));
        DrawTriangles(Rectangle(-1.0f, 0.0f, 0.0f, -1.0f, 0.5f, kBlue));
        DrawTriangles(Rectangle(0.0f, 0.0f, 1.0f, -1.0f, 0.5f, kWhite));
    }

    ::testing::AssertionResult ShowsQuadrants(const PresentedFrame& frame)
    {
        const UINT w = frame.width;
        const UINT h = frame.height;
        const auto quadrant = [&](UINT column, UINT row, const Rgb& colour) {
            return RegionIs(frame, column * w / 2 + w / 8, row * h / 2 + h / 8, column * w / 2 + 3 * w / 8,
                            row * h / 2 + 3 * h / 8, colour);
        };
        for (const auto& result : {quadrant(0, 0, kRedRgb), quadrant(1, 0, kGreenRgb), quadrant(0, 1, kBlueRgb),
                                   quadrant(1, 1, kWhiteRgb)}) {
            if (!result) {
                return result;
            }
        }
        return ::testing::AssertionSuccess();
    }
};

TEST_F(SwapChainTest, PresentScalesTheWholeBackBufferOntoTheClientAreaTopRowFirst)
{
    struct Case {
        UINT width;
        UINT height;
    };
    for (const Case& c : {Case{kSize, kSize}, Case{60, 100}, Case{300, 90}}) {
        SCOPED_TRACE(::testing::Message() << c.width << " x " << c.height);
        const HWND view = m_host.AddWindow(c.width, c.height);
        DrawInto(ImplicitChain().Get(), [&] { DrawQuadrants(); });
        ASSERT_EQ(ImplicitChain()->Present(nullptr, nullptr, view, nullptr, 0), D3D_OK);
        m_lastFrame = m_host.LastFrame(view);
        ASSERT_NE(m_lastFrame, nullptr);
        EXPECT_EQ(m_lastFrame->width, c.width);
        EXPECT_EQ(m_lastFrame->height, c.height);
        EXPECT_TRUE(ShowsQuadrants(*m_lastFrame));
    }
}

TEST_F(SwapChainTest, PresentedImageIsOpaqueWhateverTheClearAlpha)
{
    const PresentedFrame& frame = Render([] {}, 0x00CCCCCC);
    EXPECT_TRUE(RegionIs(frame, 0, 0, kSize, kSize, Rgb{0xCC, 0xCC, 0xCC}, 0));
    EXPECT_EQ(frame.bgra[3], 255);
}

TEST_F(SwapChainTest, PresentGoesToTheChainWindowWithoutDestinationAndFailsForADeadOne)
{
    const HWND view = m_host.AddWindow(40, 30);
    const auto chain = AdditionalChain(view);
    EXPECT_EQ(chain->Present(nullptr, nullptr, nullptr, nullptr, 0), D3D_OK);
    EXPECT_EQ(m_host.PresentCount(view), 1);
    ASSERT_NE(m_host.LastFrame(view), nullptr);
    EXPECT_EQ(m_host.LastFrame(view)->width, 40u);

    const RECT part{0, 0, 10, 10};
    EXPECT_EQ(chain->Present(&part, nullptr, nullptr, nullptr, 0), D3DERR_INVALIDCALL);
    m_host.DestroyWindow(view);
    EXPECT_EQ(chain->Present(nullptr, nullptr, nullptr, nullptr, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(m_host.PresentCount(view), 1);
}

TEST_F(SwapChainTest, ChainBeyondTheFramebufferLimitFailsCleanly)
{
    D3DPRESENT_PARAMETERS tooWide = WindowedParameters(m_window);
    tooWide.BackBufferWidth = 1u << 20;
    IDirect3DSwapChain9* chain = nullptr;
    EXPECT_EQ(m_device->CreateAdditionalSwapChain(&tooWide, &chain), D3DERR_OUTOFVIDEOMEMORY);
    EXPECT_EQ(chain, nullptr);
}

TEST_F(SwapChainTest, ChainsOfDifferentSizesAreEachDepthTested)
{
    const HWND small = m_host.AddWindow(96, 64);
    const auto additional = AdditionalChain(small);
    D3DPRESENT_PARAMETERS parameters;
    additional->GetPresentParameters(&parameters);
    EXPECT_EQ(parameters.BackBufferWidth, 96u);
    EXPECT_EQ(parameters.BackBufferHeight, 64u);

    // The far surface is drawn last: only a depth test keeps the near one in front.
    const auto drawNearThenFar = [&] {
        DrawTriangles(Rectangle(-1.0f, 1.0f, 0.5f, -1.0f, 0.2f, kRed));
        DrawTriangles(Rectangle(-0.5f, 1.0f, 1.0f, -1.0f, 0.8f, kGreen));
    };
    for (IDirect3DSwapChain9* chain : {ImplicitChain().Get(), additional.Get()}) {
        DrawInto(chain, drawNearThenFar);
        ASSERT_EQ(chain->Present(nullptr, nullptr, nullptr, nullptr, 0), D3D_OK);
    }
    for (const HWND window : {m_window, small}) {
        m_lastFrame = m_host.LastFrame(window);
        ASSERT_NE(m_lastFrame, nullptr);
        const UINT w = m_lastFrame->width;
        const UINT h = m_lastFrame->height;
        SCOPED_TRACE(::testing::Message() << w << " x " << h);
        EXPECT_TRUE(RegionIs(*m_lastFrame, w * 5 / 16, h / 8, w * 11 / 16, h * 7 / 8, kRedRgb));
        EXPECT_TRUE(RegionIs(*m_lastFrame, w * 13 / 16, h / 8, w * 15 / 16, h * 7 / 8, kGreenRgb));
    }
}

TEST_F(SwapChainTest, RenderTargetFallsBackToTheDeviceBackBufferWhenItsChainGoes)
{
    const auto implicitChain = ImplicitChain();
    IDirect3DSurface9* implicitBackBuffer = nullptr;
    implicitChain->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &implicitBackBuffer);
    auto additional = AdditionalChain(m_host.AddWindow(32, 32));
    IDirect3DSurface9* additionalBackBuffer = nullptr;
    additional->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &additionalBackBuffer);
    ASSERT_EQ(m_device->SetRenderTarget(0, additionalBackBuffer), D3D_OK);
    additionalBackBuffer->Release();

    IDirect3DSurface9* target = nullptr;
    ASSERT_EQ(m_device->GetRenderTarget(0, &target), D3D_OK);
    D3DSURFACE_DESC desc;
    target->GetDesc(&desc);
    EXPECT_EQ(desc.Width, 32u);
    EXPECT_EQ(desc.Usage, D3DUSAGE_RENDERTARGET);
    target->Release();

    additional.Reset();
    ASSERT_EQ(m_device->GetRenderTarget(0, &target), D3D_OK);
    EXPECT_EQ(target, implicitBackBuffer);
    target->Release();
    implicitBackBuffer->Release();
    EXPECT_EQ(m_device->SetRenderTarget(0, nullptr), D3DERR_INVALIDCALL);
    EXPECT_EQ(m_device->SetRenderTarget(1, implicitBackBuffer), D3DERR_INVALIDCALL);
}

} // namespace
