// The interface a view window talks to: a window handler binds itself to the window, draws
// into it and receives its mouse input. Window handlers (in views/) implement it.
#pragma once

#include "base/win_types.h"

class TQR_IWindowHandler {
public:
    virtual ~TQR_IWindowHandler() = default;

    // True when the handler can draw (device and swap chain present).
    virtual bool IsInitialized() const = 0;
    // Binds the handler to the window; true when it can draw into it.
    virtual bool AttachWindow(HWND window) = 0;
    // Releases what AttachWindow set up.
    virtual void DetachWindow() = 0;
    virtual void BeginDraw() = 0;
    virtual void EndDraw() = 0;
    // Draws the handler's scene into its window.
    virtual void DrawGraphics() = 0;
    // A button went down or up; flags are the MK_ flags, x and y client coordinates.
    virtual void HandleMouseButton(bool down, unsigned int flags, int x, int y) = 0;
    virtual void HandleMouseMove(unsigned int flags, int x, int y) = 0;
};
