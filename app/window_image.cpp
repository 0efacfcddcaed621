#include "app/window_image.h"

#include "platform/win/qt_bridge.h"
#include "platform/win/win_api.h"

#include <QPixmap>
#include <QWidget>

Result<> SaveWindowImage(HWND window, const std::string& path)
{
    QWidget* widget = IsWindow(window) ? WidgetOfWindow(window) : nullptr;
    if (widget == nullptr) {
        return Failure{"the window does not exist"};
    }
    if (!widget->grab().save(QString::fromStdString(path), "PNG")) {
        return Failure{"cannot write " + path};
    }
    return {};
}
