// The Qt side of a window, for code that must reach the widget itself: tests that click,
// drag and grab real widgets, and the window system's own Qt glue.
// Implements: handle to widget and widget to handle.
#pragma once

#include "platform/win/win_defs.h"

class QWidget;

// The widget that shows the window, or null when the handle is not a window.
QWidget* WidgetOfWindow(HWND window);
// The window a widget shows, or null when the widget is not a window's widget.
HWND WindowOfWidget(const QWidget* widget);
