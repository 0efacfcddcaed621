#include "platform/d3dx9/tests/recording_device.h"

#include <cstring>

ULONG RecordingTexture::Release()
{
    const ULONG remaining = --references;
    if (remaining == 0) {
        delete this;
    }
    return remaining;
}

HRESULT RecordingTexture::GetLevelDesc(UINT level, D3DSURFACE_DESC* desc)
{
    if (level != 0) {
        return D3DERR_INVALIDCALL;
    }
    desc->Format = D3DFMT_A8R8G8B8;
    desc->Width = width;
    desc->Height = height;
    return D3D_OK;
}

HRESULT RecordingTexture::LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT*, DWORD)
{
    if (level != 0) {
        return D3DERR_INVALIDCALL;
    }
    locked->Pitch = static_cast<INT>(Pitch());
    locked->pBits = bits.data();
    return D3D_OK;
}

HRESULT RecordingTexture::UnlockRect(UINT)
{
    ++unlocks;
    return D3D_OK;
}

DWORD RecordingTexture::Texel(UINT x, UINT y) const
{
    DWORD texel = 0;
    std::memcpy(&texel, bits.data() + y * Pitch() + x * 4, sizeof texel);
    return texel;
}

HRESULT RecordingDevice::CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format,
                                       D3DPOOL pool, IDirect3DTexture9** texture, HANDLE*)
{
    if (refuseTextures || levels != 1 || usage != 0 || format != D3DFMT_A8R8G8B8 || pool != D3DPOOL_MANAGED) {
        return D3DERR_INVALIDCALL;
    }
    lastTexture = new RecordingTexture(width, height);
    *texture = lastTexture;
    return D3D_OK;
}

HRESULT RecordingDevice::DrawIndexedPrimitiveUP(D3DPRIMITIVETYPE type, UINT, UINT numVertices, UINT primitiveCount,
                                                const void* indexData, D3DFORMAT indexFormat, const void* vertexData,
                                                UINT stride)
{
    RecordedDraw draw{currentFvf, type, numVertices, primitiveCount, {}, vertexData, stride};
    const auto* bytes = static_cast<const BYTE*>(indexData);
    for (UINT i = 0; i < primitiveCount * 3; ++i) {
        if (indexFormat == D3DFMT_INDEX32) {
            DWORD index = 0;
            std::memcpy(&index, bytes + 4 * i, 4);
            draw.indices.push_back(index);
        } else {
            WORD index = 0;
            std::memcpy(&index, bytes + 2 * i, 2);
            draw.indices.push_back(index);
        }
    }
    draws.push_back(draw);
    return D3D_OK;
}
