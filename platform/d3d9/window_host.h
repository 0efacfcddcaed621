// What the device needs of the window system: whether a handle is a live window, its client
// size, and where to hand a presented image. The window layer installs the host; tests
// install their own. Without a host no handle is a window.
#pragma once

#include "base/win_types.h"

#include <cstdint>

// A presented frame, already scaled to the window's client size: 32-bit pixels in memory
// order B, G, R, A (D3DCOLOR on little-endian), row 0 at the top, rows packed (stride width * 4).
struct D3D9PresentedImage {
    UINT width = 0;
    UINT height = 0;
    const std::uint8_t* bgra = nullptr;
};

class ID3D9WindowHost {
public:
    virtual ~ID3D9WindowHost() = default;
    virtual bool IsLiveWindow(HWND window) const = 0;
    // False when the handle is not a live window.
    virtual bool GetClientSize(HWND window, UINT* width, UINT* height) const = 0;
    virtual void PresentImage(HWND window, const D3D9PresentedImage& image) = 0;
};

// The host is not owned; null removes it.
void D3D9SetWindowHost(ID3D9WindowHost* host);
ID3D9WindowHost* D3D9GetWindowHost();
