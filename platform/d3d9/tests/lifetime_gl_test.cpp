// Reference counting of the device's objects, and device creation checks.
#include "platform/d3d9/d3d9.h"
#include "platform/d3d9/live_objects.h"
#include "platform/d3d9/testing/device_probe.h"
#include "platform/d3d9/testing/test_window_host.h"

#include <gtest/gtest.h>

namespace {

D3DPRESENT_PARAMETERS DeviceParameters()
{
    D3DPRESENT_PARAMETERS parameters;
    parameters.Windowed = TRUE;
    parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
    parameters.EnableAutoDepthStencil = TRUE;
    parameters.AutoDepthStencilFormat = D3DFMT_D24S8;
    parameters.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
    return parameters;
}

class LifetimeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_baseline = D3D9LiveObjectCount();
        m_window = m_host.AddWindow(64, 48);
        m_d3d = Direct3DCreate9(D3D_SDK_VERSION);
        if (m_d3d == nullptr) {
            GTEST_SKIP() << kNoDeviceReason;
        }
    }

    IDirect3DDevice9* CreateDevice()
    {
        D3DPRESENT_PARAMETERS parameters = DeviceParameters();
        IDirect3DDevice9* device = nullptr;
        EXPECT_EQ(m_d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, m_window, D3DCREATE_SOFTWARE_VERTEXPROCESSING,
                                      &parameters, &device),
                  D3D_OK);
        return device;
    }

    TestWindowHost m_host;
    HWND m_window = nullptr;
    IDirect3D9* m_d3d = nullptr;
    ULONG m_baseline = 0;
};

TEST_F(LifetimeTest, ReleasingEveryReferenceInAnyOrderFreesEverything)
{
    IDirect3DDevice9* device = CreateDevice();
    ASSERT_NE(device, nullptr);
    D3DPRESENT_PARAMETERS chainParameters;
    chainParameters.Windowed = TRUE;
    chainParameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
    chainParameters.hDeviceWindow = m_host.AddWindow(30, 20);
    IDirect3DSwapChain9* chain = nullptr;
    ASSERT_EQ(device->CreateAdditionalSwapChain(&chainParameters, &chain), D3D_OK);
    IDirect3DSurface9* surface = nullptr;
    ASSERT_EQ(chain->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &surface), D3D_OK);
    device->SetRenderTarget(0, surface);
    IDirect3DTexture9* texture = nullptr;
    ASSERT_EQ(device->CreateTexture(8, 8, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr), D3D_OK);
    device->SetTexture(0, texture);
    EXPECT_EQ(D3D9LiveObjectCount(), m_baseline + 4);

    // The owners go first; what they made keeps them alive.
    EXPECT_EQ(m_d3d->Release(), 1u);
    EXPECT_EQ(device->Release(), 2u);
    EXPECT_EQ(chain->Release(), 1u);
    EXPECT_EQ(D3D9LiveObjectCount(), m_baseline + 4);
    EXPECT_EQ(surface->Release(), 0u);
    EXPECT_EQ(D3D9LiveObjectCount(), m_baseline + 3);
    EXPECT_EQ(texture->Release(), 0u);
    EXPECT_EQ(D3D9LiveObjectCount(), m_baseline);
}

TEST_F(LifetimeTest, ImplicitChainAndBackBufferCountOnTheDevice)
{
    IDirect3DDevice9* device = CreateDevice();
    ASSERT_NE(device, nullptr);
    IDirect3DSwapChain9* chain = nullptr;
    ASSERT_EQ(device->GetSwapChain(0, &chain), D3D_OK);
    IDirect3DSurface9* surface = nullptr;
    ASSERT_EQ(chain->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &surface), D3D_OK);
    EXPECT_EQ(device->AddRef(), 4u);
    EXPECT_EQ(device->Release(), 3u);
    EXPECT_EQ(device->Release(), 2u);
    EXPECT_EQ(chain->Release(), 1u);
    // The device lives while its back buffer is held, and the buffer still describes itself.
    D3DSURFACE_DESC desc;
    EXPECT_EQ(surface->GetDesc(&desc), D3D_OK);
    EXPECT_EQ(desc.Width, 64u);
    EXPECT_EQ(desc.Height, 48u);
    EXPECT_EQ(desc.Format, D3DFMT_X8R8G8B8);
    EXPECT_EQ(surface->Release(), 0u);
    EXPECT_EQ(m_d3d->Release(), 0u);
    EXPECT_EQ(D3D9LiveObjectCount(), m_baseline);
}

TEST_F(LifetimeTest, DeviceCreationFailsCleanlyForWhatItCannotDo)
{
    const HWND dead = m_host.AddWindow(10, 10);
    m_host.DestroyWindow(dead);
    const HWND empty = m_host.AddWindow(0, 10);
    D3DPRESENT_PARAMETERS fullscreen = DeviceParameters();
    fullscreen.Windowed = FALSE;
    D3DPRESENT_PARAMETERS twoBuffers = DeviceParameters();
    twoBuffers.BackBufferCount = 2;
    struct Case {
        const char* name;
        UINT adapter;
        D3DDEVTYPE type;
        HWND window;
        DWORD behaviour;
        D3DPRESENT_PARAMETERS parameters;
        HRESULT expected;
    };
    const DWORD software = D3DCREATE_SOFTWARE_VERTEXPROCESSING;
    const Case cases[] = {
        {"second adapter", 1, D3DDEVTYPE_HAL, m_window, software, DeviceParameters(), D3DERR_INVALIDCALL},
        {"reference device", 0, D3DDEVTYPE_REF, m_window, software, DeviceParameters(), D3DERR_NOTAVAILABLE},
        {"dead focus window", 0, D3DDEVTYPE_HAL, dead, software, DeviceParameters(), D3DERR_INVALIDCALL},
        {"no focus window", 0, D3DDEVTYPE_HAL, nullptr, software, DeviceParameters(), D3DERR_INVALIDCALL},
        {"empty client area", 0, D3DDEVTYPE_HAL, empty, software, DeviceParameters(), D3DERR_INVALIDCALL},
        {"no vertex processing", 0, D3DDEVTYPE_HAL, m_window, 0, DeviceParameters(), D3DERR_INVALIDCALL},
        {"both vertex processings", 0, D3DDEVTYPE_HAL, m_window, software | D3DCREATE_HARDWARE_VERTEXPROCESSING,
         DeviceParameters(), D3DERR_INVALIDCALL},
        {"fullscreen", 0, D3DDEVTYPE_HAL, m_window, software, fullscreen, D3DERR_INVALIDCALL},
        {"two back buffers", 0, D3DDEVTYPE_HAL, m_window, software, twoBuffers, D3DERR_INVALIDCALL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        D3DPRESENT_PARAMETERS parameters = c.parameters;
        IDirect3DDevice9* device = reinterpret_cast<IDirect3DDevice9*>(this);
        EXPECT_EQ(m_d3d->CreateDevice(c.adapter, c.type, c.window, c.behaviour, &parameters, &device), c.expected);
        EXPECT_EQ(device, nullptr);
    }
    EXPECT_EQ(m_d3d->Release(), 0u);
    EXPECT_EQ(D3D9LiveObjectCount(), m_baseline);
}

} // namespace
