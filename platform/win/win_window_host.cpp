#include "platform/win/internal/win_window_host.h"

#include "platform/win/internal/gdi_objects.h"
#include "platform/win/internal/native_window.h"
#include "platform/win/internal/window_table.h"
#include "platform/win/win_api.h"

#include <cstring>

namespace {

// The presented pixels are B, G, R, A in memory, which is QImage's ARGB32 on little-endian
// machines. The device's alpha is not coverage (a clear colour may carry alpha 0), so the
// window shows the colours as opaque.
QImage OpaqueCopy(const D3D9PresentedImage& image)
{
    QImage copy(static_cast<int>(image.width), static_cast<int>(image.height), QImage::Format_RGB32);
    const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 4;
    for (int y = 0; y < copy.height(); ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(copy.scanLine(y));
        std::memcpy(row, image.bgra + rowBytes * static_cast<std::size_t>(y), rowBytes);
        for (int x = 0; x < copy.width(); ++x) {
            row[x] |= 0xFF000000u;
        }
    }
    return copy;
}

} // namespace

bool WinWindowHost::IsLiveWindow(HWND window) const { return IsWindow(window) != FALSE; }

bool WinWindowHost::GetClientSize(HWND window, UINT* width, UINT* height) const
{
    RECT client;
    if (!GetClientRect(window, &client)) {
        return false;
    }
    if (width) {
        *width = static_cast<UINT>(client.right);
    }
    if (height) {
        *height = static_cast<UINT>(client.bottom);
    }
    return true;
}

void WinWindowHost::PresentImage(HWND window, const D3D9PresentedImage& image)
{
    WindowRecord* record = WindowTable::Instance().Find(window);
    QWidget* widget = record ? record->native->Widget() : nullptr;
    if (!widget || !image.bgra || image.width == 0 || image.height == 0) {
        return;
    }
    record->presented = OpaqueCopy(image);
    RECT client;
    GetClientRect(window, &client);
    if (record->paintDc && record->paintDc->painter) {
        // Presented while the window paints (a handler drawing from WM_PAINT): the frame goes
        // straight onto the window, as a present does; scheduling a repaint would loop.
        record->paintDc->painter->drawImage(QRect(0, 0, client.right, client.bottom), record->presented);
        return;
    }
    widget->update();
}
