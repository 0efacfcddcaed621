// A window handler that owns its view window and draws the world into it. Painting the view
// never draws (the window is owner-drawn); the owner calls DrawGraphics, on its timer.
#pragma once

#include "ui/ui_window.h"
#include "views/d3d_window_handler.h"

class CDrawOnlyHandler : public TQRD3D_WindowHandler {
public:
    CDrawOnlyHandler();
    // Destroys the view window before the device and swap chain are released.
    ~CDrawOnlyHandler() override;

    // Puts the view window in place of the dialog's control and attaches this handler to it.
    // True only when both succeed; needs the graphics context to exist.
    bool AttachToDialogControl(HWND dialog, int controlId);
    // One frame: camera transforms, light grey clear, the world, present. Nothing without a
    // device.
    void DrawGraphics() override;

    TQRMFC_UIWindow& GetViewWindow() { return m_viewWindow; }

private:
    TQRMFC_UIWindow m_viewWindow;
};
