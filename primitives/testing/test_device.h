// A device double for the tests of the primitives and the lights: it records the light calls,
// render states, materials and draws that reach it (with the world transform and lighting state
// current at each draw), so the tests need no OpenGL context. Textures and vertex formats are
// accepted and ignored. It lives in the test; its reference count is only
// observed, so a test can check that every reference taken was given back.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/d3d9/d3d9.h"

struct TestDraw {
    UINT primitiveCount = 0;
    D3DMATRIX world;
    // The lighting render state at the time of the draw.
    DWORD lighting = TRUE;
};

class TestDevice final : public IDirect3DDevice9 {
public:
    ULONG AddRef() override { return ++references; }
    ULONG Release() override { return --references; }

    HRESULT GetSwapChain(UINT, IDirect3DSwapChain9**) override { return E_NOTIMPL; }
    HRESULT CreateAdditionalSwapChain(D3DPRESENT_PARAMETERS*, IDirect3DSwapChain9**) override { return E_NOTIMPL; }
    HRESULT CreateTexture(UINT, UINT, UINT, DWORD, D3DFORMAT, D3DPOOL, IDirect3DTexture9**, HANDLE*) override {
        return E_NOTIMPL;
    }
    HRESULT CreateVertexBuffer(UINT, DWORD, DWORD, D3DPOOL, IDirect3DVertexBuffer9**, HANDLE*) override {
        return E_NOTIMPL;
    }
    HRESULT CreateIndexBuffer(UINT, DWORD, D3DFORMAT, D3DPOOL, IDirect3DIndexBuffer9**, HANDLE*) override {
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
    HRESULT SetTexture(DWORD, IDirect3DBaseTexture9*) override { return D3D_OK; }
    HRESULT GetTexture(DWORD, IDirect3DBaseTexture9**) override { return E_NOTIMPL; }
    HRESULT SetTextureStageState(DWORD, D3DTEXTURESTAGESTATETYPE, DWORD) override { return D3D_OK; }
    HRESULT GetTextureStageState(DWORD, D3DTEXTURESTAGESTATETYPE, DWORD*) override { return E_NOTIMPL; }
    HRESULT SetFVF(DWORD) override { return D3D_OK; }
    HRESULT GetFVF(DWORD*) override { return E_NOTIMPL; }
    HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* vertexData, UINT stride) override;
    HRESULT DrawIndexedPrimitiveUP(D3DPRIMITIVETYPE type, UINT minVertexIndex, UINT numVertices, UINT primitiveCount,
                                   const void* indexData, D3DFORMAT indexFormat, const void* vertexData,
                                   UINT stride) override;

    // The lighting render state as the device has it (TRUE until set).
    DWORD Lighting() const;
    void ClearRecords();

    ULONG references = 1;
    // Light calls, render states, materials, transforms and draws, in order: "SetLight(1)",
    // "LightEnable(1, 0)", "SetRenderState(137, 0)", "SetMaterial", "SetTransform(256)",
    // "DrawPrimitiveUP", "DrawIndexedPrimitiveUP".
    std::vector<std::string> log;
    std::vector<D3DMATERIAL9> materials;
    std::vector<TestDraw> draws;
    std::map<DWORD, D3DLIGHT9> lights;

private:
    void AddDraw(const char* name, UINT primitiveCount);

    std::map<D3DRENDERSTATETYPE, DWORD> m_renderStates;
    std::map<D3DTRANSFORMSTATETYPE, D3DMATRIX> m_transforms;
};

class TestDirect3D final : public IDirect3D9 {
public:
    ULONG AddRef() override { return ++references; }
    ULONG Release() override { return --references; }
    HRESULT GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* mode) override;
    HRESULT CreateDevice(UINT adapter, D3DDEVTYPE type, HWND focusWindow, DWORD behaviour,
                         D3DPRESENT_PARAMETERS* parameters, IDirect3DDevice9** device) override;

    ULONG references = 1;
    TestDevice device;
};
