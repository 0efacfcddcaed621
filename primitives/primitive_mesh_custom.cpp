#include "primitives/primitive_mesh_custom.h"

#include "graphics/graphics_system.h"
#include "graphics/vertex_formats.h"
#include "primitives/grid_layout.h"

#include <utility>

namespace {

bool IsValidSide(int verticesPerSide)
{
    return verticesPerSide >= 2 && verticesPerSide <= TQRD3D_PrimitiveMeshCustom::kMaxVerticesPerSide;
}

} // namespace

TQRD3D_PrimitiveMeshCustom::TQRD3D_PrimitiveMeshCustom(int verticesPerSide, const wchar_t* fileName)
    : TQRD3D_PrimitiveMesh(fileName != nullptr ? fileName : kDefaultFileName)
{
    SetSize(verticesPerSide);
}

TQRD3D_PrimitiveMeshCustom::~TQRD3D_PrimitiveMeshCustom() { m_mesh = nullptr; }

void TQRD3D_PrimitiveMeshCustom::SetSize(int verticesPerSide)
{
    const bool valid = IsValidSide(verticesPerSide);
    m_verticesPerSide = verticesPerSide;
    m_faceCount = valid ? 2 * (verticesPerSide - 1) * (verticesPerSide - 1) : 0;
    m_vertexCount = valid ? verticesPerSide * verticesPerSide : 0;
    m_spacing = valid ? 2.0f / static_cast<float>(verticesPerSide - 1) : 0.0f;
}

void TQRD3D_PrimitiveMeshCustom::SetVerticesPerSide(int verticesPerSide)
{
    if (verticesPerSide == m_verticesPerSide) {
        return;
    }
    m_selectedIndex = -1;
    if (m_meshReady && IsMeshStillInTable()) {
        GetGraphicsSystem()->ReleaseMesh(GetMeshFileName());
    }
    m_meshReady = false;
    m_mesh = nullptr;
    SetSize(verticesPerSide);
}

bool TQRD3D_PrimitiveMeshCustom::CreateMesh()
{
    IDirect3DDevice9* device = GetGraphicsSystem()->GetDevice();
    if (device == nullptr || !IsValidSide(m_verticesPerSide)) {
        return false;
    }
    const DWORD options = D3DXMESH_SYSTEMMEM | (UsesWideIndices() ? D3DXMESH_32BIT : 0);
    ComPtr<ID3DXMesh> created;
    if (FAILED(D3DXCreateMeshFVF(static_cast<DWORD>(m_faceCount), static_cast<DWORD>(m_vertexCount), options,
                                 TQRD3D_ColorVertex::kFvf, device, created.ReleaseAndGetAddressOf()))) {
        return false;
    }
    m_mesh = created.Get();
    m_normalsCurrent = false;
    BuildGrid();
    // The file is a copy for other programs; the floor never depends on it, so a folder that
    // cannot be written costs only the copy.
    if (m_verticesPerSide <= kMaxSavedSide) {
        D3DXSaveMeshToXW(GetMeshFileName().c_str(), m_mesh, nullptr, nullptr, nullptr, 0, D3DXF_FILEFORMAT_TEXT);
    }
    m_mesh = nullptr;
    // An entry of this name made earlier by another grid of this size is shared, as a loaded
    // mesh would be; any other entry of the name gives way to the mesh just built.
    const TQRD3D_MeshResource* entry = GetGraphicsSystem()->FindMesh(GetMeshFileName(), false);
    if (entry != nullptr && !IsUsableGridMesh(entry->GetMesh())) {
        GetGraphicsSystem()->ReleaseMesh(GetMeshFileName());
        entry = nullptr;
    }
    if (entry == nullptr) {
        entry = GetGraphicsSystem()->AddMesh(GetMeshFileName(), created.Get());
    }
    if (entry != nullptr && IsUsableGridMesh(entry->GetMesh())) {
        m_mesh = entry->GetMesh();
        m_meshReady = true;
    }
    return m_meshReady;
}

void TQRD3D_PrimitiveMeshCustom::BuildGrid()
{
    if (m_mesh == nullptr) {
        return;
    }
    m_normalsCurrent = false;
    void* vertices = nullptr;
    if (SUCCEEDED(m_mesh->LockVertexBuffer(0, &vertices))) {
        WriteGridVertices(static_cast<TQRD3D_ColorVertex*>(vertices), m_verticesPerSide, m_spacing);
        m_mesh->UnlockVertexBuffer();
    }
    WriteIndices();
}

void TQRD3D_PrimitiveMeshCustom::WriteIndices() const
{
    void* indices = nullptr;
    if (FAILED(m_mesh->LockIndexBuffer(0, &indices))) {
        return;
    }
    if (UsesWideIndices()) {
        WriteGridIndices(static_cast<DWORD*>(indices), m_verticesPerSide);
    } else {
        WriteGridIndices(static_cast<WORD*>(indices), m_verticesPerSide);
    }
    m_mesh->UnlockIndexBuffer();
}

void TQRD3D_PrimitiveMeshCustom::SelectVertex(int row, int column)
{
    StoreSelectedVertex();
    m_selectedIndex = column + row * m_verticesPerSide;
    LoadSelectedVertex();
}

void TQRD3D_PrimitiveMeshCustom::ReleaseSelection()
{
    if (m_selectedIndex != -1) {
        StoreSelectedVertex();
    }
    m_selectedIndex = -1;
}

bool TQRD3D_PrimitiveMeshCustom::SetHeights(std::span<const float> heights)
{
    if (heights.size() != static_cast<std::size_t>(m_vertexCount)) {
        return false;
    }
    ReleaseSelection();
    if (!MakeMeshReady()) {
        return false;
    }
    void* vertices = nullptr;
    if (FAILED(m_mesh->LockVertexBuffer(0, &vertices))) {
        return false;
    }
    WriteGridHeights(static_cast<TQRD3D_ColorVertex*>(vertices), heights);
    m_mesh->UnlockVertexBuffer();
    m_normalsCurrent = false;
    return true;
}

void TQRD3D_PrimitiveMeshCustom::SetupDrawAttributes(TQR_DrawHelper* drawHelper)
{
    MakeMeshReady();
    TQRD3D_PrimitiveMesh::SetupDrawAttributes(drawHelper);
}

void TQRD3D_PrimitiveMeshCustom::DrawGeometry(int levelOfDetail, TQR_DrawHelper* drawHelper)
{
    if (!MakeMeshReady()) {
        return;
    }
    StoreSelectedVertex();
    if (!m_normalsCurrent) {
        D3DXComputeNormals(m_mesh, nullptr);
        m_normalsCurrent = true;
    }
    TQRD3D_PrimitiveMesh::DrawGeometry(levelOfDetail, drawHelper);
}

bool TQRD3D_PrimitiveMeshCustom::MakeMeshReady()
{
    if (m_meshReady && !IsMeshStillInTable()) {
        m_meshReady = false;
        m_mesh = nullptr;
    }
    return m_meshReady || CreateMesh();
}

bool TQRD3D_PrimitiveMeshCustom::IsMeshStillInTable() const
{
    // The layout is checked too: a mesh made later by another grid of the name may sit at the
    // address of the one this grid had.
    const TQRD3D_MeshResource* entry = GetGraphicsSystem()->FindMesh(GetMeshFileName(), false);
    return entry != nullptr && entry->GetMesh() == m_mesh && IsUsableGridMesh(m_mesh);
}

// An entry loaded earlier from some other file of the same name may hold a different mesh;
// editing it with the grid's vertex layout would write past its vertices.
bool TQRD3D_PrimitiveMeshCustom::IsUsableGridMesh(ID3DXMesh* mesh) const
{
    return mesh != nullptr && mesh->GetFVF() == TQRD3D_ColorVertex::kFvf &&
           mesh->GetNumVertices() == static_cast<DWORD>(m_vertexCount);
}

template <typename Edit> void TQRD3D_PrimitiveMeshCustom::EditSelectedVertex(Edit edit)
{
    if (!MakeMeshReady() || m_selectedIndex < 0 || m_selectedIndex >= m_vertexCount) {
        return;
    }
    void* vertices = nullptr;
    if (FAILED(m_mesh->LockVertexBuffer(0, &vertices))) {
        return;
    }
    edit(static_cast<TQRD3D_ColorVertex*>(vertices)[m_selectedIndex]);
    m_mesh->UnlockVertexBuffer();
}

// The normal and texture coordinates of the vertex stay as they are.
void TQRD3D_PrimitiveMeshCustom::StoreSelectedVertex()
{
    EditSelectedVertex([this](TQRD3D_ColorVertex& vertex) {
        const bool moved =
            vertex.x != m_selectedPosition.x || vertex.y != m_selectedPosition.y || vertex.z != m_selectedPosition.z;
        m_normalsCurrent = m_normalsCurrent && !moved;
        vertex.x = m_selectedPosition.x;
        vertex.y = m_selectedPosition.y;
        vertex.z = m_selectedPosition.z;
        vertex.diffuse = GridHeightColor(vertex.y);
    });
}

void TQRD3D_PrimitiveMeshCustom::LoadSelectedVertex()
{
    EditSelectedVertex([this](const TQRD3D_ColorVertex& vertex) {
        m_selectedPosition = {vertex.x, vertex.y, vertex.z};
    });
}
