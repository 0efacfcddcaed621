// Everything the device's Set* calls record: render states, transforms, material, lights,
// texture stage 0, the bound texture and the vertex format. The front end validates and writes
// here; drawing reads it and flushes what changed to OpenGL. Needs no OpenGL context.
// Implements: the platform's defaults for every state it knows; change flags for transforms,
// material and lights. Leaves out: stages other than 0, more than kMaxActiveLights enabled lights,
// and colour material (the material sources are recorded, but lighting always takes its colours
// from the material, which is what the system sets them to).
#pragma once

#include "platform/d3d9/d3d9types.h"

#include <array>
#include <map>

class Texture9;

inline constexpr DWORD kMaxActiveLights = 8;

struct LightSlot {
    D3DLIGHT9 light;
    bool enabled = false;
};

struct TextureStageSettings {
    DWORD colorOp = D3DTOP_MODULATE;
    DWORD colorArg1 = D3DTA_TEXTURE;
    DWORD colorArg2 = D3DTA_CURRENT;
    DWORD alphaOp = D3DTOP_SELECTARG1;
    DWORD alphaArg1 = D3DTA_TEXTURE;
    DWORD alphaArg2 = D3DTA_CURRENT;
};

class DeviceState {
public:
    // The depth test starts on exactly when the device was created with a depth buffer.
    explicit DeviceState(bool autoDepthStencil);
    DeviceState(const DeviceState&) = delete;
    DeviceState& operator=(const DeviceState&) = delete;

    HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value);
    HRESULT GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) const;
    // The recorded value of a state the device knows (callers pass only known states).
    DWORD RenderState(D3DRENDERSTATETYPE state) const { return m_renderStates[state]; }
    float RenderStateFloat(D3DRENDERSTATETYPE state) const;

    HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix);
    HRESULT GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) const;
    const D3DMATRIX& World() const { return m_world; }
    const D3DMATRIX& View() const { return m_view; }
    const D3DMATRIX& Projection() const { return m_projection; }

    HRESULT SetMaterial(const D3DMATERIAL9* material);
    HRESULT GetMaterial(D3DMATERIAL9* material) const;
    const D3DMATERIAL9& Material() const { return m_material; }

    HRESULT SetLight(DWORD index, const D3DLIGHT9* light);
    HRESULT GetLight(DWORD index, D3DLIGHT9* light) const;
    // Enabling a light that was never set gives it the platform's default: a white
    // directional light shining along +z. Enabling more than kMaxActiveLights fails.
    HRESULT LightEnable(DWORD index, BOOL enable);
    HRESULT GetLightEnable(DWORD index, BOOL* enable) const;
    const std::map<DWORD, LightSlot>& Lights() const { return m_lights; }

    HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value);
    HRESULT GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD* value) const;
    const TextureStageSettings& Stage0() const { return m_stage0; }

    // The stage-0 texture; not owned (the texture unbinds itself when it is destroyed).
    void SetTexture(Texture9* texture) { m_texture = texture; }
    Texture9* Texture() const { return m_texture; }

    HRESULT SetFVF(DWORD fvf);
    DWORD FVF() const { return m_fvf; }

    // Change flags: set by the Set* calls, cleared by whoever flushes them to OpenGL.
    bool TakeTransformsChanged() { return Take(m_transformsChanged); }
    bool TakeMaterialChanged() { return Take(m_materialChanged); }
    bool TakeLightsChanged() { return Take(m_lightsChanged); }
    void MarkAllChanged();

private:
    static bool Take(bool& flag);
    DWORD EnabledLightCount() const;

    std::array<DWORD, 256> m_renderStates{};
    D3DMATRIX m_world;
    D3DMATRIX m_view;
    D3DMATRIX m_projection;
    D3DMATERIAL9 m_material;
    std::map<DWORD, LightSlot> m_lights;
    TextureStageSettings m_stage0;
    Texture9* m_texture = nullptr;
    DWORD m_fvf = 0;
    bool m_transformsChanged = true;
    bool m_materialChanged = true;
    bool m_lightsChanged = true;
};
