#include "graphics/resource.h"

#include "graphics/resource_files.h"
#include "scene/status.h"

TQRD3D_Resource::~TQRD3D_Resource() { TQRD3D_Resource::Unload(); }

bool TQRD3D_Resource::Load(IDirect3DDevice9* device, const std::wstring& fileName)
{
    Unload();
    m_device = ComPtr<IDirect3DDevice9>(device);
    if (m_device == nullptr) {
        return false;
    }
    m_fileName = fileName;

    const std::optional<std::wstring> path = LocateResourceFile(fileName);
    if (!path) {
        ShowStatus(L"**ERROR** [" + fileName + L"]: file not found!");
        return false;
    }
    if (LoadFromFile(*path)) {
        return true;
    }
    ShowStatus(L"**ERROR** [" + fileName + L"]: open for loading failed!");
    return false;
}

void TQRD3D_Resource::Unload()
{
    m_device.Reset();
    m_fileName.clear();
}
