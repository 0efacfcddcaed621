#include "platform/d3d9/window_host.h"

namespace {

// The one host the window layer installs; not owned.
ID3D9WindowHost*& InstalledHost()
{
    static ID3D9WindowHost* host = nullptr;
    return host;
}

} // namespace

void D3D9SetWindowHost(ID3D9WindowHost* host) { InstalledHost() = host; }

ID3D9WindowHost* D3D9GetWindowHost() { return InstalledHost(); }
