// Wide file names (UTF-32 on this platform, as the window layer and the device's callers hold
// them) to the UTF-8 paths the operating system takes.
#pragma once

#include "base/win_types.h"

#include <optional>
#include <string>

// The UTF-8 path for a wide file name; empty for a null name or one that is not valid Unicode.
std::optional<std::string> PathFromWideName(LPCWSTR name);
