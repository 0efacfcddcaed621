#include "platform/d3dx9/mesh_geometry.h"

#include "platform/d3d9/vertex_layout.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr size_t kMax16BitVertexCount = 65535;

DWORD ChannelByte(float value) { return static_cast<DWORD>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f)); }

// Keeps a mesh buffer locked for the lifetime of the object.
class BufferLock {
public:
    using Unlock = HRESULT (ID3DXMesh::*)();

    BufferLock(ID3DXMesh* mesh, Unlock unlock) : m_mesh(mesh), m_unlock(unlock) {}
    BufferLock(const BufferLock&) = delete;
    BufferLock& operator=(const BufferLock&) = delete;
    ~BufferLock()
    {
        if (m_data != nullptr) {
            (m_mesh->*m_unlock)();
        }
    }

    void** Target() { return &m_data; }
    BYTE* Bytes() const { return static_cast<BYTE*>(m_data); }

private:
    ID3DXMesh* m_mesh;
    Unlock m_unlock;
    void* m_data = nullptr;
};

template <typename T> void Store(BYTE* vertex, size_t offset, const T& value)
{
    std::memcpy(vertex + offset, &value, sizeof value);
}

template <typename T> void Load(const BYTE* vertex, size_t offset, T& value)
{
    std::memcpy(&value, vertex + offset, sizeof value);
}

// Calls part(offset, array) for each part of the vertex format, with the geometry's array of it.
template <typename Geometry, typename Part> void ForEachPart(const VertexLayout& layout, Geometry& geometry, Part part)
{
    part(0u, geometry.positions);
    if (layout.normal) {
        part(*layout.normal, geometry.normals);
    }
    if (layout.diffuse) {
        part(*layout.diffuse, geometry.colors);
    }
    if (layout.texCoord0) {
        part(*layout.texCoord0, geometry.texCoords);
    }
}

void WriteVertices(const MeshGeometry& geometry, const VertexLayout& layout, BYTE* bytes)
{
    ForEachPart(layout, geometry, [&](UINT offset, const auto& values) {
        for (size_t i = 0; i < values.size(); ++i) {
            Store(bytes + i * layout.size, offset, values[i]);
        }
    });
}

void ReadVertices(const BYTE* bytes, size_t count, const VertexLayout& layout, MeshGeometry& geometry)
{
    geometry.normals.clear();
    geometry.colors.clear();
    geometry.texCoords.clear();
    ForEachPart(layout, geometry, [&](UINT offset, auto& values) {
        values.resize(count);
        for (size_t i = 0; i < count; ++i) {
            Load(bytes + i * layout.size, offset, values[i]);
        }
    });
}

HRESULT FillMesh(ID3DXMesh* mesh, const MeshGeometry& geometry)
{
    const std::optional<VertexLayout> layout = LayoutOfFvf(mesh->GetFVF());
    BufferLock vertices(mesh, &ID3DXMesh::UnlockVertexBuffer);
    BufferLock indices(mesh, &ID3DXMesh::UnlockIndexBuffer);
    DWORD* attributes = nullptr;
    if (!layout || FAILED(mesh->LockVertexBuffer(0, vertices.Target())) ||
        FAILED(mesh->LockIndexBuffer(0, indices.Target())) || FAILED(mesh->LockAttributeBuffer(0, &attributes))) {
        return D3DERR_INVALIDCALL;
    }
    WriteVertices(geometry, *layout, vertices.Bytes());
    const bool wide = (mesh->GetOptions() & D3DXMESH_32BIT) != 0;
    for (size_t i = 0; i < geometry.indices.size(); ++i) {
        if (wide) {
            Store(indices.Bytes(), i * 4, geometry.indices[i]);
        } else {
            Store(indices.Bytes(), i * 2, static_cast<WORD>(geometry.indices[i]));
        }
    }
    std::copy(geometry.attributes.begin(), geometry.attributes.end(), attributes);
    return mesh->UnlockAttributeBuffer();
}

} // namespace

D3DCOLOR ColorFromValue(const D3DCOLORVALUE& value)
{
    return D3DCOLOR_ARGB(ChannelByte(value.a), ChannelByte(value.r), ChannelByte(value.g), ChannelByte(value.b));
}

D3DCOLORVALUE ValueFromColor(D3DCOLOR color)
{
    auto channel = [color](int shift) { return static_cast<float>((color >> shift) & 0xFFu) / 255.0f; };
    return D3DCOLORVALUE{channel(16), channel(8), channel(0), channel(24)};
}

DWORD MeshGeometry::Fvf() const
{
    return D3DFVF_XYZ | (normals.empty() ? 0 : D3DFVF_NORMAL) | (colors.empty() ? 0 : D3DFVF_DIFFUSE) |
           (texCoords.empty() ? 0 : D3DFVF_TEX1);
}

HRESULT CreateMeshFromGeometry(const MeshGeometry& geometry, DWORD options, IDirect3DDevice9* device, ID3DXMesh** mesh)
{
    if (mesh == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *mesh = nullptr;
    if (geometry.positions.size() > kMax16BitVertexCount) {
        options |= D3DXMESH_32BIT;
    }
    ID3DXMesh* created = nullptr;
    HRESULT result =
        D3DXCreateMeshFVF(static_cast<DWORD>(geometry.TriangleCount()), static_cast<DWORD>(geometry.positions.size()),
                          options, geometry.Fvf(), device, &created);
    if (SUCCEEDED(result)) {
        result = FillMesh(created, geometry);
    }
    if (FAILED(result)) {
        if (created != nullptr) {
            created->Release();
        }
        return result;
    }
    *mesh = created;
    return D3D_OK;
}

HRESULT ReadMeshGeometry(ID3DXMesh* mesh, MeshGeometry& geometry)
{
    const std::optional<VertexLayout> layout = mesh == nullptr ? std::nullopt : LayoutOfFvf(mesh->GetFVF());
    if (!layout) {
        return D3DERR_INVALIDCALL;
    }
    BufferLock vertices(mesh, &ID3DXMesh::UnlockVertexBuffer);
    BufferLock indices(mesh, &ID3DXMesh::UnlockIndexBuffer);
    DWORD* attributes = nullptr;
    if (FAILED(mesh->LockVertexBuffer(D3DLOCK_READONLY, vertices.Target())) ||
        FAILED(mesh->LockIndexBuffer(D3DLOCK_READONLY, indices.Target())) ||
        FAILED(mesh->LockAttributeBuffer(D3DLOCK_READONLY, &attributes))) {
        return D3DERR_INVALIDCALL;
    }
    ReadVertices(vertices.Bytes(), mesh->GetNumVertices(), *layout, geometry);
    const size_t faces = mesh->GetNumFaces();
    const bool wide = (mesh->GetOptions() & D3DXMESH_32BIT) != 0;
    geometry.indices.resize(faces * 3);
    for (size_t i = 0; i < geometry.indices.size(); ++i) {
        if (wide) {
            Load(indices.Bytes(), static_cast<UINT>(i * 4), geometry.indices[i]);
        } else {
            WORD index = 0;
            Load(indices.Bytes(), static_cast<UINT>(i * 2), index);
            geometry.indices[i] = index;
        }
    }
    geometry.attributes.assign(attributes, attributes + faces);
    mesh->UnlockAttributeBuffer();
    return D3D_OK;
}

ID3DXBuffer* CreateMaterialBuffer(const std::vector<MeshMaterial>& materials)
{
    size_t size = materials.size() * sizeof(D3DXMATERIAL);
    for (const MeshMaterial& m : materials) {
        size += m.textureFileName.empty() ? 0 : m.textureFileName.size() + 1;
    }
    ID3DXBuffer* buffer = nullptr;
    D3DXCreateBuffer(static_cast<DWORD>(size), &buffer);
    BYTE* bytes = static_cast<BYTE*>(buffer->GetBufferPointer());
    char* names = reinterpret_cast<char*>(bytes + materials.size() * sizeof(D3DXMATERIAL));
    for (size_t i = 0; i < materials.size(); ++i) {
        D3DXMATERIAL entry{materials[i].material, nullptr};
        if (!materials[i].textureFileName.empty()) {
            entry.pTextureFilename = names;
            names = std::copy(materials[i].textureFileName.begin(), materials[i].textureFileName.end(), names);
            *names++ = '\0';
        }
        std::memcpy(bytes + i * sizeof(D3DXMATERIAL), &entry, sizeof entry);
    }
    return buffer;
}
