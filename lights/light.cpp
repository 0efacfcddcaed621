#include "lights/light.h"

#include "graphics/graphics_system.h"
#include "graphics/material_conversion.h"
#include "primitives/primitive_mesh.h"
#include "scene/draw_helper.h"
#include "scene/scene_node.h"

namespace {

constexpr const wchar_t* kMarkerMeshFileName = L"sphere.x";
constexpr const wchar_t* kMarkerNodeName = L"SceneNode";

D3DLIGHTTYPE ToD3DLightType(TQRD3D_LightType type)
{
    switch (type) {
    case TQRD3D_LightType::Point:
        return D3DLIGHT_POINT;
    case TQRD3D_LightType::Spot:
        return D3DLIGHT_SPOT;
    case TQRD3D_LightType::Directional:
        return D3DLIGHT_DIRECTIONAL;
    }
    return D3DLIGHT_POINT;
}

} // namespace

TQRD3D_Light::TQRD3D_Light(int index, TQRD3D_LightType type) : m_index(index)
{
    m_light.Type = ToD3DLightType(type);
    m_light.Diffuse = D3DCOLORVALUE{0.8f, 0.8f, 0.8f, 1.0f};
    m_light.Specular = D3DCOLORVALUE{0.2f, 0.2f, 0.2f, 1.0f};
    m_light.Ambient = D3DCOLORVALUE{0.1f, 0.1f, 0.1f, 1.0f};
    m_light.Position = D3DVECTOR{0.0f, 0.0f, 0.0f};
    m_light.Direction = D3DVECTOR{0.0f, -1.0f, 0.0f};
    m_light.Range = 200.0f;
    m_light.Falloff = 1.0f;
    m_light.Attenuation0 = 1.0f;
    m_light.Attenuation1 = 0.0f;
    m_light.Attenuation2 = 0.0f;
    m_light.Theta = 0.7853982f;
    m_light.Phi = 1.0471976f;
}

void TQRD3D_Light::SetPosition(float x, float y, float z)
{
    m_light.Position = D3DVECTOR{x, y, z};
    m_changed.Touch();
}

TQR_Vector3 TQRD3D_Light::GetPosition() const { return {m_light.Position.x, m_light.Position.y, m_light.Position.z}; }

void TQRD3D_Light::SetDirection(const TQR_Vector3& direction)
{
    m_light.Direction = D3DVECTOR{direction.x, direction.y, direction.z};
    m_changed.Touch();
}

TQR_Vector3 TQRD3D_Light::GetDirection() const
{
    return {m_light.Direction.x, m_light.Direction.y, m_light.Direction.z};
}

void TQRD3D_Light::SetDiffuse(const TQR_Color& color)
{
    m_light.Diffuse = ToColorValue(color);
    m_changed.Touch();
}

void TQRD3D_Light::SetSpecular(const TQR_Color& color)
{
    m_light.Specular = ToColorValue(color);
    m_changed.Touch();
}

void TQRD3D_Light::SetAmbient(const TQR_Color& color)
{
    m_light.Ambient = ToColorValue(color);
    m_changed.Touch();
}

void TQRD3D_Light::SetDiffuse(float red, float green, float blue, float alpha)
{
    m_light.Diffuse = D3DCOLORVALUE{red, green, blue, alpha};
    m_changed.Touch();
}

void TQRD3D_Light::SetDiffuseGray(float value) { SetDiffuse(value, value, value, 1.0f); }

TQR_Color TQRD3D_Light::GetDiffuse() const { return FromColorValue(m_light.Diffuse); }

TQR_Color TQRD3D_Light::GetSpecular() const { return FromColorValue(m_light.Specular); }

TQR_Color TQRD3D_Light::GetAmbient() const { return FromColorValue(m_light.Ambient); }

void TQRD3D_Light::LoadToDevice() const
{
    IDirect3DDevice9* device = GetGraphicsSystem()->GetDevice();
    if (device == nullptr || m_index < 0) {
        return;
    }
    const DWORD index = static_cast<DWORD>(m_index);
    if (m_on) {
        device->SetLight(index, &m_light);
        device->LightEnable(index, TRUE);
    } else {
        device->LightEnable(index, FALSE);
    }
}

void TQRD3D_Light::Draw(TQR_DrawHelper* drawHelper)
{
    if (m_on && m_drawLight && drawHelper != nullptr) {
        DrawMarker(drawHelper);
    }
}

void TQRD3D_Light::DrawSphereMarker(float scale, TQR_DrawHelper* drawHelper) const
{
    TQR_SceneNode node(kMarkerNodeName);
    TQR_XformInfo placement = node.GetXformInfo();
    placement.SetTranslation(m_light.Position.x, m_light.Position.y, m_light.Position.z);
    placement.SetScale(scale, scale, scale);
    node.SetXformInfo(placement);

    auto* sphere = new TQRD3D_PrimitiveMesh(kMarkerMeshFileName);
    sphere->SetLighting(false);
    sphere->SetShadeMode(TQR_ShadeMode::Flat);
    sphere->SetFlatColor(GetDiffuse());
    node.SetPrimitive(sphere);

    node.Draw(drawHelper->GetLevelOfDetail(), drawHelper);
}
