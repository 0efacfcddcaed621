#include "graphics/surface_draw.h"

#include "graphics/material_conversion.h"

TQRD3D_LightingOffScope::TQRD3D_LightingOffScope(IDirect3DDevice9* device, bool lightingOff)
    : m_device(device), m_lightingOff(lightingOff)
{
    if (m_lightingOff) {
        m_device->GetRenderState(D3DRS_LIGHTING, &m_savedLighting);
        m_device->SetRenderState(D3DRS_LIGHTING, FALSE);
    }
}

TQRD3D_LightingOffScope::~TQRD3D_LightingOffScope()
{
    if (m_lightingOff) {
        m_device->SetRenderState(D3DRS_LIGHTING, m_savedLighting);
    }
}

D3DMATERIAL9 SurfaceMaterial(const D3DMATERIAL9& own, bool useTextures, bool lightingOff, const TQR_Color& color)
{
    if (!lightingOff || useTextures) {
        return own;
    }
    D3DMATERIAL9 blank;
    blank.Emissive = ToColorValue(color);
    return blank;
}
