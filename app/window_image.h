// Saving what a window shows, its presented views included, as a PNG image.
#pragma once

#include "platform/win/win_defs.h"

#include <string>

// False, with the reason, when the handle is not a live window or the file cannot be written.
bool SaveWindowImage(HWND window, const std::string& path, std::string& error);
