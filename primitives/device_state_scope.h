// Sets render states, texture stage states and the texture of stage 0 for a while, and puts back
// what the device had when it goes (last set, first restored). Holds a reference to the texture
// it set until then, since the device keeps only a plain pointer to it.
#pragma once

#include <utility>
#include <vector>

#include "platform/d3d9/com_ptr.h"
#include "platform/d3d9/d3d9.h"

class DeviceStateScope {
public:
    explicit DeviceStateScope(IDirect3DDevice9& device) : m_device(device) {}
    ~DeviceStateScope();
    DeviceStateScope(const DeviceStateScope&) = delete;
    DeviceStateScope& operator=(const DeviceStateScope&) = delete;

    void SetRenderState(D3DRENDERSTATETYPE state, DWORD value);
    void SetStageState(D3DTEXTURESTAGESTATETYPE state, DWORD value);
    void SetTexture(ComPtr<IDirect3DTexture9> texture);

private:
    IDirect3DDevice9& m_device;
    std::vector<std::pair<D3DRENDERSTATETYPE, DWORD>> m_renderStates;
    std::vector<std::pair<D3DTEXTURESTAGESTATETYPE, DWORD>> m_stageStates;
    ComPtr<IDirect3DBaseTexture9> m_savedTexture;
    ComPtr<IDirect3DTexture9> m_texture;
    bool m_textureSet = false;
};
