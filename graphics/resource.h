// A file-backed resource of the device (a mesh or a texture), loaded once per file name and
// shared through the graphics system's tables.
#pragma once

#include "platform/d3d9/com_ptr.h"
#include "platform/d3d9/d3d9.h"

#include <string>

class TQRD3D_Resource {
public:
    TQRD3D_Resource() = default;
    TQRD3D_Resource(const TQRD3D_Resource&) = delete;
    TQRD3D_Resource& operator=(const TQRD3D_Resource&) = delete;
    virtual ~TQRD3D_Resource();

    // Unloads, then keeps a reference on the device and the name, finds the file along the
    // search folders and loads it. Without a device it fails silently; a file that is not found
    // or does not load is reported on the status line, the latter with the loader's reason. After a failure the entry
    // still holds the device reference and the name until it is unloaded or destroyed.
    virtual bool Load(IDirect3DDevice9* device, const std::wstring& fileName);
    // Releases the device reference and forgets the name; derived classes also free their data.
    virtual void Unload();
    // Loads from a path that exists. A failure leaves its reason in D3DXGetLastErrorMessage,
    // which the status line shows after "open for loading failed!".
    virtual bool LoadFromFile(const std::wstring& path) = 0;

    IDirect3DDevice9* GetDevice() const { return m_device.Get(); }
    // The name the resource was requested under (the table key), not the path it was found at.
    const std::wstring& GetFileName() const { return m_fileName; }

protected:
    ComPtr<IDirect3DDevice9> m_device;
    std::wstring m_fileName;
};
