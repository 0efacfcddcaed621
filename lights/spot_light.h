// A light that shines from a point within a cone about its direction. Its marker is a sphere of
// the mesh's own size at the light's position in the light's diffuse colour; the direction is
// not shown.
#pragma once

#include "lights/light.h"

class TQRD3D_SpotLight : public TQRD3D_Light {
public:
    explicit TQRD3D_SpotLight(int index) : TQRD3D_Light(index, TQRD3D_LightType::Spot) {}

protected:
    void DrawMarker(TQR_DrawHelper* drawHelper) override;
};
