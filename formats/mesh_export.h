// The terrain as a mesh file, chosen by the name's extension (any case):
//   .obj   Wavefront OBJ with positions, normals and texture coordinates; with a texture, a
//          material file <name>.mtl and a copy of the image, <name>_texture.<ext>, beside it
//   .glb   binary glTF 2.0 (written by tinygltf) with the texture embedded
// Coordinates as the views show them (terrain_mesh.h). Each file is replaced only once it is
// complete; for OBJ the image and material are written first and the OBJ last.
#pragma once

#include "base/result.h"
#include "formats/terrain_mesh.h"
#include "terrain/heightfield.h"
#include "terrain/progress.h"

#include <string>

struct MeshExportOptions {
    std::string texturePath; // the image draped over the terrain; "" for none
    MeshSimplification simplification;
    // Reported to, and when cancelled the export stops before it writes anything ("cancelled").
    Progress* progress = nullptr;
};

Result<> ExportMesh(const std::string& path, const Heightfield& heights, const MeshExportOptions& options);
