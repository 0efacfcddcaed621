#include "app/window_image.h"

#include "platform/win/qt_bridge.h"
#include "platform/win/win_api.h"

#include <QPixmap>
#include <QWidget>

bool SaveWindowImage(HWND window, const std::string& path, std::string& error)
{
    QWidget* widget = IsWindow(window) ? WidgetOfWindow(window) : nullptr;
    if (widget == nullptr) {
        error = "the window does not exist";
        return false;
    }
    if (!widget->grab().save(QString::fromStdString(path), "PNG")) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}
