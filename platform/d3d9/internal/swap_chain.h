// Swap chains: each one a framebuffer object with a colour buffer and its own depth-stencil
// buffer (so every chain is depth-tested), one back buffer surface, and presentation into a
// window through the window host.
// Implements: Present without source, destination or dirty regions (the whole back buffer is
// scaled onto the destination window's client area), GetBackBuffer of buffer 0,
// GetPresentParameters. Leaves out: several back buffers, partial presents, gamma, the
// presentation interval (presenting is always immediate).
#pragma once

#include "platform/d3d9/internal/frame_presenter.h"
#include "platform/d3d9/internal/gl_framebuffer.h"
#include "platform/d3d9/ref_counted.h"

#include <memory>

class Device9;
class SwapChain9;

// The back buffer of a swap chain. It is part of its chain: its references are the chain's.
class BackBufferSurface9 final : public IDirect3DSurface9 {
public:
    explicit BackBufferSurface9(SwapChain9& chain) : m_chain(chain) {}

    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT GetDesc(D3DSURFACE_DESC* desc) override;

    SwapChain9& Chain() const { return m_chain; }

private:
    SwapChain9& m_chain;
};

class SwapChain9 : public IDirect3DSwapChain9 {
public:
    // The parameters must have been resolved (see present_parameters.h).
    static std::unique_ptr<GlFramebuffer> CreateFramebuffer(GlDriver& driver, const D3DPRESENT_PARAMETERS& parameters);

    HRESULT Present(const RECT* source, const RECT* dest, HWND destWindow, const RGNDATA* dirty, DWORD flags) override;
    HRESULT GetBackBuffer(UINT index, D3DBACKBUFFER_TYPE type, IDirect3DSurface9** surface) override;
    HRESULT GetPresentParameters(D3DPRESENT_PARAMETERS* parameters) override;

    Device9& Device() const { return m_device; }
    const GlFramebuffer& Framebuffer() const { return *m_framebuffer; }
    BackBufferSurface9& BackBuffer() { return m_backBuffer; }
    const D3DPRESENT_PARAMETERS& Parameters() const { return m_parameters; }

protected:
    // deviceReference is empty for the implicit chain, which the device owns.
    SwapChain9(Device9& device, ComPtr<Device9> deviceReference, const D3DPRESENT_PARAMETERS& parameters,
               std::unique_ptr<GlFramebuffer> framebuffer);
    ~SwapChain9() override;

private:
    Device9& m_device;
    // Released last, after the OpenGL objects that need the device's context.
    ComPtr<Device9> m_deviceReference;
    D3DPRESENT_PARAMETERS m_parameters;
    std::unique_ptr<GlFramebuffer> m_framebuffer;
    BackBufferSurface9 m_backBuffer{*this};
    FramePresenter m_presenter;
};

// Swap chain 0, made with the device and destroyed with it: its references are the device's.
class ImplicitSwapChain9 final : public SwapChain9 {
public:
    ImplicitSwapChain9(Device9& device, const D3DPRESENT_PARAMETERS& parameters,
                       std::unique_ptr<GlFramebuffer> framebuffer);
    ~ImplicitSwapChain9() override = default;

    ULONG AddRef() override;
    ULONG Release() override;
};

// An additional swap chain: counted on its own, holding a reference on its device.
class AdditionalSwapChain9 final : public RefCounted<SwapChain9> {
public:
    AdditionalSwapChain9(Device9& device, const D3DPRESENT_PARAMETERS& parameters,
                         std::unique_ptr<GlFramebuffer> framebuffer);

private:
    ~AdditionalSwapChain9() override = default;
};
