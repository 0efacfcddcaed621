#include "platform/d3d9/internal/device_state.h"

#include "platform/d3d9/internal/enum_mapping.h"
#include "platform/d3d9/vertex_layout.h"

#include <bit>
#include <optional>

namespace {

// Which values a render state takes.
enum class ValueKind { Any, FillMode, ShadeMode, CullMode, ZBuffer, Compare, Blend, BlendOp, MaterialSource };

struct RenderStateInfo {
    ValueKind kind;
    DWORD defaultValue;
};

constexpr DWORD kOneAsFloatBits = std::bit_cast<DWORD>(1.0f);

std::optional<RenderStateInfo> DescribeRenderState(D3DRENDERSTATETYPE state)
{
    switch (state) {
    case D3DRS_ZENABLE:
        return RenderStateInfo{ValueKind::ZBuffer, D3DZB_TRUE};
    case D3DRS_FILLMODE:
        return RenderStateInfo{ValueKind::FillMode, D3DFILL_SOLID};
    case D3DRS_SHADEMODE:
        return RenderStateInfo{ValueKind::ShadeMode, D3DSHADE_GOURAUD};
    case D3DRS_ZWRITEENABLE:
        return RenderStateInfo{ValueKind::Any, TRUE};
    case D3DRS_SRCBLEND:
        return RenderStateInfo{ValueKind::Blend, D3DBLEND_ONE};
    case D3DRS_DESTBLEND:
        return RenderStateInfo{ValueKind::Blend, D3DBLEND_ZERO};
    case D3DRS_CULLMODE:
        return RenderStateInfo{ValueKind::CullMode, D3DCULL_CCW};
    case D3DRS_ZFUNC:
        return RenderStateInfo{ValueKind::Compare, D3DCMP_LESSEQUAL};
    case D3DRS_ALPHABLENDENABLE:
        return RenderStateInfo{ValueKind::Any, FALSE};
    case D3DRS_SPECULARENABLE:
        return RenderStateInfo{ValueKind::Any, FALSE};
    case D3DRS_LIGHTING:
        return RenderStateInfo{ValueKind::Any, TRUE};
    case D3DRS_AMBIENT:
        return RenderStateInfo{ValueKind::Any, 0};
    case D3DRS_COLORVERTEX:
        return RenderStateInfo{ValueKind::Any, TRUE};
    case D3DRS_LOCALVIEWER:
        return RenderStateInfo{ValueKind::Any, TRUE};
    case D3DRS_NORMALIZENORMALS:
        return RenderStateInfo{ValueKind::Any, FALSE};
    case D3DRS_DIFFUSEMATERIALSOURCE:
        return RenderStateInfo{ValueKind::MaterialSource, D3DMCS_COLOR1};
    case D3DRS_SPECULARMATERIALSOURCE:
        return RenderStateInfo{ValueKind::MaterialSource, D3DMCS_COLOR2};
    case D3DRS_AMBIENTMATERIALSOURCE:
        return RenderStateInfo{ValueKind::MaterialSource, D3DMCS_MATERIAL};
    case D3DRS_EMISSIVEMATERIALSOURCE:
        return RenderStateInfo{ValueKind::MaterialSource, D3DMCS_MATERIAL};
    case D3DRS_POINTSIZE:
        return RenderStateInfo{ValueKind::Any, kOneAsFloatBits};
    case D3DRS_POINTSPRITEENABLE:
        return RenderStateInfo{ValueKind::Any, FALSE};
    case D3DRS_BLENDOP:
        return RenderStateInfo{ValueKind::BlendOp, D3DBLENDOP_ADD};
    default:
        return std::nullopt;
    }
}

bool IsValidValue(ValueKind kind, DWORD value)
{
    switch (kind) {
    case ValueKind::Any:
        return true;
    case ValueKind::FillMode:
        return GlPolygonMode(value).has_value();
    case ValueKind::ShadeMode:
        return GlShadeModel(value).has_value();
    case ValueKind::CullMode:
        return GlCulledFace(value).has_value();
    case ValueKind::ZBuffer:
        return DepthTestEnabled(value).has_value();
    case ValueKind::Compare:
        return GlCompareFunction(value).has_value();
    case ValueKind::Blend:
        return GlBlendFactor(value).has_value();
    case ValueKind::BlendOp:
        return GlBlendEquation(value).has_value();
    case ValueKind::MaterialSource:
        return IsMaterialColorSource(value);
    }
    return false;
}

D3DMATRIX Identity()
{
    D3DMATRIX matrix{};
    matrix._11 = matrix._22 = matrix._33 = matrix._44 = 1.0f;
    return matrix;
}

D3DLIGHT9 DefaultLight()
{
    D3DLIGHT9 light;
    light.Type = D3DLIGHT_DIRECTIONAL;
    light.Diffuse = {1.0f, 1.0f, 1.0f, 0.0f};
    light.Direction = {0.0f, 0.0f, 1.0f};
    return light;
}

bool IsValidLight(const D3DLIGHT9& light)
{
    const bool knownType =
        light.Type == D3DLIGHT_POINT || light.Type == D3DLIGHT_SPOT || light.Type == D3DLIGHT_DIRECTIONAL;
    return knownType && light.Range >= 0.0f && light.Attenuation0 >= 0.0f && light.Attenuation1 >= 0.0f &&
           light.Attenuation2 >= 0.0f;
}

bool IsValidTextureStageValue(D3DTEXTURESTAGESTATETYPE type, DWORD value)
{
    switch (type) {
    case D3DTSS_COLOROP:
    case D3DTSS_ALPHAOP:
        return GlCombineFunction(value).has_value();
    case D3DTSS_COLORARG1:
    case D3DTSS_COLORARG2:
    case D3DTSS_ALPHAARG1:
    case D3DTSS_ALPHAARG2:
        return GlCombineSource(value).has_value();
    default:
        return false;
    }
}

// The recorded value of a stage state, or null for a state the device does not know.
template <typename Settings> auto* StageSlot(Settings& stage, D3DTEXTURESTAGESTATETYPE type)
{
    using Slot = decltype(&stage.colorOp);
    switch (type) {
    case D3DTSS_COLOROP:
        return &stage.colorOp;
    case D3DTSS_COLORARG1:
        return &stage.colorArg1;
    case D3DTSS_COLORARG2:
        return &stage.colorArg2;
    case D3DTSS_ALPHAOP:
        return &stage.alphaOp;
    case D3DTSS_ALPHAARG1:
        return &stage.alphaArg1;
    case D3DTSS_ALPHAARG2:
        return &stage.alphaArg2;
    default:
        return static_cast<Slot>(nullptr);
    }
}

} // namespace

DeviceState::DeviceState(bool autoDepthStencil) : m_world(Identity()), m_view(Identity()), m_projection(Identity())
{
    for (DWORD state = 0; state < m_renderStates.size(); ++state) {
        if (const auto info = DescribeRenderState(static_cast<D3DRENDERSTATETYPE>(state))) {
            m_renderStates[state] = info->defaultValue;
        }
    }
    m_renderStates[D3DRS_ZENABLE] = autoDepthStencil ? D3DZB_TRUE : D3DZB_FALSE;
}

HRESULT DeviceState::SetRenderState(D3DRENDERSTATETYPE state, DWORD value)
{
    const auto info = DescribeRenderState(state);
    if (!info || !IsValidValue(info->kind, value)) {
        return D3DERR_INVALIDCALL;
    }
    m_renderStates[state] = value;
    return D3D_OK;
}

HRESULT DeviceState::GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) const
{
    if (value == nullptr || !DescribeRenderState(state)) {
        return D3DERR_INVALIDCALL;
    }
    *value = m_renderStates[state];
    return D3D_OK;
}

float DeviceState::RenderStateFloat(D3DRENDERSTATETYPE state) const
{
    return std::bit_cast<float>(m_renderStates[state]);
}

HRESULT DeviceState::SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix)
{
    if (matrix == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    switch (state) {
    case D3DTS_WORLD:
        m_world = *matrix;
        break;
    case D3DTS_VIEW:
        // Lights are given in world space and reach OpenGL through the view matrix.
        m_view = *matrix;
        m_lightsChanged = true;
        break;
    case D3DTS_PROJECTION:
        m_projection = *matrix;
        break;
    default:
        return D3DERR_INVALIDCALL;
    }
    m_transformsChanged = true;
    return D3D_OK;
}

HRESULT DeviceState::GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) const
{
    if (matrix == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    switch (state) {
    case D3DTS_WORLD:
        *matrix = m_world;
        return D3D_OK;
    case D3DTS_VIEW:
        *matrix = m_view;
        return D3D_OK;
    case D3DTS_PROJECTION:
        *matrix = m_projection;
        return D3D_OK;
    default:
        return D3DERR_INVALIDCALL;
    }
}

HRESULT DeviceState::SetMaterial(const D3DMATERIAL9* material)
{
    if (material == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    m_material = *material;
    m_materialChanged = true;
    return D3D_OK;
}

HRESULT DeviceState::GetMaterial(D3DMATERIAL9* material) const
{
    if (material == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *material = m_material;
    return D3D_OK;
}

HRESULT DeviceState::SetLight(DWORD index, const D3DLIGHT9* light)
{
    if (light == nullptr || !IsValidLight(*light)) {
        return D3DERR_INVALIDCALL;
    }
    m_lights[index].light = *light;
    m_lightsChanged = true;
    return D3D_OK;
}

HRESULT DeviceState::GetLight(DWORD index, D3DLIGHT9* light) const
{
    const auto slot = m_lights.find(index);
    if (light == nullptr || slot == m_lights.end()) {
        return D3DERR_INVALIDCALL;
    }
    *light = slot->second.light;
    return D3D_OK;
}

HRESULT DeviceState::LightEnable(DWORD index, BOOL enable)
{
    auto slot = m_lights.find(index);
    const bool wasEnabled = slot != m_lights.end() && slot->second.enabled;
    if (enable != FALSE && !wasEnabled && EnabledLightCount() >= kMaxActiveLights) {
        return D3DERR_INVALIDCALL;
    }
    if (slot == m_lights.end()) {
        slot = m_lights.emplace(index, LightSlot{DefaultLight(), false}).first;
    }
    slot->second.enabled = enable != FALSE;
    m_lightsChanged = true;
    return D3D_OK;
}

HRESULT DeviceState::GetLightEnable(DWORD index, BOOL* enable) const
{
    const auto slot = m_lights.find(index);
    if (enable == nullptr || slot == m_lights.end()) {
        return D3DERR_INVALIDCALL;
    }
    *enable = slot->second.enabled ? TRUE : FALSE;
    return D3D_OK;
}

HRESULT DeviceState::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value)
{
    DWORD* slot = stage == 0 ? StageSlot(m_stage0, type) : nullptr;
    if (slot == nullptr || !IsValidTextureStageValue(type, value)) {
        return D3DERR_INVALIDCALL;
    }
    *slot = value;
    return D3D_OK;
}

HRESULT DeviceState::GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD* value) const
{
    const DWORD* slot = stage == 0 ? StageSlot(m_stage0, type) : nullptr;
    if (slot == nullptr || value == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *value = *slot;
    return D3D_OK;
}

HRESULT DeviceState::SetFVF(DWORD fvf)
{
    // 0 means "no format yet"; drawing with it fails.
    if (fvf != 0 && !LayoutOfFvf(fvf)) {
        return D3DERR_INVALIDCALL;
    }
    m_fvf = fvf;
    return D3D_OK;
}

void DeviceState::MarkAllChanged()
{
    m_transformsChanged = true;
    m_materialChanged = true;
    m_lightsChanged = true;
}

bool DeviceState::Take(bool& flag)
{
    const bool was = flag;
    flag = false;
    return was;
}

DWORD DeviceState::EnabledLightCount() const
{
    DWORD count = 0;
    for (const auto& [index, slot] : m_lights) {
        count += slot.enabled ? 1 : 0;
    }
    return count;
}
