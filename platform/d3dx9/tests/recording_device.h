// A device double for tests without OpenGL: records what meshes draw and what textures
// receive. Lives on the stack; its reference count is only observed, never deletes it.
#pragma once

#include "platform/d3d9/d3d9.h"

#include <vector>

struct RecordedDraw {
    DWORD fvf = 0;
    D3DPRIMITIVETYPE type = D3DPT_POINTLIST;
    UINT numVertices = 0;
    UINT primitiveCount = 0;
    std::vector<DWORD> indices;
    const void* vertexData = nullptr;
    UINT stride = 0;
};

// A texture whose level 0 is a plain byte array with a pitch wider than a row.
class RecordingTexture final : public IDirect3DTexture9 {
public:
    RecordingTexture(UINT width, UINT height) : width(width), height(height), bits(Pitch() * height) {}
    ULONG AddRef() override { return ++references; }
    ULONG Release() override;
    DWORD GetLevelCount() override { return 1; }
    HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) override;
    HRESULT LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) override;
    HRESULT UnlockRect(UINT level) override;

    UINT Pitch() const { return width * 4 + 8; }
    // The texel at (x, y) as 0xAARRGGBB.
    DWORD Texel(UINT x, UINT y) const;

    UINT width;
    UINT height;
    std::vector<BYTE> bits;
    ULONG references = 1;
    int unlocks = 0;
};

class RecordingDevice final : public IDirect3DDevice9 {
public:
    ULONG AddRef() override { return ++references; }
    ULONG Release() override { return --references; }

    HRESULT GetSwapChain(UINT, IDirect3DSwapChain9**) override { return E_NOTIMPL; }
    HRESULT CreateAdditionalSwapChain(D3DPRESENT_PARAMETERS*, IDirect3DSwapChain9**) override { return E_NOTIMPL; }
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
    HRESULT BeginScene() override { return E_NOTIMPL; }
    HRESULT EndScene() override { return E_NOTIMPL; }
    HRESULT Clear(DWORD, const D3DRECT*, DWORD, D3DCOLOR, float, DWORD) override { return E_NOTIMPL; }
    HRESULT SetTransform(D3DTRANSFORMSTATETYPE, const D3DMATRIX*) override { return E_NOTIMPL; }
    HRESULT GetTransform(D3DTRANSFORMSTATETYPE, D3DMATRIX*) override { return E_NOTIMPL; }
    HRESULT SetMaterial(const D3DMATERIAL9*) override { return E_NOTIMPL; }
    HRESULT GetMaterial(D3DMATERIAL9*) override { return E_NOTIMPL; }
    HRESULT SetLight(DWORD, const D3DLIGHT9*) override { return E_NOTIMPL; }
    HRESULT GetLight(DWORD, D3DLIGHT9*) override { return E_NOTIMPL; }
    HRESULT LightEnable(DWORD, BOOL) override { return E_NOTIMPL; }
    HRESULT GetLightEnable(DWORD, BOOL*) override { return E_NOTIMPL; }
    HRESULT SetRenderState(D3DRENDERSTATETYPE, DWORD) override { return E_NOTIMPL; }
    HRESULT GetRenderState(D3DRENDERSTATETYPE, DWORD*) override { return E_NOTIMPL; }
    HRESULT SetTexture(DWORD, IDirect3DBaseTexture9*) override { return E_NOTIMPL; }
    HRESULT GetTexture(DWORD, IDirect3DBaseTexture9**) override { return E_NOTIMPL; }
    HRESULT SetTextureStageState(DWORD, D3DTEXTURESTAGESTATETYPE, DWORD) override { return E_NOTIMPL; }
    HRESULT GetTextureStageState(DWORD, D3DTEXTURESTAGESTATETYPE, DWORD*) override { return E_NOTIMPL; }
    HRESULT SetFVF(DWORD fvf) override
    {
        currentFvf = fvf;
        return D3D_OK;
    }
    HRESULT GetFVF(DWORD* fvf) override
    {
        *fvf = currentFvf;
        return D3D_OK;
    }
    HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE, UINT, const void*, UINT) override { return E_NOTIMPL; }
    HRESULT DrawIndexedPrimitiveUP(D3DPRIMITIVETYPE type, UINT minVertexIndex, UINT numVertices, UINT primitiveCount,
                                   const void* indexData, D3DFORMAT indexFormat, const void* vertexData,
                                   UINT stride) override;

    ULONG references = 1;
    DWORD currentFvf = 0;
    std::vector<RecordedDraw> draws;
    bool refuseTextures = false;
    RecordingTexture* lastTexture = nullptr;
};
