#include "mesh_checks.h"

#include "tools/mesh_builder.h"

#include <cmath>
#include <map>
#include <tuple>

namespace {

using Key = std::tuple<long, long, long>;

// Positions rounded to a fine grid, so that caps and sides with their own vertices meet.
Key KeyOf(const D3DXVECTOR3& p)
{
    constexpr double kGrid = 1e5;
    return {std::lround(p.x * kGrid), std::lround(p.y * kGrid), std::lround(p.z * kGrid)};
}

const D3DXVECTOR3& Corner(const MeshArrays& mesh, size_t triangle, size_t corner)
{
    return mesh.positions[mesh.indices[3 * triangle + corner]];
}

} // namespace

MeshArrays ReadMeshArrays(ID3DXMesh* mesh)
{
    MeshArrays arrays;
    arrays.fvf = mesh->GetFVF();
    if (arrays.fvf != MeshBuilder::kFvf || (mesh->GetOptions() & D3DXMESH_32BIT) != 0) {
        return arrays; // not a layout written by the tool
    }
    struct Vertex {
        D3DXVECTOR3 position;
        D3DXVECTOR3 normal;
        float u, v;
    };
    void* vertexData = nullptr;
    mesh->LockVertexBuffer(D3DLOCK_READONLY, &vertexData);
    const auto* vertices = static_cast<const Vertex*>(vertexData);
    for (DWORD i = 0; i < mesh->GetNumVertices(); ++i) {
        arrays.positions.push_back(vertices[i].position);
        arrays.normals.push_back(vertices[i].normal);
        arrays.u.push_back(vertices[i].u);
        arrays.v.push_back(vertices[i].v);
    }
    mesh->UnlockVertexBuffer();

    void* indexData = nullptr;
    mesh->LockIndexBuffer(D3DLOCK_READONLY, &indexData);
    const auto* indices = static_cast<const WORD*>(indexData);
    arrays.indices.assign(indices, indices + static_cast<size_t>(mesh->GetNumFaces()) * 3);
    mesh->UnlockIndexBuffer();

    DWORD* attributes = nullptr;
    mesh->LockAttributeBuffer(D3DLOCK_READONLY, &attributes);
    arrays.subsets.assign(attributes, attributes + mesh->GetNumFaces());
    mesh->UnlockAttributeBuffer();
    return arrays;
}

double SignedVolume(const MeshArrays& mesh)
{
    double sum = 0.0;
    for (size_t t = 0; t < mesh.subsets.size(); ++t) {
        const D3DXVECTOR3 a = Corner(mesh, t, 0);
        const D3DXVECTOR3 b = Corner(mesh, t, 1);
        const D3DXVECTOR3 c = Corner(mesh, t, 2);
        sum += (static_cast<double>(a.x) * (b.y * c.z - b.z * c.y) - a.y * (b.x * c.z - b.z * c.x) +
                a.z * (b.x * c.y - b.y * c.x));
    }
    return sum / 6.0;
}

size_t UnpairedEdges(const MeshArrays& mesh)
{
    std::map<std::pair<Key, Key>, int> directed;
    for (size_t t = 0; t < mesh.subsets.size(); ++t) {
        for (size_t corner = 0; corner < 3; ++corner) {
            ++directed[{KeyOf(Corner(mesh, t, corner)), KeyOf(Corner(mesh, t, (corner + 1) % 3))}];
        }
    }
    size_t unpaired = 0;
    for (const auto& [edge, count] : directed) {
        const auto opposite = directed.find({edge.second, edge.first});
        if (count != 1 || opposite == directed.end() || opposite->second != 1) {
            ++unpaired;
        }
    }
    return unpaired;
}

D3DXVECTOR3 FaceNormal(const MeshArrays& mesh, size_t triangle)
{
    const D3DXVECTOR3 a = Corner(mesh, triangle, 0);
    const D3DXVECTOR3 e1 = Corner(mesh, triangle, 1) - a;
    const D3DXVECTOR3 e2 = Corner(mesh, triangle, 2) - a;
    D3DXVECTOR3 normal;
    D3DXVec3Cross(&normal, &e1, &e2);
    return normal;
}
