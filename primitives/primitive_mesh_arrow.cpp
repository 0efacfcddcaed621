#include "primitives/primitive_mesh_arrow.h"

#include <cmath>

#include "graphics/graphics_system.h"
#include "graphics/mesh_resource.h"
#include "scene/draw_helper.h"
#include "scene/transform.h"

const TQRD3D_PrimitiveMeshArrow::Part TQRD3D_PrimitiveMeshArrow::kShaft{0.025f, 0.8f, 0.4f};
const TQRD3D_PrimitiveMeshArrow::Part TQRD3D_PrimitiveMeshArrow::kHead{0.08f, 0.3f, 0.85f};

TQRD3D_PrimitiveMeshArrow::TQRD3D_PrimitiveMeshArrow() { SetLighting(false); }

void TQRD3D_PrimitiveMeshArrow::DrawGeometry(int, TQR_DrawHelper* drawHelper)
{
    const TQRD3D_MeshResource* shaft = GetGraphicsSystem()->FindMesh(kShaftFileName);
    const TQRD3D_MeshResource* head = GetGraphicsSystem()->FindMesh(kHeadFileName);
    if (shaft == nullptr || head == nullptr) {
        return;
    }
    DrawPart(*shaft, kShaft, drawHelper);
    DrawPart(*head, kHead, drawHelper);
}

void TQRD3D_PrimitiveMeshArrow::DrawPart(const TQRD3D_MeshResource& mesh, const Part& part,
                                         TQR_DrawHelper* drawHelper) const
{
    const float depth = mesh.GetBoundingBox()->Depth();
    const float lengthScale = part.length / depth;
    if (!(depth > 0.0f) || !std::isfinite(lengthScale)) {
        return;
    }
    TQR_XformInfo placement;
    placement.SetScale(part.width, part.width, lengthScale);
    placement.RotateY(-90.0f);
    placement.SetTranslation(part.centre, 0.0f, 0.0f);

    drawHelper->PushModelTransform();
    placement.SetupModelTransform(drawHelper);
    mesh.Draw(false, true, GetFlatColor());
    drawHelper->PopModelTransform();
}
