#include "platform/d3d9/internal/swap_chain.h"

#include "platform/d3d9/internal/device.h"
#include "platform/d3d9/window_host.h"

ULONG BackBufferSurface9::AddRef() { return m_chain.AddRef(); }

ULONG BackBufferSurface9::Release() { return m_chain.Release(); }

HRESULT BackBufferSurface9::GetDesc(D3DSURFACE_DESC* desc)
{
    if (desc == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    const D3DPRESENT_PARAMETERS& parameters = m_chain.Parameters();
    *desc = D3DSURFACE_DESC{};
    desc->Format = parameters.BackBufferFormat;
    desc->Type = D3DRTYPE_SURFACE;
    desc->Usage = D3DUSAGE_RENDERTARGET;
    desc->Pool = D3DPOOL_DEFAULT;
    desc->Width = parameters.BackBufferWidth;
    desc->Height = parameters.BackBufferHeight;
    return D3D_OK;
}

std::unique_ptr<GlFramebuffer> SwapChain9::CreateFramebuffer(GlDriver& driver, const D3DPRESENT_PARAMETERS& parameters)
{
    // X8R8G8B8 has no alpha: an RGB buffer reads destination alpha as 1, as the platform does.
    const GLenum colourFormat = parameters.BackBufferFormat == D3DFMT_A8R8G8B8 ? GL_RGBA8 : GL_RGB8;
    return GlFramebuffer::Create(driver, parameters.BackBufferWidth, parameters.BackBufferHeight, colourFormat, true);
}

SwapChain9::SwapChain9(Device9& device, ComPtr<Device9> deviceReference, const D3DPRESENT_PARAMETERS& parameters,
                       std::unique_ptr<GlFramebuffer> framebuffer)
    : m_device(device), m_deviceReference(std::move(deviceReference)), m_parameters(parameters),
      m_framebuffer(std::move(framebuffer))
{
}

SwapChain9::~SwapChain9() { m_device.ForgetSwapChain(this); }

HRESULT SwapChain9::Present(const RECT* source, const RECT* dest, HWND destWindow, const RGNDATA* dirty, DWORD)
{
    if (source != nullptr || dest != nullptr || dirty != nullptr) {
        return D3DERR_INVALIDCALL;
    }
    const HWND window = destWindow != nullptr ? destWindow : m_parameters.hDeviceWindow;
    ID3D9WindowHost* host = D3D9GetWindowHost();
    UINT width = 0;
    UINT height = 0;
    if (host == nullptr || !host->GetClientSize(window, &width, &height) || width == 0 || height == 0) {
        return D3DERR_INVALIDCALL;
    }
    const auto* pixels = m_presenter.Render(m_device.Driver(), *m_framebuffer, width, height);
    if (pixels == nullptr) {
        return D3DERR_OUTOFVIDEOMEMORY;
    }
    host->PresentImage(window, D3D9PresentedImage{width, height, pixels->data()});
    return D3D_OK;
}

HRESULT SwapChain9::GetBackBuffer(UINT index, D3DBACKBUFFER_TYPE type, IDirect3DSurface9** surface)
{
    if (surface == nullptr || index != 0 || type != D3DBACKBUFFER_TYPE_MONO) {
        return D3DERR_INVALIDCALL;
    }
    return HandOut(&m_backBuffer, surface);
}

HRESULT SwapChain9::GetPresentParameters(D3DPRESENT_PARAMETERS* parameters)
{
    if (parameters == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *parameters = m_parameters;
    return D3D_OK;
}

ImplicitSwapChain9::ImplicitSwapChain9(Device9& device, const D3DPRESENT_PARAMETERS& parameters,
                                       std::unique_ptr<GlFramebuffer> framebuffer)
    : SwapChain9(device, ComPtr<Device9>(), parameters, std::move(framebuffer))
{
}

ULONG ImplicitSwapChain9::AddRef() { return Device().AddRef(); }

ULONG ImplicitSwapChain9::Release() { return Device().Release(); }

AdditionalSwapChain9::AdditionalSwapChain9(Device9& device, const D3DPRESENT_PARAMETERS& parameters,
                                           std::unique_ptr<GlFramebuffer> framebuffer)
    : RefCounted<SwapChain9>(device, ComPtr<Device9>(&device), parameters, std::move(framebuffer))
{
}
