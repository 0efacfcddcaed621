// Test doubles of the Direct3D object, the device, swap chains and textures that record what
// the graphics back end asks of them, so the tests need no OpenGL context. The object and the
// device live in the test; their reference counts are only observed, so a test can check that
// every reference taken was given back.
#pragma once

#include "platform/d3d9/d3d9.h"
#include "platform/d3dx9/d3dx9.h"

#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

// Counts live instances so tests can check that nothing leaked.
class FakeTexture final : public IDirect3DTexture9 {
public:
    FakeTexture(UINT width, UINT height);
    ~FakeTexture() override;
    ULONG AddRef() override { return ++m_references; }
    ULONG Release() override;
    DWORD GetLevelCount() override { return 1; }
    HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) override;
    HRESULT LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) override;
    HRESULT UnlockRect(UINT) override { return D3D_OK; }

    // The texel at (x, y) as 0xAARRGGBB.
    DWORD Texel(UINT x, UINT y) const { return m_texels[y * m_width + x]; }
    static int LiveCount();

private:
    UINT m_width;
    UINT m_height;
    std::vector<DWORD> m_texels;
    ULONG m_references = 1;
};

class FakeSwapChain final : public IDirect3DSwapChain9 {
public:
    explicit FakeSwapChain(const D3DPRESENT_PARAMETERS& parameters) : m_parameters(parameters) {}
    ULONG AddRef() override { return ++m_references; }
    ULONG Release() override;
    HRESULT Present(const RECT*, const RECT*, HWND, const RGNDATA*, DWORD) override { return D3D_OK; }
    HRESULT GetBackBuffer(UINT, D3DBACKBUFFER_TYPE, IDirect3DSurface9**) override { return E_NOTIMPL; }
    HRESULT GetPresentParameters(D3DPRESENT_PARAMETERS* parameters) override;

private:
    D3DPRESENT_PARAMETERS m_parameters;
    ULONG m_references = 1;
};

struct FakeDraw {
    D3DPRIMITIVETYPE type = D3DPT_POINTLIST;
    UINT primitiveCount = 0;
    UINT stride = 0;
    DWORD fvf = 0;
    bool indexed = false;
    std::vector<BYTE> vertexBytes;

    template <typename Vertex>
    std::vector<Vertex> Vertices() const
    {
        std::vector<Vertex> vertices(vertexBytes.size() / sizeof(Vertex));
        std::memcpy(vertices.data(), vertexBytes.data(), vertices.size() * sizeof(Vertex));
        return vertices;
    }
};

struct FakeStageState {
    DWORD stage;
    D3DTEXTURESTAGESTATETYPE type;
    DWORD value;
    bool operator==(const FakeStageState&) const = default;
};

class FakeDevice final : public IDirect3DDevice9 {
public:
    FakeDevice();
    ~FakeDevice() override;

    ULONG AddRef() override { return ++references; }
    ULONG Release() override { return --references; }

    HRESULT GetSwapChain(UINT index, IDirect3DSwapChain9** chain) override;
    HRESULT CreateAdditionalSwapChain(D3DPRESENT_PARAMETERS* parameters, IDirect3DSwapChain9** chain) override;
    HRESULT CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                          IDirect3DTexture9** texture, HANDLE* shared) override;
    HRESULT CreateVertexBuffer(UINT, DWORD, DWORD, D3DPOOL, IDirect3DVertexBuffer9**, HANDLE*) override
    {
        return E_NOTIMPL;
    }
    HRESULT CreateIndexBuffer(UINT, DWORD, D3DFORMAT, D3DPOOL, IDirect3DIndexBuffer9**, HANDLE*) override
    {
        return E_NOTIMPL;
    }
    HRESULT SetRenderTarget(DWORD, IDirect3DSurface9*) override { return E_NOTIMPL; }
    HRESULT GetRenderTarget(DWORD, IDirect3DSurface9**) override { return E_NOTIMPL; }
    HRESULT BeginScene() override { return D3D_OK; }
    HRESULT EndScene() override { return D3D_OK; }
    HRESULT Clear(DWORD, const D3DRECT*, DWORD, D3DCOLOR, float, DWORD) override { return D3D_OK; }
    HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) override;
    HRESULT GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) override;
    HRESULT SetMaterial(const D3DMATERIAL9* material) override;
    HRESULT GetMaterial(D3DMATERIAL9*) override { return E_NOTIMPL; }
    HRESULT SetLight(DWORD, const D3DLIGHT9*) override { return E_NOTIMPL; }
    HRESULT GetLight(DWORD, D3DLIGHT9*) override { return E_NOTIMPL; }
    HRESULT LightEnable(DWORD, BOOL) override { return E_NOTIMPL; }
    HRESULT GetLightEnable(DWORD, BOOL*) override { return E_NOTIMPL; }
    HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override;
    HRESULT GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) override;
    HRESULT SetTexture(DWORD stage, IDirect3DBaseTexture9* texture) override;
    HRESULT GetTexture(DWORD, IDirect3DBaseTexture9**) override { return E_NOTIMPL; }
    HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) override;
    HRESULT GetTextureStageState(DWORD, D3DTEXTURESTAGESTATETYPE, DWORD*) override { return E_NOTIMPL; }
    HRESULT SetFVF(DWORD fvf) override;
    HRESULT GetFVF(DWORD* fvf) override;
    HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* vertexData, UINT stride) override;
    HRESULT DrawIndexedPrimitiveUP(D3DPRIMITIVETYPE type, UINT minVertexIndex, UINT numVertices, UINT primitiveCount,
                                   const void* indexData, D3DFORMAT indexFormat, const void* vertexData,
                                   UINT stride) override;

    // Forgets everything recorded so far (the current states stay).
    void ClearRecords();
    // The render states set, in order.
    std::vector<std::pair<D3DRENDERSTATETYPE, DWORD>> RenderStatesSet() const { return m_renderStatesSet; }
    // The value last set, or the platform's default for the states the back end reads.
    DWORD RenderState(D3DRENDERSTATETYPE state) const;
    const D3DMATRIX& Transform(D3DTRANSFORMSTATETYPE state) { return m_transforms[state]; }

    ULONG references = 1;
    // Every call that changes state or draws, in order, as text: "SetRenderState(137, 0)",
    // "SetMaterial", "SetTexture(0, texture)", "SetTextureStageState(0, 1, 2)", "SetTransform(256)",
    // "SetFVF(0x152)", "DrawPrimitiveUP", "DrawIndexedPrimitiveUP".
    std::vector<std::string> log;
    std::vector<D3DMATERIAL9> materials;
    std::vector<std::pair<DWORD, IDirect3DBaseTexture9*>> textures;
    std::vector<FakeStageState> stageStates;
    std::vector<FakeDraw> draws;
    std::vector<D3DPRESENT_PARAMETERS> additionalChains;
    bool failAdditionalChains = false;

private:
    std::map<D3DRENDERSTATETYPE, DWORD> m_renderStates;
    std::vector<std::pair<D3DRENDERSTATETYPE, DWORD>> m_renderStatesSet;
    std::map<D3DTRANSFORMSTATETYPE, D3DMATRIX> m_transforms;
    DWORD m_fvf = 0;
    FakeSwapChain* m_implicitChain;
};

struct FakeDeviceRequest {
    UINT adapter = 99;
    D3DDEVTYPE type = D3DDEVTYPE_SW;
    HWND focusWindow = nullptr;
    DWORD behaviour = 0;
    D3DPRESENT_PARAMETERS parameters;
};

class FakeDirect3D final : public IDirect3D9 {
public:
    static constexpr D3DDISPLAYMODE kDisplayMode{1280, 1024, 60, D3DFMT_X8R8G8B8};

    ULONG AddRef() override { return ++references; }
    ULONG Release() override { return --references; }
    HRESULT GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* mode) override;
    HRESULT CreateDevice(UINT adapter, D3DDEVTYPE type, HWND focusWindow, DWORD behaviour,
                         D3DPRESENT_PARAMETERS* parameters, IDirect3DDevice9** device) override;

    ULONG references = 1;
    bool failCreateDevice = false;
    std::vector<FakeDeviceRequest> deviceRequests;
    FakeDevice device;
};
