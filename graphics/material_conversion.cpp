#include "graphics/material_conversion.h"

D3DCOLORVALUE ToColorValue(const TQR_Color& color)
{
    return D3DCOLORVALUE{color.GetRed(), color.GetGreen(), color.GetBlue(), color.GetAlpha()};
}

TQR_Color FromColorValue(const D3DCOLORVALUE& value) { return TQR_Color(value.r, value.g, value.b, value.a); }

D3DMATERIAL9 ToD3DMaterial(const TQR_Material& material)
{
    D3DMATERIAL9 converted;
    converted.Diffuse = ToColorValue(material.m_diffuse);
    converted.Ambient = ToColorValue(material.m_ambient);
    converted.Specular = ToColorValue(material.m_specular);
    converted.Emissive = ToColorValue(material.m_emissive);
    converted.Power = material.m_power;
    return converted;
}

TQR_Material FromD3DMaterial(const D3DMATERIAL9& material)
{
    TQR_Material converted;
    converted.m_diffuse = FromColorValue(material.Diffuse);
    converted.m_ambient = FromColorValue(material.Ambient);
    converted.m_specular = FromColorValue(material.Specular);
    converted.m_emissive = FromColorValue(material.Emissive);
    converted.m_power = material.Power;
    return converted;
}

D3DFILLMODE ToD3DFillMode(TQR_FillMode mode)
{
    switch (mode) {
    case TQR_FillMode::Solid:
        return D3DFILL_SOLID;
    case TQR_FillMode::Wireframe:
        return D3DFILL_WIREFRAME;
    case TQR_FillMode::Points:
        break;
    }
    return D3DFILL_POINT;
}

D3DSHADEMODE ToD3DShadeMode(TQR_ShadeMode mode)
{
    return mode == TQR_ShadeMode::Smooth ? D3DSHADE_GOURAUD : D3DSHADE_FLAT;
}
