#include "primitives/primitive_mesh.h"

#include <utility>

#include "graphics/graphics_system.h"
#include "graphics/mesh_resource.h"
#include "scene/draw_helper.h"

TQRD3D_PrimitiveMesh::TQRD3D_PrimitiveMesh(std::wstring meshFileName) : m_meshFileName(std::move(meshFileName))
{
    if (const TQRD3D_MeshResource* entry = FindMeshEntry()) {
        SetMaterial(entry->GetFirstMaterial());
    }
}

const TQR_BoundingVolume* TQRD3D_PrimitiveMesh::GetBoundingVolume(int)
{
    const TQRD3D_MeshResource* entry = FindMeshEntry();
    return entry == nullptr ? nullptr : entry->GetBoundingBox();
}

void TQRD3D_PrimitiveMesh::SetupDrawAttributes(TQR_DrawHelper* drawHelper)
{
    TQR_Primitive::SetupDrawAttributes(drawHelper);
    SetupSurfaceModes(drawHelper);
    if (TQRD3D_MeshResource* entry = FindMeshEntry()) {
        entry->SetFirstMaterial(GetMaterial());
    }
}

void TQRD3D_PrimitiveMesh::DrawGeometry(int, TQR_DrawHelper*)
{
    if (const TQRD3D_MeshResource* entry = FindMeshEntry()) {
        entry->Draw(IsTexturing(), !IsLighting(), GetFlatColor());
    }
}

TQRD3D_MeshResource* TQRD3D_PrimitiveMesh::FindMeshEntry() const
{
    return GetGraphicsSystem()->FindMesh(m_meshFileName);
}
