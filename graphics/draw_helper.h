// The draw helper on the graphics system's device: points, lines, discs and rectangles drawn
// at once from vertex arrays in memory, the model matrix kept on a matrix stack mirrored into
// the device's world transform, and attributes switched through render states.
// Every operation takes the device at the moment of the call. Without a device the drawing and
// matrix operations do nothing and return false, shade and fill mode are still stored, and
// blending, texturing and lighting do nothing and return true.
#pragma once

#include "platform/d3d9/com_ptr.h"
#include "platform/d3dx9/d3dx9.h"
#include "scene/draw_helper.h"

class TQRD3D_DrawHelper : public TQR_DrawHelper {
public:
    TQRD3D_DrawHelper() = default;
    ~TQRD3D_DrawHelper() override = default;

    // One point sprite of the point size in colour 1.
    bool DrawPoint(float x, float y, float z) override;
    // From colour 1 to colour 2 (colour 1 at both ends with flat shading).
    bool DrawLine(float x1, float y1, float z1, float x2, float y2, float z2) override;
    // A fan of 8, 18 or 38 rim segments at level of detail 0, 1 or 2, the rim starting at +x and
    // running towards +y; the centre takes colour 2 at shade mode 1. False for a radius <= 0.
    bool DrawCircle(float x, float y, float z, float radius) override;
    // A fan of four triangles around the centre, which takes colour 2 at shade mode 1.
    bool DrawRectangleXY(float x1, float y1, float z1, float x2, float y2, float z2) override;
    bool DrawRectangleXZ(float x1, float y1, float z1, float x2, float y2, float z2) override;

    // The first matrix operation of a helper creates the stack and loads the identity, so a
    // pass starts from the identity whatever the device's world transform was. Every change
    // of the stack is written to the device's world transform at once.
    bool SetTransformation(float tx, float ty, float tz, float sx, float sy, float sz, float r00, float r01, float r02,
                           float r10, float r11, float r12, float r20, float r21, float r22, float px, float py,
                           float pz) override;
    bool PushModelTransform() override;
    bool PopModelTransform() override;
    bool InitializeModelTransform() override;
    // Does not touch the device; false and the point unchanged while there is no stack.
    bool TransformPoint(TQR_Vector3& point) override;

    // Stores the mode and sets the device's shade or fill mode to match (ToD3DShadeMode,
    // ToD3DFillMode).
    void SetShadeMode(TQR_ShadeMode mode) override;
    void SetFillMode(TQR_FillMode mode) override;
    // Source-alpha blending on, or off.
    bool EnableBlending(bool on) override;
    // Binds the texture named by the texture file name on stage 0, or unbinds stage 0.
    bool EnableTexture(bool on) override;
    // Lighting on with the helper's material, or off.
    bool EnableLighting(bool on) override;

private:
    // Creates the stack (identity) when there is none yet; false when that fails.
    bool EnsureMatrixStack();
    void ApplyWorldTransform(IDirect3DDevice9* device) const;
    bool DrawRectangle(bool inXZPlane, float a1, float b1, float a2, float b2);

    ComPtr<ID3DXMatrixStack> m_matrixStack;
};
