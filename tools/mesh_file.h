// Writing a built mesh with its materials as a text X file.
#pragma once

#include "base/result.h"
#include "tools/mesh_builder.h"

#include <filesystem>
#include <string>
#include <vector>

struct MaterialEntry {
    D3DMATERIAL9 material;
    std::string textureFileName; // empty when the material names no texture
};

// A material whose ambient equals its diffuse colour and whose emissive part is a fraction of
// it: the scene's lights start switched off and the device's ambient light is black, so the
// emissive part is what keeps an untextured lit mesh from drawing black.
MaterialEntry MakeMaterial(float red, float green, float blue, float emissiveFraction, float specular, float power);

// Builds the mesh and writes it through D3DXSaveMeshToXW in text form, one material per subset.
Result<> SaveMeshFile(const std::filesystem::path& path, const MeshBuilder& builder,
                      const std::vector<MaterialEntry>& materials);
