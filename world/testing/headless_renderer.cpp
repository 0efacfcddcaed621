#include "world/testing/headless_renderer.h"

#include "graphics/graphics_system.h"
#include "world/terrain_world.h"

namespace {

constexpr D3DCOLOR kBackground = 0x00CCCCCC;

D3DXVECTOR3 ToD3DX(const TQR_Vector3& v) { return D3DXVECTOR3(v.x, v.y, v.z); }

} // namespace

void ComputeViewAndProjection(const WorldCamera& camera, int width, int height, D3DXMATRIX& view,
                              D3DXMATRIX& projection)
{
    const D3DXVECTOR3 eye = ToD3DX(camera.eye);
    const D3DXVECTOR3 lookAt = ToD3DX(camera.lookAt);
    const D3DXVECTOR3 up(0.0f, 1.0f, 0.0f);
    D3DXMatrixLookAtRH(&view, &eye, &lookAt, &up);
    const float aspect = static_cast<float>(width) / static_cast<float>(height);
    D3DXMatrixPerspectiveFovRH(&projection, camera.fovDegrees * kRadiansPerDegree, aspect, camera.nearPlane,
                               camera.farPlane);
}

WorldCamera BigViewCamera() { return WorldCamera{{0.0f, 10.0f, -25.0f}, {0.0f, 0.0f, 0.0f}}; }

WorldCamera SmallViewCamera() { return WorldCamera{{0.0f, 40.0f, -1.0f}, {0.0f, 0.0f, 0.0f}}; }

D3DXMATRIX ViewProjection(const WorldCamera& camera, int width, int height)
{
    D3DXMATRIX view;
    D3DXMATRIX projection;
    ComputeViewAndProjection(camera, width, height, view, projection);
    D3DXMATRIX product;
    D3DXMatrixMultiply(&product, &view, &projection);
    return product;
}

std::pair<int, int> ProjectToImage(const WorldCamera& camera, int width, int height, const TQR_Vector3& point)
{
    const D3DXMATRIX viewProjection = ViewProjection(camera, width, height);
    const D3DXVECTOR3 world = ToD3DX(point);
    D3DXVECTOR3 clip;
    D3DXVec3TransformCoord(&clip, &world, &viewProjection);
    return {static_cast<int>((clip.x + 1.0f) * 0.5f * static_cast<float>(width)),
            static_cast<int>((1.0f - clip.y) * 0.5f * static_cast<float>(height))};
}

HeadlessWorldRenderer::~HeadlessWorldRenderer()
{
    // The swap chains go before the device.
    m_views.clear();
    GetGraphicsSystem()->ReleaseResources();
}

const HeadlessWorldRenderer::View* HeadlessWorldRenderer::FindOrAddView(int width, int height)
{
    const std::pair<int, int> size{width, height};
    if (const auto found = m_views.find(size); found != m_views.end()) {
        return &found->second;
    }
    if (width <= 0 || height <= 0) {
        return nullptr;
    }
    if (m_views.empty()) {
        const HWND mainWindow = m_windows.AddWindow(static_cast<UINT>(width), static_cast<UINT>(height));
        if (!GetGraphicsSystem()->CreateGraphicsContext(mainWindow)) {
            return nullptr;
        }
    }
    View view;
    view.window = m_windows.AddWindow(static_cast<UINT>(width), static_cast<UINT>(height));
    view.chain = GetGraphicsSystem()->CreateSwapChain(view.window);
    if (view.chain == nullptr) {
        return nullptr;
    }
    return &m_views.emplace(size, view).first->second;
}

WorldImage HeadlessWorldRenderer::Render(CTerrainWorld& world, const WorldCamera& camera, int width, int height)
{
    const View* view = FindOrAddView(width, height);
    IDirect3DDevice9* device = GetGraphicsSystem()->GetDevice();
    if (view == nullptr || device == nullptr) {
        return {};
    }
    DrawViewFrame(*device, *view->chain, view->window, camera, width, height, [&world] { world.Draw(); });
    const PresentedFrame* frame = m_windows.LastFrame(view->window);
    if (frame == nullptr) {
        return {};
    }
    return WorldImage{static_cast<int>(frame->width), static_cast<int>(frame->height), frame->bgra};
}

void DrawViewFrame(IDirect3DDevice9& device, IDirect3DSwapChain9& chain, HWND window, const WorldCamera& camera,
                   int width, int height, const std::function<void()>& drawScene)
{
    ComPtr<IDirect3DSurface9> backBuffer;
    if (FAILED(chain.GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, backBuffer.ReleaseAndGetAddressOf()))) {
        return;
    }
    device.SetRenderTarget(0, backBuffer.Get());
    device.BeginScene();
    D3DXMATRIX viewMatrix;
    D3DXMATRIX projection;
    ComputeViewAndProjection(camera, width, height, viewMatrix, projection);
    device.SetTransform(D3DTS_VIEW, &viewMatrix);
    device.SetTransform(D3DTS_PROJECTION, &projection);
    D3DXMATRIX identity;
    D3DXMatrixIdentity(&identity);
    device.SetTransform(D3DTS_WORLD, &identity);
    device.Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kBackground, 1.0f, 0);
    drawScene();
    device.EndScene();
    chain.Present(nullptr, nullptr, window, nullptr, 0);
}
