#include "tools/mesh_builder.h"

#include "platform/d3d9/com_ptr.h"

#include <cstring>

namespace {

// The vertex layout of MeshBuilder::kFvf.
struct FileVertex {
    D3DXVECTOR3 position;
    D3DXVECTOR3 normal;
    float u;
    float v;
};
static_assert(sizeof(FileVertex) == 32);

constexpr size_t kMax16BitVertices = 65536;

} // namespace

DWORD MeshBuilder::AddVertex(const D3DXVECTOR3& position, float u, float v)
{
    m_vertices.push_back(BuiltVertex{position, u, v});
    return static_cast<DWORD>(m_vertices.size() - 1);
}

void MeshBuilder::AddTriangle(DWORD a, DWORD b, DWORD c)
{
    if (a == b || b == c || c == a) {
        return;
    }
    m_indices.insert(m_indices.end(), {a, b, c});
    m_subsets.push_back(m_subset);
}

HRESULT MeshBuilder::CreateMesh(ID3DXMesh** mesh) const
{
    *mesh = nullptr;
    const DWORD options = D3DXMESH_SYSTEMMEM | (m_vertices.size() > kMax16BitVertices ? D3DXMESH_32BIT : 0);
    ID3DXMesh* created = nullptr;
    const HRESULT result =
        D3DXCreateMeshFVF(TriangleCount(), static_cast<DWORD>(m_vertices.size()), options, kFvf, nullptr, &created);
    if (FAILED(result)) {
        return result;
    }
    ComPtr<ID3DXMesh> holder = ComPtr<ID3DXMesh>::Adopt(created);
    const HRESULT filled = FillBuffers(created);
    if (FAILED(filled)) {
        return filled;
    }
    const HRESULT normals = D3DXComputeNormals(created, nullptr);
    if (FAILED(normals)) {
        return normals;
    }
    created->AddRef();
    *mesh = created;
    return D3D_OK;
}

HRESULT MeshBuilder::FillBuffers(ID3DXMesh* mesh) const
{
    void* vertexData = nullptr;
    if (FAILED(mesh->LockVertexBuffer(0, &vertexData))) {
        return E_FAIL;
    }
    auto* vertices = static_cast<FileVertex*>(vertexData);
    for (size_t i = 0; i < m_vertices.size(); ++i) {
        const BuiltVertex& from = m_vertices[i];
        vertices[i] = FileVertex{from.position, D3DXVECTOR3(0.0f, 0.0f, 0.0f), from.u, from.v};
    }
    mesh->UnlockVertexBuffer();

    void* indexData = nullptr;
    if (FAILED(mesh->LockIndexBuffer(0, &indexData))) {
        return E_FAIL;
    }
    if ((mesh->GetOptions() & D3DXMESH_32BIT) != 0) {
        std::memcpy(indexData, m_indices.data(), m_indices.size() * sizeof(DWORD));
    } else {
        auto* indices = static_cast<WORD*>(indexData);
        for (size_t i = 0; i < m_indices.size(); ++i) {
            indices[i] = static_cast<WORD>(m_indices[i]);
        }
    }
    mesh->UnlockIndexBuffer();

    DWORD* attributes = nullptr;
    if (FAILED(mesh->LockAttributeBuffer(0, &attributes))) {
        return E_FAIL;
    }
    std::memcpy(attributes, m_subsets.data(), m_subsets.size() * sizeof(DWORD));
    mesh->UnlockAttributeBuffer();
    return D3D_OK;
}
