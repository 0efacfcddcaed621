// Point-size runs, index checks, present parameters and reference counting, without OpenGL.
#include "platform/d3d9/internal/present_parameters.h"
#include "platform/d3d9/internal/primitive_draw.h"
#include "platform/d3d9/ref_counted.h"
#include "platform/d3d9/testing/test_window_host.h"

#include <gtest/gtest.h>

namespace {

TEST(PointRunTest, ConsecutivePointsOfEqualSizeShareOneRun)
{
    const std::vector<float> sizes{4.0f, 4.0f, 9.0f, 4.0f, 4.0f, 4.0f};
    const auto runs = PointRunsBySize(static_cast<UINT>(sizes.size()), [&](UINT i) { return sizes[i]; });
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].first, 0u);
    EXPECT_EQ(runs[0].count, 2u);
    EXPECT_EQ(runs[1].first, 2u);
    EXPECT_EQ(runs[1].size, 9.0f);
    EXPECT_EQ(runs[2].first, 3u);
    EXPECT_EQ(runs[2].count, 3u);
    EXPECT_TRUE(PointRunsBySize(0, [](UINT) { return 1.0f; }).empty());
}

TEST(IndexCheckTest, IndicesMustLieWithinTheNamedVertexRange)
{
    const std::vector<WORD> shorts{3, 4, 7};
    const std::vector<DWORD> longs{70000, 70002};
    const IndexSource shortIndices{reinterpret_cast<const BYTE*>(shorts.data()), 2, 3};
    const IndexSource longIndices{reinterpret_cast<const BYTE*>(longs.data()), 4, 2};
    EXPECT_EQ(IndexAt(shortIndices, 2), 7u);
    EXPECT_EQ(IndexAt(longIndices, 1), 70002u);
    struct Case {
        const IndexSource* indices;
        UINT first;
        UINT count;
        bool within;
    };
    const Case cases[] = {
        {&shortIndices, 3, 5, true},    {&shortIndices, 3, 4, false},    {&shortIndices, 4, 10, false},
        {&longIndices, 70000, 3, true}, {&longIndices, 0, 70002, false}, {&longIndices, 0, 70003, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "first " << c.first << ", count " << c.count);
        EXPECT_EQ(IndicesWithin(*c.indices, c.first, c.count), c.within);
    }
}

D3DPRESENT_PARAMETERS Windowed()
{
    D3DPRESENT_PARAMETERS parameters;
    parameters.Windowed = TRUE;
    parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
    return parameters;
}

TEST(PresentParametersTest, ZeroSizeAndUnknownFormatComeFromTheWindow)
{
    TestWindowHost host;
    const HWND focus = host.AddWindow(940, 567);
    const HWND view = host.AddWindow(347, 281);
    D3DPRESENT_PARAMETERS parameters = Windowed();
    ASSERT_EQ(ResolvePresentParameters(&parameters, focus), D3D_OK);
    EXPECT_EQ(parameters.BackBufferWidth, 940u);
    EXPECT_EQ(parameters.BackBufferHeight, 567u);
    EXPECT_EQ(parameters.BackBufferFormat, D3DFMT_X8R8G8B8);
    EXPECT_EQ(parameters.BackBufferCount, 1u);
    EXPECT_EQ(parameters.hDeviceWindow, focus);

    D3DPRESENT_PARAMETERS onView = Windowed();
    onView.hDeviceWindow = view;
    onView.BackBufferWidth = 100;
    onView.BackBufferFormat = D3DFMT_A8R8G8B8;
    ASSERT_EQ(ResolvePresentParameters(&onView, focus), D3D_OK);
    EXPECT_EQ(onView.BackBufferWidth, 100u);
    EXPECT_EQ(onView.BackBufferHeight, 281u);
    EXPECT_EQ(onView.BackBufferFormat, D3DFMT_A8R8G8B8);
}

TEST(PresentParametersTest, UnsupportedParametersAndUnusableWindowsAreRejectedUntouched)
{
    TestWindowHost host;
    const HWND focus = host.AddWindow(64, 64);
    const HWND dead = host.AddWindow(64, 64);
    host.DestroyWindow(dead);
    const HWND flat = host.AddWindow(64, 0);
    struct Case {
        const char* name;
        std::function<void(D3DPRESENT_PARAMETERS&)> change;
        HWND window;
    };
    const Case cases[] = {
        {"fullscreen", [](auto& p) { p.Windowed = FALSE; }, focus},
        {"no swap effect", [](auto& p) { p.SwapEffect = static_cast<D3DSWAPEFFECT>(0); }, focus},
        {"depth back buffer", [](auto& p) { p.BackBufferFormat = D3DFMT_D16; }, focus},
        {"multisampled", [](auto& p) { p.MultiSampleType = static_cast<D3DMULTISAMPLE_TYPE>(4); }, focus},
        {"colour depth buffer",
         [](auto& p) {
             p.EnableAutoDepthStencil = TRUE;
             p.AutoDepthStencilFormat = D3DFMT_X8R8G8B8;
         },
         focus},
        {"dead window", [](auto&) {}, dead},
        {"no window", [](auto&) {}, nullptr},
        {"no client height", [](auto&) {}, flat},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        D3DPRESENT_PARAMETERS parameters = Windowed();
        c.change(parameters);
        EXPECT_EQ(ResolvePresentParameters(&parameters, c.window), D3DERR_INVALIDCALL);
        EXPECT_EQ(parameters.BackBufferWidth, 0u);
        EXPECT_EQ(parameters.hDeviceWindow, nullptr);
    }
    EXPECT_EQ(ResolvePresentParameters(nullptr, focus), D3DERR_INVALIDCALL);
}

TEST(PresentParametersTest, WithoutAWindowHostNoHandleIsAWindow)
{
    D3DPRESENT_PARAMETERS parameters = Windowed();
    EXPECT_EQ(ResolvePresentParameters(&parameters, reinterpret_cast<HWND>(0x100)), D3DERR_INVALIDCALL);
}

class CountedSurface final : public RefCounted<IDirect3DSurface9> {
public:
    HRESULT GetDesc(D3DSURFACE_DESC*) override { return D3D_OK; }
};

TEST(RefCountedTest, LastReleaseDestroysAndComPtrHoldsItsOwnReference)
{
    const ULONG baseline = D3D9LiveObjectCount();
    auto* surface = new CountedSurface;
    EXPECT_EQ(D3D9LiveObjectCount(), baseline + 1);
    {
        ComPtr<IDirect3DSurface9> held(surface);
        EXPECT_EQ(surface->AddRef(), 3u);
        EXPECT_EQ(surface->Release(), 2u);
        ComPtr<IDirect3DSurface9> moved = std::move(held);
        EXPECT_FALSE(held);
        EXPECT_EQ(moved.Get(), surface);
    }
    EXPECT_EQ(D3D9LiveObjectCount(), baseline + 1);
    auto adopted = ComPtr<IDirect3DSurface9>::Adopt(surface);
    adopted.Reset();
    EXPECT_EQ(D3D9LiveObjectCount(), baseline);
}

} // namespace
