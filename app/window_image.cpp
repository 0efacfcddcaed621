#include "app/window_image.h"

#include "base/file_access.h"
#include "platform/win/qt_bridge.h"
#include "platform/win/win_api.h"

#include <QBuffer>
#include <QByteArray>
#include <QPixmap>
#include <QWidget>

bool SaveWindowImage(HWND window, const std::string& path, std::string& error)
{
    QWidget* widget = IsWindow(window) ? WidgetOfWindow(window) : nullptr;
    if (widget == nullptr) {
        error = "the window does not exist";
        return false;
    }
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !widget->grab().save(&buffer, "PNG")) {
        error = "the window's image cannot be encoded";
        return false;
    }
    const Result<> written =
        WriteFileReplacing(path, std::string_view(png.constData(), static_cast<std::size_t>(png.size())));
    if (!written) {
        error = written.reason();
        return false;
    }
    return true;
}
