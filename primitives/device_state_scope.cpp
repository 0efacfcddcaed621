#include "primitives/device_state_scope.h"

DeviceStateScope::~DeviceStateScope()
{
    for (auto it = m_stageStates.rbegin(); it != m_stageStates.rend(); ++it) {
        m_device.SetTextureStageState(0, it->first, it->second);
    }
    for (auto it = m_renderStates.rbegin(); it != m_renderStates.rend(); ++it) {
        m_device.SetRenderState(it->first, it->second);
    }
    if (m_textureSet) {
        m_device.SetTexture(0, m_savedTexture.Get());
    }
}

void DeviceStateScope::SetRenderState(D3DRENDERSTATETYPE state, DWORD value)
{
    DWORD old = 0;
    m_device.GetRenderState(state, &old);
    m_renderStates.emplace_back(state, old);
    m_device.SetRenderState(state, value);
}

void DeviceStateScope::SetStageState(D3DTEXTURESTAGESTATETYPE state, DWORD value)
{
    DWORD old = 0;
    m_device.GetTextureStageState(0, state, &old);
    m_stageStates.emplace_back(state, old);
    m_device.SetTextureStageState(0, state, value);
}

void DeviceStateScope::SetTexture(ComPtr<IDirect3DTexture9> texture)
{
    if (!m_textureSet) {
        m_device.GetTexture(0, m_savedTexture.ReleaseAndGetAddressOf());
        m_textureSet = true;
    }
    m_texture = std::move(texture);
    m_device.SetTexture(0, m_texture.Get());
}
