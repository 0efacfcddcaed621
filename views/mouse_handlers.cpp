#include "views/mouse_handlers.h"

#include "scene/status.h"

namespace {

void SetStartCamera(TQR_Camera& camera)
{
    camera.SetPosition(0.0f, 10.0f, -25.0f);
    camera.SetLookAt(0.0f, 0.0f, 0.0f);
    camera.SetUpVector(0.0f, 1.0f, 0.0f);
    camera.SetFar(50.0f);
    camera.SetNear(1.0f);
    camera.SetFov(45.0f);
}

// The small view pans with the left button only while the pointer is inside this area.
bool InSmallViewPanArea(int x, int y) { return x > 4 && x <= 340 && y > 4 && y <= 365; }

// A tool's empty text leaves the status line as it is (the tool may have written it itself).
void ShowToolStatus(const std::wstring& text)
{
    if (!text.empty()) {
        ShowStatus(text);
    }
}

} // namespace

CMouseCameraHandler::CMouseCameraHandler() { SetStartCamera(GetCamera()); }

void CMouseCameraHandler::SetTool(IViewTool* tool)
{
    m_tool = tool;
    m_toolDragging = false;
}

void CMouseCameraHandler::HandleMouseButton(bool down, unsigned int flags, int x, int y)
{
    if (!WindowToDevice(x, y, x, y)) {
        return;
    }
    if (m_toolDragging) {
        if (!down) {
            m_toolDragging = false;
            ShowToolStatus(m_tool->Release(*this, x, y));
            // A button still held drives the camera from here on, without a jump.
            static_cast<void>(BeginDrag(LeadingButton(flags & ~static_cast<unsigned int>(MK_LBUTTON)), x, y));
        }
        return;
    }
    if (m_tool != nullptr && down && LeadingButton(flags) == TQR_MouseButton::Left) {
        m_toolDragging = true;
        ShowToolStatus(m_tool->Press(*this, x, y));
        return;
    }
    ShowStatus(down ? BeginDrag(LeadingButton(flags), x, y) : std::wstring());
}

void CMouseCameraHandler::HandleMouseMove(unsigned int flags, int x, int y)
{
    if (!WindowToDevice(x, y, x, y)) {
        return;
    }
    if (m_toolDragging) {
        ShowToolStatus(m_tool->Drag(*this, x, y));
        return;
    }
    if (m_tool != nullptr && LeadingButton(flags) == TQR_MouseButton::None) {
        m_tool->Hover(*this, x, y);
    }
    ShowStatus(Drag(LeadingButton(flags), x, y));
}

std::wstring CDrawAndMouseHandler::BeginDrag(TQR_MouseButton button, int x, int y)
{
    TQR_Camera& camera = GetCamera();
    switch (button) {
    case TQR_MouseButton::Left:
        camera.BeginRotate(x, y);
        return FormatStatus("Begin Camera Rotation: (%d %d)", x, y);
    case TQR_MouseButton::Middle:
        camera.BeginTrack(x, y);
        return FormatStatus("Begin Camera Tracking: (%d %d)", x, y);
    case TQR_MouseButton::Right:
        camera.BeginZoom(x);
        return FormatStatus("Begin Camera Zooming: (%d)", x);
    case TQR_MouseButton::None:
        break;
    }
    return {};
}

std::wstring CDrawAndMouseHandler::Drag(TQR_MouseButton button, int x, int y)
{
    TQR_Camera& camera = GetCamera();
    switch (button) {
    case TQR_MouseButton::Left:
        camera.RotateTo(x, y);
        return FormatStatus("Camera Rotation To: (%d %d)", x, y);
    case TQR_MouseButton::Middle:
        camera.TrackTo(x, y);
        return FormatStatus("Camera Tracking To: (%d %d)", x, y);
    case TQR_MouseButton::Right:
        camera.ZoomTo(x);
        return FormatStatus("Camera Zoom: (%d)", x);
    case TQR_MouseButton::None:
        break;
    }
    return {};
}

std::wstring CSVDrawAndMouseHandler::BeginDrag(TQR_MouseButton button, int x, int y)
{
    TQR_Camera& camera = GetCamera();
    const TQR_Vector3 p = camera.GetPosition();
    switch (button) {
    case TQR_MouseButton::Left:
        camera.BeginTrack(x, y);
        return FormatStatus("Begin Camera Track: (%f %f %f %d %d)", p.x, p.y, p.z, x, y);
    case TQR_MouseButton::Middle:
        camera.BeginTrack(x, y);
        return FormatStatus("Begin Camera Tracking: (%f %f %f %d %d)", p.x, p.y, p.z, x, y);
    case TQR_MouseButton::Right:
        camera.BeginZoom(x);
        return FormatStatus("Begin Camera Zooming: (%f %d)", p.x, x);
    case TQR_MouseButton::None:
        break;
    }
    return {};
}

std::wstring CSVDrawAndMouseHandler::Drag(TQR_MouseButton button, int x, int y)
{
    TQR_Camera& camera = GetCamera();
    const TQR_Vector3 p = camera.GetPosition();
    switch (button) {
    case TQR_MouseButton::Left:
        if (InSmallViewPanArea(x, y)) {
            camera.TrackTo(x, y);
        }
        return FormatStatus("Camera Position To: (%f %f %f %d %d)", p.x, p.y, p.z, x, y);
    case TQR_MouseButton::Middle:
        camera.TrackTo(x, y);
        return FormatStatus("Camera Tracking To: (%f %f %f %d %d)", p.x, p.y, p.z, x, y);
    case TQR_MouseButton::Right:
        camera.ZoomTo(x);
        return FormatStatus("Camera Zoom: (%f %d)", p.x, x);
    case TQR_MouseButton::None:
        break;
    }
    return FormatStatus("Pointer Position: (%d %d)", x, y);
}
