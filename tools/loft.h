// Surfaces swept through a series of cross-sections: the one way every mesh of the data set
// is shaped (spheres, cylinders, cones, fuselages, wings).
#pragma once

#include "tools/mesh_builder.h"

#include <vector>

// One point of a closed cross-section outline in its own (a, b) plane, with the texture u it
// carries along the whole loft.
struct SectionPoint {
    float a = 0.0f;
    float b = 0.0f;
    float u = 0.0f;
};
using CrossSection = std::vector<SectionPoint>;

// Where the cross-section is placed: (a, b) lands at centre + a * axisA + b * axisB, so the
// axes carry the section's size. Two zero axes collapse the ring into one vertex (a pointed or
// rounded end); v is the texture v of the ring.
struct Station {
    D3DXVECTOR3 centre;
    D3DXVECTOR3 axisA;
    D3DXVECTOR3 axisB;
    float v = 0.0f;
};

enum class LoftEnds { Open, Capped };

// Joins the rings of consecutive stations with quads, and with Capped closes both end rings
// (those not collapsed) with flat fans of their own vertices, so caps meet the sides at a
// crease. The triangles face outwards whichever way the outline turns and the stations run.
// Rings share vertices between quads, so the surface along the loft is smooth.
void AddLoft(MeshBuilder& builder, const CrossSection& section, const std::vector<Station>& stations, LoftEnds ends);
