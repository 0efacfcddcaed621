// The two views' handlers: they draw like CDrawOnlyHandler and turn mouse drags into camera
// motion, reporting each event on the status line. Coordinates are device coordinates (y up
// from the bottom edge); events while the window is not live are ignored.
#pragma once

#include "views/draw_only_handler.h"
#include "views/mouse_input.h"
#include "views/view_tool.h"

// What both views share: the start camera, device coordinates, the leading button, and the
// status line written after every event (a release clears it). The views differ only in what
// a press and a move do and say.
class CMouseCameraHandler : public CDrawOnlyHandler {
public:
    // Camera at (0, 10, -25) looking at the origin, y up, 45 degrees, near 1, far 50.
    CMouseCameraHandler();

    void HandleMouseButton(bool down, unsigned int flags, int x, int y) final;
    void HandleMouseMove(unsigned int flags, int x, int y) final;

    // A tool (not owned) that takes the left button from the camera; null gives it back. A
    // press of the left button begins the tool's drag, which the release of a button ends;
    // other presses during it do nothing. Moves without a button reach the tool as well.
    void SetTool(IViewTool* tool);

protected:
    // Each changes the camera and returns the status text.
    virtual std::wstring BeginDrag(TQR_MouseButton button, int x, int y) = 0;
    virtual std::wstring Drag(TQR_MouseButton button, int x, int y) = 0;

private:
    IViewTool* m_tool = nullptr;
    bool m_toolDragging = false;
};

// The large view: left button rotates, middle pans, right zooms.
class CDrawAndMouseHandler : public CMouseCameraHandler {
public:
    ~CDrawAndMouseHandler() override = default;

protected:
    std::wstring BeginDrag(TQR_MouseButton button, int x, int y) override;
    std::wstring Drag(TQR_MouseButton button, int x, int y) override;
};

// The small view: left and middle buttons pan (the left button only inside the view's pan
// area), right zooms. Its texts show the camera position from before the event, and a move
// without a button shows the pointer position.
class CSVDrawAndMouseHandler : public CMouseCameraHandler {
public:
    ~CSVDrawAndMouseHandler() override = default;

protected:
    std::wstring BeginDrag(TQR_MouseButton button, int x, int y) override;
    std::wstring Drag(TQR_MouseButton button, int x, int y) override;
};
