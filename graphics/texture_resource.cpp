#include "graphics/texture_resource.h"

#include "platform/d3dx9/d3dx9.h"

TQRD3D_TextureResource::~TQRD3D_TextureResource() { TQRD3D_TextureResource::Unload(); }

void TQRD3D_TextureResource::Unload()
{
    TQRD3D_Resource::Unload();
    m_texture.Reset();
}

bool TQRD3D_TextureResource::LoadFromFile(const std::wstring& path)
{
    return SUCCEEDED(D3DXCreateTextureFromFileW(m_device.Get(), path.c_str(), m_texture.ReleaseAndGetAddressOf()));
}
