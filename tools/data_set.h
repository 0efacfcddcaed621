// The mesh and texture files the editor looks up along its search folders, all made by code.
#pragma once

#include "base/result.h"

#include <filesystem>

inline constexpr char kMeshFolder[] = "MeshFiles";
inline constexpr char kTextureFolder[] = "Textures";

// Writes under root: MeshFiles/ with "sphere.x", "cylinder.x", "cone.x", "airplane 2.x" and
// the airplane's skin (textures named by a mesh are looked up next to its file), and
// Textures/ with "grass.png". Folders are created as needed and existing files replaced. On
// failure the files written before it stay.
Result<> WriteDataSet(const std::filesystem::path& root);
