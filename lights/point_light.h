// A light that shines from a point in every direction. Its marker is a small sphere (0.3) at
// the light's position in the light's diffuse colour.
#pragma once

#include "lights/light.h"

class TQRD3D_PointLight : public TQRD3D_Light {
public:
    explicit TQRD3D_PointLight(int index) : TQRD3D_Light(index, TQRD3D_LightType::Point) {}

protected:
    void DrawMarker(TQR_DrawHelper* drawHelper) override;
};
