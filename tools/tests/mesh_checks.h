// Test support: a mesh's arrays read back from its buffers, and geometric checks on them.
#pragma once

#include "platform/d3dx9/d3dx9.h"

#include <string>
#include <vector>

struct MeshArrays {
    DWORD fvf = 0;
    std::vector<D3DXVECTOR3> positions;
    std::vector<D3DXVECTOR3> normals;
    std::vector<float> u;
    std::vector<float> v;
    std::vector<DWORD> indices; // three per triangle
    std::vector<DWORD> subsets; // one per triangle
};

// The mesh's vertices, triangles and subsets; only fvf is set when the mesh does not have the
// tool's vertex layout and 16-bit indices.
MeshArrays ReadMeshArrays(ID3DXMesh* mesh);

// Volume enclosed by the triangles, positive when they face outwards.
double SignedVolume(const MeshArrays& mesh);

// Edges (by position) without exactly one opposite edge: 0 for a closed surface whose
// triangles all turn the same way.
size_t UnpairedEdges(const MeshArrays& mesh);

D3DXVECTOR3 FaceNormal(const MeshArrays& mesh, size_t triangle);
