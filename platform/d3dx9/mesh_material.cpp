#include "platform/d3dx9/mesh_material.h"

MeshMaterial MeshMaterial::Default()
{
    MeshMaterial result;
    result.material.Diffuse = D3DCOLORVALUE{1.0f, 1.0f, 1.0f, 1.0f};
    return result;
}
