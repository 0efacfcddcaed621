// Conversions between the scene's drawing attributes and the device's: packed colours and
// materials to float ones and back, fill and shade modes to render-state values.
#pragma once

#include "platform/d3d9/d3d9types.h"
#include "scene/color.h"
#include "scene/draw_modes.h"

// Each channel divided by 255, alpha included.
D3DCOLORVALUE ToColorValue(const TQR_Color& color);
// Each channel multiplied by 255, rounded half away from zero and clamped.
TQR_Color FromColorValue(const D3DCOLORVALUE& value);

// Diffuse, ambient, specular and emissive channel by channel; the power as it is.
D3DMATERIAL9 ToD3DMaterial(const TQR_Material& material);
TQR_Material FromD3DMaterial(const D3DMATERIAL9& material);

// A value outside the enumeration (made by a cast) gives points and flat shading.
D3DFILLMODE ToD3DFillMode(TQR_FillMode mode);
D3DSHADEMODE ToD3DShadeMode(TQR_ShadeMode mode);
