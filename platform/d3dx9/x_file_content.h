// What an X file holds for building meshes, as plain data, independent of any device.
#pragma once

#include "platform/d3dx9/d3dx9.h"
#include "platform/d3dx9/mesh_material.h"

#include <string>
#include <vector>

struct XTexCoord {
    float u = 0.0f;
    float v = 0.0f;
    bool operator==(const XTexCoord&) const = default;
};

struct XFrame {
    std::string name;
    D3DXMATRIX transform; // relative to the parent frame, identity when the file gives none
    int parent = -1;      // index into XFileContent::frames, -1 at the top level
};

// One Mesh object. The reader guarantees: every face has at least three indices, all below
// positions.size(); normalFaces is empty or one face per face with the same corner count,
// indices below normals.size(); texCoords and vertexColors are empty or one per position;
// faceMaterials and materials are both empty or faceMaterials has one entry per face, each
// below materials.size().
struct XMesh {
    std::string name;
    int frame = -1; // the frame the mesh sits in, -1 at the top level
    std::vector<D3DXVECTOR3> positions;
    std::vector<std::vector<DWORD>> faces;
    std::vector<D3DXVECTOR3> normals;
    std::vector<std::vector<DWORD>> normalFaces;
    std::vector<XTexCoord> texCoords;
    std::vector<D3DCOLORVALUE> vertexColors;
    std::vector<DWORD> faceMaterials;
    std::vector<MeshMaterial> materials;

    bool HasNormals() const { return !normalFaces.empty(); }
};

struct XFileContent {
    std::vector<XFrame> frames;
    std::vector<XMesh> meshes;

    // The product of the frame transforms from the mesh's frame up to the top level.
    D3DXMATRIX WorldTransform(const XMesh& mesh) const;
};
