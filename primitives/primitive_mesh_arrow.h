// An arrow one unit long along its local +X axis, built from two X-file meshes: a shaft
// ("cylinder.x") from x = 0 to 0.8 and a head ("cone.x") from x = 0.7 to 1.0. Each mesh's
// local z axis is laid along x and scaled by the wanted length over the mesh's own depth, so
// the arrow has this size whatever the size of the files. Drawn unlit and untextured in the
// first colour only; it marks the directional light.
#pragma once

#include "scene/primitive.h"

class TQRD3D_MeshResource;

class TQRD3D_PrimitiveMeshArrow : public TQR_Primitive {
public:
    static constexpr const wchar_t* kShaftFileName = L"cylinder.x";
    static constexpr const wchar_t* kHeadFileName = L"cone.x";

    // Lighting off.
    TQRD3D_PrimitiveMeshArrow();
    ~TQRD3D_PrimitiveMeshArrow() override = default;

protected:
    // Nothing when either mesh is missing (the lookup reports it on the status line).
    void DrawGeometry(int levelOfDetail, TQR_DrawHelper* drawHelper) override;

private:
    // Where one mesh goes: scaled to width across and length along x, centred at x = centre.
    struct Part {
        float width;
        float length;
        float centre;
    };
    static const Part kShaft;
    static const Part kHead;

    // A mesh of zero (or no measurable) depth cannot be scaled to a length and is left out.
    void DrawPart(const TQRD3D_MeshResource& mesh, const Part& part, TQR_DrawHelper* drawHelper) const;
};
