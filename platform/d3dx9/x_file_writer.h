// Writes a mesh as a text X file.
#pragma once

#include "platform/d3dx9/mesh_geometry.h"

#include <string>

// "xof 0303txt 0032", then one Mesh with the strict separators: MeshNormals (per-vertex, the
// faces repeated), MeshTextureCoords and MeshVertexColors for the arrays present, and a
// MeshMaterialList of the geometry's materials. Numbers in the C locale with the fewest digits
// that read back as the same float. The attributes must be below the material count.
std::string WriteXText(const MeshGeometry& geometry);
