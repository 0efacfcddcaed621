// Collects the vertices and triangles of a mesh made by code and turns them into a mesh.
#pragma once

#include "platform/d3dx9/d3dx9.h"

#include <vector>

struct BuiltVertex {
    D3DXVECTOR3 position;
    float u = 0.0f;
    float v = 0.0f;
};

class MeshBuilder {
public:
    // Vertex format of every mesh built here: position, normal, one texture coordinate pair.
    static constexpr DWORD kFvf = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;

    // Subset (material index) of the triangles added from now on.
    void SetSubset(DWORD subset) { m_subset = subset; }
    DWORD AddVertex(const D3DXVECTOR3& position, float u, float v);
    // Corners ordered so that (b - a) x (c - a) points out of the surface. A triangle with two
    // equal corners (next to a ring collapsed into one vertex) is dropped.
    void AddTriangle(DWORD a, DWORD b, DWORD c);

    const std::vector<BuiltVertex>& Vertices() const { return m_vertices; }
    DWORD TriangleCount() const { return static_cast<DWORD>(m_subsets.size()); }

    // A mesh without a device (data only). Normals are the area-weighted average of the faces
    // that share each vertex, so surfaces meet at a crease where they do not share vertices.
    HRESULT CreateMesh(ID3DXMesh** mesh) const;

private:
    HRESULT FillBuffers(ID3DXMesh* mesh) const;

    std::vector<BuiltVertex> m_vertices;
    std::vector<DWORD> m_indices;
    std::vector<DWORD> m_subsets;
    DWORD m_subset = 0;
};
