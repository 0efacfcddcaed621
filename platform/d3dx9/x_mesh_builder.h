// Turns the meshes of an X file into one mesh's arrays.
#pragma once

#include "base/result.h"
#include "platform/d3dx9/mesh_geometry.h"
#include "platform/d3dx9/x_file_content.h"

// All meshes of the file are merged, each placed by its frames' transforms. Faces are
// fan-triangulated; each material becomes a subset in material order, and a mesh without
// materials gets one default material. The file's vertex order is kept; a vertex whose face
// corners carry different normals is split, the copies appended after the file's vertices in
// the order their corners first occur. Fails only for a file without any face.
Result<MeshGeometry> BuildMeshGeometry(const XFileContent& content);
