// The drawing interface that scene nodes, transforms, primitives, bounding boxes and lights talk
// to while a view draws. It holds the current drawing attributes; the drawing, transform,
// blending, texture and lighting operations do nothing here and return false. The device-bound
// draw helper derives from it and implements them.
#pragma once

#include <string>

#include "scene/color.h"
#include "scene/draw_modes.h"
#include "scene/vector_math.h"

// The attributes that the plain setters replace; reported to OnAttributeSet.
enum class TQR_DrawAttribute { Color1, Color2, PointSize, Material };

class TQR_DrawHelper {
public:
    TQR_DrawHelper();
    virtual ~TQR_DrawHelper() = default;

    TQR_DrawHelper(const TQR_DrawHelper&) = delete;
    TQR_DrawHelper& operator=(const TQR_DrawHelper&) = delete;

    // Drawing. Points and line ends use the colours, point size and shade mode set before.
    virtual bool DrawPoint(float x, float y, float z);
    virtual bool DrawLine(float x1, float y1, float z1, float x2, float y2, float z2);
    // A filled disc in the plane z = const; its vertex count follows the level of detail.
    virtual bool DrawCircle(float x, float y, float z, float radius);
    // Filled rectangles in the plane z = 0 and y = 0; the corners may come in any order.
    virtual bool DrawRectangleXY(float x1, float y1, float z1, float x2, float y2, float z2);
    virtual bool DrawRectangleXZ(float x1, float y1, float z1, float x2, float y2, float z2);

    // Point size 1, both colours opaque white, then EnableBlending(false) and
    // EnableTexture(false). Shade mode, fill mode, material, texture file name and level of
    // detail are left as they are.
    virtual void ResetAttributes();

    // Composes onto the model matrix stack: translate by t, translate by the pivot p, rotate by
    // the 3x3 matrix r (row order, row-vector form), scale by s, translate by -p, each from the
    // object side, giving T(-p) * S * R * T(p) * T(t) * previous top.
    virtual bool SetTransformation(float tx, float ty, float tz, float sx, float sy, float sz, float r00, float r01,
                                   float r02, float r10, float r11, float r12, float r20, float r21, float r22,
                                   float px, float py, float pz);
    virtual bool PushModelTransform();
    virtual bool PopModelTransform();
    // Creates the model matrix stack when needed and loads the identity.
    virtual bool InitializeModelTransform();
    // Replaces the point by itself times the top of the model matrix stack (divided by w).
    virtual bool TransformPoint(TQR_Vector3& point);

    // Stored here; the device-bound helper also sets the device.
    virtual void SetShadeMode(TQR_ShadeMode mode);
    virtual void SetFillMode(TQR_FillMode mode);
    virtual bool EnableBlending(bool on);
    virtual void SetTextureFileName(const std::wstring& fileName);
    // Binds (true) or unbinds (false) the texture named by the texture file name.
    virtual bool EnableTexture(bool on);
    // Switches lighting on with the current material, or off.
    virtual bool EnableLighting(bool on);

    // Plain replacements that return the previous value.
    TQR_Color SetColor1(const TQR_Color& color);
    TQR_Color SetColor2(const TQR_Color& color);
    float SetPointSize(float size);
    TQR_Material SetMaterial(const TQR_Material& material);

    // 0, 1 or 2 (default 2); read once by the caller of the scene's drawing and passed down.
    int GetLevelOfDetail() const { return m_levelOfDetail; }
    // Nothing in the editor changes the level of detail; tests of the disc's vertex counts do.
    void SetLevelOfDetail(int level) { m_levelOfDetail = level; }

    TQR_ShadeMode GetShadeMode() const { return m_shadeMode; }
    TQR_FillMode GetFillMode() const { return m_fillMode; }
    float GetPointSize() const { return m_pointSize; }
    const TQR_Color& GetColor1() const { return m_color1; }
    const TQR_Color& GetColor2() const { return m_color2; }
    const TQR_Material& GetMaterial() const { return m_material; }
    const std::wstring& GetTextureFileName() const { return m_textureFileName; }

protected:
    // Called after one of the plain setters has stored its value, so that a test double can
    // observe the order of attribute changes. Does nothing here.
    virtual void OnAttributeSet(TQR_DrawAttribute attribute);

private:
    int m_levelOfDetail = 2;
    TQR_ShadeMode m_shadeMode = TQR_ShadeMode::Smooth;
    TQR_FillMode m_fillMode = TQR_FillMode::Solid;
    float m_pointSize = 1.0f;
    TQR_Color m_color1;
    TQR_Color m_color2;
    TQR_Material m_material;
    std::wstring m_textureFileName;
};
