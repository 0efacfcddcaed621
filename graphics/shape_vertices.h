// The vertices of the draw helper's lines, discs and rectangles, built fresh for every call.
#pragma once

#include "graphics/vertex_formats.h"
#include "scene/vector_math.h"

#include <array>
#include <vector>

// Normal (-dy, dx, 0) of the direction d when both dx and dy exceed 0.01, otherwise (1, 0, 0);
// not normalised. (u, v) runs from (0, 0) to (1, 1).
std::array<TQRD3D_ColorVertex, 2> MakeLineVertices(const TQR_Vector3& from, const TQR_Vector3& to, D3DCOLOR fromColor,
                                                   D3DCOLOR toColor);

// A triangle fan in the plane z = centre.z facing +z: the centre, vertexCount - 2 rim vertices
// from +x towards +y, and a copy of the first rim vertex closing it.
std::vector<TQRD3D_ColorVertex> MakeDiscVertices(const TQR_Vector3& centre, float radius, int vertexCount,
                                                 D3DCOLOR rimColor, D3DCOLOR centreColor);

enum class TQRD3D_RectanglePlane { XY, XZ };

// A fan of four triangles around the centre of the rectangle with corners (a1, b1) and (a2, b2),
// given in any order. In the XY plane a and b are x and y at z = 0 with normal +z; in the XZ
// plane they are x and z at y = 0 with normal +y.
std::array<TQRD3D_ColorVertex, 6> MakeRectangleVertices(TQRD3D_RectanglePlane plane, float a1, float b1, float a2,
                                                        float b2, D3DCOLOR cornerColor, D3DCOLOR centreColor);
