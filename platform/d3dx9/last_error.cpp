#include "platform/d3dx9/last_error.h"

#include "platform/d3dx9/d3dx9.h"

namespace {

// The library runs on the one user-interface thread, like the rest of the system.
std::string& LastError()
{
    static std::string message;
    return message;
}

} // namespace

HRESULT Failed(HRESULT result, std::string reason)
{
    LastError() = std::move(reason);
    return result;
}

HRESULT Succeeded()
{
    LastError().clear();
    return D3D_OK;
}

const char* D3DXGetLastErrorMessage() { return LastError().c_str(); }
