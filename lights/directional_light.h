// A light that shines along its direction from infinitely far away. Its marker is an arrow at
// the light's position, turned from +X onto the direction.
#pragma once

#include "lights/light.h"
#include "scene/vector_math.h"

class TQRD3D_DirectionalLight : public TQRD3D_Light {
public:
    explicit TQRD3D_DirectionalLight(int index) : TQRD3D_Light(index, TQRD3D_LightType::Directional) {}

protected:
    // The arrow, in the diffuse colour, placed by a transform with the light's position, scale
    // (1.2, 1, 1.2) and the rotation of ArrowRotationOnto.
    void DrawMarker(TQR_DrawHelper* drawHelper) override;
};

// The rotation that turns +X onto the normalised direction: about (1, 0, 0) x d by the angle
// between them. Directions within about 2.6 degrees of +X give no rotation; those within as much
// of -X a half turn about Y, so the arrow points along -X. A zero direction gives no rotation.
TQR_Quaternion ArrowRotationOnto(const TQR_Vector3& direction);
