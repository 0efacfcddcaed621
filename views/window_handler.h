// The platform-independent part of every window handler: the attached window, a 2D world-bounds
// box and the camera. Device-bound handlers derive from it and draw into the window.
#pragma once

#include "base/result.h"
#include "scene/bounding_box.h"
#include "ui/iwindow_handler.h"
#include "views/camera.h"

class TQR_DrawHelper;

class TQR_WindowHandler : public TQR_IWindowHandler {
public:
    TQR_WindowHandler() = default;
    TQR_WindowHandler(const TQR_WindowHandler&) = delete;
    TQR_WindowHandler& operator=(const TQR_WindowHandler&) = delete;
    ~TQR_WindowHandler() override = default;

    // Keeps the handle when it is a live window.
    bool AttachWindow(HWND window) override;
    void DetachWindow() override {}
    void HandleMouseButton(bool down, unsigned int flags, int x, int y) override;
    void HandleMouseMove(unsigned int flags, int x, int y) override;

    virtual void SetWorldBounds(const TQR_BoundingBox& box);
    virtual TQR_BoundingBox GetWorldBounds() const;
    // Resizes the window, its top-left corner staying where it is in its parent.
    virtual void SetWindowSize(int width, int height);
    // The client area in pixels; 0 by 0 when the window is not live.
    virtual void GetWindowSize(int& width, int& height) const;
    // A picking ray through a point in device coordinates. Needs a projection, so this base
    // version gives zero vectors and fails, saying that picking is unavailable; showing that
    // is up to the caller.
    virtual Result<> DeviceToWorld(int x, int y, TQR_Vector3& origin, TQR_Vector3& direction);
    // Between device pixels and the plane of the world bounds, the bounds filling the window.
    virtual void DeviceToWorld2D(int x, int y, float& worldX, float& worldY) const;
    virtual void WorldToDevice2D(float worldX, float worldY, int& x, int& y) const;
    // Makes the world bounds fill the view (the view transform maps them onto -1 .. 1).
    virtual void SetupWorldBoundsView() = 0;
    // The bounds as a red filled rectangle in the plane z = 0.
    virtual void DrawWorldBounds(TQR_DrawHelper* drawHelper) const;
    virtual void SetCamera(const TQR_Camera& camera);
    virtual TQR_Camera& GetCamera();
    virtual void SetViewTransform() = 0;
    virtual void SetProjectionTransform() = 0;

    // Window coordinates to device coordinates (y grows upward from the bottom edge); false
    // when the window is not live.
    bool WindowToDevice(int x, int y, int& deviceX, int& deviceY) const;
    // Client width over height; 0 when the window is not live or has no height.
    float GetAspectRatio() const;
    HWND GetWindow() const { return m_window; }

private:
    HWND m_window = nullptr;
    TQR_BoundingBox m_worldBounds;
    TQR_Camera m_camera;
};
