// Draws the world headless as a view of the main dialog does, and hands back the presented
// image: for tests and tools that need to see the scene without a window system.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <utility>

#include "platform/d3d9/com_ptr.h"
#include "platform/d3d9/testing/test_window_host.h"
#include "platform/d3dx9/d3dx9.h"
#include "scene/vector_math.h"
#include "world/testing/world_image.h"

class CTerrainWorld;

// A view's camera as the main dialog sets it; the up vector is always (0, 1, 0).
struct WorldCamera {
    TQR_Vector3 eye;
    TQR_Vector3 lookAt;
    float fovDegrees = 45.0f;
    float nearPlane = 0.5f;
    float farPlane = 100.0f;
};

// The big view looks at the origin from (0, 10, -25), the small one from (0, 40, -1).
WorldCamera BigViewCamera();
WorldCamera SmallViewCamera();
// The sizes of the two views' windows in the main dialog.
constexpr int kBigViewWidth = 690;
constexpr int kBigViewHeight = 556;
constexpr int kSmallViewWidth = 347;
constexpr int kSmallViewHeight = 281;

// The right-handed look-at view and perspective projection of the camera, with the aspect
// ratio of width x height.
void ComputeViewAndProjection(const WorldCamera& camera, int width, int height, D3DXMATRIX& view,
                              D3DXMATRIX& projection);
// The right-handed look-at view times the right-handed perspective projection, with the aspect
// ratio of the image.
D3DXMATRIX ViewProjection(const WorldCamera& camera, int width, int height);
// The pixel (column, row) where a world point lands in an image of that size.
std::pair<int, int> ProjectToImage(const WorldCamera& camera, int width, int height, const TQR_Vector3& point);

// One frame of a view as the main dialog draws it: the chain's back buffer as render target,
// view and projection from the camera with the aspect ratio of width x height, world transform
// identity, clear to light grey, the scene, present into the window.
void DrawViewFrame(IDirect3DDevice9& device, IDirect3DSwapChain9& chain, HWND window, const WorldCamera& camera,
                   int width, int height, const std::function<void()>& drawScene);

// Owns the graphics context for its lifetime (the graphics system is released when it goes)
// and one test window with its swap chain per image size.
class HeadlessWorldRenderer {
public:
    HeadlessWorldRenderer() = default;
    ~HeadlessWorldRenderer();
    HeadlessWorldRenderer(const HeadlessWorldRenderer&) = delete;
    HeadlessWorldRenderer& operator=(const HeadlessWorldRenderer&) = delete;

    // One frame: view and projection from the camera, world transform identity, clear to light
    // grey, the world's Draw, present. Empty when the device or the swap chain cannot be made.
    WorldImage Render(CTerrainWorld& world, const WorldCamera& camera, int width, int height);
    // Makes the device and a view of that size without drawing, as the editor's start-up does
    // before its first tick. False when either cannot be made.
    bool PrepareView(int width, int height) { return FindOrAddView(width, height) != nullptr; }

private:
    // Away from the handles other test hosts hand out.
    static constexpr std::uintptr_t kFirstWindowHandle = 0x7000;

    struct View {
        HWND window = nullptr;
        ComPtr<IDirect3DSwapChain9> chain;
    };
    // The view of that size, made on first use; the first one also creates the graphics
    // context on a main window of its size and receives the device's own swap chain.
    const View* FindOrAddView(int width, int height);

    TestWindowHost m_windows{kFirstWindowHandle};
    std::map<std::pair<int, int>, View> m_views;
};
