// Internal to platform/win: registered window classes (RegisterClassW, AfxRegisterWndClass).
#pragma once

#include "platform/win/win_defs.h"

#include <string>

// The registered class of that name, or null. The returned pointer stays valid.
const WNDCLASSW* FindWindowClass(const std::wstring& name);
