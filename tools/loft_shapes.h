// The stations and outlines the data set's lofts are made of.
#pragma once

#include "tools/loft.h"

// Stations of an ellipsoid from its pole at -z to its pole at +z through the given number of
// latitude bands, the poles collapsed into single vertices; v runs from firstV to lastV.
std::vector<Station> EllipsoidStations(const D3DXVECTOR3& centre, const D3DXVECTOR3& halfSize, int bands, float firstV,
                                       float lastV);

// A unit circle of the given number of points, starting at the bottom (b = -1); u runs from 0
// at the bottom to 1 at the top on both sides, so the texture has no seam.
CrossSection CircleSection(int points);

// A symmetric wing profile of unit chord along a (leading edge at 0, trailing edge at 1),
// thickness along b as a fraction of the chord; u is the chord position on both faces.
CrossSection AirfoilSection(int pointsPerFace, float thickness);
