// Recording stand-ins of the Direct3D object, its device, swap chains and textures, so tests of
// the layers above can check what reaches the device without an OpenGL context.
// Implements: render states (lighting reads as on until set), transforms, materials, lights and
// their enabling, texture bindings and stage states, the vertex format, both kinds of user
// pointer draws (with their indices, a copy of the vertices read, and the world transform and
// lighting state at the time), managed A8R8G8B8 textures of one level, the implicit and
// additional swap chains, device creation requests, and switches that make texture, swap chain
// and device creation fail.
// Leaves out: vertex and index buffers, render targets, reading back materials, lights,
// textures and stage states, and presenting (Present succeeds and shows nothing).
// The Direct3D object and the device live in the test and only count their references, so a
// test can check that every reference taken was given back; textures and swap chains delete
// themselves on their last Release.
#pragma once

#include "platform/d3d9/d3d9.h"
#include "platform/d3d9/ref_counted.h"

#include <cstring>
#include <map>
#include <string>
#include <vector>

// Deleted by its last Release; counts the live instances of each kind so tests can check that
// none leaked.
template <typename Interface> class RecordingObject : public RefCounted<Interface> {
public:
    static int& LiveCount()
    {
        static int live = 0;
        return live;
    }

protected:
    RecordingObject() { ++LiveCount(); }
    ~RecordingObject() override { --LiveCount(); }
};

// One level of 0xAARRGGBB texels whose rows are 8 bytes further apart than their width, so code
// that ignores the pitch writes the wrong texels.
class RecordingTexture final : public RecordingObject<IDirect3DTexture9> {
public:
    RecordingTexture(UINT width, UINT height) : width(width), height(height), bits(Pitch() * height) {}
    DWORD GetLevelCount() override { return 1; }
    HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) override;
    HRESULT LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) override;
    HRESULT UnlockRect(UINT) override;

    UINT Pitch() const { return width * 4 + 8; }
    DWORD Texel(UINT x, UINT y) const;

    UINT width;
    UINT height;
    std::vector<BYTE> bits;
    int unlocks = 0;
};

class RecordingSwapChain final : public RecordingObject<IDirect3DSwapChain9> {
public:
    explicit RecordingSwapChain(const D3DPRESENT_PARAMETERS& parameters) : parameters(parameters) {}
    HRESULT Present(const RECT*, const RECT*, HWND, const RGNDATA*, DWORD) override { return D3D_OK; }
    HRESULT GetBackBuffer(UINT, D3DBACKBUFFER_TYPE, IDirect3DSurface9**) override { return E_NOTIMPL; }
    HRESULT GetPresentParameters(D3DPRESENT_PARAMETERS* out) override
    {
        *out = parameters;
        return D3D_OK;
    }

    D3DPRESENT_PARAMETERS parameters;
};

struct RecordedDraw {
    D3DPRIMITIVETYPE type = D3DPT_POINTLIST;
    UINT primitiveCount = 0;
    // The vertex range an indexed draw names; 0 for other draws.
    UINT numVertices = 0;
    UINT stride = 0;
    DWORD fvf = 0;
    // An indexed draw's indices, widened.
    std::vector<DWORD> indices;
    // The vertices the draw reads, from the first one on.
    std::vector<BYTE> bytes;
    D3DMATRIX world{};
    // The lighting render state at the time of the draw.
    DWORD lighting = TRUE;

    template <typename Vertex> std::vector<Vertex> Vertices() const
    {
        std::vector<Vertex> vertices(bytes.size() / sizeof(Vertex));
        std::memcpy(vertices.data(), bytes.data(), vertices.size() * sizeof(Vertex));
        return vertices;
    }
};

class RecordingDevice final : public IDirect3DDevice9 {
public:
    RecordingDevice() : m_implicitChain(new RecordingSwapChain({})) {}
    ~RecordingDevice() override { m_implicitChain->Release(); }
    RecordingDevice(const RecordingDevice&) = delete;
    RecordingDevice& operator=(const RecordingDevice&) = delete;

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
    HRESULT SetLight(DWORD index, const D3DLIGHT9* light) override;
    HRESULT GetLight(DWORD, D3DLIGHT9*) override { return E_NOTIMPL; }
    HRESULT LightEnable(DWORD index, BOOL enable) override;
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

    // The lighting render state as the device has it (TRUE until set).
    DWORD Lighting() const;
    // Forgets the log, materials, texture bindings and draws; the device state stays.
    void ClearRecords();

    ULONG references = 1;
    bool refuseTextures = false;
    bool failAdditionalChains = false;
    // State changes and draws in order, as text: "SetRenderState(137, 0)", "SetTransform(256)",
    // "SetMaterial", "SetLight(1)", "LightEnable(1, 0)", "SetTexture(0, texture)",
    // "SetTexture(0, null)", "SetTextureStageState(0, 1, 2)", "SetFVF(338)", "DrawPrimitiveUP",
    // "DrawIndexedPrimitiveUP".
    std::vector<std::string> log;
    std::vector<D3DMATERIAL9> materials;
    std::vector<IDirect3DBaseTexture9*> textures;
    std::vector<RecordedDraw> draws;
    std::map<D3DTRANSFORMSTATETYPE, D3DMATRIX> transforms;
    std::map<DWORD, D3DLIGHT9> lights;
    RecordingTexture* lastTexture = nullptr;

private:
    // Logs the draw and keeps it with the state it was made in.
    HRESULT Record(const char* call, RecordedDraw draw, const void* vertexData, UINT vertexCount);
    D3DMATRIX Transform(D3DTRANSFORMSTATETYPE state) const;

    std::map<D3DRENDERSTATETYPE, DWORD> m_renderStates;
    DWORD m_fvf = 0;
    RecordingSwapChain* m_implicitChain;
};

struct DeviceRequest {
    UINT adapter;
    D3DDEVTYPE type;
    HWND focusWindow;
    DWORD behaviour;
    D3DPRESENT_PARAMETERS parameters;
};

// Hands out its one device and keeps every request.
class RecordingDirect3D final : public IDirect3D9 {
public:
    static constexpr D3DFORMAT kDisplayFormat = D3DFMT_X8R8G8B8;

    ULONG AddRef() override { return ++references; }
    ULONG Release() override { return --references; }
    HRESULT GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* mode) override;
    HRESULT CreateDevice(UINT adapter, D3DDEVTYPE type, HWND focusWindow, DWORD behaviour,
                         D3DPRESENT_PARAMETERS* parameters, IDirect3DDevice9** created) override;

    ULONG references = 1;
    bool failCreateDevice = false;
    std::vector<DeviceRequest> deviceRequests;
    RecordingDevice device;
};
