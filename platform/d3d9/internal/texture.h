// A 2D texture of one level, A8R8G8B8 or X8R8G8B8, kept in memory and uploaded to OpenGL when
// unlocked. Rows are top first, so texture coordinate v = 0 is the image's top row.
// Sampling is nearest-texel with wrapping, the platform's default sampler state.
// Leaves out: mip levels, render-target and depth textures, dirty regions, other formats.
#pragma once

#include "platform/d3d9/internal/gl.h"
#include "platform/d3d9/ref_counted.h"

#include <vector>

class Device9;

class Texture9 final : public RefCounted<IDirect3DTexture9> {
public:
    // Levels 0 and 1 both give one level; usage may be 0 or D3DUSAGE_DYNAMIC; any pool.
    static HRESULT Create(Device9& device, UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format,
                          D3DPOOL pool, IDirect3DTexture9** texture);

    DWORD GetLevelCount() override { return 1; }
    HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) override;
    HRESULT LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) override;
    HRESULT UnlockRect(UINT level) override;

    GLuint GlName() const { return m_name; }
    const Device9& Owner() const { return *m_device; }

private:
    Texture9(Device9& device, const D3DSURFACE_DESC& desc);
    ~Texture9() override;
    void Upload();
    bool IsInside(const RECT& rect) const;

    ComPtr<Device9> m_device;
    D3DSURFACE_DESC m_desc;
    std::vector<BYTE> m_texels;
    GLuint m_name = 0;
    bool m_locked = false;
    bool m_lockedReadOnly = false;
};
