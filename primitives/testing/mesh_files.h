// Mesh files for the primitive and light tests: the committed marker meshes and a box writer.
#pragma once

#include <filesystem>

#include "scene/vector_math.h"

// The committed marker meshes ("sphere.x", "cylinder.x", "cone.x") copied into "MeshFiles" of
// the working directory. False when the data folder does not have them.
bool CopyMarkerMeshes();

// A text X file of an axis-aligned box between two corners, with one material. Corners that
// share a z give a flat box of zero depth. Folders on the way are created.
void WriteBoxMesh(const std::filesystem::path& path, const TQR_Vector3& min, const TQR_Vector3& max);
