// A window handler that owns its view window and draws the world into it. Painting the view
// never draws (the window is owner-drawn); the owner calls DrawIfChanged on its timer, which
// draws only when the frame would differ from the one the window shows.
#pragma once

#include "ui/ui_window.h"
#include "views/d3d_window_handler.h"
#include "world/view_frame_record.h"

class CDrawOnlyHandler : public TQRD3D_WindowHandler {
public:
    CDrawOnlyHandler();
    // Destroys the view window before the device and swap chain are released.
    ~CDrawOnlyHandler() override;

    // Puts the view window in place of the dialog's control and attaches this handler to it.
    // True only when both succeed; needs the graphics context to exist.
    bool AttachToDialogControl(HWND dialog, int controlId);
    void DetachWindow() override;
    // One frame: camera transforms, light grey clear, the world, present. Nothing without a
    // device.
    void DrawGraphics() override;
    // A frame as DrawGraphics draws it, but only when it would show something the window does
    // not show yet (see CViewFrameRecord): on every call while the world animates, otherwise
    // after a change of the world, the camera or the window size. True when it drew.
    bool DrawIfChanged();

    TQRMFC_UIWindow& GetViewWindow() { return m_viewWindow; }

private:
    CViewFrame CurrentFrame();

    TQRMFC_UIWindow m_viewWindow;
    CViewFrameRecord m_frames;
};
