// A mesh loaded from an X file with its materials, the textures they name and its bounding box,
// held in the graphics system's mesh table and drawn by the mesh primitives.
#pragma once

#include "graphics/resource.h"
#include "platform/d3dx9/d3dx9.h"
#include "scene/bounding_box.h"
#include "scene/color.h"
#include "scene/containers.h"

class TQRD3D_MeshResource : public TQRD3D_Resource {
public:
    TQRD3D_MeshResource() = default;
    ~TQRD3D_MeshResource() override;

    void Unload() override;
    // Loads the mesh into system memory, keeps one material per subset, loads the textures the
    // materials name from next to the file (LocateMeshTexture), and computes the bounding box.
    bool LoadFromFile(const std::wstring& path) override;
    // Holds a mesh made in memory under name, as a file of that name without materials would
    // load: one opaque white material, no texture. Adds a reference of its own to the mesh. False
    // without a device or a mesh.
    bool LoadFromMemory(IDirect3DDevice9* device, const std::wstring& name, ID3DXMesh* mesh);

    ID3DXMesh* GetMesh() const { return m_mesh.Get(); }
    const TQR_BoundingBox* GetBoundingBox() const { return &m_boundingBox; }
    int GetMaterialCount() const { return m_materials.Count(); }
    // The texture of a subset's material; null when it names none or it did not load.
    IDirect3DTexture9* GetSubsetTexture(int subset) const { return m_textures.Get(subset).Get(); }

    // Material 0 as colours, or the default material when the mesh has no materials.
    TQR_Material GetFirstMaterial() const;
    // Overwrites material 0 (when there is one); the other materials keep their values.
    void SetFirstMaterial(const TQR_Material& material);

    // Draws every subset. With lightingOff the device's lighting is switched off for the draw
    // and restored afterwards; without textures the subsets then take a blank material that
    // only emits color. With useTextures each subset whose material has a texture shows the
    // texture's colour in place of the lit colour; the others keep whatever stage 0 was set to.
    void Draw(bool useTextures, bool lightingOff, const TQR_Color& color) const;

protected:
    // Takes over a loaded mesh (its reference) with its materials; the textures they name are
    // looked for next to path, then in the search folders. Loading from a file ends here.
    void Adopt(ID3DXMesh* mesh, const D3DXMATERIAL* materials, DWORD materialCount, const std::wstring& path);

private:
    void AddMaterial(const D3DXMATERIAL& material, const std::wstring& textureFolder);
    void ComputeBoundingBox();

    ComPtr<ID3DXMesh> m_mesh;
    TQR_Array<D3DMATERIAL9> m_materials;
    TQR_Array<ComPtr<IDirect3DTexture9>> m_textures;
    TQR_BoundingBox m_boundingBox;
};
