// A mesh as separate arrays (positions, normals, colours, texture coordinates, triangles,
// subsets, materials): what files are read into and written from, and what is moved in and
// out of a mesh's interleaved buffers.
#pragma once

#include "platform/d3dx9/d3dx9.h"
#include "platform/d3dx9/mesh_material.h"
#include "platform/d3dx9/x_file_content.h"

#include <vector>

struct MeshGeometry {
    // The optional arrays are empty or hold one entry per position.
    std::vector<D3DXVECTOR3> positions;
    std::vector<D3DXVECTOR3> normals;
    std::vector<D3DCOLOR> colors;
    std::vector<XTexCoord> texCoords;
    std::vector<DWORD> indices;    // three per triangle
    std::vector<DWORD> attributes; // one subset per triangle
    std::vector<MeshMaterial> materials;

    // XYZ, plus NORMAL, DIFFUSE and TEX1 for the arrays that are present.
    DWORD Fvf() const;
    size_t TriangleCount() const { return indices.size() / 3; }
};

// 16-bit indices unless options ask for 32-bit ones or there are more than 65535 vertices.
HRESULT CreateMeshFromGeometry(const MeshGeometry& geometry, DWORD options, IDirect3DDevice9* device, ID3DXMesh** mesh);

// Reads the mesh's vertices (the parts its vertex format has of the four above), triangles and
// attributes; materials are left as they are.
HRESULT ReadMeshGeometry(ID3DXMesh* mesh, MeshGeometry& geometry);

// A new buffer of D3DXMATERIAL entries followed by their texture names, which the entries
// point to.
ID3DXBuffer* CreateMaterialBuffer(const std::vector<MeshMaterial>& materials);

D3DCOLOR ColorFromValue(const D3DCOLORVALUE& value);
D3DCOLORVALUE ValueFromColor(D3DCOLOR color);
