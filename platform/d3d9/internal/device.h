// The fixed-function device on one OpenGL context.
// Implements: the implicit swap chain 0 on the focus window and additional swap chains, render
// target 0 (a swap chain's back buffer), scenes, Clear (colour, depth and stencil, optionally
// limited to rectangles), render states, transforms, material, lights, stage-0 texture states,
// SetTexture, SetFVF, DrawPrimitiveUP, DrawIndexedPrimitiveUP, textures and system-memory buffers.
// Drawing needs an open scene. Set* calls only validate and record (see device_state.h);
// drawing flushes what changed to OpenGL.
// Leaves out: viewports other than the whole target, depth-stencil surfaces of their own,
// stream sources, device loss and reset.
//
// References: every swap chain and texture holds one on the device; the device keeps the bound
// texture and render target without a reference, and they unbind themselves when destroyed.
#pragma once

#include "platform/d3d9/internal/device_state.h"
#include "platform/d3d9/internal/swap_chain.h"
#include "platform/d3d9/ref_counted.h"

#include <memory>
#include <optional>

class Direct3D9;
class GlDriver;
class Texture9;
struct VertexSource;

class Device9 final : public RefCounted<IDirect3DDevice9> {
public:
    // The parameters must have been resolved (see present_parameters.h). D3DERR_OUTOFVIDEOMEMORY
    // when OpenGL cannot make the back buffer.
    static HRESULT Create(Direct3D9& direct3d, HWND focusWindow, const D3DPRESENT_PARAMETERS& parameters,
                          IDirect3DDevice9** device);

    HRESULT GetSwapChain(UINT index, IDirect3DSwapChain9** chain) override;
    HRESULT CreateAdditionalSwapChain(D3DPRESENT_PARAMETERS* parameters, IDirect3DSwapChain9** chain) override;
    HRESULT CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                          IDirect3DTexture9** texture, HANDLE* shared) override;
    HRESULT CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool, IDirect3DVertexBuffer9** buffer,
                               HANDLE* shared) override;
    HRESULT CreateIndexBuffer(UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool, IDirect3DIndexBuffer9** buffer,
                              HANDLE* shared) override;

    HRESULT SetRenderTarget(DWORD index, IDirect3DSurface9* target) override;
    HRESULT GetRenderTarget(DWORD index, IDirect3DSurface9** target) override;
    HRESULT BeginScene() override;
    HRESULT EndScene() override;
    HRESULT Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z, DWORD stencil) override;

    HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) override;
    HRESULT GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) override;
    HRESULT SetMaterial(const D3DMATERIAL9* material) override;
    HRESULT GetMaterial(D3DMATERIAL9* material) override;
    HRESULT SetLight(DWORD index, const D3DLIGHT9* light) override;
    HRESULT GetLight(DWORD index, D3DLIGHT9* light) override;
    HRESULT LightEnable(DWORD index, BOOL enable) override;
    HRESULT GetLightEnable(DWORD index, BOOL* enable) override;
    HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override;
    HRESULT GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) override;

    HRESULT SetTexture(DWORD stage, IDirect3DBaseTexture9* texture) override;
    HRESULT GetTexture(DWORD stage, IDirect3DBaseTexture9** texture) override;
    HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) override;
    HRESULT GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD* value) override;

    HRESULT SetFVF(DWORD fvf) override;
    HRESULT GetFVF(DWORD* fvf) override;
    HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* vertexData, UINT stride) override;
    HRESULT DrawIndexedPrimitiveUP(D3DPRIMITIVETYPE type, UINT minVertexIndex, UINT numVertices, UINT primitiveCount,
                                   const void* indexData, D3DFORMAT indexFormat, const void* vertexData,
                                   UINT stride) override;

    // For the device's own objects.
    GlDriver& Driver() const;
    void ForgetTexture(const Texture9* texture);
    void ForgetSwapChain(const SwapChain9* chain);

private:
    Device9(Direct3D9& direct3d, HWND focusWindow, bool autoDepthStencil);
    ~Device9() override;

    // The vertices of a valid draw call, or nullopt.
    std::optional<VertexSource> CheckDraw(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* vertexData,
                                          UINT stride) const;
    // Binds the render target and flushes the recorded state.
    GlStateCache& PrepareDraw();
    GlStateCache& BindRenderTarget();

    // Released last: the OpenGL context lives in the Direct3D object.
    ComPtr<Direct3D9> m_direct3d;
    HWND m_focusWindow;
    DeviceState m_state;
    std::unique_ptr<ImplicitSwapChain9> m_implicitChain;
    BackBufferSurface9* m_renderTarget = nullptr;
    bool m_inScene = false;
};
