// Saving what a window shows, its presented views included, as a PNG image.
#pragma once

#include "base/result.h"
#include "platform/win/win_defs.h"

#include <string>

class QWidget;

// Fails, with the reason, when the handle is not a live window or the file cannot be written.
Result<> SaveWindowImage(HWND window, const std::string& path);
// The same for any widget (the main window).
Result<> SaveWidgetImage(QWidget& widget, const std::string& path);
