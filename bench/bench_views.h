// The main dialog's graphics for benchmarks, without a window system: the graphics context made
// on a window of the dialog's client size, the big view drawing into the device's own back
// buffer (the dialog's size) presented into its smaller window, and the small view with a chain
// of its own. Drawing a view repeats what a view does on every timer tick.
#pragma once

#include <benchmark/benchmark.h>

#include "graphics/graphics_system.h"
#include "platform/d3d9/testing/test_window_host.h"
#include "world/terrain_world.h"
#include "world/testing/headless_renderer.h"

class BenchViews {
public:
    static constexpr UINT kDialogWidth = 940;
    static constexpr UINT kDialogHeight = 567;

    struct View {
        HWND window = nullptr;
        IDirect3DSwapChain9* chain = nullptr;
        WorldCamera camera;
        float aspect = 1.0f;
    };

    BenchViews()
    {
        const HWND dialog = m_host.AddWindow(kDialogWidth, kDialogHeight);
        if (!GetGraphicsSystem()->CreateGraphicsContext(dialog)) {
            return;
        }
        m_big = MakeView(kBigViewWidth, kBigViewHeight, BigViewCamera());
        m_small = MakeView(kSmallViewWidth, kSmallViewHeight, SmallViewCamera());
    }
    ~BenchViews()
    {
        for (IDirect3DSwapChain9* chain : {m_small.chain, m_big.chain}) {
            if (chain != nullptr) {
                chain->Release();
            }
        }
        GetGraphicsSystem()->ReleaseResources();
    }
    BenchViews(const BenchViews&) = delete;
    BenchViews& operator=(const BenchViews&) = delete;

    bool IsReady() const { return m_big.chain != nullptr && m_small.chain != nullptr; }
    const View& Big() const { return m_big; }
    const View& Small() const { return m_small; }

    // Render target, camera, identity world transform and clear, then the caller's drawing,
    // then the present into the view's window.
    template <typename DrawScene>
    static void DrawView(const View& view, DrawScene drawScene)
    {
        IDirect3DDevice9* device = GetGraphicsSystem()->GetDevice();
        IDirect3DSurface9* backBuffer = nullptr;
        if (device == nullptr || FAILED(view.chain->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &backBuffer))) {
            return;
        }
        device->SetRenderTarget(0, backBuffer);
        device->BeginScene();
        SetCamera(*device, view);
        device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kBackground, 1.0f, 0);
        drawScene();
        device->EndScene();
        view.chain->Present(nullptr, nullptr, view.window, nullptr, 0);
        backBuffer->Release();
    }

    // One timer tick of the main dialog: the world advances, the Y-level slider reads the
    // selected height, and both views draw the world.
    void Tick(CTerrainWorld& world) const
    {
        world.Update();
        benchmark::DoNotOptimize(world.GetSelectedY());
        for (const View* view : {&m_big, &m_small}) {
            DrawView(*view, [&world] { world.Draw(); });
        }
    }

private:
    static constexpr D3DCOLOR kBackground = 0x00CCCCCC;
    static constexpr float kRadiansPerDegree = 0.017453292f;

    View MakeView(int width, int height, const WorldCamera& camera)
    {
        View view;
        view.window = m_host.AddWindow(static_cast<UINT>(width), static_cast<UINT>(height));
        view.chain = GetGraphicsSystem()->CreateSwapChain(view.window);
        view.camera = camera;
        view.aspect = static_cast<float>(width) / static_cast<float>(height);
        return view;
    }

    static void SetCamera(IDirect3DDevice9& device, const View& view)
    {
        const D3DXVECTOR3 eye(view.camera.eye.x, view.camera.eye.y, view.camera.eye.z);
        const D3DXVECTOR3 lookAt(view.camera.lookAt.x, view.camera.lookAt.y, view.camera.lookAt.z);
        const D3DXVECTOR3 up(0.0f, 1.0f, 0.0f);
        D3DXMATRIX viewMatrix;
        D3DXMatrixLookAtRH(&viewMatrix, &eye, &lookAt, &up);
        D3DXMATRIX projection;
        D3DXMatrixPerspectiveFovRH(&projection, view.camera.fovDegrees * kRadiansPerDegree, view.aspect,
                                   view.camera.nearPlane, view.camera.farPlane);
        D3DXMATRIX identity;
        D3DXMatrixIdentity(&identity);
        device.SetTransform(D3DTS_VIEW, &viewMatrix);
        device.SetTransform(D3DTS_PROJECTION, &projection);
        device.SetTransform(D3DTS_WORLD, &identity);
    }

    TestWindowHost m_host;
    View m_big;
    View m_small;
};
