// A texture loaded from an image file, held in the graphics system's texture table.
#pragma once

#include "graphics/resource.h"

class TQRD3D_TextureResource : public TQRD3D_Resource {
public:
    TQRD3D_TextureResource() = default;
    ~TQRD3D_TextureResource() override;

    void Unload() override;
    bool LoadFromFile(const std::wstring& path) override;

    // Null when unloaded.
    IDirect3DTexture9* GetTexture() const { return m_texture.Get(); }

private:
    ComPtr<IDirect3DTexture9> m_texture;
};
