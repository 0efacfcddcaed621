#include "lights/directional_light.h"

#include <cmath>

#include "primitives/primitive_mesh_arrow.h"
#include "scene/draw_helper.h"
#include "scene/transform.h"

namespace {

// |cos| above this: the direction lies within about 2.6 degrees of the X axis, where the cross
// product with X is too short to give a reliable axis.
constexpr float kAlongXThreshold = 0.999f;
constexpr float kPi = 3.1415927f;
constexpr float kDegreesPerRadian = 57.2957763671875f;

} // namespace

TQR_Quaternion ArrowRotationOnto(const TQR_Vector3& direction)
{
    const TQR_Vector3 d = VectorNormalize(direction);
    const float c = VectorDot(d, {1.0f, 0.0f, 0.0f});
    if (std::fabs(c) > kAlongXThreshold) {
        // A half turn about X itself would leave +X where it is; one about Y turns it round.
        return c >= 0.0f ? TQR_Quaternion{} : QuaternionFromAxisAngle({0.0f, 1.0f, 0.0f}, kPi * kDegreesPerRadian);
    }
    const TQR_Vector3 axis{0.0f, -d.z, d.y};
    return QuaternionFromAxisAngle(axis, std::acos(c) * kDegreesPerRadian);
}

void TQRD3D_DirectionalLight::DrawMarker(TQR_DrawHelper* drawHelper)
{
    TQRD3D_PrimitiveMeshArrow arrow;
    arrow.SetFlatColor(GetDiffuse());

    const TQR_Vector3 position = GetPosition();
    TQR_XformInfo placement;
    placement.SetTranslation(position.x, position.y, position.z);
    placement.SetScale(1.2f, 1.0f, 1.2f);
    placement.SetRotation(ArrowRotationOnto(GetDirection()));

    drawHelper->PushModelTransform();
    placement.SetupModelTransform(drawHelper);
    arrow.Draw(drawHelper->GetLevelOfDetail(), drawHelper);
    drawHelper->PopModelTransform();
}
