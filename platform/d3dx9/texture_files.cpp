#include "base/wide_path.h"
#include "platform/d3dx9/d3dx9.h"
#include "platform/d3dx9/image_file.h"
#include "platform/d3dx9/last_error.h"

#include <cstring>

namespace {

// Copies rows into the locked level, whose pitch may be wider than a row.
HRESULT Upload(IDirect3DTexture9* texture, const DecodedImage& image)
{
    D3DLOCKED_RECT locked;
    if (FAILED(texture->LockRect(0, &locked, nullptr, 0)) || locked.pBits == nullptr ||
        locked.Pitch < static_cast<INT>(image.width * 4)) {
        return D3DERR_INVALIDCALL;
    }
    const size_t rowBytes = size_t{image.width} * 4;
    for (size_t row = 0; row < image.height; ++row) {
        std::memcpy(static_cast<BYTE*>(locked.pBits) + row * static_cast<size_t>(locked.Pitch),
                    image.texels.data() + row * rowBytes, rowBytes);
    }
    return texture->UnlockRect(0);
}

} // namespace

// One level, A8R8G8B8, managed pool; no mipmaps are generated.
HRESULT D3DXCreateTextureFromFileW(IDirect3DDevice9* device, LPCWSTR fileName, IDirect3DTexture9** texture)
{
    if (texture != nullptr) {
        *texture = nullptr;
    }
    const std::optional<std::string> path = PathFromWideName(fileName);
    if (device == nullptr || texture == nullptr || !path) {
        return Failed(D3DERR_INVALIDCALL, "no device, no texture output or no valid file name");
    }
    const Result<DecodedImage> decoded = DecodedImage::FromFile(*path);
    if (!decoded) {
        return Failed(D3DXERR_INVALIDDATA, decoded.reason());
    }
    const DecodedImage& image = decoded.value();
    IDirect3DTexture9* created = nullptr;
    HRESULT result =
        device->CreateTexture(image.width, image.height, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &created, nullptr);
    if (SUCCEEDED(result)) {
        result = Upload(created, image);
    }
    if (FAILED(result)) {
        if (created != nullptr) {
            created->Release();
        }
        return Failed(result, *path + ": the device could not make a " + std::to_string(image.width) + " x " +
                                  std::to_string(image.height) + " texture");
    }
    *texture = created;
    return Succeeded();
}
