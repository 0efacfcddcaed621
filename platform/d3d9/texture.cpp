#include "platform/d3d9/internal/texture.h"

#include "platform/d3d9/internal/device.h"

namespace {

constexpr UINT kBytesPerTexel = 4;

bool IsTextureFormat(D3DFORMAT format) { return format == D3DFMT_A8R8G8B8 || format == D3DFMT_X8R8G8B8; }

bool IsPool(D3DPOOL pool) { return pool == D3DPOOL_DEFAULT || pool == D3DPOOL_MANAGED || pool == D3DPOOL_SYSTEMMEM; }

} // namespace

HRESULT Texture9::Create(Device9& device, UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format,
                         D3DPOOL pool, IDirect3DTexture9** texture)
{
    if (texture == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *texture = nullptr;
    const auto limit = static_cast<UINT>(device.Driver().MaxTextureSize());
    const bool validSize = width > 0 && height > 0 && width <= limit && height <= limit;
    if (!validSize || levels > 1 || (usage & ~D3DUSAGE_DYNAMIC) != 0 || !IsTextureFormat(format) || !IsPool(pool)) {
        return D3DERR_INVALIDCALL;
    }
    D3DSURFACE_DESC desc;
    desc.Format = format;
    desc.Type = D3DRTYPE_TEXTURE;
    desc.Usage = usage;
    desc.Pool = pool;
    desc.Width = width;
    desc.Height = height;
    *texture = new Texture9(device, desc);
    return D3D_OK;
}

Texture9::Texture9(Device9& device, const D3DSURFACE_DESC& desc)
    : m_device(&device), m_desc(desc), m_texels(static_cast<std::size_t>(desc.Width) * desc.Height * kBytesPerTexel)
{
    m_device->Driver().Use();
    glGenTextures(1, &m_name);
    Upload();
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
}

Texture9::~Texture9()
{
    m_device->ForgetTexture(this);
    GlStateCache& cache = m_device->Driver().Use();
    glDeleteTextures(1, &m_name);
    cache.OnTextureDeleted(m_name);
}

HRESULT Texture9::GetLevelDesc(UINT level, D3DSURFACE_DESC* desc)
{
    if (level != 0 || desc == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *desc = m_desc;
    return D3D_OK;
}

HRESULT Texture9::LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags)
{
    const RECT whole{0, 0, static_cast<LONG>(m_desc.Width), static_cast<LONG>(m_desc.Height)};
    const RECT& area = rect != nullptr ? *rect : whole;
    if (level != 0 || locked == nullptr || m_locked || !IsInside(area)) {
        return D3DERR_INVALIDCALL;
    }
    const UINT pitch = m_desc.Width * kBytesPerTexel;
    locked->Pitch = static_cast<INT>(pitch);
    locked->pBits = m_texels.data() + static_cast<std::size_t>(area.top) * pitch +
                    static_cast<std::size_t>(area.left) * kBytesPerTexel;
    m_locked = true;
    m_lockedReadOnly = (flags & D3DLOCK_READONLY) != 0;
    return D3D_OK;
}

HRESULT Texture9::UnlockRect(UINT level)
{
    if (level != 0 || !m_locked) {
        return D3DERR_INVALIDCALL;
    }
    m_locked = false;
    if (!m_lockedReadOnly) {
        Upload();
    }
    return D3D_OK;
}

void Texture9::Upload()
{
    // Without alpha in the format, OpenGL reads alpha as 1 from an RGB texture.
    const GLint internalFormat = m_desc.Format == D3DFMT_X8R8G8B8 ? GL_RGB8 : GL_RGBA8;
    m_device->Driver().Use().BindTexture2D(m_name);
    glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, static_cast<GLsizei>(m_desc.Width),
                 static_cast<GLsizei>(m_desc.Height), 0, GL_BGRA, GL_UNSIGNED_BYTE, m_texels.data());
}

bool Texture9::IsInside(const RECT& rect) const
{
    return rect.left >= 0 && rect.top >= 0 && rect.left < rect.right && rect.top < rect.bottom &&
           static_cast<UINT>(rect.right) <= m_desc.Width && static_cast<UINT>(rect.bottom) <= m_desc.Height;
}
