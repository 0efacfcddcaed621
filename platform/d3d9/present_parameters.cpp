#include "platform/d3d9/internal/present_parameters.h"

#include "platform/d3d9/window_host.h"

namespace {

bool IsBackBufferFormat(D3DFORMAT format)
{
    return format == D3DFMT_UNKNOWN || format == D3DFMT_X8R8G8B8 || format == D3DFMT_A8R8G8B8;
}

bool IsSwapEffect(D3DSWAPEFFECT effect)
{
    return effect == D3DSWAPEFFECT_DISCARD || effect == D3DSWAPEFFECT_FLIP || effect == D3DSWAPEFFECT_COPY;
}

bool IsDepthFormat(D3DFORMAT format) { return format == D3DFMT_D24S8 || format == D3DFMT_D16; }

bool IsSupported(const D3DPRESENT_PARAMETERS& p)
{
    return p.Windowed != FALSE && p.BackBufferCount <= 1 && p.MultiSampleType == D3DMULTISAMPLE_NONE &&
           IsBackBufferFormat(p.BackBufferFormat) && IsSwapEffect(p.SwapEffect) &&
           (p.EnableAutoDepthStencil == FALSE || IsDepthFormat(p.AutoDepthStencilFormat));
}

} // namespace

HRESULT ResolvePresentParameters(D3DPRESENT_PARAMETERS* parameters, HWND defaultWindow)
{
    if (parameters == nullptr || !IsSupported(*parameters)) {
        return D3DERR_INVALIDCALL;
    }
    const HWND window = parameters->hDeviceWindow != nullptr ? parameters->hDeviceWindow : defaultWindow;
    const ID3D9WindowHost* host = D3D9GetWindowHost();
    UINT clientWidth = 0;
    UINT clientHeight = 0;
    if (host == nullptr || window == nullptr || !host->GetClientSize(window, &clientWidth, &clientHeight)) {
        return D3DERR_INVALIDCALL;
    }
    const UINT width = parameters->BackBufferWidth != 0 ? parameters->BackBufferWidth : clientWidth;
    const UINT height = parameters->BackBufferHeight != 0 ? parameters->BackBufferHeight : clientHeight;
    if (width == 0 || height == 0) {
        return D3DERR_INVALIDCALL;
    }
    parameters->hDeviceWindow = window;
    parameters->BackBufferWidth = width;
    parameters->BackBufferHeight = height;
    parameters->BackBufferCount = 1;
    if (parameters->BackBufferFormat == D3DFMT_UNKNOWN) {
        parameters->BackBufferFormat = D3DFMT_X8R8G8B8;
    }
    return D3D_OK;
}
