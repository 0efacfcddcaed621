#include "platform/d3d9/ref_counted.h"
#include "platform/d3d9/system_memory_buffers.h"
#include "platform/d3dx9/d3dx9.h"

#include <cstring>
#include <map>
#include <vector>

namespace {

constexpr DWORD kMax16BitVertices = 65536;

// The triangle indices of each subset, in face order, in the mesh's index format. Rebuilt
// when the index or attribute buffer has been locked for writing since the last build.
class SubsetIndexCache {
public:
    void Invalidate() { m_valid = false; }

    const std::vector<BYTE>* Find(DWORD attribute, DWORD indexWrites, const BYTE* indices, UINT indexSize,
                                  const std::vector<DWORD>& attributes)
    {
        if (!m_valid || indexWrites != m_indexWrites) {
            Rebuild(indices, indexSize, attributes);
            m_indexWrites = indexWrites;
            m_valid = true;
        }
        const auto found = m_subsets.find(attribute);
        return found == m_subsets.end() ? nullptr : &found->second;
    }

private:
    void Rebuild(const BYTE* indices, UINT indexSize, const std::vector<DWORD>& attributes)
    {
        m_subsets.clear();
        const size_t faceBytes = 3u * indexSize;
        for (size_t face = 0; face < attributes.size(); ++face) {
            std::vector<BYTE>& subset = m_subsets[attributes[face]];
            const BYTE* first = indices + face * faceBytes;
            subset.insert(subset.end(), first, first + faceBytes);
        }
    }

    std::map<DWORD, std::vector<BYTE>> m_subsets;
    DWORD m_indexWrites = 0;
    bool m_valid = false;
};

// A mesh whose vertices, indices and face attributes live in system memory; a mesh without
// a device holds data but cannot draw.
class SystemMemoryMesh final : public RefCounted<ID3DXMesh> {
public:
    SystemMemoryMesh(DWORD numFaces, DWORD numVertices, DWORD options, DWORD fvf, IDirect3DDevice9* device,
                     ComPtr<IDirect3DVertexBuffer9> vertices, ComPtr<IDirect3DIndexBuffer9> indices)
        : m_numFaces(numFaces), m_numVertices(numVertices), m_options(options), m_fvf(fvf),
          m_vertexSize(D3DXGetFVFVertexSize(fvf)), m_device(device), m_vertices(std::move(vertices)),
          m_indices(std::move(indices)), m_attributes(numFaces, 0)
    {
    }

    HRESULT DrawSubset(DWORD attribId) override;
    DWORD GetNumFaces() override { return m_numFaces; }
    DWORD GetNumVertices() override { return m_numVertices; }
    DWORD GetFVF() override { return m_fvf; }
    DWORD GetNumBytesPerVertex() override { return m_vertexSize; }
    DWORD GetOptions() override { return m_options; }
    HRESULT GetDevice(IDirect3DDevice9** device) override { return HandOut(m_device.Get(), device); }
    HRESULT GetVertexBuffer(IDirect3DVertexBuffer9** buffer) override { return HandOut(m_vertices.Get(), buffer); }
    HRESULT GetIndexBuffer(IDirect3DIndexBuffer9** buffer) override { return HandOut(m_indices.Get(), buffer); }
    HRESULT LockVertexBuffer(DWORD flags, void** data) override { return m_vertices->Lock(0, 0, data, flags); }
    HRESULT UnlockVertexBuffer() override { return m_vertices->Unlock(); }
    HRESULT LockIndexBuffer(DWORD flags, void** data) override { return m_indices->Lock(0, 0, data, flags); }
    HRESULT UnlockIndexBuffer() override { return m_indices->Unlock(); }
    HRESULT LockAttributeBuffer(DWORD flags, DWORD** data) override;
    HRESULT UnlockAttributeBuffer() override { return D3D_OK; }

private:
    template <typename T> static HRESULT HandOut(T* object, T** out)
    {
        if (out == nullptr) {
            return D3DERR_INVALIDCALL;
        }
        *out = object;
        if (object == nullptr) {
            return D3DERR_INVALIDCALL;
        }
        object->AddRef();
        return D3D_OK;
    }

    bool Uses32BitIndices() const { return (m_options & D3DXMESH_32BIT) != 0; }

    DWORD m_numFaces;
    DWORD m_numVertices;
    DWORD m_options;
    DWORD m_fvf;
    UINT m_vertexSize;
    ComPtr<IDirect3DDevice9> m_device;
    ComPtr<IDirect3DVertexBuffer9> m_vertices;
    ComPtr<IDirect3DIndexBuffer9> m_indices;
    std::vector<DWORD> m_attributes;
    SubsetIndexCache m_subsets;
};

HRESULT SystemMemoryMesh::LockAttributeBuffer(DWORD flags, DWORD** data)
{
    if (data == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    if ((flags & D3DLOCK_READONLY) == 0) {
        m_subsets.Invalidate();
    }
    *data = m_attributes.data();
    return D3D_OK;
}

// Draws the subset's triangles from system memory; an attribute no face has draws nothing.
HRESULT SystemMemoryMesh::DrawSubset(DWORD attribId)
{
    if (!m_device) {
        return D3DERR_INVALIDCALL;
    }
    void* vertexData = nullptr;
    void* indexData = nullptr;
    if (FAILED(m_vertices->Lock(0, 0, &vertexData, D3DLOCK_READONLY)) ||
        FAILED(m_indices->Lock(0, 0, &indexData, D3DLOCK_READONLY))) {
        return D3DERR_INVALIDCALL;
    }
    const UINT indexSize = Uses32BitIndices() ? 4 : 2;
    const std::vector<BYTE>* subset = m_subsets.Find(attribId, SystemMemoryBufferWriteCount(m_indices.Get()),
                                                     static_cast<const BYTE*>(indexData), indexSize, m_attributes);
    m_indices->Unlock();
    HRESULT result = D3D_OK;
    if (subset != nullptr) {
        const UINT triangles = static_cast<UINT>(subset->size() / (3u * indexSize));
        m_device->SetFVF(m_fvf);
        result = m_device->DrawIndexedPrimitiveUP(D3DPT_TRIANGLELIST, 0, m_numVertices, triangles, subset->data(),
                                                  Uses32BitIndices() ? D3DFMT_INDEX32 : D3DFMT_INDEX16, vertexData,
                                                  m_vertexSize);
    }
    m_vertices->Unlock();
    return result;
}

} // namespace

// Vertices, indices and attributes start zeroed. The pool bits of the options make no
// difference: every mesh lives in system memory.
HRESULT D3DXCreateMeshFVF(DWORD numFaces, DWORD numVertices, DWORD options, DWORD fvf, IDirect3DDevice9* device,
                          ID3DXMesh** mesh)
{
    if (mesh == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *mesh = nullptr;
    const bool wideIndices = (options & D3DXMESH_32BIT) != 0;
    const UINT vertexSize = D3DXGetFVFVertexSize(fvf);
    const UINT indexSize = wideIndices ? 4 : 2;
    if (numFaces == 0 || numVertices == 0 || (fvf & D3DFVF_POSITION_MASK) == 0 ||
        (!wideIndices && numVertices > kMax16BitVertices) || numVertices > ~0u / vertexSize ||
        numFaces > ~0u / (3u * indexSize)) {
        return D3DERR_INVALIDCALL;
    }
    IDirect3DVertexBuffer9* vertices = nullptr;
    IDirect3DIndexBuffer9* indices = nullptr;
    CreateSystemMemoryVertexBuffer(numVertices * vertexSize, fvf, &vertices);
    CreateSystemMemoryIndexBuffer(numFaces * 3u * indexSize, wideIndices ? D3DFMT_INDEX32 : D3DFMT_INDEX16, &indices);
    *mesh = new SystemMemoryMesh(numFaces, numVertices, options, fvf, device,
                                 ComPtr<IDirect3DVertexBuffer9>::Adopt(vertices),
                                 ComPtr<IDirect3DIndexBuffer9>::Adopt(indices));
    return D3D_OK;
}
