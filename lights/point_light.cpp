#include "lights/point_light.h"

namespace {

constexpr float kMarkerScale = 0.3f;

} // namespace

void TQRD3D_PointLight::DrawMarker(TQR_DrawHelper* drawHelper) { DrawSphereMarker(kMarkerScale, drawHelper); }
