// Where resource files are looked for, and the path conversions the resources need.
#pragma once

#include <optional>
#include <string>

// The first of the candidate paths that opens for reading: the name itself, then the name in
// "./Textures", "Textures", "./MeshFiles" and "MeshFiles", relative to the working directory.
// Meshes are thus also found in the texture folders and textures in the mesh folders.
std::optional<std::wstring> LocateResourceFile(const std::wstring& fileName);

// The folder part of a path with a trailing "/": everything before the last "/", or, when the
// path has none, before the last "\\"; empty when it has neither. Textures named by a mesh are
// loaded from there.
std::wstring FolderOfPath(const std::wstring& path);

// A narrow file name from a mesh file as a wide one: UTF-8 sequences are decoded, any other
// byte stands for itself (Latin-1), so no name is lost or cut short.
std::wstring WideFromNarrow(const char* text);
