// The Direct3D object: owns the OpenGL context every device of it draws with.
// Implements: GetAdapterDisplayMode (a 1920 x 1080 desktop in X8R8G8B8 at 60 Hz) and
// CreateDevice for the default adapter. Leaves out: adapter enumeration, capabilities, format
// checks, fullscreen modes.
#pragma once

#include "platform/d3d9/internal/gl_driver.h"
#include "platform/d3d9/ref_counted.h"

#include <memory>

class Direct3D9 final : public RefCounted<IDirect3D9> {
public:
    explicit Direct3D9(std::unique_ptr<GlDriver> driver) : m_driver(std::move(driver)) {}

    HRESULT GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* mode) override;
    // The focus window must be live; the back buffer takes its client size (or that of the
    // device window) when the parameters leave it zero. Only HAL devices with software or
    // hardware vertex processing on adapter 0.
    HRESULT CreateDevice(UINT adapter, D3DDEVTYPE type, HWND focusWindow, DWORD behaviour,
                         D3DPRESENT_PARAMETERS* parameters, IDirect3DDevice9** device) override;

    GlDriver& Driver() const { return *m_driver; }

private:
    ~Direct3D9() override = default;

    std::unique_ptr<GlDriver> m_driver;
};
