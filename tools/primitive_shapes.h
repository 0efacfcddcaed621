// The plain shapes of the data set, each of unit size and centred on the origin: the selector
// sphere and point/spot light markers, and the two parts of the directional light's arrow,
// whose local z axis the arrow lays along x and scales by each mesh's depth.
#pragma once

#include "tools/mesh_builder.h"

// A latitude/longitude sphere of radius 1, poles on the z axis.
MeshBuilder BuildSphere();
// Radius 1 about the z axis, from z = -1 to +1, both ends closed.
MeshBuilder BuildCylinder();
// Apex at z = -1, base of radius 1 at z = +1 (closed): it points along -z, which the arrow's
// quarter turn about y lays along +x, so the head points away from the shaft.
MeshBuilder BuildCone();
