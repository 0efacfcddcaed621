#include "fake_device.h"

#include <cstdio>

namespace {

int g_liveTextures = 0;

std::string Hex(DWORD value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(value));
    return text;
}

// Vertex bytes a draw reads: up to the highest index for indexed draws, the primitives' vertex
// count otherwise.
UINT VertexCount(D3DPRIMITIVETYPE type, UINT primitiveCount)
{
    switch (type) {
    case D3DPT_POINTLIST:
        return primitiveCount;
    case D3DPT_LINELIST:
        return primitiveCount * 2;
    case D3DPT_LINESTRIP:
        return primitiveCount + 1;
    case D3DPT_TRIANGLELIST:
        return primitiveCount * 3;
    case D3DPT_TRIANGLESTRIP:
    case D3DPT_TRIANGLEFAN:
        return primitiveCount + 2;
    }
    return 0;
}

} // namespace

FakeTexture::FakeTexture(UINT width, UINT height) : m_width(width), m_height(height), m_texels(width * height)
{
    ++g_liveTextures;
}

FakeTexture::~FakeTexture() { --g_liveTextures; }

ULONG FakeTexture::Release()
{
    const ULONG remaining = --m_references;
    if (remaining == 0) {
        delete this;
    }
    return remaining;
}

HRESULT FakeTexture::GetLevelDesc(UINT level, D3DSURFACE_DESC* desc)
{
    if (level != 0 || desc == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    desc->Format = D3DFMT_A8R8G8B8;
    desc->Type = D3DRTYPE_TEXTURE;
    desc->Width = m_width;
    desc->Height = m_height;
    return D3D_OK;
}

HRESULT FakeTexture::LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT*, DWORD)
{
    if (level != 0 || locked == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    locked->pBits = m_texels.data();
    locked->Pitch = static_cast<INT>(m_width * 4);
    return D3D_OK;
}

int FakeTexture::LiveCount() { return g_liveTextures; }

ULONG FakeSwapChain::Release()
{
    const ULONG remaining = --m_references;
    if (remaining == 0) {
        delete this;
    }
    return remaining;
}

HRESULT FakeSwapChain::GetPresentParameters(D3DPRESENT_PARAMETERS* parameters)
{
    *parameters = m_parameters;
    return D3D_OK;
}

FakeDevice::FakeDevice() : m_implicitChain(new FakeSwapChain(D3DPRESENT_PARAMETERS{})) {}

FakeDevice::~FakeDevice() { m_implicitChain->Release(); }

HRESULT FakeDevice::GetSwapChain(UINT index, IDirect3DSwapChain9** chain)
{
    if (index != 0) {
        return D3DERR_INVALIDCALL;
    }
    m_implicitChain->AddRef();
    *chain = m_implicitChain;
    return D3D_OK;
}

HRESULT FakeDevice::CreateAdditionalSwapChain(D3DPRESENT_PARAMETERS* parameters, IDirect3DSwapChain9** chain)
{
    additionalChains.push_back(*parameters);
    *chain = failAdditionalChains ? nullptr : new FakeSwapChain(*parameters);
    return failAdditionalChains ? D3DERR_INVALIDCALL : D3D_OK;
}

HRESULT FakeDevice::CreateTexture(UINT width, UINT height, UINT, DWORD, D3DFORMAT format, D3DPOOL,
                                  IDirect3DTexture9** texture, HANDLE*)
{
    if (format != D3DFMT_A8R8G8B8 || width == 0 || height == 0) {
        return D3DERR_INVALIDCALL;
    }
    *texture = new FakeTexture(width, height);
    return D3D_OK;
}

HRESULT FakeDevice::SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix)
{
    log.push_back("SetTransform(" + std::to_string(state) + ")");
    m_transforms[state] = *matrix;
    return D3D_OK;
}

HRESULT FakeDevice::GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix)
{
    *matrix = m_transforms[state];
    return D3D_OK;
}

HRESULT FakeDevice::SetMaterial(const D3DMATERIAL9* material)
{
    log.push_back("SetMaterial");
    materials.push_back(*material);
    return D3D_OK;
}

HRESULT FakeDevice::SetRenderState(D3DRENDERSTATETYPE state, DWORD value)
{
    log.push_back("SetRenderState(" + std::to_string(state) + ", " + std::to_string(value) + ")");
    m_renderStates[state] = value;
    m_renderStatesSet.emplace_back(state, value);
    return D3D_OK;
}

HRESULT FakeDevice::GetRenderState(D3DRENDERSTATETYPE state, DWORD* value)
{
    *value = RenderState(state);
    return D3D_OK;
}

DWORD FakeDevice::RenderState(D3DRENDERSTATETYPE state) const
{
    const auto found = m_renderStates.find(state);
    if (found != m_renderStates.end()) {
        return found->second;
    }
    return state == D3DRS_LIGHTING ? TRUE : 0;
}

HRESULT FakeDevice::SetTexture(DWORD stage, IDirect3DBaseTexture9* texture)
{
    log.push_back("SetTexture(" + std::to_string(stage) + (texture == nullptr ? ", null)" : ", texture)"));
    textures.emplace_back(stage, texture);
    return D3D_OK;
}

HRESULT FakeDevice::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value)
{
    log.push_back("SetTextureStageState(" + std::to_string(stage) + ", " + std::to_string(type) + ", " +
                  std::to_string(value) + ")");
    stageStates.push_back({stage, type, value});
    return D3D_OK;
}

HRESULT FakeDevice::SetFVF(DWORD fvf)
{
    log.push_back("SetFVF(" + Hex(fvf) + ")");
    m_fvf = fvf;
    return D3D_OK;
}

HRESULT FakeDevice::GetFVF(DWORD* fvf)
{
    *fvf = m_fvf;
    return D3D_OK;
}

HRESULT FakeDevice::DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* vertexData, UINT stride)
{
    log.push_back("DrawPrimitiveUP");
    const auto* bytes = static_cast<const BYTE*>(vertexData);
    draws.push_back({type, primitiveCount, stride, m_fvf, false,
                     std::vector<BYTE>(bytes, bytes + VertexCount(type, primitiveCount) * stride)});
    return D3D_OK;
}

HRESULT FakeDevice::DrawIndexedPrimitiveUP(D3DPRIMITIVETYPE type, UINT, UINT numVertices, UINT primitiveCount,
                                           const void*, D3DFORMAT, const void* vertexData, UINT stride)
{
    log.push_back("DrawIndexedPrimitiveUP");
    const auto* bytes = static_cast<const BYTE*>(vertexData);
    draws.push_back({type, primitiveCount, stride, m_fvf, true, std::vector<BYTE>(bytes, bytes + numVertices * stride)});
    return D3D_OK;
}

void FakeDevice::ClearRecords()
{
    log.clear();
    materials.clear();
    textures.clear();
    stageStates.clear();
    draws.clear();
    additionalChains.clear();
    m_renderStatesSet.clear();
}

HRESULT FakeDirect3D::GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* mode)
{
    if (adapter != D3DADAPTER_DEFAULT) {
        return D3DERR_INVALIDCALL;
    }
    *mode = kDisplayMode;
    return D3D_OK;
}

HRESULT FakeDirect3D::CreateDevice(UINT adapter, D3DDEVTYPE type, HWND focusWindow, DWORD behaviour,
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
