// The device drawing what the editor draws every timer tick: the 65 x 65 terrain grid into the
// device's back buffer (sized like the main dialog's client area) and into an additional chain
// of the small view, each presented into its view window.
#include "platform/d3d9/d3d9.h"
#include "platform/d3d9/testing/test_window_host.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

constexpr int kGridSide = 65;
constexpr float kGridExtent = 30.0f;

struct GridVertex {
    float x, y, z;
    float nx, ny, nz;
    D3DCOLOR colour;
    float u, v;
};
constexpr DWORD kGridFvf = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_DIFFUSE | D3DFVF_TEX1;
static_assert(kGridFvf == 0x152 && sizeof(GridVertex) == 36);

// Rolling hills coloured in three height bands, as the terrain is.
std::vector<GridVertex> GridVertices()
{
    std::vector<GridVertex> vertices;
    const float step = kGridExtent / (kGridSide - 1);
    for (int row = 0; row < kGridSide; ++row) {
        for (int column = 0; column < kGridSide; ++column) {
            const float x = column * step - kGridExtent / 2.0f;
            const float z = row * step - kGridExtent / 2.0f;
            const float y = 3.0f * std::sin(x * 0.4f) * std::cos(z * 0.3f);
            const D3DCOLOR colour = y > 2.0f ? 0xFFFFFFFF : (y > 0.0f ? 0x22228B00 : 0x13B4824C);
            vertices.push_back({x, y, z, 0.0f, 1.0f, 0.0f, colour, static_cast<float>(column) / (kGridSide - 1),
                                static_cast<float>(row) / (kGridSide - 1)});
        }
    }
    return vertices;
}

std::vector<WORD> GridIndices()
{
    std::vector<WORD> indices;
    for (int row = 0; row + 1 < kGridSide; ++row) {
        for (int column = 0; column + 1 < kGridSide; ++column) {
            const auto corner = static_cast<WORD>(row * kGridSide + column);
            const auto below = static_cast<WORD>(corner + kGridSide);
            for (const WORD index : {corner, below, WORD(corner + 1), WORD(corner + 1), below, WORD(below + 1)}) {
                indices.push_back(index);
            }
        }
    }
    return indices;
}

D3DMATRIX Identity()
{
    D3DMATRIX matrix{};
    matrix._11 = matrix._22 = matrix._33 = matrix._44 = 1.0f;
    return matrix;
}

// A right-handed camera 30 units away, 25 units up, looking at the origin.
D3DMATRIX ViewMatrix()
{
    const float eyeY = 25.0f;
    const float eyeZ = 30.0f;
    const float length = std::sqrt(eyeY * eyeY + eyeZ * eyeZ);
    const float zy = eyeY / length;
    const float zz = eyeZ / length;
    D3DMATRIX view = Identity();
    view._22 = zz;
    view._23 = zy;
    view._32 = -zy;
    view._33 = zz;
    view._43 = -length;
    return view;
}

D3DMATRIX ProjectionMatrix(float aspect)
{
    const float nearPlane = 1.0f;
    const float farPlane = 200.0f;
    const float yScale = 1.0f / std::tan(0.4f);
    D3DMATRIX projection{};
    projection._11 = yScale / aspect;
    projection._22 = yScale;
    projection._33 = farPlane / (nearPlane - farPlane);
    projection._34 = -1.0f;
    projection._43 = nearPlane * farPlane / (nearPlane - farPlane);
    return projection;
}

struct View {
    HWND window = nullptr;
    IDirect3DSwapChain9* chain = nullptr;
    float aspect = 1.0f;
};

class DeviceScene {
public:
    explicit DeviceScene(benchmark::State& state)
    {
        const HWND dialog = m_host.AddWindow(940, 567);
        m_big.window = m_host.AddWindow(690, 556);
        m_small.window = m_host.AddWindow(347, 281);
        m_big.aspect = 690.0f / 556.0f;
        m_small.aspect = 347.0f / 281.0f;
        m_d3d = Direct3DCreate9(D3D_SDK_VERSION);
        if (m_d3d == nullptr) {
            state.SkipWithError("no OpenGL context through EGL");
            return;
        }
        D3DPRESENT_PARAMETERS parameters;
        parameters.Windowed = TRUE;
        parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
        parameters.EnableAutoDepthStencil = TRUE;
        parameters.AutoDepthStencilFormat = D3DFMT_D24S8;
        parameters.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
        if (FAILED(m_d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, dialog, D3DCREATE_SOFTWARE_VERTEXPROCESSING,
                                       &parameters, &m_device))) {
            state.SkipWithError("CreateDevice failed");
            return;
        }
        m_device->GetSwapChain(0, &m_big.chain);
        D3DPRESENT_PARAMETERS smallParameters;
        smallParameters.Windowed = TRUE;
        smallParameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
        smallParameters.hDeviceWindow = m_small.window;
        smallParameters.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
        m_device->CreateAdditionalSwapChain(&smallParameters, &m_small.chain);
        m_device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
        m_device->SetRenderState(D3DRS_LIGHTING, FALSE);
        m_device->SetRenderState(D3DRS_ZENABLE, D3DZB_TRUE);
    }
    DeviceScene(const DeviceScene&) = delete;
    DeviceScene& operator=(const DeviceScene&) = delete;
    ~DeviceScene()
    {
        for (IUnknown* object : {static_cast<IUnknown*>(m_small.chain), static_cast<IUnknown*>(m_big.chain),
                                 static_cast<IUnknown*>(m_device), static_cast<IUnknown*>(m_d3d)}) {
            if (object != nullptr) {
                object->Release();
            }
        }
    }

    bool Ready() const { return m_small.chain != nullptr; }

    void DrawBothViews(bool withGrid)
    {
        for (const View* view : {&m_big, &m_small}) {
            DrawView(*view, withGrid);
        }
    }

private:
    void DrawView(const View& view, bool withGrid)
    {
        IDirect3DSurface9* backBuffer = nullptr;
        view.chain->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &backBuffer);
        m_device->SetRenderTarget(0, backBuffer);
        m_device->BeginScene();
        const D3DMATRIX viewMatrix = ViewMatrix();
        const D3DMATRIX projection = ProjectionMatrix(view.aspect);
        const D3DMATRIX world = Identity();
        m_device->SetTransform(D3DTS_VIEW, &viewMatrix);
        m_device->SetTransform(D3DTS_PROJECTION, &projection);
        m_device->SetTransform(D3DTS_WORLD, &world);
        m_device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0x00CCCCCC, 1.0f, 0);
        if (withGrid) {
            m_device->SetFVF(kGridFvf);
            m_device->DrawIndexedPrimitiveUP(D3DPT_TRIANGLELIST, 0, static_cast<UINT>(m_vertices.size()),
                                             static_cast<UINT>(m_indices.size() / 3), m_indices.data(), D3DFMT_INDEX16,
                                             m_vertices.data(), sizeof(GridVertex));
        }
        m_device->EndScene();
        view.chain->Present(nullptr, nullptr, view.window, nullptr, 0);
        backBuffer->Release();
    }

    TestWindowHost m_host;
    IDirect3D9* m_d3d = nullptr;
    IDirect3DDevice9* m_device = nullptr;
    View m_big;
    View m_small;
    std::vector<GridVertex> m_vertices = GridVertices();
    std::vector<WORD> m_indices = GridIndices();
};

void RunFramePairs(benchmark::State& state, bool withGrid)
{
    DeviceScene scene(state);
    if (!scene.Ready()) {
        state.SkipWithError("the device or the small view's swap chain could not be made");
        return;
    }
    for (auto _ : state) {
        scene.DrawBothViews(withGrid);
    }
    state.SetLabel("per pair of frames");
}

void BM_TerrainGridIntoBothViews(benchmark::State& state) { RunFramePairs(state, true); }
void BM_ClearAndPresentBothViews(benchmark::State& state) { RunFramePairs(state, false); }

} // namespace

BENCHMARK(BM_TerrainGridIntoBothViews)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClearAndPresentBothViews)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
