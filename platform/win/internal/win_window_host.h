// The device's window host for the window system's windows: a handle is live while its widget
// lives, the client size is the client area in pixels, and a presented frame is kept in the
// window and shown over its client area, scaled to it, until the next frame replaces it.
#pragma once

#include "platform/d3d9/window_host.h"

class WinWindowHost : public ID3D9WindowHost {
public:
    bool IsLiveWindow(HWND window) const override;
    bool GetClientSize(HWND window, UINT* width, UINT* height) const override;
    void PresentImage(HWND window, const D3D9PresentedImage& image) override;
};
