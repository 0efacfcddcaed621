// Checks present parameters for a swap chain and fills in what the platform derives: the
// window (the device window, or the given default), a zero back-buffer size from the window's
// client area, an unknown back-buffer format as X8R8G8B8, a back-buffer count of 0 as 1.
// Needs the window host, not OpenGL. Accepted: windowed chains of one back buffer, without
// multisampling, in X8R8G8B8 or A8R8G8B8, with a D24S8 or D16 automatic depth buffer.
#pragma once

#include "platform/d3d9/d3d9types.h"

// D3DERR_INVALIDCALL for anything outside what is accepted, for a window that is not live and
// for a client area of zero width or height; the parameters are then left as they were.
HRESULT ResolvePresentParameters(D3DPRESENT_PARAMETERS* parameters, HWND defaultWindow);
