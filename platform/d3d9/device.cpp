#include "platform/d3d9/internal/device.h"

#include "platform/d3d9/internal/direct3d9.h"
#include "platform/d3d9/internal/present_parameters.h"
#include "platform/d3d9/internal/texture.h"
#include "platform/d3d9/system_memory_buffers.h"

HRESULT Device9::Create(Direct3D9& direct3d, HWND focusWindow, const D3DPRESENT_PARAMETERS& parameters,
                        IDirect3DDevice9** device)
{
    std::unique_ptr<GlFramebuffer> framebuffer = SwapChain9::CreateFramebuffer(direct3d.Driver(), parameters);
    if (!framebuffer) {
        return D3DERR_OUTOFVIDEOMEMORY;
    }
    auto* created = new Device9(direct3d, focusWindow, parameters.EnableAutoDepthStencil != FALSE);
    created->m_implicitChain = std::make_unique<ImplicitSwapChain9>(*created, parameters, std::move(framebuffer));
    created->m_renderTarget = &created->m_implicitChain->BackBuffer();
    *device = created;
    return D3D_OK;
}

Device9::Device9(Direct3D9& direct3d, HWND focusWindow, bool autoDepthStencil)
    : m_direct3d(&direct3d), m_focusWindow(focusWindow), m_state(autoDepthStencil)
{
}

Device9::~Device9()
{
    m_implicitChain.reset();
    Driver().ForgetState(m_state);
}

GlDriver& Device9::Driver() const { return m_direct3d->Driver(); }

void Device9::ForgetTexture(const Texture9* texture)
{
    if (m_state.Texture() == texture) {
        m_state.SetTexture(nullptr);
    }
}

void Device9::ForgetSwapChain(const SwapChain9* chain)
{
    if (m_renderTarget == nullptr || &m_renderTarget->Chain() != chain) {
        return;
    }
    // Drawing goes back to the device's own back buffer, unless that is the one going.
    const bool implicitRemains = m_implicitChain != nullptr && m_implicitChain.get() != chain;
    m_renderTarget = implicitRemains ? &m_implicitChain->BackBuffer() : nullptr;
}

HRESULT Device9::GetSwapChain(UINT index, IDirect3DSwapChain9** chain)
{
    if (chain == nullptr || index != 0) {
        return D3DERR_INVALIDCALL;
    }
    return HandOut(m_implicitChain.get(), chain);
}

HRESULT Device9::CreateAdditionalSwapChain(D3DPRESENT_PARAMETERS* parameters, IDirect3DSwapChain9** chain)
{
    if (chain == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *chain = nullptr;
    const HRESULT resolved = ResolvePresentParameters(parameters, m_focusWindow);
    if (FAILED(resolved)) {
        return resolved;
    }
    std::unique_ptr<GlFramebuffer> framebuffer = SwapChain9::CreateFramebuffer(Driver(), *parameters);
    if (!framebuffer) {
        return D3DERR_OUTOFVIDEOMEMORY;
    }
    *chain = new AdditionalSwapChain9(*this, *parameters, std::move(framebuffer));
    return D3D_OK;
}

HRESULT Device9::CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                               IDirect3DTexture9** texture, HANDLE*)
{
    return Texture9::Create(*this, width, height, levels, usage, format, pool, texture);
}

HRESULT Device9::CreateVertexBuffer(UINT length, DWORD, DWORD fvf, D3DPOOL, IDirect3DVertexBuffer9** buffer, HANDLE*)
{
    return CreateSystemMemoryVertexBuffer(length, fvf, buffer);
}

HRESULT Device9::CreateIndexBuffer(UINT length, DWORD, D3DFORMAT format, D3DPOOL, IDirect3DIndexBuffer9** buffer,
                                   HANDLE*)
{
    return CreateSystemMemoryIndexBuffer(length, format, buffer);
}

HRESULT Device9::SetRenderTarget(DWORD index, IDirect3DSurface9* target)
{
    auto* backBuffer = dynamic_cast<BackBufferSurface9*>(target);
    if (index != 0 || backBuffer == nullptr || &backBuffer->Chain().Device() != this) {
        return D3DERR_INVALIDCALL;
    }
    m_renderTarget = backBuffer;
    return D3D_OK;
}

HRESULT Device9::GetRenderTarget(DWORD index, IDirect3DSurface9** target)
{
    if (target == nullptr || index != 0 || m_renderTarget == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    return HandOut(m_renderTarget, target);
}

HRESULT Device9::SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix)
{
    return m_state.SetTransform(state, matrix);
}

HRESULT Device9::GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix)
{
    return m_state.GetTransform(state, matrix);
}

HRESULT Device9::SetMaterial(const D3DMATERIAL9* material) { return m_state.SetMaterial(material); }

HRESULT Device9::GetMaterial(D3DMATERIAL9* material) { return m_state.GetMaterial(material); }

HRESULT Device9::SetLight(DWORD index, const D3DLIGHT9* light) { return m_state.SetLight(index, light); }

HRESULT Device9::GetLight(DWORD index, D3DLIGHT9* light) { return m_state.GetLight(index, light); }

HRESULT Device9::LightEnable(DWORD index, BOOL enable) { return m_state.LightEnable(index, enable); }

HRESULT Device9::GetLightEnable(DWORD index, BOOL* enable) { return m_state.GetLightEnable(index, enable); }

HRESULT Device9::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) { return m_state.SetRenderState(state, value); }

HRESULT Device9::GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) { return m_state.GetRenderState(state, value); }

HRESULT Device9::SetTexture(DWORD stage, IDirect3DBaseTexture9* texture)
{
    auto* own = dynamic_cast<Texture9*>(texture);
    if (stage != 0 || (texture != nullptr && (own == nullptr || &own->Owner() != this))) {
        return D3DERR_INVALIDCALL;
    }
    m_state.SetTexture(own);
    return D3D_OK;
}

HRESULT Device9::GetTexture(DWORD stage, IDirect3DBaseTexture9** texture)
{
    if (texture == nullptr || stage != 0) {
        return D3DERR_INVALIDCALL;
    }
    return HandOut(m_state.Texture(), texture);
}

HRESULT Device9::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value)
{
    return m_state.SetTextureStageState(stage, type, value);
}

HRESULT Device9::GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD* value)
{
    return m_state.GetTextureStageState(stage, type, value);
}

HRESULT Device9::SetFVF(DWORD fvf) { return m_state.SetFVF(fvf); }

HRESULT Device9::GetFVF(DWORD* fvf)
{
    if (fvf == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *fvf = m_state.FVF();
    return D3D_OK;
}
