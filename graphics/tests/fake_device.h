// Doubles of the Direct3D object, the device, swap chains and textures that record what the
// graphics back end asks of them, so most tests need no OpenGL context. The object and the
// device live in the test and only count their references, so a test can check that every
// reference taken was given back.
#pragma once

#include "platform/d3d9/d3d9.h"

#include <cstring>
#include <map>
#include <string>
#include <vector>

// Deleted by its last Release; counts live instances so tests can check that none leaked.
template <typename Interface>
class FakeObject : public Interface {
public:
    FakeObject() { ++LiveCount(); }
    ~FakeObject() override { --LiveCount(); }
    ULONG AddRef() override { return ++m_references; }
    ULONG Release() override
    {
        const ULONG remaining = --m_references;
        if (remaining == 0) {
            delete this;
        }
        return remaining;
    }
    static int& LiveCount()
    {
        static int live = 0;
        return live;
    }

private:
    ULONG m_references = 1;
};

class FakeTexture final : public FakeObject<IDirect3DTexture9> {
public:
    FakeTexture(UINT width, UINT height) : m_width(width), m_texels(width * height) {}
    DWORD GetLevelCount() override { return 1; }
    HRESULT GetLevelDesc(UINT, D3DSURFACE_DESC*) override { return E_NOTIMPL; }
    HRESULT LockRect(UINT, D3DLOCKED_RECT* locked, const RECT*, DWORD) override
    {
        *locked = D3DLOCKED_RECT{static_cast<INT>(m_width * 4), m_texels.data()};
        return D3D_OK;
    }
    HRESULT UnlockRect(UINT) override { return D3D_OK; }
    // 0xAARRGGBB.
    DWORD Texel(UINT x, UINT y) const { return m_texels[y * m_width + x]; }

private:
    UINT m_width;
    std::vector<DWORD> m_texels;
};

class FakeSwapChain final : public FakeObject<IDirect3DSwapChain9> {
public:
    explicit FakeSwapChain(const D3DPRESENT_PARAMETERS& parameters) : parameters(parameters) {}
    HRESULT Present(const RECT*, const RECT*, HWND, const RGNDATA*, DWORD) override { return D3D_OK; }
    HRESULT GetBackBuffer(UINT, D3DBACKBUFFER_TYPE, IDirect3DSurface9**) override { return E_NOTIMPL; }
    HRESULT GetPresentParameters(D3DPRESENT_PARAMETERS* out) override
    {
        *out = parameters;
        return D3D_OK;
    }
    D3DPRESENT_PARAMETERS parameters;
};

struct FakeDraw {
    D3DPRIMITIVETYPE type;
    UINT primitiveCount;
    UINT stride;
    DWORD fvf;
    std::vector<BYTE> bytes;

    template <typename Vertex>
    std::vector<Vertex> Vertices() const
    {
        std::vector<Vertex> vertices(bytes.size() / sizeof(Vertex));
        std::memcpy(vertices.data(), bytes.data(), vertices.size() * sizeof(Vertex));
        return vertices;
    }
};

class FakeDevice final : public IDirect3DDevice9 {
public:
    FakeDevice() : m_implicitChain(new FakeSwapChain({})) {}
    ~FakeDevice() override { m_implicitChain->Release(); }
    ULONG AddRef() override { return ++references; }
    ULONG Release() override { return --references; }

    HRESULT GetSwapChain(UINT, IDirect3DSwapChain9** chain) override
    {
        m_implicitChain->AddRef();
        *chain = m_implicitChain;
        return D3D_OK;
    }
    HRESULT CreateAdditionalSwapChain(D3DPRESENT_PARAMETERS* parameters, IDirect3DSwapChain9** chain) override
    {
        log.push_back("CreateAdditionalSwapChain");
        *chain = failAdditionalChains ? nullptr : new FakeSwapChain(*parameters);
        return failAdditionalChains ? D3DERR_INVALIDCALL : D3D_OK;
    }
    HRESULT CreateTexture(UINT width, UINT height, UINT, DWORD, D3DFORMAT, D3DPOOL, IDirect3DTexture9** texture,
                          HANDLE*) override
    {
        *texture = new FakeTexture(width, height);
        return D3D_OK;
    }
    HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) override
    {
        log.push_back("SetTransform(" + std::to_string(state) + ")");
        transforms[state] = *matrix;
        return D3D_OK;
    }
    HRESULT SetMaterial(const D3DMATERIAL9* material) override
    {
        log.push_back("SetMaterial");
        materials.push_back(*material);
        return D3D_OK;
    }
    HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override
    {
        log.push_back("SetRenderState(" + std::to_string(state) + ", " + std::to_string(value) + ")");
        m_renderStates[state] = value;
        return D3D_OK;
    }
    // Lighting starts on, as on the platform.
    HRESULT GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) override
    {
        const auto found = m_renderStates.find(state);
        *value = found != m_renderStates.end() ? found->second : (state == D3DRS_LIGHTING ? TRUE : 0);
        return D3D_OK;
    }
    HRESULT SetTexture(DWORD stage, IDirect3DBaseTexture9* texture) override
    {
        log.push_back("SetTexture(" + std::to_string(stage) + (texture ? ", texture)" : ", null)"));
        textures.push_back(texture);
        return D3D_OK;
    }
    HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) override
    {
        log.push_back("SetTextureStageState(" + std::to_string(stage) + ", " + std::to_string(type) + ", " +
                      std::to_string(value) + ")");
        return D3D_OK;
    }
    HRESULT SetFVF(DWORD fvf) override
    {
        log.push_back("SetFVF(" + std::to_string(fvf) + ")");
        m_fvf = fvf;
        return D3D_OK;
    }
    // Keeps the vertices a fan or list of primitiveCount primitives reads.
    HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* data, UINT stride) override
    {
        const UINT count = type == D3DPT_TRIANGLEFAN ? primitiveCount + 2
                           : type == D3DPT_LINELIST  ? primitiveCount * 2
                                                     : primitiveCount;
        return Record("DrawPrimitiveUP", type, primitiveCount, data, count * stride, stride);
    }
    HRESULT DrawIndexedPrimitiveUP(D3DPRIMITIVETYPE type, UINT, UINT numVertices, UINT primitiveCount, const void*,
                                   D3DFORMAT, const void* data, UINT stride) override
    {
        return Record("DrawIndexedPrimitiveUP", type, primitiveCount, data, numVertices * stride, stride);
    }

    void ClearRecords()
    {
        log.clear();
        materials.clear();
        textures.clear();
        draws.clear();
    }

    HRESULT CreateVertexBuffer(UINT, DWORD, DWORD, D3DPOOL, IDirect3DVertexBuffer9**, HANDLE*) override { return E_NOTIMPL; }
    HRESULT CreateIndexBuffer(UINT, DWORD, D3DFORMAT, D3DPOOL, IDirect3DIndexBuffer9**, HANDLE*) override { return E_NOTIMPL; }
    HRESULT SetRenderTarget(DWORD, IDirect3DSurface9*) override { return E_NOTIMPL; }
    HRESULT GetRenderTarget(DWORD, IDirect3DSurface9**) override { return E_NOTIMPL; }
    HRESULT BeginScene() override { return D3D_OK; }
    HRESULT EndScene() override { return D3D_OK; }
    HRESULT Clear(DWORD, const D3DRECT*, DWORD, D3DCOLOR, float, DWORD) override { return D3D_OK; }
    HRESULT GetTransform(D3DTRANSFORMSTATETYPE, D3DMATRIX*) override { return E_NOTIMPL; }
    HRESULT GetMaterial(D3DMATERIAL9*) override { return E_NOTIMPL; }
    HRESULT SetLight(DWORD, const D3DLIGHT9*) override { return E_NOTIMPL; }
    HRESULT GetLight(DWORD, D3DLIGHT9*) override { return E_NOTIMPL; }
    HRESULT LightEnable(DWORD, BOOL) override { return E_NOTIMPL; }
    HRESULT GetLightEnable(DWORD, BOOL*) override { return E_NOTIMPL; }
    HRESULT GetTexture(DWORD, IDirect3DBaseTexture9**) override { return E_NOTIMPL; }
    HRESULT GetTextureStageState(DWORD, D3DTEXTURESTAGESTATETYPE, DWORD*) override { return E_NOTIMPL; }
    HRESULT GetFVF(DWORD* fvf) override
    {
        *fvf = m_fvf;
        return D3D_OK;
    }

    ULONG references = 1;
    bool failAdditionalChains = false;
    // State changes and draws in order, as text: "SetRenderState(137, 0)", "SetFVF(338)", ...
    std::vector<std::string> log;
    std::vector<D3DMATERIAL9> materials;
    std::vector<IDirect3DBaseTexture9*> textures;
    std::vector<FakeDraw> draws;
    std::map<D3DTRANSFORMSTATETYPE, D3DMATRIX> transforms;

private:
    HRESULT Record(const char* call, D3DPRIMITIVETYPE type, UINT primitiveCount, const void* data, UINT size,
                   UINT stride)
    {
        log.push_back(call);
        const auto* bytes = static_cast<const BYTE*>(data);
        draws.push_back({type, primitiveCount, stride, m_fvf, std::vector<BYTE>(bytes, bytes + size)});
        return D3D_OK;
    }

    std::map<D3DRENDERSTATETYPE, DWORD> m_renderStates;
    DWORD m_fvf = 0;
    FakeSwapChain* m_implicitChain;
};

struct FakeDeviceRequest {
    UINT adapter;
    D3DDEVTYPE type;
    HWND focusWindow;
    DWORD behaviour;
    D3DPRESENT_PARAMETERS parameters;
};

class FakeDirect3D final : public IDirect3D9 {
public:
    static constexpr D3DFORMAT kDisplayFormat = D3DFMT_X8R8G8B8;

    ULONG AddRef() override { return ++references; }
    ULONG Release() override { return --references; }
    HRESULT GetAdapterDisplayMode(UINT, D3DDISPLAYMODE* mode) override
    {
        *mode = D3DDISPLAYMODE{1280, 1024, 60, kDisplayFormat};
        return D3D_OK;
    }
    HRESULT CreateDevice(UINT adapter, D3DDEVTYPE type, HWND focusWindow, DWORD behaviour,
                         D3DPRESENT_PARAMETERS* parameters, IDirect3DDevice9** created) override
    {
        deviceRequests.push_back({adapter, type, focusWindow, behaviour, *parameters});
        *created = failCreateDevice ? nullptr : &device;
        if (failCreateDevice) {
            return D3DERR_NOTAVAILABLE;
        }
        device.AddRef();
        return D3D_OK;
    }

    ULONG references = 1;
    bool failCreateDevice = false;
    std::vector<FakeDeviceRequest> deviceRequests;
    FakeDevice device;
};
