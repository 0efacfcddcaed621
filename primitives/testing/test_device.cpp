#include "primitives/testing/test_device.h"

#include <cstdio>

namespace {

std::string Text(const char* format, DWORD a, DWORD b = 0) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, static_cast<unsigned>(a), static_cast<unsigned>(b));
    return buffer;
}

} // namespace

HRESULT TestDevice::SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) {
    log.push_back(Text("SetTransform(%u)", state));
    m_transforms[state] = *matrix;
    return D3D_OK;
}

HRESULT TestDevice::GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) {
    *matrix = m_transforms[state];
    return D3D_OK;
}

HRESULT TestDevice::SetMaterial(const D3DMATERIAL9* material) {
    log.push_back("SetMaterial");
    materials.push_back(*material);
    return D3D_OK;
}

HRESULT TestDevice::SetLight(DWORD index, const D3DLIGHT9* light) {
    log.push_back(Text("SetLight(%u)", index));
    lights[index] = *light;
    return D3D_OK;
}

HRESULT TestDevice::LightEnable(DWORD index, BOOL enable) {
    log.push_back(Text("LightEnable(%u, %u)", index, static_cast<DWORD>(enable)));
    return D3D_OK;
}

HRESULT TestDevice::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
    log.push_back(Text("SetRenderState(%u, %u)", state, value));
    m_renderStates[state] = value;
    return D3D_OK;
}

// Unset states read as 0, except lighting, which the platform starts with on.
HRESULT TestDevice::GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) {
    const auto found = m_renderStates.find(state);
    if (found != m_renderStates.end()) {
        *value = found->second;
    } else {
        *value = state == D3DRS_LIGHTING ? TRUE : 0;
    }
    return D3D_OK;
}

HRESULT TestDevice::DrawPrimitiveUP(D3DPRIMITIVETYPE, UINT primitiveCount, const void*, UINT) {
    AddDraw("DrawPrimitiveUP", primitiveCount);
    return D3D_OK;
}

HRESULT TestDevice::DrawIndexedPrimitiveUP(D3DPRIMITIVETYPE, UINT, UINT, UINT primitiveCount, const void*, D3DFORMAT,
                                           const void*, UINT) {
    AddDraw("DrawIndexedPrimitiveUP", primitiveCount);
    return D3D_OK;
}

void TestDevice::AddDraw(const char* name, UINT primitiveCount) {
    log.push_back(name);
    draws.push_back({primitiveCount, m_transforms[D3DTS_WORLD], Lighting()});
}

DWORD TestDevice::Lighting() const {
    const auto found = m_renderStates.find(D3DRS_LIGHTING);
    return found == m_renderStates.end() ? TRUE : found->second;
}

void TestDevice::ClearRecords() {
    log.clear();
    materials.clear();
    draws.clear();
}

HRESULT TestDirect3D::GetAdapterDisplayMode(UINT, D3DDISPLAYMODE* mode) {
    *mode = D3DDISPLAYMODE{640, 480, 60, D3DFMT_X8R8G8B8};
    return D3D_OK;
}

HRESULT TestDirect3D::CreateDevice(UINT, D3DDEVTYPE, HWND, DWORD, D3DPRESENT_PARAMETERS*,
                                   IDirect3DDevice9** created) {
    device.AddRef();
    *created = &device;
    return D3D_OK;
}
