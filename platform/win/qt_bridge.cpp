#include "platform/win/qt_bridge.h"

#include "platform/win/internal/native_window.h"
#include "platform/win/internal/window_table.h"

#include <QVariant>

QWidget* WidgetOfWindow(HWND window)
{
    const WindowRecord* record = WindowTable::Instance().Find(window);
    return record ? record->native->Widget() : nullptr;
}

HWND WindowOfWidget(const QWidget* widget)
{
    if (!widget) {
        return nullptr;
    }
    const auto window = reinterpret_cast<HWND>(widget->property(kWindowHandleProperty).value<quintptr>());
    return WidgetOfWindow(window) == widget ? window : nullptr;
}
