#include "graphics/resource.h"

#include "graphics/resource_files.h"
#include "platform/d3dx9/d3dx9.h"
#include "scene/status.h"

namespace {

// The loader's reason follows in parentheses: "**ERROR** [sphere.x]: open for loading failed!
// (./MeshFiles/sphere.x: line 3: expected a number for vertex 0's x coordinate, found '}')".
std::wstring LoadFailedText(const std::wstring& fileName)
{
    const std::wstring text = L"**ERROR** [" + fileName + L"]: open for loading failed!";
    const std::wstring reason = WideFromNarrow(D3DXGetLastErrorMessage());
    return reason.empty() ? text : text + L" (" + reason + L")";
}

} // namespace

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
    ShowStatus(LoadFailedText(fileName));
    return false;
}

void TQRD3D_Resource::Unload()
{
    m_device.Reset();
    m_fileName.clear();
}
