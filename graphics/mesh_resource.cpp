#include "graphics/mesh_resource.h"

#include "graphics/material_conversion.h"
#include "graphics/resource_files.h"
#include "graphics/surface_draw.h"

TQRD3D_MeshResource::~TQRD3D_MeshResource() { TQRD3D_MeshResource::Unload(); }

void TQRD3D_MeshResource::Unload()
{
    TQRD3D_Resource::Unload();
    m_boundingBox.MakeEmpty();
    m_materials = TQR_Array<D3DMATERIAL9>();
    m_textures = TQR_Array<ComPtr<IDirect3DTexture9>>();
    m_mesh.Reset();
}

bool TQRD3D_MeshResource::LoadFromFile(const std::wstring& path)
{
    if (m_device == nullptr) {
        return false;
    }
    ComPtr<ID3DXBuffer> materialBuffer;
    DWORD materialCount = 0;
    ID3DXMesh* mesh = nullptr;
    if (FAILED(D3DXLoadMeshFromXW(path.c_str(), D3DXMESH_SYSTEMMEM, m_device.Get(), nullptr,
                                  materialBuffer.ReleaseAndGetAddressOf(), nullptr, &materialCount, &mesh))) {
        Unload();
        return false;
    }
    const auto* materials =
        materialBuffer == nullptr ? nullptr : static_cast<const D3DXMATERIAL*>(materialBuffer->GetBufferPointer());
    Adopt(mesh, materials, materials == nullptr ? 0 : materialCount, path);
    return true;
}

bool TQRD3D_MeshResource::LoadFromMemory(IDirect3DDevice9* device, const std::wstring& name, ID3DXMesh* mesh)
{
    Unload();
    if (device == nullptr || mesh == nullptr) {
        return false;
    }
    m_device = ComPtr<IDirect3DDevice9>(device);
    m_fileName = name;
    mesh->AddRef();
    D3DXMATERIAL white{};
    white.MatD3D.Diffuse = {1.0f, 1.0f, 1.0f, 1.0f};
    Adopt(mesh, &white, 1, name);
    return true;
}

void TQRD3D_MeshResource::Adopt(ID3DXMesh* mesh, const D3DXMATERIAL* materials, DWORD materialCount,
                                const std::wstring& path)
{
    m_mesh = ComPtr<ID3DXMesh>::Adopt(mesh);
    const std::wstring textureFolder = FolderOfPath(path);
    for (DWORD i = 0; i < materialCount; ++i) {
        AddMaterial(materials[i], textureFolder);
    }
    ComputeBoundingBox();
}

void TQRD3D_MeshResource::AddMaterial(const D3DXMATERIAL& material, const std::wstring& textureFolder)
{
    m_materials.Append(material.MatD3D);
    ComPtr<IDirect3DTexture9> texture;
    if (material.pTextureFilename != nullptr && material.pTextureFilename[0] != '\0') {
        const std::optional<std::wstring> texturePath =
            LocateMeshTexture(textureFolder, WideFromNarrow(material.pTextureFilename));
        if (texturePath && FAILED(D3DXCreateTextureFromFileW(m_device.Get(), texturePath->c_str(),
                                                             texture.ReleaseAndGetAddressOf()))) {
            texture.Reset();
        }
    }
    m_textures.Append(texture);
}

void TQRD3D_MeshResource::ComputeBoundingBox()
{
    ComPtr<IDirect3DVertexBuffer9> vertices;
    if (FAILED(m_mesh->GetVertexBuffer(vertices.ReleaseAndGetAddressOf())) || vertices == nullptr) {
        return;
    }
    void* data = nullptr;
    if (SUCCEEDED(vertices->Lock(0, 0, &data, D3DLOCK_NOSYSLOCK))) {
        D3DXVECTOR3 min;
        D3DXVECTOR3 max;
        if (SUCCEEDED(D3DXComputeBoundingBox(static_cast<const D3DXVECTOR3*>(data), m_mesh->GetNumVertices(),
                                             D3DXGetFVFVertexSize(m_mesh->GetFVF()), &min, &max))) {
            m_boundingBox.SetCorners(min.x, min.y, min.z, max.x, max.y, max.z);
        }
        vertices->Unlock();
    }
}

TQR_Material TQRD3D_MeshResource::GetFirstMaterial() const
{
    return m_materials.Count() == 0 ? TQR_Material() : FromD3DMaterial(m_materials.Get(0));
}

void TQRD3D_MeshResource::SetFirstMaterial(const TQR_Material& material)
{
    if (m_materials.Count() == 0) {
        return;
    }
    m_materials.RemoveAt(0);
    m_materials.InsertAt(ToD3DMaterial(material), 0);
}

void TQRD3D_MeshResource::Draw(bool useTextures, bool lightingOff, const TQR_Color& color) const
{
    if (m_device == nullptr || m_mesh == nullptr) {
        return;
    }
    const TQRD3D_LightingOffScope lighting(m_device.Get(), lightingOff);
    for (int i = 0; i < m_materials.Count(); ++i) {
        const D3DMATERIAL9 material = SurfaceMaterial(m_materials.Get(i), useTextures, lightingOff, color);
        m_device->SetMaterial(&material);
        IDirect3DTexture9* texture = GetSubsetTexture(i);
        if (useTextures && texture != nullptr) {
            m_device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
            m_device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
            m_device->SetTexture(0, texture);
        }
        m_mesh->DrawSubset(static_cast<DWORD>(i));
    }
}
