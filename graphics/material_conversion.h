// Conversions between the scene's packed colours and materials and the device's float ones.
#pragma once

#include "platform/d3d9/d3d9types.h"
#include "scene/color.h"

// Each channel divided by 255, alpha included.
D3DCOLORVALUE ToColorValue(const TQR_Color& color);
// Each channel multiplied by 255, rounded half away from zero and clamped.
TQR_Color FromColorValue(const D3DCOLORVALUE& value);

// Diffuse, ambient, specular and emissive channel by channel; the power as it is.
D3DMATERIAL9 ToD3DMaterial(const TQR_Material& material);
TQR_Material FromD3DMaterial(const D3DMATERIAL9& material);
