// A material of a mesh subset as files and material buffers carry it.
#pragma once

#include "platform/d3d9/d3d9types.h"

#include <string>

struct MeshMaterial {
    D3DMATERIAL9 material;
    std::string textureFileName; // empty when the material names no texture

    // Opaque white diffuse, nothing else: what a mesh without materials draws with.
    static MeshMaterial Default();
};
