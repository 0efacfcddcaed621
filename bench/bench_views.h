// The main dialog's graphics for benchmarks, without a window system: the graphics context made
// on a window of the dialog's client size, the big view drawing into the device's own back
// buffer (the dialog's size) presented into its smaller window, and the small view with a chain
// of its own. Drawing a view repeats what a view does on every timer tick.
#pragma once

#include <benchmark/benchmark.h>

#include <functional>

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
        ComPtr<IDirect3DSwapChain9> chain;
        WorldCamera camera;
        int width = 0;
        int height = 0;
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
        m_small.chain.Reset();
        m_big.chain.Reset();
        GetGraphicsSystem()->ReleaseResources();
    }
    BenchViews(const BenchViews&) = delete;
    BenchViews& operator=(const BenchViews&) = delete;

    bool IsReady() const { return m_big.chain != nullptr && m_small.chain != nullptr; }
    const View& Big() const { return m_big; }
    const View& Small() const { return m_small; }

    // What a view does on every tick: camera, clear, the caller's drawing, present.
    static void DrawView(const View& view, const std::function<void()>& drawScene)
    {
        if (IDirect3DDevice9* device = GetGraphicsSystem()->GetDevice()) {
            DrawViewFrame(*device, *view.chain, view.window, view.camera, view.width, view.height, drawScene);
        }
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
    View MakeView(int width, int height, const WorldCamera& camera)
    {
        View view;
        view.window = m_host.AddWindow(static_cast<UINT>(width), static_cast<UINT>(height));
        view.chain = GetGraphicsSystem()->CreateSwapChain(view.window);
        view.camera = camera;
        view.width = width;
        view.height = height;
        return view;
    }

    TestWindowHost m_host;
    View m_big;
    View m_small;
};
