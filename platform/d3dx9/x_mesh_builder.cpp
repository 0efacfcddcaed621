#include "platform/d3dx9/x_mesh_builder.h"

#include <map>
#include <numeric>
#include <utility>

namespace {

constexpr DWORD kNoNormal = ~0u;

// Assigns an output vertex to each face corner (position index, normal index). The first
// normal a position meets stays with the file's vertex; other normals get appended copies.
class CornerVertices {
public:
    explicit CornerVertices(size_t positionCount)
        : m_source(positionCount), m_normal(positionCount, kNoNormal), m_assigned(positionCount)
    {
        std::iota(m_source.begin(), m_source.end(), 0u);
    }

    DWORD VertexFor(DWORD position, DWORD normal)
    {
        if (!m_assigned[position] || m_normal[position] == normal) {
            m_assigned[position] = true;
            m_normal[position] = normal;
            return position;
        }
        const auto [it, added] = m_copies.try_emplace({position, normal}, static_cast<DWORD>(m_source.size()));
        if (added) {
            m_source.push_back(position);
            m_normal.push_back(normal);
        }
        return it->second;
    }

    // For each output vertex: the file vertex it copies and its normal index (kNoNormal if none).
    const std::vector<DWORD>& Sources() const { return m_source; }
    const std::vector<DWORD>& Normals() const { return m_normal; }

private:
    std::vector<DWORD> m_source;
    std::vector<DWORD> m_normal;
    std::vector<bool> m_assigned;
    std::map<std::pair<DWORD, DWORD>, DWORD> m_copies;
};

bool IsIdentity(const D3DXMATRIX& m)
{
    D3DXMATRIX identity;
    D3DXMatrixIdentity(&identity);
    for (UINT i = 0; i < 16; ++i) {
        if (m(i / 4, i % 4) != identity(i / 4, i % 4)) {
            return false;
        }
    }
    return true;
}

// Normals follow the inverse transpose of the placement so that scaling keeps them upright.
D3DXMATRIX NormalTransform(const D3DXMATRIX& world)
{
    D3DXMATRIX inverse;
    if (D3DXMatrixInverse(&inverse, nullptr, &world) == nullptr) {
        return world;
    }
    D3DXMATRIX result;
    for (UINT row = 0; row < 3; ++row) {
        for (UINT column = 0; column < 3; ++column) {
            result(row, column) = inverse(column, row);
        }
    }
    result._44 = 1.0f;
    return result;
}

class GeometryMerger {
public:
    explicit GeometryMerger(MeshGeometry& geometry) : m_geometry(geometry) {}

    void Prepare(const XFileContent& content)
    {
        for (const XMesh& mesh : content.meshes) {
            m_normals = m_normals || mesh.HasNormals();
            m_colors = m_colors || !mesh.vertexColors.empty();
            m_texCoords = m_texCoords || !mesh.texCoords.empty();
        }
    }

    void Add(const XMesh& mesh, const D3DXMATRIX& world)
    {
        const auto base = static_cast<DWORD>(m_geometry.positions.size());
        const auto firstMaterial = static_cast<DWORD>(m_geometry.materials.size());
        CornerVertices corners(mesh.positions.size());
        for (size_t f = 0; f < mesh.faces.size(); ++f) {
            AddFace(mesh, f, corners, base, firstMaterial);
        }
        AddVertices(mesh, corners, world);
        if (mesh.materials.empty()) {
            m_geometry.materials.push_back(MeshMaterial::Default());
        } else {
            m_geometry.materials.insert(m_geometry.materials.end(), mesh.materials.begin(), mesh.materials.end());
        }
    }

private:
    // Fan triangulation: corners (0, i, i + 1).
    void AddFace(const XMesh& mesh, size_t f, CornerVertices& corners, DWORD base, DWORD firstMaterial)
    {
        const std::vector<DWORD>& face = mesh.faces[f];
        auto vertex = [&](size_t corner) {
            const DWORD normal = mesh.HasNormals() ? mesh.normalFaces[f][corner] : kNoNormal;
            return base + corners.VertexFor(face[corner], normal);
        };
        const DWORD attribute = firstMaterial + (mesh.faceMaterials.empty() ? 0 : mesh.faceMaterials[f]);
        for (size_t i = 1; i + 1 < face.size(); ++i) {
            m_geometry.indices.insert(m_geometry.indices.end(), {vertex(0), vertex(i), vertex(i + 1)});
            m_geometry.attributes.push_back(attribute);
        }
    }

    void AddVertices(const XMesh& mesh, const CornerVertices& corners, const D3DXMATRIX& world)
    {
        const bool placed = !IsIdentity(world);
        const D3DXMATRIX normalTransform = NormalTransform(world);
        for (size_t v = 0; v < corners.Sources().size(); ++v) {
            const DWORD source = corners.Sources()[v];
            const DWORD normalIndex = corners.Normals()[v];
            D3DXVECTOR3 position = mesh.positions[source];
            D3DXVECTOR3 normal = normalIndex == kNoNormal ? D3DXVECTOR3(0.0f, 0.0f, 0.0f) : mesh.normals[normalIndex];
            if (placed) {
                D3DXVec3TransformCoord(&position, &position, &world);
                D3DXVec3TransformCoord(&normal, &normal, &normalTransform);
                D3DXVec3Normalize(&normal, &normal);
            }
            m_geometry.positions.push_back(position);
            if (m_normals) {
                m_geometry.normals.push_back(normal);
            }
            if (m_colors) {
                m_geometry.colors.push_back(mesh.vertexColors.empty() ? D3DCOLOR_ARGB(255, 255, 255, 255)
                                                                      : ColorFromValue(mesh.vertexColors[source]));
            }
            if (m_texCoords) {
                m_geometry.texCoords.push_back(mesh.texCoords.empty() ? XTexCoord{} : mesh.texCoords[source]);
            }
        }
    }

    MeshGeometry& m_geometry;
    bool m_normals = false;
    bool m_colors = false;
    bool m_texCoords = false;
};

} // namespace

Result<MeshGeometry> BuildMeshGeometry(const XFileContent& content)
{
    MeshGeometry geometry;
    GeometryMerger merger(geometry);
    merger.Prepare(content);
    for (const XMesh& mesh : content.meshes) {
        merger.Add(mesh, content.WorldTransform(mesh));
    }
    if (geometry.indices.empty()) {
        return Failure{content.meshes.empty() ? "the file holds no mesh" : "the file's meshes have no faces"};
    }
    return geometry;
}
