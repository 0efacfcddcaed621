#include "world/airplane_flight.h"

#include "scene/scene_node.h"

namespace {

const TQR_Vector3 kNoseInOwnFrame{0.0f, 0.0f, -1.0f};

} // namespace

void FlyAirplane(TQR_SceneNode& airplane, TQR_FlyDirection flyDirection, float speed, float seconds)
{
    if (flyDirection == TQR_FlyDirection::Left || flyDirection == TQR_FlyDirection::Right) {
        const float degrees = kAirplaneTurnRate * seconds;
        TQR_XformInfo xform = airplane.GetXformInfo();
        xform.RotateY(flyDirection == TQR_FlyDirection::Left ? degrees : -degrees);
        airplane.SetXformInfo(xform);
    }
    const TQR_Vector3 forward = VectorTimesMatrix3(kNoseInOwnFrame, airplane.GetXformInfo().GetRotationMatrix());
    const TQR_Vector3 velocity = forward * speed;
    airplane.SetVelocity(velocity.x, velocity.y, velocity.z);
    airplane.UpdatePosition(seconds);
}
