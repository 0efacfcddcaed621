// The mesh and texture files the editor looks up along its search folders, all made by code.
#pragma once

#include <filesystem>
#include <string>

inline constexpr char kMeshFolder[] = "MeshFiles";
inline constexpr char kTextureFolder[] = "Textures";

// Writes under root: MeshFiles/ with "sphere.x", "cylinder.x", "cone.x", "airplane 2.x" and
// the airplane's skin (textures named by a mesh are looked up next to its file), and
// Textures/ with "grass.png". Folders are created as needed and existing files replaced. On
// failure returns false with the reason in error; files written before the failure stay.
bool WriteDataSet(const std::filesystem::path& root, std::string& error);
