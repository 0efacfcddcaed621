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
#include "world/testing/world_folder.h"
#include "world/view_frame_record.h"

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
        CViewFrameRecord frames;
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

    // The tick as the editor runs it: the same work, but each view draws only when its frame
    // would differ from the last one it drew (see CViewFrameRecord).
    void TickIfChanged(CTerrainWorld& world)
    {
        world.Update();
        benchmark::DoNotOptimize(world.GetSelectedY());
        for (View* view : {&m_big, &m_small}) {
            D3DXMATRIX viewMatrix;
            D3DXMATRIX projection;
            CameraMatrices(view->camera, view->width, view->height, viewMatrix, projection);
            const CViewFrame frame = CViewFrame::Of(&world, viewMatrix, projection, view->width, view->height);
            if (view->frames.NeedsDrawing(frame)) {
                DrawView(*view, [&world] { world.Draw(); });
                view->frames.Drawn(frame);
            }
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

// What a drawing benchmark needs first: the world's mesh data in a folder of its own, then the
// two views. Ready skips the benchmark, saying why, when either is missing.
class BenchStage {
public:
    bool Ready(benchmark::State& state) const
    {
        if (!m_folder.IsReady() || !m_views.IsReady()) {
            state.SkipWithError("no mesh data or no OpenGL device");
            return false;
        }
        return true;
    }
    BenchViews& Views() { return m_views; }

private:
    ScopedWorldFolder m_folder;
    BenchViews m_views;
};
