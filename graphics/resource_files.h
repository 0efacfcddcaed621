// Where resource files are looked for, and the path conversions the resources need.
#pragma once

#include <optional>
#include <string>

// The first of the candidate paths that opens for reading: the name itself, then the name in
// "./Textures", "Textures", "./MeshFiles" and "MeshFiles", relative to the working directory,
// then in the installed data folder's "Textures" and "MeshFiles" (<prefix>/share/relief for a
// program in <prefix>/bin). Meshes are thus also found in the texture folders and textures in
// the mesh folders.
std::optional<std::wstring> LocateResourceFile(const std::wstring& fileName);

// The folder part of a path with a trailing "/": everything before the last "/", or, when the
// path has none, before the last "\\"; empty when it has neither. Textures named by a mesh are
// looked for there first.
std::wstring FolderOfPath(const std::wstring& path);

// The first path that opens for reading where a texture that a mesh names is looked for, in
// this order: the name next to the mesh (meshFolder, as FolderOfPath gives it); a relative name
// with "\\" read as "/" next to the mesh; the name's last component (after the last "\\" or
// "/", without a drive prefix such as "C:") next to the mesh, then in the search folders.
// Exporters on Windows write names such as "C:\art\skin.tga" or ".\skin.png".
std::optional<std::wstring> LocateMeshTexture(const std::wstring& meshFolder, const std::wstring& textureName);

// A narrow file name from a mesh file as a wide one: UTF-8 sequences are decoded, any other
// byte stands for itself (Latin-1), so no name is lost or cut short.
std::wstring WideFromNarrow(const char* text);
