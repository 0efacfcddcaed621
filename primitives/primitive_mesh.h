// A primitive that shows an X-file mesh. It keeps nothing but the file name: the mesh, its
// materials, textures and bounding box live in the graphics system's mesh table, and every use
// looks the entry up by name, loading the file the first time. Several primitives of the same
// name share one entry, material 0 included, which each overwrites with its own material before
// it draws.
#pragma once

#include <string>

#include "scene/primitive.h"

class TQRD3D_MeshResource;

class TQRD3D_PrimitiveMesh : public TQR_Primitive {
public:
    // Looks the mesh up at once; when it is found (a device exists and the file loads), the
    // primitive takes the mesh's first material as its own. Otherwise it keeps the default one.
    explicit TQRD3D_PrimitiveMesh(std::wstring meshFileName);
    // Never touches the mesh table.
    ~TQRD3D_PrimitiveMesh() override = default;

    // The entry's box in the mesh's own coordinates, as computed when the file was loaded; null
    // when the mesh cannot be found or loaded.
    const TQR_BoundingVolume* GetBoundingVolume(int levelOfDetail) override;

    const std::wstring& GetMeshFileName() const { return m_meshFileName; }

protected:
    // The base attributes, then the second colour, shade mode and fill mode; finally material 0
    // of the mesh becomes the primitive's material.
    void SetupDrawAttributes(TQR_DrawHelper* drawHelper) override;
    // Every subset of the entry with the primitive's texturing, lighting and first colour.
    void DrawGeometry(int levelOfDetail, TQR_DrawHelper* drawHelper) override;

    // The shared entry, loaded on first use; null (and reported on the status line) when the
    // file cannot be found or loaded, silently null without a device.
    TQRD3D_MeshResource* FindMeshEntry() const;

private:
    std::wstring m_meshFileName;
};
