#include "tools/primitive_shapes.h"

#include "tools/loft_shapes.h"

namespace {

constexpr int kSphereRings = 16;  // latitude bands, pole to pole
constexpr int kSphereSlices = 24; // points around each ring
constexpr int kRoundSlices = 32;  // points around the cylinder and the cone

// A circle of the given radius across the z axis at height z; radius 0 is a single point.
Station RingAt(float z, float radius, float v)
{
    return Station{D3DXVECTOR3(0.0f, 0.0f, z), D3DXVECTOR3(radius, 0.0f, 0.0f), D3DXVECTOR3(0.0f, radius, 0.0f), v};
}

} // namespace

MeshBuilder BuildSphere()
{
    MeshBuilder builder;
    AddLoft(builder, CircleSection(kSphereSlices),
            EllipsoidStations(D3DXVECTOR3(0.0f, 0.0f, 0.0f), D3DXVECTOR3(1.0f, 1.0f, 1.0f), kSphereRings, 0.0f, 1.0f),
            LoftEnds::Open);
    return builder;
}

MeshBuilder BuildCylinder()
{
    MeshBuilder builder;
    AddLoft(builder, CircleSection(kRoundSlices), {RingAt(-1.0f, 1.0f, 0.0f), RingAt(1.0f, 1.0f, 1.0f)},
            LoftEnds::Capped);
    return builder;
}

MeshBuilder BuildCone()
{
    MeshBuilder builder;
    AddLoft(builder, CircleSection(kRoundSlices), {RingAt(-1.0f, 0.0f, 0.0f), RingAt(1.0f, 1.0f, 1.0f)},
            LoftEnds::Capped);
    return builder;
}
