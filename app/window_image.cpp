#include "app/window_image.h"

#include "base/file_access.h"
#include "platform/win/qt_bridge.h"
#include "platform/win/win_api.h"

#include <QBuffer>
#include <QByteArray>
#include <QPixmap>
#include <QWidget>

Result<> SaveWindowImage(HWND window, const std::string& path)
{
    QWidget* widget = IsWindow(window) ? WidgetOfWindow(window) : nullptr;
    if (widget == nullptr) {
        return Failure{"the window does not exist"};
    }
    return SaveWidgetImage(*widget, path);
}

Result<> SaveWidgetImage(QWidget& widget, const std::string& path)
{
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !widget.grab().save(&buffer, "PNG")) {
        return Failure{"the window's image cannot be encoded"};
    }
    return WriteFileReplacing(path, std::string_view(png.constData(), static_cast<std::size_t>(png.size())));
}
