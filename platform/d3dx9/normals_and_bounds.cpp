#include "platform/d3d9/vertex_layout.h"
#include "platform/d3dx9/d3dx9.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

D3DXVECTOR3 PositionAt(const BYTE* vertices, size_t index, UINT stride)
{
    D3DXVECTOR3 position;
    std::memcpy(&position, vertices + index * stride, sizeof position);
    return position;
}

DWORD IndexAt(const BYTE* indices, size_t i, bool wide)
{
    if (wide) {
        DWORD index = 0;
        std::memcpy(&index, indices + 4 * i, sizeof index);
        return index;
    }
    WORD index = 0;
    std::memcpy(&index, indices + 2 * i, sizeof index);
    return index;
}

// Sum of the unnormalised face normals (cross products, whose length is twice the face's area)
// at each vertex. Triangles that refer beyond the vertices are left out.
std::vector<D3DXVECTOR3> SummedFaceNormals(const BYTE* vertices, UINT stride, DWORD vertexCount, const BYTE* indices,
                                           DWORD faceCount, bool wide)
{
    std::vector<D3DXVECTOR3> sums(vertexCount, D3DXVECTOR3(0.0f, 0.0f, 0.0f));
    for (size_t face = 0; face < faceCount; ++face) {
        const DWORD corner[3] = {IndexAt(indices, 3 * face, wide), IndexAt(indices, 3 * face + 1, wide),
                                 IndexAt(indices, 3 * face + 2, wide)};
        if (corner[0] >= vertexCount || corner[1] >= vertexCount || corner[2] >= vertexCount) {
            continue;
        }
        const D3DXVECTOR3 p0 = PositionAt(vertices, corner[0], stride);
        const D3DXVECTOR3 edge1 = PositionAt(vertices, corner[1], stride) - p0;
        const D3DXVECTOR3 edge2 = PositionAt(vertices, corner[2], stride) - p0;
        D3DXVECTOR3 normal;
        D3DXVec3Cross(&normal, &edge1, &edge2);
        for (DWORD vertex : corner) {
            sums[vertex] = sums[vertex] + normal;
        }
    }
    return sums;
}

} // namespace

// Area-weighted vertex normals. The adjacency is not needed: vertices are shared by index.
HRESULT D3DXComputeNormals(ID3DXBaseMesh* mesh, const DWORD* /*adjacency*/)
{
    const std::optional<VertexLayout> layout = mesh == nullptr ? std::nullopt : LayoutOfFvf(mesh->GetFVF());
    if (!layout || !layout->normal) {
        return D3DERR_INVALIDCALL;
    }
    void* vertexData = nullptr;
    void* indexData = nullptr;
    if (FAILED(mesh->LockIndexBuffer(D3DLOCK_READONLY, &indexData))) {
        return D3DERR_INVALIDCALL;
    }
    if (FAILED(mesh->LockVertexBuffer(0, &vertexData))) {
        mesh->UnlockIndexBuffer();
        return D3DERR_INVALIDCALL;
    }
    auto* vertices = static_cast<BYTE*>(vertexData);
    const std::vector<D3DXVECTOR3> sums =
        SummedFaceNormals(vertices, layout->size, mesh->GetNumVertices(), static_cast<const BYTE*>(indexData),
                          mesh->GetNumFaces(), (mesh->GetOptions() & D3DXMESH_32BIT) != 0);
    for (size_t v = 0; v < sums.size(); ++v) {
        D3DXVECTOR3 normal;
        D3DXVec3Normalize(&normal, &sums[v]);
        std::memcpy(vertices + v * layout->size + *layout->normal, &normal, sizeof normal);
    }
    mesh->UnlockVertexBuffer();
    mesh->UnlockIndexBuffer();
    return D3D_OK;
}

HRESULT D3DXComputeBoundingBox(const D3DXVECTOR3* firstPosition, DWORD numVertices, DWORD stride, D3DXVECTOR3* min,
                               D3DXVECTOR3* max)
{
    if (firstPosition == nullptr || min == nullptr || max == nullptr || numVertices == 0 ||
        stride < sizeof(D3DXVECTOR3)) {
        return D3DERR_INVALIDCALL;
    }
    const auto* bytes = reinterpret_cast<const BYTE*>(firstPosition);
    *min = *max = PositionAt(bytes, 0, stride);
    for (size_t i = 1; i < numVertices; ++i) {
        const D3DXVECTOR3 p = PositionAt(bytes, i, stride);
        *min = D3DXVECTOR3(std::min(min->x, p.x), std::min(min->y, p.y), std::min(min->z, p.z));
        *max = D3DXVECTOR3(std::max(max->x, p.x), std::max(max->y, p.y), std::max(max->z, p.z));
    }
    return D3D_OK;
}
