// The reason the last file operation of the library failed (see D3DXGetLastErrorMessage).
#pragma once

#include "base/win_types.h"

#include <string>

// Records the reason and passes the result through, so callers can write
// `return Failed(D3DXERR_INVALIDDATA, "why")`.
HRESULT Failed(HRESULT result, std::string reason);
HRESULT Succeeded();
