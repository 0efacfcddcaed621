#include "platform/d3d9/testing/device_probe.h"

#include "platform/d3d9/d3d9.h"

bool CanCreateD3D9Device()
{
    IDirect3D9* probe = Direct3DCreate9(D3D_SDK_VERSION);
    if (probe == nullptr) {
        return false;
    }
    probe->Release();
    return true;
}
