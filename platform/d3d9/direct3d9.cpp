#include "platform/d3d9/internal/direct3d9.h"

#include "platform/d3d9/internal/device.h"
#include "platform/d3d9/internal/present_parameters.h"
#include "platform/d3d9/window_host.h"

#include <cstdio>

namespace {

constexpr D3DDISPLAYMODE kDesktopMode{1920, 1080, 60, D3DFMT_X8R8G8B8};

// Exactly one of the two vertex processing modes.
bool IsVertexProcessing(DWORD behaviour)
{
    const DWORD processing = behaviour & (D3DCREATE_SOFTWARE_VERTEXPROCESSING | D3DCREATE_HARDWARE_VERTEXPROCESSING);
    return processing == D3DCREATE_SOFTWARE_VERTEXPROCESSING || processing == D3DCREATE_HARDWARE_VERTEXPROCESSING;
}

bool IsLiveWindow(HWND window)
{
    const ID3D9WindowHost* host = D3D9GetWindowHost();
    return host != nullptr && window != nullptr && host->IsLiveWindow(window);
}

} // namespace

IDirect3D9* Direct3DCreate9(UINT sdkVersion)
{
    if (sdkVersion != D3D_SDK_VERSION) {
        std::fprintf(stderr, "Direct3DCreate9: unsupported SDK version %u (expected %u)\n", sdkVersion,
                     D3D_SDK_VERSION);
        return nullptr;
    }
    Result<std::unique_ptr<GlDriver>> driver = GlDriver::Create();
    if (!driver) {
        std::fprintf(stderr, "Direct3DCreate9: %s\n", driver.reason().c_str());
        return nullptr;
    }
    return new Direct3D9(std::move(driver).value());
}

HRESULT Direct3D9::GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* mode)
{
    if (adapter != D3DADAPTER_DEFAULT || mode == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *mode = kDesktopMode;
    return D3D_OK;
}

HRESULT Direct3D9::CreateDevice(UINT adapter, D3DDEVTYPE type, HWND focusWindow, DWORD behaviour,
                                D3DPRESENT_PARAMETERS* parameters, IDirect3DDevice9** device)
{
    if (device == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *device = nullptr;
    if (adapter != D3DADAPTER_DEFAULT || !IsVertexProcessing(behaviour) || !IsLiveWindow(focusWindow)) {
        return D3DERR_INVALIDCALL;
    }
    if (type != D3DDEVTYPE_HAL) {
        return D3DERR_NOTAVAILABLE;
    }
    const HRESULT resolved = ResolvePresentParameters(parameters, focusWindow);
    if (FAILED(resolved)) {
        return resolved;
    }
    return Device9::Create(*this, focusWindow, *parameters, device);
}
