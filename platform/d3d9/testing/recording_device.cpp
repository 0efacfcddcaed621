#include "platform/d3d9/testing/recording_device.h"

#include "platform/d3d9/internal/enum_mapping.h"

#include <utility>

namespace {

// The indices of a draw, widened; none for an unknown format.
std::vector<DWORD> ReadIndices(const void* indexData, D3DFORMAT format, UINT count)
{
    const auto* bytes = static_cast<const BYTE*>(indexData);
    const UINT size = IndexSizeOf(format).value_or(0);
    if (size == 0) {
        return {};
    }
    std::vector<DWORD> indices(count, 0);
    for (UINT i = 0; i < count; ++i) {
        std::memcpy(&indices[i], bytes + size * i, size); // little endian: the low bytes come first
    }
    return indices;
}

D3DMATRIX Identity()
{
    D3DMATRIX identity{};
    for (int i = 0; i < 4; ++i) {
        identity.m[i][i] = 1.0f;
    }
    return identity;
}

} // namespace

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
    *locked = D3DLOCKED_RECT{static_cast<INT>(Pitch()), bits.data()};
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

HRESULT RecordingDevice::GetSwapChain(UINT, IDirect3DSwapChain9** chain)
{
    m_implicitChain->AddRef();
    *chain = m_implicitChain;
    return D3D_OK;
}

HRESULT RecordingDevice::CreateAdditionalSwapChain(D3DPRESENT_PARAMETERS* parameters, IDirect3DSwapChain9** chain)
{
    log.push_back("CreateAdditionalSwapChain");
    *chain = failAdditionalChains ? nullptr : new RecordingSwapChain(*parameters);
    return failAdditionalChains ? D3DERR_INVALIDCALL : D3D_OK;
}

// Only what texture files make: one level, no usage, A8R8G8B8 in the managed pool.
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

HRESULT RecordingDevice::SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix)
{
    log.push_back("SetTransform(" + std::to_string(state) + ")");
    transforms[state] = *matrix;
    return D3D_OK;
}

HRESULT RecordingDevice::GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix)
{
    *matrix = Transform(state);
    return D3D_OK;
}

HRESULT RecordingDevice::SetMaterial(const D3DMATERIAL9* material)
{
    log.push_back("SetMaterial");
    materials.push_back(*material);
    return D3D_OK;
}

HRESULT RecordingDevice::SetLight(DWORD index, const D3DLIGHT9* light)
{
    log.push_back("SetLight(" + std::to_string(index) + ")");
    lights[index] = *light;
    return D3D_OK;
}

HRESULT RecordingDevice::LightEnable(DWORD index, BOOL enable)
{
    log.push_back("LightEnable(" + std::to_string(index) + ", " + std::to_string(enable) + ")");
    return D3D_OK;
}

HRESULT RecordingDevice::SetRenderState(D3DRENDERSTATETYPE state, DWORD value)
{
    log.push_back("SetRenderState(" + std::to_string(state) + ", " + std::to_string(value) + ")");
    m_renderStates[state] = value;
    return D3D_OK;
}

// Unset states read as 0, except lighting, which the platform starts with on.
HRESULT RecordingDevice::GetRenderState(D3DRENDERSTATETYPE state, DWORD* value)
{
    const auto found = m_renderStates.find(state);
    *value = found != m_renderStates.end() ? found->second : (state == D3DRS_LIGHTING ? TRUE : 0);
    return D3D_OK;
}

HRESULT RecordingDevice::SetTexture(DWORD stage, IDirect3DBaseTexture9* texture)
{
    log.push_back("SetTexture(" + std::to_string(stage) + (texture ? ", texture)" : ", null)"));
    textures.push_back(texture);
    return D3D_OK;
}

HRESULT RecordingDevice::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value)
{
    log.push_back("SetTextureStageState(" + std::to_string(stage) + ", " + std::to_string(type) + ", " +
                  std::to_string(value) + ")");
    return D3D_OK;
}

HRESULT RecordingDevice::SetFVF(DWORD fvf)
{
    log.push_back("SetFVF(" + std::to_string(fvf) + ")");
    m_fvf = fvf;
    return D3D_OK;
}

HRESULT RecordingDevice::GetFVF(DWORD* fvf)
{
    *fvf = m_fvf;
    return D3D_OK;
}

HRESULT RecordingDevice::DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* vertexData,
                                         UINT stride)
{
    RecordedDraw draw;
    draw.type = type;
    draw.primitiveCount = primitiveCount;
    draw.stride = stride;
    const UINT vertexCount = VertexCountOf(type, primitiveCount).value_or(0);
    return Record("DrawPrimitiveUP", std::move(draw), vertexData, vertexCount);
}

HRESULT RecordingDevice::DrawIndexedPrimitiveUP(D3DPRIMITIVETYPE type, UINT minVertexIndex, UINT numVertices,
                                                UINT primitiveCount, const void* indexData, D3DFORMAT indexFormat,
                                                const void* vertexData, UINT stride)
{
    RecordedDraw draw;
    draw.type = type;
    draw.primitiveCount = primitiveCount;
    draw.numVertices = numVertices;
    draw.stride = stride;
    draw.indices = ReadIndices(indexData, indexFormat, VertexCountOf(type, primitiveCount).value_or(0));
    return Record("DrawIndexedPrimitiveUP", std::move(draw), vertexData, minVertexIndex + numVertices);
}

DWORD RecordingDevice::Lighting() const
{
    const auto found = m_renderStates.find(D3DRS_LIGHTING);
    return found == m_renderStates.end() ? TRUE : found->second;
}

void RecordingDevice::ClearRecords()
{
    log.clear();
    materials.clear();
    textures.clear();
    draws.clear();
}

HRESULT RecordingDevice::Record(const char* call, RecordedDraw draw, const void* vertexData, UINT vertexCount)
{
    log.push_back(call);
    const auto* bytes = static_cast<const BYTE*>(vertexData);
    draw.bytes.assign(bytes, bytes + std::size_t{vertexCount} * draw.stride);
    draw.fvf = m_fvf;
    draw.world = Transform(D3DTS_WORLD);
    draw.lighting = Lighting();
    draws.push_back(std::move(draw));
    return D3D_OK;
}

// What was set last, or the identity the device starts with.
D3DMATRIX RecordingDevice::Transform(D3DTRANSFORMSTATETYPE state) const
{
    const auto found = transforms.find(state);
    return found != transforms.end() ? found->second : Identity();
}

HRESULT RecordingDirect3D::GetAdapterDisplayMode(UINT, D3DDISPLAYMODE* mode)
{
    *mode = D3DDISPLAYMODE{1280, 1024, 60, kDisplayFormat};
    return D3D_OK;
}

HRESULT RecordingDirect3D::CreateDevice(UINT adapter, D3DDEVTYPE type, HWND focusWindow, DWORD behaviour,
                                        D3DPRESENT_PARAMETERS* parameters, IDirect3DDevice9** created)
{
    deviceRequests.push_back({adapter, type, focusWindow, behaviour, *parameters});
    if (failCreateDevice) {
        *created = nullptr;
        return D3DERR_NOTAVAILABLE;
    }
    device.AddRef();
    *created = &device;
    return D3D_OK;
}
