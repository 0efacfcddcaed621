#include "lights/spot_light.h"

void TQRD3D_SpotLight::DrawMarker(TQR_DrawHelper* drawHelper) { DrawSphereMarker(1.0f, drawHelper); }
