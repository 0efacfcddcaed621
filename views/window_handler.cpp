#include "views/window_handler.h"

#include "platform/win/win_api.h"
#include "platform/win/win_geometry.h"
#include "scene/draw_helper.h"

#include <cmath>

namespace {

bool ClientSize(HWND window, int& width, int& height)
{
    RECT client;
    if (!IsWindow(window) || !GetClientRect(window, &client)) {
        width = 0;
        height = 0;
        return false;
    }
    width = client.right - client.left;
    height = client.bottom - client.top;
    return true;
}

// One axis of the world bounds onto pixels, rounding half away from zero. A bounds of no
// extent has no scale: every world coordinate goes to the middle of the window.
int WorldToPixel(float world, float centre, float extent, int pixels)
{
    const float middle = static_cast<float>(pixels) / 2.0f;
    if (extent == 0.0f) {
        return static_cast<int>(std::lround(middle));
    }
    return static_cast<int>(std::lround((world - centre) * static_cast<float>(pixels) / extent + middle));
}

// A window of no size has no scale: every pixel goes to the centre of the bounds.
float PixelToWorld(int pixel, float centre, float extent, int pixels)
{
    if (pixels == 0) {
        return centre;
    }
    return (static_cast<float>(pixel) - static_cast<float>(pixels) / 2.0f) * extent / static_cast<float>(pixels) +
           centre;
}

} // namespace

bool TQR_WindowHandler::AttachWindow(HWND window)
{
    if (!IsWindow(window)) {
        return false;
    }
    m_window = window;
    return true;
}

void TQR_WindowHandler::HandleMouseButton(bool, unsigned int, int, int) {}

void TQR_WindowHandler::HandleMouseMove(unsigned int, int, int) {}

void TQR_WindowHandler::SetWorldBounds(const TQR_BoundingBox& box)
{
    const TQR_Vector3 low = box.GetMin();
    const TQR_Vector3 high = box.GetMax();
    m_worldBounds.SetCorners(low.x, low.y, low.z, high.x, high.y, high.z);
}

TQR_BoundingBox TQR_WindowHandler::GetWorldBounds() const { return m_worldBounds; }

void TQR_WindowHandler::SetWindowSize(int width, int height)
{
    if (!IsWindow(m_window)) {
        return;
    }
    CRect place;
    GetWindowRect(m_window, &place);
    POINT topLeft{place.left, place.top};
    if (HWND parent = GetParent(m_window)) {
        ScreenToClient(parent, &topLeft);
    }
    MoveWindow(m_window, topLeft.x, topLeft.y, width, height, TRUE);
}

void TQR_WindowHandler::GetWindowSize(int& width, int& height) const { ClientSize(m_window, width, height); }

Result<> TQR_WindowHandler::DeviceToWorld(int, int, TQR_Vector3& origin, TQR_Vector3& direction)
{
    origin = {};
    direction = {};
    return Failure{"on-screen picking is not available: this window handler does not compute picking rays"};
}

void TQR_WindowHandler::DeviceToWorld2D(int x, int y, float& worldX, float& worldY) const
{
    int width = 0;
    int height = 0;
    GetWindowSize(width, height);
    const TQR_Vector3 centre = m_worldBounds.GetCenter();
    worldX = PixelToWorld(x, centre.x, m_worldBounds.Width(), width);
    worldY = PixelToWorld(y, centre.y, m_worldBounds.Height(), height);
}

void TQR_WindowHandler::WorldToDevice2D(float worldX, float worldY, int& x, int& y) const
{
    int width = 0;
    int height = 0;
    GetWindowSize(width, height);
    const TQR_Vector3 centre = m_worldBounds.GetCenter();
    x = WorldToPixel(worldX, centre.x, m_worldBounds.Width(), width);
    y = WorldToPixel(worldY, centre.y, m_worldBounds.Height(), height);
}

void TQR_WindowHandler::DrawWorldBounds(TQR_DrawHelper* drawHelper) const
{
    if (drawHelper == nullptr) {
        return;
    }
    drawHelper->ResetAttributes();
    drawHelper->SetColor1(TQR_Color(1.0f, 0.0f, 0.0f, 1.0f));
    const TQR_Vector3 low = m_worldBounds.GetMin();
    const TQR_Vector3 high = m_worldBounds.GetMax();
    drawHelper->DrawRectangleXY(low.x, low.y, low.z, high.x, high.y, high.z);
}

void TQR_WindowHandler::SetCamera(const TQR_Camera& camera) { m_camera = camera; }

TQR_Camera& TQR_WindowHandler::GetCamera() { return m_camera; }

bool TQR_WindowHandler::WindowToDevice(int x, int y, int& deviceX, int& deviceY) const
{
    int width = 0;
    int height = 0;
    if (!ClientSize(m_window, width, height)) {
        return false;
    }
    deviceX = x;
    deviceY = height - y;
    return true;
}

float TQR_WindowHandler::GetAspectRatio() const
{
    int width = 0;
    int height = 0;
    if (!ClientSize(m_window, width, height) || height <= 0) {
        return 0.0f;
    }
    return static_cast<float>(width) / static_cast<float>(height);
}
